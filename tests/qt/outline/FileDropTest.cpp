// Files dropped on the main window: the first opens after the save prompt,
// more are said in a notice, and drops without a file change nothing.
#include <unistd.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "NoticeBars.h"
#include "OutlineWindows.h"

namespace vorna::app::testing {
namespace {

namespace fs = std::filesystem;

class FileDropTest : public OutlineWindowTest {
 protected:
  void SetUp() override {
    OutlineWindowTest::SetUp();
    FFolder = fs::path(::testing::TempDir()) / ("file-drop-" + std::to_string(::getpid()));
    fs::remove_all(FFolder);
    fs::create_directories(FFolder / "folder");
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
      std::ofstream(FFolder / name, std::ios::binary) << Cp932FromUtf8(std::string("本文") + name);
  }
  void TearDown() override {
    OutlineWindowTest::TearDown();
    fs::remove_all(FFolder);
  }
  // Drags `data` over the window and drops it; whether the window took the drag.
  bool Drop(QMimeData& data) {
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FWindow.get(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FWindow.get(), &drop);
    return enter.isAccepted();
  }
  bool DropFiles(std::initializer_list<const char*> names) {
    QList<QUrl> urls;
    for (const char* name : names)
      urls.push_back(QUrl::fromLocalFile(QString::fromStdString((FFolder / name).string())));
    QMimeData data;
    data.setUrls(urls);
    return Drop(data);
  }
  std::string Text() { return Utf8FromCp932(View().List().GetText()); }
  std::string FileName() { return View().List().GetFileName(); }
  std::string DropNotice() { return FWindow->Notices().Text(TNoticeKind::Dropped).toStdString(); }

  fs::path FFolder;
};

TEST_F(FileDropTest, TheFirstOfSeveralFilesOpensAfterTheSavePromptAndTheOthersAreSaid) {
  View().TypeText(Cp932FromUtf8("書きかけ"), true);
  FBoxes.Answer = TMessageResult::Cancel;
  EXPECT_TRUE(DropFiles({"a.txt", "b.txt", "c.txt"}));
  ASSERT_FALSE(FBoxes.Shown.empty());
  EXPECT_EQ(FBoxes.Shown.back(), "ask " + Cp932FromUtf8("（新規文書）.txt を保存しますか？"));
  EXPECT_EQ(Text(), "書きかけ");
  EXPECT_EQ(DropNotice(), "");
  FBoxes.Answer = TMessageResult::No;
  DropFiles({"a.txt", "b.txt", "c.txt"});
  EXPECT_EQ(FileName(), (FFolder / "a.txt").string());
  EXPECT_EQ(Text(), "本文a.txt");
  EXPECT_EQ(
      DropNotice(),
      "3 個のファイルがドロップされました。開いたのは最初の a.txt だけで、ほかの 2 個は開いていません。");
  // One file alone: no notice, and the old one goes.
  EXPECT_TRUE(DropFiles({"b.txt"}));
  EXPECT_EQ(Text(), "本文b.txt");
  EXPECT_EQ(DropNotice(), "");
}

TEST_F(FileDropTest, DropsWithoutAFileChangeNothing) {
  View().TypeText(Cp932FromUtf8("本文"), true);
  QMimeData text;
  text.setText(QString::fromUtf8("落とした文字"));
  EXPECT_FALSE(Drop(text));
  QMimeData address;
  address.setUrls({QUrl(QStringLiteral("https://example.org/a.txt"))});
  EXPECT_FALSE(Drop(address));
  EXPECT_EQ(Text(), "本文");
  EXPECT_TRUE(FBoxes.Shown.empty());
  // A folder is refused with the reason before anything is asked.
  DropFiles({"folder"});
  EXPECT_EQ(Text(), "本文");
  ASSERT_EQ(FBoxes.Shown.size(), 2u);  // the beep and the error
  EXPECT_NE(FBoxes.Shown.back().find("Is a directory"), std::string::npos) << FBoxes.Shown.back();
}

}  // namespace
}  // namespace vorna::app::testing
