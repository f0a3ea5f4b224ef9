// The window's PDF export against --print-pdf, its cancel and its refusal of
// a path that cannot be written.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "MainForms.h"
#include "PlatformDoubles.h"
#include "PrintPdfCommands.h"
#include "QtTestHelpers.h"
#include "TempFolders.h"
#include "control/ControlServices.h"
#include "platform/qt/QtPrinterBackend.h"
#include "print/LpPrinters.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

namespace fs = std::filesystem;

class PdfExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FWindow = std::make_unique<TVORNAEditorMain>(FBundle);
    FWindow->AskPdfFileName = [this](const std::string& suggested) -> std::optional<std::string> {
      FSuggested = suggested;
      return FAnswer;
    };
    // Our own text, long enough for several manuscript pages.
    std::string text;
    for (int i = 0; i < 40; ++i)
      text += Cp932FromUtf8("　春の雨が静かに降り、町の灯がひとつずつ点っていった。\r\n");
    FDocument = FFolder.Path("story.txt");
    std::ofstream(FDocument, std::ios::binary) << text;
    FWindow->OpenFromCommandLine(FDocument);
  }
  // Files left in the folder besides the document.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FFolder.Path()))
      if (entry.path().filename() != "story.txt") names.push_back(entry.path().filename().string());
    return names;
  }
  std::vector<std::string> Errors() const {
    std::vector<std::string> errors;
    for (const std::string& shown : FBoxes.Shown)
      if (shown.rfind("error ", 0) == 0) errors.push_back(Utf8FromCp932(shown.substr(6)));
    return errors;
  }

  testing::TTempFolder FFolder;
  TLpPrinter FPrinter;  // the window's; without a printer layer until a test gives one
  control::TQtServiceSet FQt{&FPrinter};
  testing::TFakeMessageBoxes FBoxes;
  TPlatformServices FBundle;
  std::unique_ptr<TVORNAEditorMain> FWindow;
  std::string FDocument;
  std::optional<std::string> FAnswer;
  std::string FSuggested;
};

TEST_F(PdfExportTest, TheExportHasThePagesOfPrintPdfUnderTheWindowsPreset) {
  qt::TQtPrinterBackend printer;
  FPrinter.SetBackend(&printer);
  FWindow->Editor().SetStyleIndex(4);
  // Preset 4 is a window style: its pages are the ones the preview shows.
  FWindow->FilePreviewExecute();
  const int windowPages = FWindow->View().PageCount();
  FWindow->FilePreviewExecute();
  FAnswer = FFolder.Path("window.pdf");
  FWindow->FileExportPdfExecute();
  // The export printed on a printer of its own: the window's is untouched.
  EXPECT_EQ(FPrinter.Backend(), &printer);
  FPrinter.SetBackend(nullptr);
  EXPECT_EQ(FSuggested, FFolder.Path("story.pdf"));
  EXPECT_TRUE(Errors().empty());
  EXPECT_FALSE(FWindow->View().List().GetModified());

  TPrintPdfOptions options;
  options.File = FDocument;
  options.Output = FFolder.Path("command.pdf");
  options.Preset = 4;
  ASSERT_EQ(RunPrintPdf(options), 0);
  const int pages = testing::PdfPageCount(options.Output);
  EXPECT_GT(pages, 1);
  EXPECT_EQ(testing::PdfPageCount(*FAnswer), pages);
  EXPECT_EQ(windowPages, pages);  // what the window counts is what prints
  // No temporary file stays beside them.
  EXPECT_EQ(Leftovers().size(), 2u);
}

TEST_F(PdfExportTest, CancelLeavesNeitherTheTargetNorATemporaryFile) {
  FWindow->Editor().SetStyleIndex(4);
  FWindow->PdfProgressSheets = 1;
  FAnswer = FFolder.Path("cancelled.pdf");
  bool found = false;
  QTimer::singleShot(0, FWindow.get(), [this, &found] {
    if (auto* progress = FWindow->findChild<QProgressDialog*>()) {
      found = true;
      progress->cancel();
    }
  });
  FWindow->FileExportPdfExecute();
  EXPECT_TRUE(found);
  EXPECT_TRUE(Leftovers().empty());
  EXPECT_TRUE(Errors().empty());
}

TEST_F(PdfExportTest, APathThatCannotBeWrittenIsToldAndLeavesNoFile) {
  const std::string text = FWindow->View().List().GetText();
  for (const std::string& bad : {FFolder.Path("missing/out.pdf"), FFolder.Path("")}) {
    FBoxes.Shown.clear();
    FAnswer = bad;
    FWindow->FileExportPdfExecute();
    ASSERT_EQ(Errors().size(), 1u) << bad;
    EXPECT_NE(Errors().front().find("PDFを書き出せません"), std::string::npos);
    EXPECT_NE(Errors().front().find(bad), std::string::npos);
  }
  EXPECT_TRUE(Leftovers().empty());
  EXPECT_EQ(FWindow->View().List().GetText(), text);
  EXPECT_FALSE(FWindow->View().List().GetModified());
}

}  // namespace
}  // namespace vorna::app
