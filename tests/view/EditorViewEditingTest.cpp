// The editing commands on the view: overwrite, Backspace over a line break,
// box and stream paste, read-only, clipboard failures, find, marks,
// conversions, re-flow and join, the text message, the modified mark under
// undo after a save; and random command sequences over four presets whose
// undo and redo are exact and whose row table always equals a fresh layout.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "EditorViewFixtures.h"
#include "RelayoutOracle.h"
#include "TestSupport.h"
#include "undo/EditorUndos.h"

namespace vorna {
namespace {

using testing::PlainWindow;
using testing::Sj;

class TEditingTest : public testing::TEditorViewTest {
 protected:
  void MakeWindow(const std::string& text, int preset = -1) {
    Services.Clipboard = &Clipboard;
    if (preset >= 0) UsePrinter();
    MakeView(preset);
    if (preset < 0) PlainWindow(Style());
    SetText(text);
  }
  std::string Text() const { return View->List().GetText(); }
  void Caret(int column, int row) { View->SetCaretPos({column, row}, cmAbsolute); }

  testing::TMemoryClipboard Clipboard;
};

TEST_F(TEditingTest, OverwriteReplacesCellsAndNeverLeavesHalfACharacter) {
  MakeWindow("abc\r\n" + Sj("あいう") + "\r\nxy");
  View->SetOverwrite(true);
  Caret(1, 0);
  View->TypeText(Sj("あ"), true);  // two half-width cells
  EXPECT_EQ(View->List().Get(0), Sj("あ") + "c");
  Caret(1, 1);
  View->TypeText("x", true);  // the first half of "あ": a space keeps the second
  EXPECT_EQ(View->List().Get(1), "x " + Sj("いう"));
  Caret(3, 2);
  View->TypeText("zz", true);  // at the line's end: inserted
  EXPECT_EQ(View->List().Get(2), "xyzz");
  View->TypeText("\r\n", true);  // a line split even in overwrite mode
  EXPECT_EQ(View->List().Count(), 4);
  while (View->Undo().CanUndo()) View->Undo().Undo(1);
  EXPECT_EQ(Text(), "abc\r\n" + Sj("あいう") + "\r\nxy");
}

TEST_F(TEditingTest, BackspaceAtALinesStartJoinsItWithTheLineBefore) {
  MakeWindow("ab\r\ncd");
  Caret(1, 1);
  View->ExecuteCommand(ecDeleteBackChar);
  EXPECT_EQ(Text(), "abcd");
  EXPECT_EQ(View->CaretPos(), (TDisplayPos{3, 0}));
  View->ExecuteCommand(ecDeleteChar);
  EXPECT_EQ(Text(), "abd");
  Caret(1, 0);
  EXPECT_FALSE(View->DeleteBackward(tuCharacter));
  EXPECT_FALSE(View->DeleteBackward(tuLine));  // nothing before column 1
  View->ExecuteCommand(ecDocEnd);
  EXPECT_FALSE(View->DeleteForward(tuCharacter));
}

TEST_F(TEditingTest, BoxCopiesPasteAsBoxesAndOtherTextAsAStream) {
  MakeWindow("abcd\r\nefgh\r\nijkl");
  View->SelectFromTo({2, 0}, {4, 1}, true);
  ASSERT_TRUE(View->CopyUnit(tuPosition));
  EXPECT_EQ(Clipboard.GetText(), "bc\r\nfg");
  Caret(1, 1);
  View->ExecuteCommand(ecPaste);
  EXPECT_EQ(Text(), "abcd\r\nbcefgh\r\nfgijkl");
  Clipboard.SetText("bc\r\nxy");  // from another program
  Caret(1, 0);
  View->ExecuteCommand(ecPaste);
  EXPECT_EQ(Text(), "bc\r\nxyabcd\r\nbcefgh\r\nfgijkl");
  // Cut takes exactly what it copied: the whole line.
  Caret(2, 1);
  View->ExecuteCommand(ecCut + static_cast<int>(tuLine));
  EXPECT_EQ(Clipboard.GetText(), "xyabcd\r\n");
  EXPECT_EQ(Text(), "bc\r\nbcefgh\r\nfgijkl");
  // Bad clipboard contents: nothing pasted, nothing lost.
  Clipboard.HoldNonText();
  EXPECT_FALSE(View->Paste());
  Clipboard.SetText("");
  EXPECT_FALSE(View->Paste());
  // Text goes in up to a NUL, as the clipboard's text ends there elsewhere.
  Caret(1, 0);
  Clipboard.SetText(std::string("a\0b", 3) + "\rc\nd\x81");
  View->Paste();
  EXPECT_EQ(Text(), "abc\r\nbcefgh\r\nfgijkl");
  Clipboard.SetText("1\r2\n3\x81");  // lone CR and LF break lines; a lone lead byte stays
  View->Paste();
  EXPECT_EQ(Text(),
            "a1\r\n2\r\n3\x81"
            "bc\r\nbcefgh\r\nfgijkl");
  Clipboard.SetText("q");
  Clipboard.FailNextGet = true;
  EXPECT_FALSE(View->Paste());
  EXPECT_EQ(Boxes.Shown.back(), "error " + Sj("クリップボードバグの発生。作者にお知らせください。4"));
}

TEST_F(TEditingTest, ReadOnlyBlocksEveryChangeButCopyStillWorks) {
  MakeWindow("abc");
  Style().SetReadOnly(true);
  View->SelectFromTo({1, 0}, {3, 0}, false);
  EXPECT_TRUE(View->CopyUnit(tuPosition));
  EXPECT_EQ(Clipboard.GetText(), "ab");
  EXPECT_FALSE(View->CutUnit(tuPosition));
  EXPECT_FALSE(View->TypeText("x", true));
  EXPECT_FALSE(View->DeleteForward(tuCharacter));
  EXPECT_FALSE(View->DeleteBackward(tuCharacter));
  EXPECT_FALSE(View->Paste());
  EXPECT_FALSE(View->ConvertSelection(ecUpperCase));
  EXPECT_EQ(Text(), "abc");
}

TEST_F(TEditingTest, FindSelectsMatchesForwardAndBack) {
  MakeWindow("one two one\r\ntwo one");
  Element(kElemFind).SetDisplayMode(kModeShown);
  EXPECT_TRUE(View->Find("one", false));
  EXPECT_EQ(View->SelStart(), (TDisplayPos{1, 0}));
  EXPECT_TRUE(View->FindNext());
  EXPECT_EQ(View->SelStart(), (TDisplayPos{9, 0}));
  EXPECT_TRUE(View->FindNext());
  EXPECT_EQ(View->SelStart(), (TDisplayPos{5, 1}));
  EXPECT_FALSE(View->FindNext());
  EXPECT_TRUE(View->FindPrevious());  // the caret stayed after the last match
  EXPECT_EQ(View->SelStart(), (TDisplayPos{5, 1}));
  EXPECT_TRUE(View->FindPrevious());
  EXPECT_EQ(View->SelStart(), (TDisplayPos{9, 0}));
  EXPECT_EQ(View->GetSelText(), "one");
  // Without a text: the word at the caret.
  Caret(6, 0);
  EXPECT_TRUE(View->Find("", false));
  EXPECT_EQ(View->SearchText(), "two");
  EXPECT_FALSE(View->Find(std::string(500, 'x'), false));
  View->ExecuteCommand(ecClearFind);
  EXPECT_EQ(View->SearchText(), "");
}

TEST_F(TEditingTest, MarksToggleAndLiveWithTheDocument) {
  MakeWindow("a\r\nb\r\nc");
  Caret(1, 2);
  View->ExecuteCommand(ecToggleMark);
  Caret(1, 0);
  View->ExecuteCommand(ecToggleMark);
  ASSERT_EQ(View->Marks().size(), 2u);
  EXPECT_EQ(View->Marks()[0].Y, 0);  // kept in document order
  EXPECT_EQ(View->MarkIndexOfRow(2), 1);
  EXPECT_EQ(View->MarkIndexOfRow(1), -1);
  EXPECT_EQ(View->Infos().CurrentItem()->GetMarks().size(), 2u);
  View->ExecuteCommand(ecToggleMark);
  EXPECT_EQ(View->MarkIndexOfRow(0), -1);
  View->ExecuteCommand(ecClearMarks);
  EXPECT_TRUE(View->Marks().empty());
}

TEST_F(TEditingTest, ConversionsReflowAndJoinWorkOnTheSelection) {
  MakeWindow(Sj("abcかな") + "\r\n" + std::string(30, 'x') + "\r\nend");
  View->SelectFromTo({1, 0}, {4, 0}, false);
  View->ExecuteCommand(ecUpperCase);
  EXPECT_EQ(View->List().Get(0), Sj("ABCかな"));
  EXPECT_EQ(View->GetSelText(), "ABC");
  View->SelectFromTo({4, 0}, {8, 0}, false);
  View->ExecuteCommand(ecKatakana);
  EXPECT_EQ(View->List().Get(0), Sj("ABCカナ"));
  // Re-flow the long line to 10 cells, then join it back.
  View->SelectFromTo({1, 1}, {1, 2}, false);
  ASSERT_TRUE(View->ReflowSelection(10));
  EXPECT_EQ(View->List().Get(1), std::string(10, 'x'));
  EXPECT_EQ(View->List().Count(), 5);
  View->SelectFromTo({1, 1}, {1, 4}, false);
  ASSERT_TRUE(View->JoinSelection());
  EXPECT_EQ(View->List().Get(1), std::string(30, 'x'));
  while (View->Undo().CanUndo()) View->Undo().Undo(1);
  EXPECT_EQ(Text(), Sj("abcかな") + "\r\n" + std::string(30, 'x') + "\r\nend");
}

// Undo once removed the wrong bytes after an edit that laid the rows out
// anew (the line numbers grew a digit): the edit was recorded with the
// positions of the rows before. Its redo put the text at the old columns
// of other rows when the undo laid them out again.
TEST_F(TEditingTest, AnEditThatLaysTheRowsOutAgainUndoesExactly) {
  std::string original;
  for (int i = 0; i < 998; ++i) original += std::string(i % 50, 'a') + "\r\n";
  MakeWindow(original);
  Element(kElemLineInfo).SetDisplayMode(kModeShown);
  ResizeHost(400, 400);
  Caret(20, 990);
  const int layouts = View->LayoutCount();
  View->TypeText("x\r\ny\r\nz\r\nw", false);
  ASSERT_GT(View->LayoutCount(), layouts);
  const std::string edited = Text();
  ASSERT_TRUE(View->Undo().CanUndo());
  View->Undo().Undo(1);
  EXPECT_EQ(Text(), original);
  ASSERT_TRUE(View->Undo().CanRedo());
  View->Undo().Redo(1);
  EXPECT_EQ(Text(), edited);
}

TEST_F(TEditingTest, TheTextMessageNeverCutsACharacter) {
  MakeWindow(Sj("あいう"));
  View->SelectFromTo({1, 0}, {7, 0}, false);
  EXPECT_EQ(View->GetTextLengthMessage(), 6);
  EXPECT_EQ(View->GetTextMessage(4), Sj("あ"));  // 3 bytes room: one character
  EXPECT_EQ(View->GetTextMessage(100), Sj("あいう"));
  EXPECT_EQ(View->GetTextMessage(0), "");
}

// A typing run saved half-way: undo returns to exactly the saved text and
// the modified mark goes with it; redo sets it again.
TEST_F(TEditingTest, UndoToTheSavedTextLeavesTheDocumentUnmodified) {
  MakeWindow("xy");
  int events = 0;
  View->OnModified = [&events](TEditList*) { ++events; };
  Caret(2, 0);
  for (const char* c : {"a", "b", "c"}) View->TypeText(c, true);
  View->List().SaveToFile("/docs/saved.txt");
  EXPECT_FALSE(View->List().GetModified());
  View->TypeText("d", true);
  EXPECT_TRUE(View->List().GetModified());
  View->ExecuteCommand(ecUndo);
  EXPECT_EQ(Text(), "xabcy");
  EXPECT_EQ(View->CaretPos(), (TDisplayPos{5, 0}));
  EXPECT_FALSE(View->List().GetModified());
  View->ExecuteCommand(ecRedo);
  EXPECT_EQ(Text(), "xabcdy");
  EXPECT_TRUE(View->List().GetModified());
  EXPECT_EQ(events, 5);  // typed, saved, typed, undone, redone
}

class TEditingInvariants : public TEditingTest, public ::testing::WithParamInterface<int> {};

TEST_P(TEditingInvariants, RandomEditsUndoAndRedoExactly) {
  const std::string original = Sj("　朝《あさ》の駅。「寒いね」\r\n甲「はい」\r\n") + "a\tb cd ef\r\n" +
                               std::string(70, 'y') + Sj("、長い行。") + "\r\nlast";
  MakeWindow(original, GetParam());
  std::mt19937 random(static_cast<unsigned>(GetParam()) + 11u);
  const char* pieces[] = {"x", "\r\n", "ab", "\x82\xa0", "\x81\x40", "\t", "q\r\nr"};
  for (int step = 0; step < 120; ++step) {
    const int pick = static_cast<int>(random() % 14);
    if (pick < 4) {
      View->TypeText(pieces[random() % 7], true);
    } else if (pick < 6) {
      View->ExecuteCommand(ecLeft + static_cast<int>(random() % 20));
    } else if (pick == 6) {
      View->SetOverwrite(!View->Overwrite());
    } else if (pick == 7) {
      View->ExecuteCommand(ecDeleteBackChar + static_cast<int>(random() % 12));
    } else if (pick == 8) {
      const TDisplayPos a{static_cast<int>(random() % 12) + 1, static_cast<int>(random() % 6)};
      const TDisplayPos b{static_cast<int>(random() % 12) + 1, static_cast<int>(random() % 6)};
      View->SelectFromTo(a, b, random() % 3 == 0);
    } else if (pick == 9) {
      View->ExecuteCommand(ecCut + static_cast<int>(random() % 6));
    } else if (pick == 10) {
      View->ExecuteCommand(ecPaste);
    } else if (pick == 11) {
      View->ReflowSelection(8);
    } else if (pick == 12) {
      View->JoinSelection();
    } else {
      View->ExecuteCommand(ecFullWidth + static_cast<int>(random() % 6));
    }
    ASSERT_EQ(View->List().Rows().Rows(), testing::FreshLayoutRows(View->List())) << "step " << step;
  }
  const std::string edited = Text();
  EXPECT_NE(edited, original);
  while (View->Undo().CanUndo()) View->Undo().Undo(1);
  EXPECT_EQ(Text(), original);
  while (View->Undo().CanRedo()) View->Undo().Redo(1);
  EXPECT_EQ(Text(), edited);
}

INSTANTIATE_TEST_SUITE_P(FourPresets, TEditingInvariants, ::testing::Values(0, 4, 8, 12));

}  // namespace
}  // namespace vorna
