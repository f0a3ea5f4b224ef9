// Saving keeps the file what it was: its other hard links, its owner, mode,
// attributes and ACL, and a writable file in a folder the user cannot write;
// names at the folder's limit.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "TempFolders.h"
#include "platform/PosixFiles.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

struct stat Stat(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st;
}

std::string Attribute(const std::string& path, const char* name) {
  char value[256];
  const ssize_t size = ::getxattr(path.c_str(), name, value, sizeof value);
  return size < 0 ? "(none)" : std::string(value, static_cast<size_t>(size));
}

// An access ACL as the kernel stores it: owner rw, user 1234 r, group r, mask r.
const std::string kAcl(
    "\x02\0\0\0"
    "\x01\0\x06\0\xff\xff\xff\xff"
    "\x02\0\x04\0\xd2\x04\0\0"
    "\x04\0\x04\0\xff\xff\xff\xff"
    "\x10\0\x04\0\xff\xff\xff\xff"
    "\x20\0\0\0\xff\xff\xff\xff",
    44);

// Root acts as the unprivileged user 65534 until this ends.
class TScopedNobody {
 public:
  TScopedNobody() : FGroups(static_cast<size_t>(::getgroups(0, nullptr))), FGid(::getegid()) {
    ::getgroups(static_cast<int>(FGroups.size()), FGroups.data());
    if (::setgroups(0, nullptr) != 0 || ::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0) std::abort();
  }
  ~TScopedNobody() {
    if (::seteuid(0) != 0 || ::setegid(FGid) != 0 || ::setgroups(FGroups.size(), FGroups.data()) != 0)
      std::abort();
  }

 private:
  std::vector<gid_t> FGroups;
  gid_t FGid;
};

class FileSavesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return FTemp.Path(name); }
  bool NoPrivateCopyLeft() const { return fs::is_empty(FTemp.Path() / "state/vorna-editor/before-save"); }

  testing::TTempFolder FTemp;
  testing::TScopedEnvironment FState{"XDG_STATE_HOME", FTemp.Path("state")};
  TPosixFiles FFiles;
};

// A hard-linked file was replaced by a new one: its other name kept the old text.
TEST_F(FileSavesTest, AHardLinkedFileIsWrittenInPlaceAndEveryNameShowsTheNewText) {
  const std::string path = Path("memo.txt"), other = Path("linked.txt");
  testing::WriteBytes(path, "old text, longer than the new");
  fs::create_hard_link(path, other);
  const ino_t inode = Stat(path).st_ino;
  EXPECT_TRUE(FFiles.SaveFile(path, "new", {}).InPlace);
  EXPECT_EQ(FFiles.ReadFile(path), "new");
  EXPECT_EQ(FFiles.ReadFile(other), "new");
  EXPECT_EQ(Stat(path).st_ino, inode);
  EXPECT_EQ(Stat(path).st_nlink, 2u);
  EXPECT_TRUE(NoPrivateCopyLeft());
}

// Root saving a user's file left it root's, without its attributes and ACL.
TEST_F(FileSavesTest, RootSavingAUsersFileKeepsItsOwnerModeAttributesAndAcl) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can save a file of another user";
  const std::string path = Path("memo.txt");
  testing::WriteBytes(path, "old");
  if (::setxattr(path.c_str(), "user.origin", "mine", 4, 0) != 0 ||
      ::setxattr(path.c_str(), "system.posix_acl_access", kAcl.data(), kAcl.size(), 0) != 0)
    GTEST_SKIP() << "no extended attributes or ACLs here: " << std::strerror(errno);
  ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(::chmod(path.c_str(), 02640), 0);  // set-group-id: cleared by a change of owner
  const struct stat before = Stat(path);
  EXPECT_TRUE(FFiles.SaveFile(path, "new", {}).OwnerKept);
  const struct stat after = Stat(path);
  EXPECT_EQ(FFiles.ReadFile(path), "new");
  EXPECT_NE(after.st_ino, before.st_ino);  // replaced, not overwritten
  EXPECT_EQ(after.st_uid, kNobody);
  EXPECT_EQ(after.st_gid, kNobody);
  EXPECT_EQ(after.st_mode & 07777, 02640u);
  EXPECT_EQ(Attribute(path, "user.origin"), "mine");
  EXPECT_EQ(Attribute(path, "system.posix_acl_access"), kAcl);
}

// Such a file could not be saved at all, with an error about a temporary.
TEST_F(FileSavesTest, AWritableFileInAFolderTheUserCannotWriteIsSavedInPlace) {
  const bool root = ::geteuid() == 0;
  const std::string folder = Path("shared"), path = Path("shared/memo.txt");
  fs::create_directories(folder);
  fs::create_directories(FTemp.Path() / "state");
  testing::WriteBytes(path, "old");
  if (root) {
    ASSERT_EQ(::chmod(FTemp.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chown(Path("state").c_str(), kNobody, kNobody), 0);
  }
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  const ino_t inode = Stat(path).st_ino;
  {
    std::optional<TScopedNobody> nobody;
    if (root) nobody.emplace();
    EXPECT_TRUE(FFiles.SaveFile(path, "new", {}).InPlace);
    try {
      FFiles.WriteFile(Path("shared/new.txt"), "x");
      ADD_FAILURE() << "a file was made in a read-only folder";
    } catch (const EFileError& error) {
      EXPECT_EQ(error.Path, Path("shared/new.txt"));
      EXPECT_EQ(error.Reason, std::strerror(EACCES));
    }
  }
  EXPECT_EQ(FFiles.ReadFile(path), "new");
  EXPECT_EQ(Stat(path).st_ino, inode);
  EXPECT_TRUE(NoPrivateCopyLeft());
}

TEST_F(FileSavesTest, ANameOf250BytesSavesWithABackupAndInPlace) {
  const std::string name = std::string(246, 'n');
  const std::string path = Path(name + ".txt"), backup = Path(name + ".bak");
  TSaveOptions options;
  options.Backup = TSaveOptions::TBackup::File;
  options.BackupPath = backup;
  options.OnBackupFailed = [](const std::string& reason) { ADD_FAILURE() << reason; };
  FFiles.WriteFile(path, "v1");
  EXPECT_TRUE(FFiles.SaveFile(path, "v2", options).BackupMade);
  fs::create_hard_link(path, Path("linked.txt"));
  EXPECT_TRUE(FFiles.SaveFile(path, "v3", options).InPlace);
  EXPECT_EQ(FFiles.ReadFile(path), "v3");
  EXPECT_EQ(FFiles.ReadFile(backup), "v2");
  EXPECT_EQ(std::distance(fs::directory_iterator(FTemp.Path()), fs::directory_iterator()),
            3);  // no temporary left
}

}  // namespace
}  // namespace vorna
