// Undo and redo of what the editor does to a real document: typing runs,
// Backspace and Delete runs, caret jumps and selections, boxes, overwrite,
// reformatting, and the descriptions of every task.
#include "UndoFixtures.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

using testing::Sj;
using EditorUndoTest = testing::UndoFixture;

TEST_F(EditorUndoTest, ThreeTypedCharactersAreOneTask) {
  Load("xy");
  StartAt({2, 0});
  TypeEach("abc");
  ASSERT_EQ(undo.Count(), 1);
  const std::string text = Cp932Lit("【文字挿入】") + "\"abc\"";
  EXPECT_EQ(text.size(), 17u);
  EXPECT_EQ(undo.LastTask()->GetUndoText(), text);
  EXPECT_EQ(undo.LastTask()->GetRedoText(), text);
  undo.Undo();
  EXPECT_EQ(Text(), "xy");
  EXPECT_EQ(editor.Caret(), (TDisplayPos{2, 0}));
  undo.Redo();
  EXPECT_EQ(Text(), "xabcy");
  EXPECT_EQ(editor.Caret(), (TDisplayPos{5, 0}));
  // Double-byte keystrokes merge the same way.
  editor.Type(Sj("漢"));
  editor.Type(Sj("字"));
  EXPECT_EQ(undo.Count(), 1);
  EXPECT_EQ(LastEdit()->FInsertedText, "abc" + Sj("漢字"));
}

TEST_F(EditorUndoTest, BackspaceRunIsOneTaskInDocumentOrder) {
  Load("xyz" + Sj("あ") + "bc");
  StartAt({8, 0});
  for (int i = 0; i < 3; ++i) editor.Backspace();
  EXPECT_EQ(Text(), "xyz");
  ASSERT_EQ(undo.Count(), 1);
  EXPECT_EQ(LastEdit()->FDeletedText, Sj("あ") + "bc");
  EXPECT_EQ(undo.LastTask()->GetUndoText(), Cp932Lit("【文字削除】") + "\"" + Sj("あ") + "bc\"");
  undo.Undo();
  EXPECT_EQ(Text(), "xyz" + Sj("あ") + "bc");
  EXPECT_EQ(editor.Caret(), (TDisplayPos{8, 0}));  // where it was before the first press
  undo.Redo();
  EXPECT_EQ(Text(), "xyz");  // exactly the three characters again
  EXPECT_EQ(editor.Caret(), (TDisplayPos{4, 0}));
}

TEST_F(EditorUndoTest, DeleteRunIsOneTaskAcrossALineBreak) {
  Load("abcxyz");
  StartAt({1, 0});
  for (int i = 0; i < 3; ++i) editor.DeleteForward();
  ASSERT_EQ(undo.Count(), 1);
  EXPECT_EQ(LastEdit()->FDeletedText, "abc");
  undo.Undo();
  EXPECT_EQ(Text(), "abcxyz");
  EXPECT_EQ(editor.Caret(), (TDisplayPos{1, 0}));
  undo.Redo();
  EXPECT_EQ(Text(), "xyz");
  // The line break is one of the characters; the description shows it as "\n".
  Load("ab\r\ncd");
  StartAt({2, 0});
  for (int i = 0; i < 3; ++i) editor.DeleteForward();
  EXPECT_EQ(Text(), "ad");
  ASSERT_EQ(undo.Count(), 1);
  EXPECT_EQ(undo.LastTask()->GetUndoText(), Cp932Lit("【文字削除】") + "\"b\\nc\"");
  undo.Undo();
  EXPECT_EQ(Text(), "ab\r\ncd");
  undo.Redo();
  EXPECT_EQ(Text(), "ad");
}

TEST_F(EditorUndoTest, KeystrokesMergeOnlyWhereThePreviousOneEnded) {
  Load("0123456789");
  StartAt({1, 0});
  editor.Type("a");
  // A caret placed by the editor without a jump (inside an edit) and typing
  // elsewhere: not one run, so each undo restores its own place.
  TReplaceRequest elsewhere;
  elsewhere.RangeStart = elsewhere.RangeEnd = elsewhere.InsertAt = {8, 0};
  elsewhere.Kind = ekTyping;
  elsewhere.Text = "b";
  editor.ReplaceText(elsewhere);
  EXPECT_EQ(undo.Count(), 2);
  // Kinds never merge with each other, nor does a deletion of a selection.
  editor.MoveCaret({5, 0});
  editor.DeleteForward();
  editor.ExtendTo({7, 0});
  editor.DeleteForward();
  EXPECT_EQ(undo.Count(), 6);  // jump, delete, jump, selection delete
  undo.Undo(6);
  EXPECT_EQ(Text(), "0123456789");
}

TEST_F(EditorUndoTest, TypingAfterAnUndoDropsTheRedoBranch) {
  Load("");
  TypeEach("ab");
  undo.Undo();
  ASSERT_TRUE(undo.CanRedo());
  editor.Type("c");
  EXPECT_FALSE(undo.CanRedo());
  EXPECT_EQ(undo.Count(), 1);
  undo.Undo();
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(undo.CanUndo());
}

TEST_F(EditorUndoTest, TenArrowMovesUndoInOneStep) {
  Load("abcdefghijklmn");
  StartAt({1, 0});
  for (int i = 1; i <= 10; ++i) editor.MoveCaret({1 + i, 0});
  ASSERT_EQ(undo.Count(), 1);
  EXPECT_EQ(undo.LastTask()->GetUndoText(), Cp932Lit("カーソル移動 [1:1] ← [1:11]"));
  EXPECT_EQ(undo.LastTask()->GetRedoText(), Cp932Lit("カーソル移動 [1:1] → [1:11]"));
  undo.Undo();
  EXPECT_EQ(editor.Caret(), (TDisplayPos{1, 0}));
  undo.Redo();
  EXPECT_EQ(editor.Caret(), (TDisplayPos{11, 0}));
}

TEST_F(EditorUndoTest, StartingOrDroppingASelectionIsANewStep) {
  Load("abcdefghijklmn");
  StartAt({1, 0});
  editor.MoveCaret({2, 0});
  editor.MoveCaret({3, 0});
  editor.ExtendTo({5, 0});
  editor.ExtendTo({8, 0});
  editor.MoveCaret({9, 0});
  ASSERT_EQ(undo.Count(), 3);
  undo.Undo();
  EXPECT_TRUE(editor.Selecting());
  EXPECT_EQ(editor.Place().SelStart, (TDisplayPos{3, 0}));
  EXPECT_EQ(editor.Caret(), (TDisplayPos{8, 0}));
  undo.Undo();
  EXPECT_FALSE(editor.Selecting());
  EXPECT_EQ(editor.Caret(), (TDisplayPos{3, 0}));
  undo.Undo();
  EXPECT_EQ(editor.Caret(), (TDisplayPos{1, 0}));
  undo.Redo(2);
  EXPECT_TRUE(editor.Selecting());
  EXPECT_EQ(editor.Caret(), (TDisplayPos{8, 0}));
}

TEST_F(EditorUndoTest, BoxInsertionIsUndonePieceByPiece) {
  Load("abcdef\r\nxy\r\n12345", 0);
  StartAt({3, 0});
  editor.Paste("1\r\n2\r\n3", true);
  const std::string after = Text();
  ASSERT_NE(after, "abcdef\r\nxy\r\n12345");
  ASSERT_TRUE(LastEdit()->FInsertBox);
  EXPECT_EQ(LastEdit()->FBoxPieces.size(), 3u);
  undo.Undo();
  EXPECT_EQ(Text(), "abcdef\r\nxy\r\n12345");
  EXPECT_EQ(editor.Caret(), (TDisplayPos{3, 0}));
  undo.Redo();
  EXPECT_EQ(Text(), after);
  EXPECT_TRUE(RowsFresh());
  // A piece past a short row was padded: undo takes the padding too.
  Load("abcdef\r\nx", 0);
  StartAt({5, 0});
  editor.Paste("1\r\n2", true);
  EXPECT_EQ(Text(), "abcd1ef\r\nx   2");
  undo.Undo();
  EXPECT_EQ(Text(), "abcdef\r\nx");
}

TEST_F(EditorUndoTest, DeletedBoxComesBackAsABox) {
  Load("abcd\r\nefgh\r\nijkl", 0);
  StartAt({2, 0});
  editor.ExtendTo({4, 2}, true);
  editor.DeleteSelection();
  EXPECT_EQ(Text(), "ad\r\neh\r\nil");
  EXPECT_EQ(LastEdit()->FDeletedText, "bc\r\nfg\r\njk");
  undo.Undo();
  EXPECT_EQ(Text(), "abcd\r\nefgh\r\nijkl");
  EXPECT_TRUE(editor.Selecting());  // the box that was deleted is selected again
  undo.Redo();
  EXPECT_EQ(Text(), "ad\r\neh\r\nil");
  // A box replaced by a box in one edit (as a box conversion does).
  Load("abcd\r\nefgh\r\nijkl", 0);
  TReplaceRequest convert;
  convert.RangeStart = {2, 0};
  convert.RangeEnd = {4, 2};
  convert.DeleteBox = convert.InsertBox = true;
  convert.Text = "BC\r\nFG\r\nJK";
  editor.ReplaceText(convert);
  EXPECT_EQ(Text(), "aBCd\r\neFGh\r\niJKl");
  undo.Undo();
  EXPECT_EQ(Text(), "abcd\r\nefgh\r\nijkl");
  undo.Redo();
  EXPECT_EQ(Text(), "aBCd\r\neFGh\r\niJKl");
}

// Overwrite typing merges into one task that also restores what it replaced.
TEST_F(EditorUndoTest, OverwrittenCharactersComeBack) {
  Load("abcd");
  StartAt({1, 0});
  editor.SetOverwrite(true);
  TypeEach("XY");
  EXPECT_EQ(Text(), "XYcd");
  ASSERT_EQ(undo.Count(), 1);
  EXPECT_EQ(undo.LastTask()->GetUndoText(),
            Cp932Lit("【文字上書き】") + "\"ab\" " + Cp932Lit("←") + " \"XY\"");
  EXPECT_EQ(undo.LastTask()->GetRedoText(),
            Cp932Lit("【文字上書き】") + "\"ab\" " + Cp932Lit("→") + " \"XY\"");
  undo.Undo();
  EXPECT_EQ(Text(), "abcd");
  EXPECT_EQ(editor.Caret(), (TDisplayPos{1, 0}));
  undo.Redo();
  EXPECT_EQ(Text(), "XYcd");
  // Running past the line end turns into insertion within the same task.
  Load("ab");
  StartAt({1, 0});
  TypeEach("XYZ");
  EXPECT_EQ(Text(), "XYZ");
  EXPECT_EQ(undo.Count(), 1);
  undo.Undo();
  EXPECT_EQ(Text(), "ab");
  // Half of a double-byte character is never left: it becomes a space.
  Load(Sj("あい"));
  StartAt({1, 0});
  editor.Type("x");
  EXPECT_EQ(Text(), "x " + Sj("い"));
  undo.Undo();
  EXPECT_EQ(Text(), Sj("あい"));
}

// Text put back by an undo gets no kept indent and no list number.
TEST_F(EditorUndoTest, RestoredTextIsVerbatim) {
  list.FEditSettings.EditIndent = true;
  Load("    a\r\n    b\r\nc");
  StartAt({1, 0});
  editor.ExtendTo({2, 2});
  editor.DeleteSelection();
  EXPECT_EQ(Text(), "");
  undo.Undo();
  EXPECT_EQ(Text(), "    a\r\n    b\r\nc");
  undo.Redo();
  undo.Undo();
  EXPECT_EQ(Text(), "    a\r\n    b\r\nc");
  // A line split keeps the indent and is undone exactly.
  Load("    abc");
  StartAt({8, 0});
  editor.Enter();
  TypeEach("x");
  EXPECT_EQ(Text(), "    abc\r\n    x");
  undo.Undo(2);
  EXPECT_EQ(Text(), "    abc");
  undo.Redo(2);
  EXPECT_EQ(Text(), "    abc\r\n    x");
  // List numbers continue on a split, never on a restore.
  list.FEditSettings.EditIndent = false;
  TDocumentLayout layout;
  layout.Wrap.ItemizedStatement = true;
  list.ApplyLayoutSettings(layout);
  Load("1. a\r\n2. b");
  StartAt({3, 0});
  editor.ExtendTo({3, 1});
  editor.DeleteSelection();
  undo.Undo();
  EXPECT_EQ(Text(), "1. a\r\n2. b");
}

TEST_F(EditorUndoTest, ReflowAndJoinAreUndoneAndRedone) {
  const std::string text = std::string(20, 'a') + "\r\n" + Sj("・") + std::string(12, 'b') + "\r\nend";
  Load(text);
  StartAt({1, 0});
  editor.ExtendTo({1, 2});
  editor.Reflow(8);
  const std::string cut = Text();
  EXPECT_EQ(cut, "aaaaaaaa\r\naaaaaaaa\r\naaaa\r\n" + Sj("・") + "bbbbbb\r\n  bbbbbb\r\nend");
  EXPECT_EQ(undo.LastTask()->GetUndoText(), Cp932Lit("整形"));
  EXPECT_EQ(undo.LastTask()->GetUndoText().size(), 4u);
  undo.Undo();
  EXPECT_EQ(Text(), text);
  EXPECT_TRUE(editor.Selecting());  // the formatted range is selected again
  EXPECT_TRUE(RowsFresh());
  undo.Redo();
  EXPECT_EQ(Text(), cut);
  undo.Undo();
  // Joining, and cutting the joined line back at the lengths it recorded.
  Load("ab\r\n\r\ncd\r\nend");
  StartAt({1, 0});
  editor.ExtendTo({1, 3});
  editor.Join();
  EXPECT_EQ(Text(), "abcd\r\nend");
  undo.Undo();
  EXPECT_EQ(Text(), "ab\r\n\r\ncd\r\nend");
  undo.Redo();
  EXPECT_EQ(Text(), "abcd\r\nend");
}

TEST_F(EditorUndoTest, ScrollOffsetAndPaintLockFollowTheSteps) {
  Load("abc");
  StartAt({4, 0});
  editor.ScrollTo({0, 100});
  editor.Type("x");
  editor.ScrollTo({0, 300});
  const int repaints = editor.Repaints();
  undo.Undo();
  EXPECT_EQ(editor.Offset(), (TPoint{0, 100}));
  EXPECT_EQ(editor.PaintLocks(), 0);
  EXPECT_GT(editor.Repaints(), repaints);
  editor.ScrollTo({0, 0});
  undo.Redo();
  EXPECT_EQ(editor.Offset(), (TPoint{0, 100}));
  // Nothing to do: no change and no repaint.
  Load("abc");
  const int before = editor.Repaints();
  undo.Undo();
  undo.Redo();
  EXPECT_EQ(editor.Repaints(), before);
  EXPECT_EQ(Text(), "abc");
}

TEST(UndoDescriptionsTest, SystemTextsAndTheTwentyByteCut) {
  EXPECT_EQ(Cp932Lit("【文字挿入】").size(), 12u);
  EXPECT_EQ(Cp932Lit("【文字削除】").size(), 12u);
  EXPECT_EQ(Cp932Lit("【文字上書き】").size(), 14u);
  EXPECT_EQ(Cp932Lit("カーソル移動 ").size(), 13u);
  EXPECT_EQ(Cp932Lit("←").size(), 2u);
  TTaskEdit edit;
  edit.FInsertedText = std::string(25, 'a');
  EXPECT_EQ(edit.GetUndoText(), Cp932Lit("【文字挿入】") + "\"" + std::string(20, 'a') + "\"");
  // The 20th byte is a lead byte: the character is left out whole.
  edit.FInsertedText = std::string(19, 'a') + Sj("あ") + "z";
  EXPECT_EQ(edit.GetUndoText(), Cp932Lit("【文字挿入】") + "\"" + std::string(19, 'a') + "\"");
  edit.FInsertedText = "a\r\nb";
  EXPECT_EQ(edit.GetUndoText(), Cp932Lit("【文字挿入】") + "\"a\\nb\"");
  edit.FInsertedText.clear();
  EXPECT_EQ(edit.GetUndoText(), Cp932Lit("【文字挿入】") + "\"\"");
  TTaskJump jump;
  jump.FOldCaret = {12, 40};
  jump.FNewCaret = {1, 0};
  EXPECT_EQ(jump.GetUndoText(), Cp932Lit("カーソル移動 [41:12] ← [1:1]"));
  EXPECT_EQ(TTask().GetRedoText(), "");
}

}  // namespace
}  // namespace vorna
