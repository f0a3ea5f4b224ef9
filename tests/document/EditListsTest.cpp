// The document's lines, line-end rules, flags, events and file handling.
#include <gtest/gtest.h>

#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "document/EditLists.h"

namespace vorna {
namespace {

using testing::Sj;
using Lines = std::vector<std::string>;

struct EditListTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
  int resets = 0, modifiedEvents = 0, nameEvents = 0;
  void SetUp() override {
    files.Folders = {"/docs", "/work"};
    files.Documents = "/docs";
    list.OnTextReset = [this](TEditList*) { ++resets; };
    list.OnModified = [this](TEditList*) { ++modifiedEvents; };
    list.OnFileNameChange = [this](TEditList*) { ++nameEvents; };
  }
};

TEST_F(EditListTest, StartsUntitledWithOneEmptyLine) {
  EXPECT_EQ(list.Lines(), Lines{""});
  EXPECT_EQ(list.GetFileName(), "（新規文書）.txt");
  EXPECT_TRUE(list.IsUntitled());
  EXPECT_FALSE(list.GetModified());
  EXPECT_EQ(list.GetText(), "");
  EXPECT_EQ(list.RowCount(), 1);
}

TEST_F(EditListTest, LineEndsLoadAndSaveByteForByte) {
  struct Case {
    std::string file;
    Lines lines;
    std::string saved;
  };
  const std::vector<Case> cases = {
      {"", {""}, ""},
      {"a\r\n", {"a", ""}, "a\r\n"},
      {"a\n", {"a", ""}, "a\n"},  // every final line break is kept
      {"a\r", {"a", ""}, "a\r"},
      {"a\rb", {"a", "b"}, "a\rb"},  // and the file's own line end
      {"a\n\nb", {"a", "", "b"}, "a\n\nb"},
      {"a\r\nb\nc\r\n", {"a", "b", "c", ""}, "a\r\nb\r\nc\r\n"},  // mixed: the one it has most of
      {"a\r\n\r\n", {"a", "", ""}, "a\r\n\r\n"},
      {std::string("ab\0cd\r\n", 7), {"ab"}, "ab"},  // NUL ends the text
      {std::string("\0", 1), {""}, ""},
      {"\r\n", {"", ""}, "\r\n"},
  };
  for (const auto& c : cases) {
    files.Files["/work/t.txt"] = c.file;
    list.LoadFromFile("/work/t.txt");
    EXPECT_EQ(list.Lines(), c.lines) << c.file;
    list.SaveToFile();
    EXPECT_EQ(files.Files["/work/t.txt"], c.saved) << c.file;
  }
}

TEST_F(EditListTest, WholeTextOperationsResetFlagsAndFireOnce) {
  list.Put(0, "x");
  EXPECT_TRUE(list.GetModified());
  EXPECT_EQ(modifiedEvents, 1);
  list.SetText("x\r\n");
  EXPECT_EQ(list.Lines(), (Lines{"x", ""}));
  EXPECT_EQ(list.GetText(), "x\r\n");
  EXPECT_FALSE(list.GetModified());
  EXPECT_EQ(resets, 1);
  list.Assign({});
  EXPECT_EQ(list.Lines(), Lines{""});
  EXPECT_EQ(resets, 2);
  list.NewDocument();
  EXPECT_TRUE(list.IsUntitled());
  EXPECT_EQ(resets, 3);
}

TEST_F(EditListTest, PrimitivesKeepAtLeastOneLine) {
  list.SetText("a\r\nb");
  list.Delete(0);
  list.Delete(0);
  EXPECT_EQ(list.Lines(), Lines{""});
  list.Delete(5);
  list.Put(-1, "x");
  list.Insert(9, "x");
  EXPECT_EQ(list.Lines(), Lines{""});
  list.Add("z");
  list.Insert(0, "y");
  list.Exchange(0, 2);
  EXPECT_EQ(list.Lines(), (Lines{"z", "", "y"}));
  list.Clear();
  EXPECT_EQ(list.Lines(), Lines{""});
  EXPECT_EQ(list.Get(7), "");
}

TEST_F(EditListTest, LoadingNothingOrAFolderChangesNothing) {
  list.SetText("keep");
  list.LoadFromFile("/work/missing.txt");
  EXPECT_EQ(list.GetText(), "keep");
  EXPECT_THROW(list.LoadFromFile("/docs"), EFileError);
  EXPECT_EQ(list.GetText(), "keep");
  EXPECT_TRUE(list.IsUntitled());
}

TEST_F(EditListTest, UnreadableFileLeavesTheDocumentAsItWas) {
  list.SetText("keep");
  list.Put(0, "kept");
  files.Files["/work/locked.txt"] = "other";
  files.FailRead.insert("/work/locked.txt");
  try {
    list.LoadFromFile("/work/locked.txt");
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_EQ(FileErrorText(e), Sj("ファイル \"/work/locked.txt\" は開けません。Permission denied"));
  }
  EXPECT_EQ(list.GetText(), "kept");
  EXPECT_TRUE(list.GetModified());
  EXPECT_FALSE(list.IsLoading());
  EXPECT_EQ(list.GetFileName(), "（新規文書）.txt");
}

TEST_F(EditListTest, FileCutShortByANulOpensReadOnly) {
  files.Files["/work/bin.dat"] = std::string("text\0\x01\x02 more", 12);
  list.LoadFromFile("/work/bin.dat");
  EXPECT_EQ(list.GetText(), "text");
  EXPECT_TRUE(list.IsReadOnlyFile());
  files.Files["/work/plain.txt"] = "plain";
  list.LoadFromFile("/work/plain.txt");
  EXPECT_FALSE(list.IsReadOnlyFile());
}

TEST_F(EditListTest, InvalidBytesAndHugeLinesSurviveARoundTrip) {
  std::string bytes = "\x82\r\n\x80\xA0\xFD\xFE\xFF\r\n\x81";  // lone lead bytes at line ends
  bytes += "\r\n" + std::string(1 << 20, '\x88');              // a 1 MB line of lead-range bytes
  files.Files["/work/odd.txt"] = bytes;
  list.LoadFromFile("/work/odd.txt");
  list.SetWrapInputs({.CapacityCells = 40});
  list.Relayout();
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.GetRow(list.RowCount() - 1).Line, 3);
  const TDisplayPos end = list.DocToDisplay({(1 << 20) + 1, 3});
  EXPECT_EQ(list.DisplayToDoc(end), (TTextPos{(1 << 20) + 1, 3}));
  list.SaveToFile("/work/copy.txt");
  EXPECT_TRUE(files.Files["/work/copy.txt"] == bytes);
}

TEST_F(EditListTest, ReadOnlyFileFlagSurvivesNewDocument) {
  files.Files["/work/ro.txt"] = "r";
  files.ReadOnly.insert("/work/ro.txt");
  list.LoadFromFile("/work/ro.txt");
  EXPECT_TRUE(list.IsReadOnlyFile());
  EXPECT_FALSE(list.IsUntitled());
  EXPECT_EQ(nameEvents, 1);
  list.NewDocument();
  EXPECT_TRUE(list.IsReadOnlyFile());
}

TEST_F(EditListTest, FailedSaveKeepsTheOldFileAndTheModifiedState) {
  files.Files["/work/a.txt"] = "old";
  list.LoadFromFile("/work/a.txt");
  list.Put(0, "new");
  files.FailWrite.insert("/work/a.txt");
  try {
    list.SaveToFile();
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_EQ(FileErrorText(e), Sj("ファイル \"/work/a.txt\" を作成できません。Permission denied"));
  }
  EXPECT_EQ(files.Files["/work/a.txt"], "old");
  EXPECT_TRUE(list.GetModified());
}

TEST_F(EditListTest, UntitledSaveTakesANameThatDoesNotExist) {
  list.Put(0, "1");
  list.SaveToFile();
  EXPECT_EQ(list.GetFileName(), "/work/（新規文書）.txt");
  EXPECT_FALSE(list.IsUntitled());
  list.NewDocument();
  list.SaveToFile();
  EXPECT_EQ(list.GetFileName(), "/docs/（新規文書）1.txt");
  list.NewDocument();
  list.SaveToFile();
  EXPECT_EQ(list.GetFileName(), "/docs/（新規文書）2.txt");
}

TEST_F(EditListTest, BackupModes) {
  files.Files["/work/memo.txt"] = "v1";
  files.Files["/work/memo.bak"] = "older";
  list.LoadFromFile("/work/memo.txt");
  list.FBackupMode = bmBakExtension;
  list.Put(0, "v2");
  list.SaveToFile();
  EXPECT_EQ(files.Files["/work/memo.bak"], "v1");
  EXPECT_EQ(files.Files["/work/memo.txt"], "v2");

  list.FBackupMode = bmBackupFolder;
  list.FBackupFolder = "/work/backup/";
  list.Put(0, "v3");
  list.SaveToFile();
  EXPECT_EQ(files.Files["/work/backup/memo.txt"], "v2");
  EXPECT_EQ(files.Files["/work/memo.txt"], "v3");

  list.FBackupMode = bmTrash;
  list.Put(0, "v4");
  list.SaveToFile();
  EXPECT_EQ(files.Trash, Lines{"/work/memo.txt"});
  EXPECT_EQ(files.Files["/work/memo.txt"], "v4");
  EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(EditListTest, BackupFolderThatCannotBeCreatedIsReportedThenTheSaveHappens) {
  files.Files["/work/memo.txt"] = "v1";
  list.LoadFromFile("/work/memo.txt");
  list.FBackupMode = bmBackupFolder;
  list.FBackupFolder = "/nowhere/backup/";
  files.FailCreateFolder.insert("/nowhere/backup/");
  list.Put(0, "v2");
  list.SaveToFile();
  EXPECT_EQ(messages.Shown,
            (Lines{"beep!", "error " + Sj("バックアップを作成することができませんでした！")}));
  EXPECT_EQ(files.Files["/work/memo.txt"], "v2");
  EXPECT_FALSE(list.GetModified());
}

TEST_F(EditListTest, SetModifiedWhileLoadingIsIgnored) {
  // Nothing is marked modified by a load, and no event fires for it.
  files.Files["/work/a.txt"] = "a\r\nb";
  list.LoadFromFile("/work/a.txt");
  EXPECT_FALSE(list.GetModified());
  EXPECT_EQ(modifiedEvents, 0);
}

}  // namespace
}  // namespace vorna
