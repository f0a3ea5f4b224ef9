// The window and the file on disk: a change by another program asks to read
// it again (one undoable step), saving over it asks first, a deletion and a
// folder in the file's place are told, a second window is told, and a
// read-only document says why.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "MainForms.h"
#include "NoticeBars.h"
#include "PlatformDoubles.h"
#include "control/ControlServices.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

namespace fs = std::filesystem;

class DiskWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FFolder = fs::path(::testing::TempDir()) /
              ("disk-watch-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               "-" + std::to_string(::getpid()));
    fs::remove_all(FFolder);
    fs::create_directories(FFolder);
    FWindow = MakeWindow();
    FFile = Write("f.txt", "line one\r\n");
    FWindow->OpenFromCommandLine(FFile.string());
  }
  void TearDown() override {
    FWindow.reset();
    fs::remove_all(FFolder);
  }
  std::unique_ptr<TVORNAEditorMain> MakeWindow() {
    auto window = std::make_unique<TVORNAEditorMain>(FBundle);
    window->LockFolder = (FFolder / "locks").string();
    window->AskReload = [this](const QString& text) {
      FAsked.push_back(text.toStdString());
      return FReload;
    };
    window->AskOverwriteChanged = [this](const QString& text) {
      FAsked.push_back(text.toStdString());
      return FOverwrite;
    };
    return window;
  }
  fs::path Write(const std::string& name, const std::string& bytes, bool append = false) {
    std::ofstream(FFolder / name, std::ios::binary | (append ? std::ios::app : std::ios::trunc)) << bytes;
    return FFolder / name;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  TEditList& List() { return FWindow->View().List(); }
  void Type(std::string_view utf8) { FWindow->View().TypeText(Cp932FromUtf8(utf8), true); }
  // Runs the event loop until the window asked something (the watcher saw a
  // change), at most two seconds.
  bool WaitForQuestion(size_t count) {
    QElapsedTimer clock;
    clock.start();
    while (FAsked.size() < count && clock.elapsed() < 2000)
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    return FAsked.size() >= count;
  }

  control::TQtServiceSet FQt;
  testing::TFakeMessageBoxes FBoxes;
  TPlatformServices FBundle;
  fs::path FFolder, FFile;
  std::unique_ptr<TVORNAEditorMain> FWindow;
  std::vector<std::string> FAsked;
  bool FReload = true, FOverwrite = false;
};

// `echo other >> f.txt` while open, then Ctrl+S, silently dropped "other".
TEST_F(DiskWatchTest, AnOutsideChangeAsksOnceAndReloadsAsOneUndoableStep) {
  Type("mine ");
  Write("f.txt", "other\n", true);
  ASSERT_TRUE(WaitForQuestion(1)) << "the watcher saw no change";
  EXPECT_NE(FAsked[0].find("ディスク上のファイルが変更されました。再読み込みしますか？"), std::string::npos);
  EXPECT_EQ(List().GetText(), "line one\r\nother\r\n");
  EXPECT_FALSE(List().GetModified());
  FWindow->CheckDiskFile();
  EXPECT_EQ(FAsked.size(), 1u);  // nothing new on disk

  FWindow->UpdateActions();
  FWindow->EditUndo->trigger();
  EXPECT_EQ(List().GetText(), Cp932FromUtf8("mine line one\r\n"));
  EXPECT_TRUE(List().GetModified());
  FWindow->UpdateActions();
  FWindow->EditRedo->trigger();
  EXPECT_FALSE(List().GetModified());

  // Our own save replaces the file: the watch follows it, and is not a change.
  Type("x");
  FWindow->FileSaveExecute();
  QApplication::processEvents();
  FWindow->CheckDiskFile();
  EXPECT_EQ(FAsked.size(), 1u);
  Write("f.txt", "third\n", true);
  EXPECT_TRUE(WaitForQuestion(2)) << "the watch was lost by the save's rename";
}

TEST_F(DiskWatchTest, KeepingTheEditorsTextMakesTheNextSaveAskBeforeOverwriting) {
  FReload = false;
  Type("mine ");
  Write("f.txt", "other\n", true);
  FWindow->CheckDiskFile();
  ASSERT_EQ(FAsked.size(), 1u);
  FWindow->FileSaveExecute();
  ASSERT_EQ(FAsked.size(), 2u);
  EXPECT_NE(FAsked[1].find("上書きしますか？"), std::string::npos);
  EXPECT_EQ(Read(FFile), "line one\r\nother\n");
  EXPECT_TRUE(List().GetModified());
  FOverwrite = true;
  FWindow->FileSaveExecute();
  EXPECT_EQ(Read(FFile), "mine line one\r\n");
  EXPECT_FALSE(List().GetModified());
}

TEST_F(DiskWatchTest, ADeletedFileOrAFolderInItsPlaceIsToldAndMarksTheDocument) {
  fs::remove(FFile);
  FWindow->CheckDiskFile();
  EXPECT_TRUE(FWindow->Notices().IsShown(TNoticeKind::OnDisk));
  EXPECT_NE(FWindow->Notices().Text(TNoticeKind::OnDisk).toStdString().find("削除されました"),
            std::string::npos);
  EXPECT_TRUE(List().GetModified());
  EXPECT_TRUE(FAsked.empty());

  fs::create_directory(FFile);
  FWindow->CheckDiskFile();
  EXPECT_TRUE(FAsked.empty());
  FWindow->FileSaveExecute();  // refused with the system's reason; the text stays
  EXPECT_TRUE(List().GetModified());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
}

TEST_F(DiskWatchTest, ASecondWindowOnTheFileIsToldItIsOpenElsewhere) {
  auto second = MakeWindow();
  second->OpenFromCommandLine(FFile.string());
  EXPECT_TRUE(second->Notices().IsShown(TNoticeKind::OpenElsewhere));
  EXPECT_FALSE(FWindow->Notices().IsShown(TNoticeKind::OpenElsewhere));
  FWindow->FileNewExecute();  // the first lets go
  auto third = MakeWindow();
  third->OpenFromCommandLine(FFile.string());
  EXPECT_TRUE(third->Notices().IsShown(TNoticeKind::OpenElsewhere));  // the second still has it
  second.reset();
  auto fourth = MakeWindow();
  fourth->OpenFromCommandLine(Write("g.txt", "g").string());
  EXPECT_FALSE(fourth->Notices().IsShown(TNoticeKind::OpenElsewhere));
}

TEST_F(DiskWatchTest, ReadOnlyOpensSayWhyAndAWritableFileCanBeUnlocked) {
  fs::permissions(FFile, fs::perms::owner_read | fs::perms::group_read);
  FWindow->OpenFromCommandLine(FFile.string());
  ASSERT_TRUE(FWindow->Notices().IsShown(TNoticeKind::ReadOnly));
  QPushButton* unlock = FWindow->Notices().ActionButton(TNoticeKind::ReadOnly);
  ASSERT_NE(unlock, nullptr);
  EXPECT_EQ(unlock->text().toStdString(), "読み取り専用を解除");
  Type("x");
  EXPECT_EQ(List().GetText(), "line one\r\n");  // typing ignored while read-only
  unlock->click();
  EXPECT_FALSE(FWindow->Notices().IsShown(TNoticeKind::ReadOnly));
  Type("x");
  FWindow->FileSaveExecute();
  EXPECT_EQ(Read(FFile), "xline one\r\n");
  EXPECT_TRUE(FAsked.empty());  // the permission change was no outside change

  FWindow->OpenFromCommandLine(Write("nul.txt", std::string("abc\0def", 7)).string());
  const std::string text = FWindow->Notices().Text(TNoticeKind::ReadOnly).toStdString();
  EXPECT_NE(text.find(" 3 バイト"), std::string::npos) << text;
  EXPECT_EQ(FWindow->Notices().ActionButton(TNoticeKind::ReadOnly), nullptr);
  FWindow->OpenFromCommandLine(FFile.string());
  EXPECT_FALSE(FWindow->Notices().IsShown(TNoticeKind::ReadOnly));
}

}  // namespace
}  // namespace vorna::app
