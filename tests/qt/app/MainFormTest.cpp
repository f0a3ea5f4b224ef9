// The main window on the offscreen platform: the save prompt and the close
// query, save and save as, the update handlers, the line-number toggle, the
// file dialogs' extension, bad files named on the command line; the about
// box without version data and the gradient's edge cases.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QPainter>

#include <filesystem>
#include <fstream>

#include "GradBoxes.h"
#include "MainForms.h"
#include "PlatformDoubles.h"
#include "VerInfos.h"
#include "control/ControlServices.h"
#include "print/LpPrinters.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

namespace fs = std::filesystem;

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FBundle.Clipboard = &FClipboard;
    // One folder per test and process: ctest runs the tests side by side.
    FFolder = fs::path(::testing::TempDir()) /
              ("main-form-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               "-" + std::to_string(::getpid()));
    fs::remove_all(FFolder);
    fs::create_directories(FFolder);
    FWindow = std::make_unique<TVORNAEditorMain>(FBundle);
    FWindow->AskSaveFileName = [this](const std::string&) -> std::optional<std::string> {
      ++FSaveDialogs;
      return FSaveAnswer;
    };
  }
  void TearDown() override {
    FWindow.reset();
    fs::remove_all(FFolder);
  }
  TEditList& List() { return FWindow->View().List(); }
  void Type(std::string_view utf8) { FWindow->View().TypeText(Cp932FromUtf8(utf8), true); }

  control::TQtServiceSet FQt;
  testing::TFakeMessageBoxes FBoxes;
  testing::TMemoryClipboard FClipboard;
  TPlatformServices FBundle;
  fs::path FFolder;
  std::unique_ptr<TVORNAEditorMain> FWindow;
  int FSaveDialogs = 0;
  std::optional<std::string> FSaveAnswer;
};

TEST_F(MainFormTest, SaveRunsOnlyOnAModifiedDocumentAndAnUntitledOneAsksForAName) {
  FWindow->UpdateActions();
  EXPECT_EQ(FWindow->windowTitle().toStdString(), "（新規文書）.txt[*]");
  EXPECT_FALSE(FWindow->FileSave->isEnabled());
  Type("本文");
  FWindow->UpdateActions();
  EXPECT_TRUE(FWindow->FileSave->isEnabled());
  EXPECT_TRUE(FWindow->isWindowModified());
  FWindow->FileSaveExecute();  // cancelled dialog
  EXPECT_EQ(FSaveDialogs, 1);
  EXPECT_TRUE(List().GetModified());
  FSaveAnswer = (FFolder / "draft.txt").string();
  FWindow->FileSaveExecute();
  EXPECT_FALSE(List().GetModified());
  std::ifstream in(*FSaveAnswer, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), Cp932FromUtf8("本文"));
  EXPECT_EQ(FWindow->windowTitle().toStdString(), "draft.txt[*]");
}

TEST_F(MainFormTest, ClosingAModifiedDocumentAsksAndCancelKeepsTheWindow) {
  FWindow->show();
  Type("x");
  FBoxes.Answer = TMessageResult::Cancel;
  EXPECT_FALSE(FWindow->close());
  EXPECT_TRUE(FWindow->isVisible());
  ASSERT_FALSE(FBoxes.Shown.empty());
  EXPECT_EQ(FBoxes.Shown.back(), "ask " + Cp932FromUtf8("（新規文書）.txt を保存しますか？"));
  FBoxes.Answer = TMessageResult::No;
  EXPECT_TRUE(FWindow->close());
  EXPECT_TRUE(List().GetModified());  // closed without saving
}

TEST_F(MainFormTest, AFailedSaveKeepsTheDocumentModifiedAndReportsIt) {
  Type("x");
  fs::create_directories(FFolder / "locked");
  FSaveAnswer = (FFolder / "locked").string();  // a folder is no file to write
  FWindow->FileSaveAsExecute();
  EXPECT_TRUE(List().GetModified());
  ASSERT_FALSE(FBoxes.Shown.empty());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);

  // Closing with Yes while the save fails: reported, and the window stays.
  FSaveAnswer = (FFolder / "saved.txt").string();
  FWindow->FileSaveAsExecute();
  { std::ofstream(FFolder / "plain") << "x"; }
  List().SetFileName((FFolder / "plain" / "cannot.txt").string());
  Type("y");
  FWindow->show();
  FBoxes.Answer = TMessageResult::Yes;
  EXPECT_FALSE(FWindow->close());
  EXPECT_TRUE(FWindow->isVisible());
  EXPECT_TRUE(List().GetModified());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
}

TEST_F(MainFormTest, UpdateHandlersFollowTheSelectionClipboardAndHistory) {
  Type("abc");
  FWindow->UpdateActions();
  EXPECT_FALSE(FWindow->EditCopy->isEnabled());
  EXPECT_FALSE(FWindow->EditPaste->isEnabled());
  EXPECT_TRUE(FWindow->EditUndo->isEnabled());
  EXPECT_FALSE(FWindow->EditRedo->isEnabled());
  FWindow->View().SelectFromTo({1, 0}, {3, 0}, false);
  FClipboard.SetText("t");
  FWindow->UpdateActions();
  EXPECT_TRUE(FWindow->EditCut->isEnabled());
  EXPECT_TRUE(FWindow->EditCopy->isEnabled());
  EXPECT_TRUE(FWindow->EditPaste->isEnabled());
  FWindow->Editor().SetReadOnly(true);
  FWindow->UpdateActions();
  EXPECT_FALSE(FWindow->EditCut->isEnabled());
  EXPECT_FALSE(FWindow->EditPaste->isEnabled());
  EXPECT_EQ(FWindow->FilePrint->isEnabled(), LpPrinter.Info().Count() > 0);
}

TEST_F(MainFormTest, TheLineNumberToggleAlternatesAndTurnsTwoIntoZero) {
  TViewInfo* lineInfo = FWindow->Editor().EditorStyle().GetViewInfo(kElemLineInfo);
  lineInfo->SetDisplayMode(kModeHidden);
  FWindow->CustLineNoExecute();
  EXPECT_EQ(lineInfo->GetDisplayMode(), kModeShown);
  EXPECT_TRUE(FWindow->CustLineNo->isChecked());
  FWindow->CustLineNoExecute();
  EXPECT_EQ(lineInfo->GetDisplayMode(), kModeHidden);
  lineInfo->SetDisplayMode(kModeScreenOnly);
  FWindow->CustLineNoExecute();
  EXPECT_EQ(lineInfo->GetDisplayMode(), kModeHidden);
}

TEST_F(MainFormTest, FileDialogsAddTxtNotRtf) {
  QFileDialog dialog;
  ConfigureFileDialog(dialog, true);
  EXPECT_EQ(dialog.defaultSuffix().toStdString(), "txt");
  EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST_F(MainFormTest, BadFilesOnTheCommandLineAreReportedAndTheWindowStaysUsable) {
  const fs::path binary = FFolder / "binary.dat";
  { std::ofstream(binary, std::ios::binary) << std::string("\x00\x01\xff\xfe\x81", 5); }
  FWindow->OpenFromCommandLine((FFolder / "missing.txt").string());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
  FWindow->OpenFromCommandLine(FFolder.string());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
  EXPECT_EQ(List().GetText(), "");
  // A file with NUL bytes shows its text up to the first and opens read-only,
  // so that no save can cut the file short.
  FWindow->OpenFromCommandLine(binary.string());
  EXPECT_TRUE(FWindow->View().IsReadOnly());
  Type("ok");
  EXPECT_FALSE(List().GetModified());
  EXPECT_EQ(fs::file_size(binary), 5u);
}

TEST_F(MainFormTest, AFailingClipboardCheckIsToldOnce) {
  struct TBrokenClipboard : testing::TMemoryClipboard {
    bool HasText() override { throw std::runtime_error("no clipboard"); }
  } broken;
  FBundle.Clipboard = &broken;
  TVORNAEditorMain window(FBundle);
  window.UpdateActions();
  window.UpdateActions();
  ASSERT_EQ(std::count_if(FBoxes.Shown.begin(), FBoxes.Shown.end(),
                          [](const std::string& s) { return s.rfind("info ", 0) == 0; }),
            1);
  EXPECT_EQ(FBoxes.Shown.back(),
            "info " + Cp932FromUtf8("クリップボードバグの発生。作者にお知らせください。2"));
}

TEST(VersionTest, NoVersionDataGivesEmptyTextsAndTheAboutBoxStillOpens) {
  TVerInfo none(std::optional<TVersionBlock>{});
  EXPECT_EQ(none.ProductName(), "");
  try {
    none.IsPreRelease();
    FAIL();
  } catch (const EVerInfo& e) {
    EXPECT_EQ(std::string(e.what()), Cp932FromUtf8("ルートブロックが取得できません."));
  }
  TVersionDialog box(none);
  std::string error;
  box.OnError = [&](const std::string& text) { error = text; };
  box.show();
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(box.LabelStatus().text().isEmpty());
  EXPECT_EQ(box.LabelVersion().text().toStdString(), "Version ");

  TVerInfo pre(TVersionBlock{" desc ", "1.2", "x", "prod", 2});
  TVersionDialog preBox(pre);
  preBox.show();
  EXPECT_EQ(preBox.LabelStatus().text().toStdString(), "β版");
  EXPECT_EQ(preBox.LabelComment().text().toStdString(), "desc");
}

TEST(GradientTest, BandsRunFromStartToEndOneBeyondTheArea) {
  QImage image(4, 2, QImage::Format_RGB32);
  image.fill(Qt::gray);
  {
    QPainter p(&image);
    PaintGradient(p, QRect(0, 0, 1, 2), 0x000000FF, 0x00FF0000, false);
  }
  EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));  // start ($BBGGRR red)
  EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 0, 255));  // end, outside the box

  QImage wide(256, 1, QImage::Format_RGB32);
  {
    QPainter p(&wide);
    PaintGradient(p, QRect(0, 0, 255, 1), 0x00000000, 0x00FFFFFF, false);
  }
  for (int x = 0; x < 256; ++x) EXPECT_EQ(wide.pixelColor(x, 0).red(), x) << x;
}

}  // namespace
}  // namespace vorna::app
