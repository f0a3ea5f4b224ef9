// Saving and loading the document on real files: the backup modes, a backup
// folder that does not exist yet or cannot be made, and a save that fails.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "PlatformDoubles.h"
#include "TempFolders.h"
#include "TestSupport.h"
#include "document/EditLists.h"
#include "platform/PosixFiles.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;
using testing::Sj;

class DocumentFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FFiles.WriteFile(Path("memo.txt"), "v1");
    FList.LoadFromFile(Path("memo.txt"));
  }
  std::string Path(const std::string& name) const { return FTemp.Path(name); }
  std::string Read(const std::string& name) { return FFiles.ReadFile(Path(name)); }
  void Edit(const std::string& text) { FList.Put(0, text); }

  testing::TTempFolder FTemp;
  const fs::path& FDir = FTemp.Path();
  // The trash goes into the test's own folder.
  testing::TScopedEnvironment FDataHome{"XDG_DATA_HOME", (FTemp.Path() / "data").string()};
  TPosixFiles FFiles;
  testing::TFakeMessageBoxes FMessages;
  TEditList FList{FFiles, FMessages};
};

TEST_F(DocumentFilesTest, BakExtensionReplacesAnOlderBackup) {
  FFiles.WriteFile(Path("memo.bak"), "older");
  FList.FBackupMode = bmBakExtension;
  Edit("v2");
  FList.SaveToFile();
  EXPECT_EQ(Read("memo.bak"), "v1");
  EXPECT_EQ(Read("memo.txt"), "v2");
}

TEST_F(DocumentFilesTest, BackupFolderIsCreatedWithItsParents) {
  FList.FBackupMode = bmBackupFolder;
  FList.FBackupFolder = Path("backups/old") + "/";
  Edit("v2");
  FList.SaveToFile();
  EXPECT_EQ(Read("backups/old/memo.txt"), "v1");
  Edit("v3");
  FList.SaveToFile();
  EXPECT_EQ(Read("backups/old/memo.txt"), "v2");
  EXPECT_EQ(Read("memo.txt"), "v3");
  EXPECT_TRUE(FMessages.Shown.empty());
}

TEST_F(DocumentFilesTest, BackupFolderThatCannotBeMadeIsReportedAndTheSaveGoesOn) {
  FFiles.WriteFile(Path("blocker"), "a file where a folder should be");
  FList.FBackupMode = bmBackupFolder;
  FList.FBackupFolder = Path("blocker/backups") + "/";
  Edit("v2");
  FList.SaveToFile();
  EXPECT_EQ(FMessages.Shown, (std::vector<std::string>{
                                 "beep!", "error " + Sj("バックアップを作成することができませんでした！")}));
  EXPECT_EQ(Read("memo.txt"), "v2");
  EXPECT_FALSE(FList.GetModified());
}

TEST_F(DocumentFilesTest, TrashKeepsTheOldVersion) {
  FList.FBackupMode = bmTrash;
  Edit("v2");
  FList.SaveToFile();
  EXPECT_EQ(Read("memo.txt"), "v2");
  EXPECT_EQ(FFiles.ReadFile((FDir / "data" / "Trash" / "files" / "memo.txt").string()), "v1");
}

TEST_F(DocumentFilesTest, SaveIntoAFolderThatCannotHoldFilesFailsAndKeepsTheText) {
  FFiles.WriteFile(Path("plain"), "x");
  Edit("v2");
  try {
    FList.SaveToFile(Path("plain/memo.txt"));
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_EQ(FileErrorText(e),
              Sj("ファイル \"" + Path("plain/memo.txt") + "\" を作成できません。Not a directory"));
  }
  EXPECT_TRUE(FList.GetModified());
  EXPECT_EQ(FList.GetText(), "v2");
  EXPECT_EQ(Read("memo.txt"), "v1");
}

TEST_F(DocumentFilesTest, ReadOnlyFilesOpenReadOnlyAndAreNotReplaced) {
  fs::permissions(Path("memo.txt"), fs::perms::owner_read | fs::perms::group_read);
  FList.LoadFromFile(Path("memo.txt"));
  EXPECT_TRUE(FList.IsReadOnlyFile());
  Edit("v2");
  EXPECT_THROW(FList.SaveToFile(), EFileError);
  EXPECT_EQ(Read("memo.txt"), "v1");
}

}  // namespace
// A FIFO was reported as "No such file" by the window and ignored by the
// document; reading it would never end.
TEST(DocumentSpecialFiles, AFifoIsRefusedAsNoRegularFileAndNothingIsRead) {
  testing::TTempFolder folder;
  const std::string fifo = folder.Path("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  TPosixFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list(files, messages);
  list.SetText("kept");
  EXPECT_TRUE(files.PathExists(fifo));
  try {
    list.LoadFromFile(fifo);
    FAIL() << "a FIFO was opened";
  } catch (const EFileError& error) {
    EXPECT_EQ(error.Reason, "通常のファイルではありません");
  }
  EXPECT_EQ(list.GetText(), "kept");
  EXPECT_FALSE(files.PathExists(folder.Path("absent.txt")));
}

}  // namespace vorna
