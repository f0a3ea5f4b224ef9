// The document against the file on disk: changes by another program, a
// deleted file, and why a file opened read-only.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PlatformDoubles.h"
#include "TempFolders.h"
#include "document/EditLists.h"
#include "platform/PosixFiles.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;

class DocumentDiskStatesTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = FTemp.Path(name);
    std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
    return path;
  }
  testing::TTempFolder FTemp;
  TPosixFiles FFiles;
  testing::TFakeMessageBoxes FMessages;
  TEditList FList{FFiles, FMessages};
};

// `echo other >> f.txt` while the file was open went unnoticed, and so did
// a replace by rename and a deletion.
TEST_F(DocumentDiskStatesTest, ChangesAppendsReplacesAndDeletionsAreSeen) {
  const std::string path = Write("f.txt", "text\r\n");
  EXPECT_EQ(FList.DiskState(), TDiskState::Unchanged);  // no file yet
  FList.LoadFromFile(path);
  ASSERT_TRUE(FList.DiskIdentity());
  EXPECT_EQ(FList.DiskState(), TDiskState::Unchanged);
  Write("f.txt", "other\n");
  EXPECT_EQ(FList.DiskState(), TDiskState::Changed);
  FList.RememberDiskIdentity();
  EXPECT_EQ(FList.DiskState(), TDiskState::Unchanged);

  const std::string other = Write("g.txt", "text\r\nother\n");
  fs::rename(other, path);  // same size and bytes, another inode
  EXPECT_EQ(FList.DiskState(), TDiskState::Changed);

  FList.Put(0, "mine");
  FList.SaveToFile();
  EXPECT_EQ(FList.DiskState(), TDiskState::Unchanged);
  fs::remove(path);
  EXPECT_EQ(FList.DiskState(), TDiskState::Deleted);
  fs::create_directory(path);  // a folder in its place is a change, not a deletion
  EXPECT_EQ(FList.DiskState(), TDiskState::Changed);
}

TEST_F(DocumentDiskStatesTest, ReadOnlyOpensSayWhyAndWhereTheNulIs) {
  FList.LoadFromFile(Write("cut.txt", std::string("ab\r\ncd\0ef", 9)));
  EXPECT_EQ(FList.ReadOnlyReason(), TReadOnlyReason::NulByte);
  EXPECT_EQ(FList.NulOffsetBytes(), 6);
  FList.ClearReadOnly();  // the NUL is not the file's permission: stays
  EXPECT_TRUE(FList.IsReadOnlyFile());

  // A Unicode file keeps NUL as a character: nothing is cut.
  FList.LoadFromFile(Write("wide.txt", std::string("\xFF\xFE"
                                                   "a\0b\0\0\0c\0",
                                                   10)));
  EXPECT_EQ(FList.ReadOnlyReason(), TReadOnlyReason::None);
  EXPECT_EQ(FList.NulOffsetBytes(), -1);

  const std::string locked = Write("locked.txt", "x");
  fs::permissions(locked, fs::perms::owner_read);
  FList.LoadFromFile(locked);
  EXPECT_EQ(FList.ReadOnlyReason(), TReadOnlyReason::NotWritable);
  EXPECT_EQ(FList.NulOffsetBytes(), -1);
  FList.ClearReadOnly();
  EXPECT_FALSE(FList.IsReadOnlyFile());

  FList.NewDocument();
  EXPECT_FALSE(FList.DiskIdentity());
}

}  // namespace
}  // namespace vorna
