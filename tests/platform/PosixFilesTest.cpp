// The POSIX file service on a real temporary folder: safe writes, access
// checks, moves that never replace, folders, the home trash.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "TempFolders.h"
#include "platform/PosixFiles.h"

namespace vorna {
namespace {

namespace fs = std::filesystem;

class PosixFilesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return FTemp.Path(name); }

  testing::TTempFolder FTemp;
  const fs::path& FDir = FTemp.Path();
  // The trash goes into the test's own folder.
  testing::TScopedEnvironment FDataHome{"XDG_DATA_HOME", (FTemp.Path() / "data").string()};
  TPosixFiles FFiles;
};

TEST_F(PosixFilesTest, WritesReplaceThroughATemporaryAndKeepPermissions) {
  const std::string path = Path("a.txt");
  FFiles.WriteFile(path, std::string("one\r\n\0two", 9));
  EXPECT_EQ(FFiles.ReadFile(path), std::string("one\r\n\0two", 9));
  ::chmod(path.c_str(), 0640);
  FFiles.WriteFile(path, "new");
  EXPECT_EQ(FFiles.ReadFile(path), "new");
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // Nothing is left behind beside the file.
  EXPECT_EQ(std::distance(fs::directory_iterator(FDir), fs::directory_iterator()), 1);
}

TEST_F(PosixFilesTest, FailedWritesLeaveTheOldFile) {
  const std::string path = Path("ro.txt");
  FFiles.WriteFile(path, "old");
  ::chmod(path.c_str(), 0444);
  if (::geteuid() == 0 || ::access(path.c_str(), W_OK) != 0) {
    try {
      FFiles.WriteFile(path, "new");
      FAIL() << "a read-only file was replaced";
    } catch (const EFileError& e) {
      EXPECT_EQ(e.Kind, EFileError::TKind::Create);
      EXPECT_EQ(e.Reason, std::strerror(EACCES));
    }
  }
  EXPECT_EQ(FFiles.ReadFile(path), "old");
  EXPECT_EQ(FFiles.CheckAccess(path), TFileAccess::ReadOnly);
  EXPECT_THROW(FFiles.WriteFile(Path("missing/x.txt"), "x"), EFileError);
  EXPECT_THROW(FFiles.WriteFile("", "x"), EFileError);
  EXPECT_THROW(FFiles.WriteFile(FDir.string(), "x"), EFileError);
}

TEST_F(PosixFilesTest, ReadErrorsCarryTheSystemReason) {
  try {
    FFiles.ReadFile(Path("absent.txt"));
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_EQ(e.Kind, EFileError::TKind::Open);
    EXPECT_EQ(e.Reason, std::strerror(ENOENT));
  }
  EXPECT_THROW(FFiles.ReadFile(FDir.string()), EFileError);
  EXPECT_THROW(FFiles.ReadFileInPieces(Path("absent.txt"), [](std::string_view) {}), EFileError);
  EXPECT_THROW(FFiles.ReadFileInPieces(FDir.string(), [](std::string_view) {}), EFileError);
}

TEST_F(PosixFilesTest, PiecesOfAFileAddUpToTheFile) {
  std::string bytes;
  for (int i = 0; i < 300000; ++i) bytes += static_cast<char>(i * 7);  // NUL and CR bytes too
  const std::string path = Path("big.bin");
  FFiles.WriteFile(path, bytes);
  std::string read;
  int pieces = 0;
  ReadFilePieces(path, 4096, [&](std::string_view piece) {
    read.append(piece);
    ++pieces;
  });
  EXPECT_EQ(read, bytes);
  EXPECT_GE(pieces, 300000 / 4096);
  read.clear();
  FFiles.ReadFileInPieces(path, [&](std::string_view piece) { read.append(piece); });
  EXPECT_EQ(read, bytes);
}

TEST_F(PosixFilesTest, AccessChecks) {
  const std::string path = Path("b.txt");
  EXPECT_EQ(FFiles.CheckAccess(path), TFileAccess::Missing);
  FFiles.WriteFile(path, "b");
  EXPECT_EQ(FFiles.CheckAccess(path), TFileAccess::ReadWrite);
  EXPECT_TRUE(FFiles.FileExists(path));
  EXPECT_FALSE(FFiles.FolderExists(path));
  EXPECT_FALSE(FFiles.FileExists(FDir.string()));
  EXPECT_TRUE(FFiles.FolderExists(FDir.string()));
}

TEST_F(PosixFilesTest, MovesNeverReplaceAndFoldersAreCreatedWithParents) {
  const std::string a = Path("a.txt"), b = Path("b.txt");
  FFiles.WriteFile(a, "a");
  FFiles.WriteFile(b, "b");
  EXPECT_FALSE(FFiles.MoveFile(a, b));
  EXPECT_EQ(FFiles.ReadFile(b), "b");
  EXPECT_TRUE(FFiles.CreateFolders(Path("x/y/z")));
  EXPECT_TRUE(FFiles.MoveFile(a, Path("x/y/z/a.txt")));
  EXPECT_FALSE(FFiles.FileExists(a));
  EXPECT_TRUE(FFiles.DeleteFile(b));
  EXPECT_FALSE(FFiles.DeleteFile(b));
  EXPECT_FALSE(FFiles.CreateFolders(""));
}

TEST_F(PosixFilesTest, TrashKeepsTheFileAndWhereItCameFrom) {
  const std::string path = Path("memo 1.txt");
  FFiles.WriteFile(path, "v1");
  ASSERT_TRUE(FFiles.MoveToTrash(path));
  FFiles.WriteFile(path, "v2");
  ASSERT_TRUE(FFiles.MoveToTrash(path));
  EXPECT_FALSE(FFiles.FileExists(path));
  const fs::path trash = FDir / "data" / "Trash";
  EXPECT_EQ(FFiles.ReadFile((trash / "files" / "memo 1.txt").string()), "v1");
  EXPECT_EQ(FFiles.ReadFile((trash / "files" / "memo 1.2.txt").string()), "v2");
  const std::string info = FFiles.ReadFile((trash / "info" / "memo 1.txt.trashinfo").string());
  EXPECT_NE(info.find("[Trash Info]\nPath=" + FDir.string() + "/memo%201.txt\nDeletionDate="),
            std::string::npos);
  EXPECT_FALSE(FFiles.MoveToTrash(Path("absent.txt")));
}

TEST_F(PosixFilesTest, WellKnownFolders) {
  EXPECT_TRUE(FFiles.FolderExists(FFiles.DocumentsFolder()));
  EXPECT_EQ(FFiles.CurrentDirectory(), fs::current_path().string());
}

}  // namespace
// A name of 248 bytes or more could not be saved (the temporary name was 8
// bytes longer), and an interrupted save left its temporary for good.
TEST_F(PosixFilesTest, LongNamesSaveAndLeftoverTemporariesOfTheFileGo) {
  const std::string longName = Path(std::string(250, 'n') + ".txt");
  FFiles.WriteFile(longName, "long");
  EXPECT_EQ(FFiles.ReadFile(longName), "long");
  const std::string path = Path("doc.txt");
  testing::WriteBytes(Path(".doc.txt.vorna-Ab12Cd"), "half of an old save");
  testing::WriteBytes(Path(".other.txt.vorna-Ab12Cd"), "another file's");
  FFiles.WriteFile(path, "text");
  EXPECT_FALSE(fs::exists(Path(".doc.txt.vorna-Ab12Cd")));
  EXPECT_TRUE(fs::exists(Path(".other.txt.vorna-Ab12Cd")));
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(FDir)) ++entries;
  EXPECT_EQ(entries, 3u);  // the long file, doc.txt and the other file's temporary
}

}  // namespace vorna
