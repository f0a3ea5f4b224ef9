// The one rule for the home and XDG base folders, and the folders of the
// POSIX file service that follow it.
#include <gtest/gtest.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TempFolders.h"
#include "platform/PosixFiles.h"
#include "platform/XdgFolders.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;
using testing::TScopedEnvironment;
using testing::TTempFolder;

std::string PasswdHome() {
  const passwd* entry = ::getpwuid(::getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "";
}

// Removes a variable for the duration of a test.
class TUnsetEnvironment {
 public:
  explicit TUnsetEnvironment(const char* name) : FSaved(name, "") { ::unsetenv(name); }

 private:
  TScopedEnvironment FSaved;  // restores the old value (or its absence)
};

TEST(XdgFolders, AnAbsoluteVariableWinsARelativeOneFallsBackToHome) {
  TScopedEnvironment home("HOME", "/home/someone/");
  {
    TScopedEnvironment config("XDG_CONFIG_HOME", "/elsewhere/config/");
    EXPECT_EQ(XdgConfigHome(), "/elsewhere/config");
  }
  {
    TScopedEnvironment config("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(XdgConfigHome(), "/home/someone/.config");
  }
  {
    TScopedEnvironment config("XDG_CONFIG_HOME", "");
    EXPECT_EQ(XdgConfigHome(), "/home/someone/.config");
  }
  TUnsetEnvironment data("XDG_DATA_HOME");
  EXPECT_EQ(XdgDataHome(), "/home/someone/.local/share");
  TUnsetEnvironment state("XDG_STATE_HOME");
  EXPECT_EQ(XdgStateHome(), "/home/someone/.local/state");
  EXPECT_EQ(HomeFolder(), "/home/someone");
}

TEST(XdgFolders, WithoutHomeThePasswdEntryAnswers) {
  std::string expected = PasswdHome();
  if (expected.empty()) GTEST_SKIP() << "this user has no passwd home folder";
  while (expected.size() > 1 && expected.back() == '/') expected.pop_back();
  TUnsetEnvironment config("XDG_CONFIG_HOME");
  {
    TUnsetEnvironment home("HOME");
    EXPECT_EQ(HomeFolder(), expected);
    EXPECT_EQ(XdgConfigHome(), (fs::path(expected) / ".config").string());
  }
  TScopedEnvironment empty("HOME", "");  // set but empty counts as unset
  EXPECT_EQ(HomeFolder(), expected);
}

// The POSIX service with HOME and the XDG variables in a test's own folder.
class PosixFoldersTest : public ::testing::Test {
 protected:
  TTempFolder FTemp;
  const fs::path& FDir = FTemp.Path();
  TScopedEnvironment FHome{"HOME", FDir.string()};
  TScopedEnvironment FConfig{"XDG_CONFIG_HOME", "not/absolute"};
  TScopedEnvironment FData{"XDG_DATA_HOME", "not/absolute"};
  TPosixFiles FFiles;
};

TEST_F(PosixFoldersTest, ConfigDocumentsAndTrashFollowTheSameRule) {
  EXPECT_EQ(FFiles.ConfigFolder(), (FDir / ".config").string());
  // The documents folder is read from user-dirs.dirs in that folder.
  fs::create_directories(FDir / ".config");
  fs::create_directories(FDir / "Docs");
  std::ofstream(FDir / ".config" / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n";
  EXPECT_EQ(FFiles.DocumentsFolder(), (FDir / "Docs").string());
  // The trash lies under the data folder of the same rule.
  const std::string path = FTemp.Path("gone.txt");
  FFiles.WriteFile(path, "x");
  ASSERT_TRUE(FFiles.MoveToTrash(path));
  EXPECT_TRUE(FFiles.FileExists((FDir / ".local" / "share" / "Trash" / "files" / "gone.txt").string()));
}

TEST_F(PosixFoldersTest, DocumentsFallBackToHomeWithoutUserDirs) {
  EXPECT_EQ(FFiles.DocumentsFolder(), FDir.string());
  fs::create_directories(FDir / "Documents");
  EXPECT_EQ(FFiles.DocumentsFolder(), (FDir / "Documents").string());
}

// The settings tests cover the failures (ENOTDIR, EISDIR) through the stores.
TEST_F(PosixFoldersTest, PrivateFoldersAndOptionalReads) {
  const std::string folder = FTemp.Path("a/b");
  FFiles.EnsureFolder(folder);
  FFiles.EnsureFolder(folder);  // already there
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_THROW(FFiles.EnsureFolder(""), EFileError);
  EXPECT_EQ(FFiles.ReadFileIfExists(FTemp.Path("none/deeper")), std::nullopt);
}

}  // namespace
}  // namespace vorna
