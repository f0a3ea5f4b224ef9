// The window's "EPUBに書き出し...": the title and author offered from the
// text, the book in the window's writing direction, cancelling either
// question, and the refusal of a path that cannot be written.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <filesystem>
#include <fstream>

#include "EpubReads.h"
#include "MainForms.h"
#include "PlatformDoubles.h"
#include "TempFolders.h"
#include "control/ControlServices.h"
#include "print/LpPrinters.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

namespace fs = std::filesystem;

class EpubExportWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FWindow = std::make_unique<TVORNAEditorMain>(FBundle);
    FWindow->AskEpubTitle = [this](const TBookTitle& offered) -> std::optional<TBookTitle> {
      FOffered = offered;
      return FTitleAnswer;
    };
    FWindow->AskEpubFileName = [this](const std::string& suggested) -> std::optional<std::string> {
      FSuggested = suggested;
      return FPathAnswer;
    };
    FText = Cp932FromUtf8("春の本\r\n書き手\r\n\r\n　春の雨《あめ》が降る。");
    FDocument = FFolder.Path("story.txt");
    std::ofstream(FDocument, std::ios::binary) << FText;
    FWindow->OpenFromCommandLine(FDocument);
  }
  std::vector<std::string> Errors() const {
    std::vector<std::string> errors;
    for (const std::string& shown : FBoxes.Shown)
      if (shown.rfind("error ", 0) == 0) errors.push_back(Utf8FromCp932(shown.substr(6)));
    return errors;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FFolder.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  testing::TTempFolder FFolder;
  TLpPrinter FPrinter;
  control::TQtServiceSet FQt{&FPrinter};
  testing::TFakeMessageBoxes FBoxes;
  TPlatformServices FBundle;
  std::unique_ptr<TVORNAEditorMain> FWindow;
  std::string FText, FDocument;
  std::optional<TBookTitle> FTitleAnswer;
  std::optional<std::string> FPathAnswer;
  TBookTitle FOffered;
  std::string FSuggested;
};

TEST_F(EpubExportWindowTest, TheFileMenuWritesTheBookInTheWindowsDirection) {
  QAction* item = nullptr;
  for (QAction* menu : FWindow->menuBar()->actions())
    if (menu->menu())
      for (QAction* a : menu->menu()->actions())
        if (a->text() == QString::fromUtf8("EPUBに書き出し...")) item = a;
  ASSERT_NE(item, nullptr);
  FWindow->Editor().SetStyleIndex(4);  // vertical
  FTitleAnswer = TBookTitle{"春の本/上", "書き手"};
  FPathAnswer = FFolder.Path("book.epub");
  item->trigger();
  EXPECT_EQ(FOffered.Title, "春の本");
  EXPECT_EQ(FOffered.Author, "書き手");
  EXPECT_EQ(FSuggested, FFolder.Path("story.epub"));
  const std::string package = testing::ZipFileEntry(*FPathAnswer, "EPUB/package.opf");
  EXPECT_NE(package.find("<dc:title>春の本/上</dc:title>"), std::string::npos) << package;
  EXPECT_NE(package.find("page-progression-direction=\"rtl\""), std::string::npos);
  EXPECT_TRUE(Errors().empty());
  EXPECT_FALSE(FWindow->View().List().GetModified());
  EXPECT_EQ(FWindow->View().List().GetText(), FText);
}

TEST_F(EpubExportWindowTest, CancellingOrAnUnwritablePathWritesNothing) {
  FTitleAnswer.reset();
  FPathAnswer = FFolder.Path("book.epub");
  FWindow->FileExportEpubExecute();
  EXPECT_TRUE(FSuggested.empty());  // no save dialog after a cancelled title
  FTitleAnswer = TBookTitle{"本", ""};
  FPathAnswer.reset();
  FWindow->FileExportEpubExecute();
  FPathAnswer = FDocument;  // the text itself
  FWindow->FileExportEpubExecute();
  FPathAnswer = FFolder.Path("no-folder/book.epub");
  FWindow->FileExportEpubExecute();
  const std::vector<std::string> errors = Errors();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0], "EPUBを書き出せません: " + FDocument + "\nis the text file itself");
  EXPECT_NE(errors[1].find("cannot be written"), std::string::npos);
  EXPECT_EQ(Names(), std::vector<std::string>{"story.txt"});
  EXPECT_EQ(testing::ReadBytes(FDocument), FText);
  // An untitled document: a name made of the title, "/" kept out of it.
  FWindow->FileNewExecute();
  FTitleAnswer = TBookTitle{"上/下", ""};
  FPathAnswer.reset();
  FWindow->FileExportEpubExecute();
  EXPECT_EQ(fs::path(FSuggested).filename().string(), "上／下.epub");
}

}  // namespace
}  // namespace vorna::app
