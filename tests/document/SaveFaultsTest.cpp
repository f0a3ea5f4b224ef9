// A 1 MB document saved while one system call after another fails: the file
// holds its old bytes or its new bytes exactly, a failed save is an error and
// leaves the document modified, and nothing of the save is left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <tuple>

#include "FailingSystemCalls.h"
#include "PlatformDoubles.h"
#include "TempFolders.h"
#include "TestSupport.h"
#include "document/EditLists.h"
#include "platform/PosixFiles.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;
using testing::TCallKind;

struct TSituation {
  const char* Name;
  bool HardLink;  // a second name makes the save overwrite the file in place
  TBackupMode Backup;
};

class SaveFaultsTest : public ::testing::TestWithParam<std::tuple<TCallKind, TSituation>> {
 protected:
  void SetUp() override {
    for (int i = 0; i < 16384; ++i)
      FOld += "line " + std::to_string(i) + std::string(52, 'a' + i % 26) + "\r\n";
    FNew = "changed" + FOld.substr(FOld.find("\r\n"));
    testing::WriteBytes(FPath, FOld);
    ::setxattr(FPath.c_str(), "user.origin", "kept", 4, 0);  // where the file system has them
    // Root saving another user's file has an owner to give back.
    if (::geteuid() == 0) {
      ASSERT_EQ(::chown(FPath.c_str(), 65534, 65534), 0);
    }
    FList.LoadFromFile(FPath);
    FList.Put(0, "changed");
  }
  size_t Entries(const fs::path& folder) {
    std::error_code ec;
    size_t count = 0;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) ++count;
    return count;
  }

  testing::TTempFolder FTemp;
  const std::string FPath = FTemp.Path("memo.txt");
  testing::TScopedEnvironment FState{"XDG_STATE_HOME", FTemp.Path("state")};
  testing::TScopedEnvironment FData{"XDG_DATA_HOME", FTemp.Path("data")};
  std::string FOld, FNew;
  testing::TFailingSystemCalls FCalls;
  TPosixFiles FFiles{FCalls};
  testing::TFakeMessageBoxes FMessages;
  TEditList FList{FFiles, FMessages};
};

TEST_P(SaveFaultsTest, EveryCallFailingInTurnLeavesTheOldOrTheNewFile) {
  const auto [kind, situation] = GetParam();
  if (situation.HardLink) fs::create_hard_link(FPath, FTemp.Path("other name.txt"));
  FList.FBackupMode = situation.Backup;
  FList.FBackupFolder = FTemp.Path("backups") + "/";
  for (int at = 1;; ++at) {
    SCOPED_TRACE("call " + std::to_string(at));
    std::ofstream(FPath, std::ios::binary | std::ios::trunc) << FOld;  // the same file, its links kept
    FList.SetModified(true);
    FCalls.FailAt(kind, at);
    bool failed = false;
    try {
      FList.SaveToFile();
    } catch (const EFileError& error) {
      failed = true;
      EXPECT_EQ(error.Path, FPath);
    }
    const std::string now = ReadWholeFile(FPath);
    EXPECT_TRUE(now == FOld || now == FNew);
    EXPECT_EQ(FList.GetModified(), failed);
    EXPECT_TRUE(failed || now == FNew);
    // Without a backup every call is needed (a failed close of a file only read aside).
    EXPECT_TRUE(failed || situation.Backup != bmNone || kind == TCallKind::Close || FCalls.Count(kind) < at);
    for (const char* backup : {"memo.bak", "backups/memo.txt"})
      EXPECT_TRUE(!fs::exists(FTemp.Path(backup)) || ReadWholeFile(FTemp.Path(backup)) == FOld);
    for (const auto& entry : fs::directory_iterator(FTemp.Path()))
      EXPECT_EQ(entry.path().filename().string().find(".vorna-"), std::string::npos);
    EXPECT_EQ(Entries(FTemp.Path("state/vorna-editor/before-save")), 0u);
    if (FCalls.Count(kind) < at) break;  // nothing failed: the save went through
  }
}

const TSituation kSituations[] = {
    {"Replaced", false, bmNone},
    {"ReplacedWithBackupFolder", false, bmBackupFolder},
    {"ReplacedWithBak", false, bmBakExtension},
    {"ReplacedWithTrash", false, bmTrash},
    {"Overwritten", true, bmNone},
    {"OverwrittenWithBak", true, bmBakExtension},
};
const char* const kKindNames[] = {"Open",   "Read",     "Write",  "Fsync", "Ftruncate", "Fchmod",
                                  "Fchown", "Setxattr", "Rename", "Link",  "Close",     "SyncFolder"};

INSTANTIATE_TEST_SUITE_P(
    Calls, SaveFaultsTest,
    ::testing::Combine(::testing::Values(TCallKind::Open, TCallKind::Read, TCallKind::Write, TCallKind::Fsync,
                                         TCallKind::Ftruncate, TCallKind::Fchmod, TCallKind::Fchown,
                                         TCallKind::Fsetxattr, TCallKind::Rename, TCallKind::Link,
                                         TCallKind::Close, TCallKind::SyncFolder),
                       ::testing::ValuesIn(kSituations)),
    [](const auto& info) {
      return std::string(kKindNames[static_cast<int>(std::get<0>(info.param))]) +
             std::get<1>(info.param).Name;
    });

using SaveOutcomesTest = SaveFaultsTest;

TEST_F(SaveOutcomesTest, AnOwnerThatCannotBeKeptIsSaidOnceAndTheFileIsSaved) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give the file another owner";
  for (int save = 0; save < 2; ++save) {
    ASSERT_EQ(::chown(FPath.c_str(), 65534, 65534), 0);
    FCalls.FailAt(TCallKind::Fchown, 1, EPERM);
    FList.SetModified(true);
    FList.SaveToFile();
    EXPECT_EQ(ReadWholeFile(FPath), FNew);
  }
  EXPECT_EQ(
      FMessages.Shown,
      (std::vector<std::string>{
          "beep", "info " + testing::Sj("ファイル \"" + FPath +
                                        "\" の所有者を元に戻せませんでした。保存した人の所有になります。")}));
}

TEST_F(SaveOutcomesTest, AnOverwriteThatCannotBeUndoneNamesWhereTheOldTextIs) {
  fs::create_hard_link(FPath, FTemp.Path("other name.txt"));
  FCalls.FailAt(TCallKind::Write, 2, ENOSPC, true);  // the copy is made, then nothing more can be written
  try {
    FList.SaveToFile();
    FAIL() << "no error";
  } catch (const EFileError& error) {
    ASSERT_FALSE(error.KeptCopy.empty());
    EXPECT_EQ(ReadWholeFile(error.KeptCopy), FOld);
    EXPECT_NE(
        FileErrorText(error).find(testing::Sj("元の内容は \"" + error.KeptCopy + "\" に残っています。")),
        std::string::npos);
  }
  EXPECT_TRUE(FList.GetModified());
}

}  // namespace
}  // namespace vorna
