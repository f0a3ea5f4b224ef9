// Editing a UTF-8 document that holds characters outside CP932: undoing
// everything saves the very bytes it was opened from, and a run of such
// characters cut and pasted back is unchanged.
#include <gtest/gtest.h>

#include "UndoFixtures.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace vorna::testing {
namespace {

const std::string kFile =
    "吾輩は😀猫である。\n名前は𠮷〜まだ無い。\n‖−¦ é 葛󠄀\n";

struct UndoEncodingsTest : UndoFixture {
  void Open(int capacity) {
    files.Folders = {"/work"};
    files.Files["/work/f.txt"] = kFile;
    list.LoadFromFile("/work/f.txt");
    LayOutAt(list, capacity);
    undo.Clear();
  }
};

TEST_F(UndoEncodingsTest, UndoingEverythingSavesTheOpenedBytes) {
  Open(12);
  editor.MoveCaret(list.DocToDisplay({7, 1}));
  editor.Type(Cp932TextFromUtf8("🐈ねこ"));
  editor.Enter();
  editor.Backspace();
  editor.Backspace();
  editor.MoveCaret(list.DocToDisplay({1, 0}));
  editor.ExtendTo(list.DocToDisplay({5, 1}));
  editor.DeleteSelection();
  editor.Paste(Cp932TextFromUtf8("〜😀\r\n𠮷"));
  while (undo.CanUndo()) undo.Undo();
  list.SaveToFile();
  EXPECT_EQ(files.Files["/work/f.txt"], kFile);
}

TEST_F(UndoEncodingsTest, ARunOfOutsideCharactersCutAndPastedBackIsUnchanged) {
  Open(40);
  // "😀猫" on the first line and "𠮷〜" on the second, with what lies between.
  const TDisplayPos from = list.DocToDisplay({7, 0}), to = list.DocToDisplay({11, 1});
  const std::string cut = list.GetRangeText(from, to, false);
  EXPECT_EQ(Utf8FromCp932(cut), "😀猫である。\r\n名前は𠮷〜");
  editor.MoveCaret(from);
  editor.ExtendTo(to);
  editor.DeleteSelection();
  editor.Paste(Cp932TextFromUtf8(Utf8FromCp932(cut)));  // through Unicode, as the clipboard does
  list.SaveToFile();
  EXPECT_EQ(files.Files["/work/f.txt"], kFile);
}

}  // namespace
}  // namespace vorna::testing
