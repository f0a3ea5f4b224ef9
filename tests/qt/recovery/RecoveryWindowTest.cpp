// The window's autosave and recovery offer in this process: the idle wait
// and its preference, a save or a clean close removing the file, restore, discard and later,
// damaged files named, and a folder that cannot be written.
#include "NoticeBars.h"
#include "RecoveryFixtures.h"

#include "text/Cp932.h"

namespace vorna::app {
namespace {

using namespace std::chrono_literals;

TEST_F(RecoveryTest, AnEditIsKeptAfterTheIdleWaitAndGoesWithASaveOrACleanClose) {
  const std::string folder = FTemp.Path("recovery");
  TVORNAEditorMain& window = OpenWindow(folder);
  window.AutoSaver()->SetIdleWait(50ms);
  EXPECT_TRUE(RecoveryFiles(folder).empty());  // nothing unsaved yet
  Type("本文😀");
  EXPECT_TRUE(window.AutoSaver()->Waiting());
  ASSERT_TRUE(QTest::qWaitFor([&] { return RecoveryFiles(folder).size() == 1; }, 5000));
  EXPECT_EQ(TextOf(RecoveryFiles(folder)[0]), "本文😀");

  window.AskSaveFileName = [this](const std::string&, const TFileFormat&) -> std::optional<TSaveChoice> {
    return TSaveChoice{FTemp.Path("saved.txt"), {TEncoding::Utf8, false, TLineEnd::Lf}};
  };
  window.FileSaveExecute();
  EXPECT_TRUE(RecoveryFiles(folder).empty());
  Type("追記😀");
  ASSERT_TRUE(QTest::qWaitFor([&] { return RecoveryFiles(folder).size() == 1; }, 5000));
  window.show();
  FBoxes.Answer = TMessageResult::No;  // closed without saving: given up
  EXPECT_TRUE(window.close());
  FWindow.reset();
  EXPECT_TRUE(fs::is_empty(folder));  // the lock file went too
  EXPECT_TRUE(FOffered.empty());
}

TEST_F(RecoveryTest, OfferedFilesAreRestoredDiscardedOrLeftAndDamagedOnesNamed) {
  const std::string folder = FTemp.Path("recovery");
  const std::string document = FTemp.Path("doc.txt");
  testing::WriteBytes(document, Cp932FromUtf8("元の本文"));
  const std::string restored = LeaveBehind(folder, "書き直した本文😀\n二行目", document, 100);
  const std::string another = LeaveBehind(folder, "別の文書😀", "（新規文書）.txt", 200, true);
  const std::string discarded = LeaveBehind(folder, "捨てる😀", document, 300);
  const std::string later = LeaveBehind(folder, "後で😀", document, 400);
  testing::WriteBytes(fs::path(folder) / "damaged.recovery", "VORNA-RECOVERY 1\nfile=/x\n");
  FAnswers = {TRecoveryAnswer::Restore, TRecoveryAnswer::Restore, TRecoveryAnswer::Discard};
  TVORNAEditorMain& window = OpenWindow(folder);
  window.OfferRecoveries();

  ASSERT_EQ(FOffered.size(), 4u);  // oldest first, the damaged one not offered
  EXPECT_EQ(FOffered[0].Unsaved.FileName, document);
  EXPECT_EQ(FOffered[1].Unsaved.FileName, "（新規文書）.txt");
  // The first restored comes here, as an unsaved change of its own file.
  EXPECT_EQ(List().GetText(), Cp932TextFromUtf8("書き直した本文😀\r\n二行目"));
  EXPECT_EQ(List().GetFileName(), document);
  EXPECT_FALSE(List().IsUntitled());
  // A restored file was neither watched nor locked.
  TVORNAEditorMain other(FBundle);
  other.LockFolder = window.LockFolder;
  other.OpenFromCommandLine(document);
  EXPECT_TRUE(other.Notices().IsShown(TNoticeKind::OpenElsewhere));
  EXPECT_TRUE(List().GetModified());
  EXPECT_TRUE(window.isWindowModified());
  EXPECT_EQ(window.View().DocPosOf(window.View().CaretPos()), (TTextPos{3, 1}));
  EXPECT_EQ(testing::ReadBytes(document), Cp932FromUtf8("元の本文"));
  // This window now keeps that text under its own name.
  EXPECT_FALSE(fs::exists(restored));
  const std::string own = window.AutoSaver()->Folder().FilePath();
  EXPECT_EQ(TextOf(own), "書き直した本文😀\r\n二行目");
  // The second goes to a window of its own, which can take it.
  EXPECT_EQ(FStarted, std::vector<std::string>{another});
  EXPECT_TRUE(fs::exists(another));
  EXPECT_FALSE(fs::exists(discarded));
  EXPECT_TRUE(fs::exists(later));
  EXPECT_TRUE(fs::exists(fs::path(folder) / "damaged.recovery"));
  ASSERT_EQ(FBoxes.Shown.size(), 2u);  // one message with its beep
  EXPECT_NE(FBoxes.Shown[1].find("damaged.recovery (cut short in its header)"), std::string::npos)
      << FBoxes.Shown[1];
}

TEST_F(RecoveryTest, AFolderThatCannotBeWrittenIsToldOnceAndEditingGoesOn) {
  testing::WriteBytes(FTemp.Path("state"), "a file where the folder should be");
  TVORNAEditorMain& window = OpenWindow(FTemp.Path("state/recovery"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(FBoxes.Shown.empty());  // a notice, not a box
  EXPECT_EQ(window.Notices()
                .Text(TNoticeKind::Recovery)
                .toStdString()
                .rfind("保存されていない文書を復元用に書き出せません。", 0),
            0u);
  window.Notices().Hide(TNoticeKind::Recovery);
  Type("続ける😀");
  EXPECT_FALSE(window.AutoSaver()->WriteNow());
  QCoreApplication::processEvents();
  EXPECT_FALSE(window.Notices().IsShown(TNoticeKind::Recovery));  // once a run
  EXPECT_EQ(List().GetText(), Cp932TextFromUtf8("続ける😀"));
  EXPECT_TRUE(List().GetModified());
}

TEST_F(RecoveryTest, TheIdleWaitComesFromThePreferences) {
  const testing::TScopedEnvironment config("XDG_CONFIG_HOME", FTemp.Path("config"));
  TPreferences preferences;
  preferences.AutoSaveSeconds = 0;  // written only when the program is ended
  TPreferenceStore(FFiles, nullptr).Write(preferences);
  TVORNAEditorMain& window = OpenWindow(FTemp.Path("recovery"), true);
  Type("待つ😀");
  EXPECT_FALSE(window.AutoSaver()->Waiting());
}

}  // namespace
}  // namespace vorna::app
