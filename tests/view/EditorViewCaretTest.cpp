// The caret's moves and clamping rules, the key table, scrolling to the
// caret, the composition point, read-only scrolling, jumps on the undo
// history, and bad input that must clamp.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "EditorViewFixtures.h"
#include "platform/KeyState.h"
#include "text/Cp932.h"
#include "undo/EditorUndos.h"

namespace vorna {
namespace {

using testing::PlainWindow;
using testing::TFakeKeyState;

std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }

class TCaretTest : public testing::TEditorViewTest {
 protected:
  // Horizontal window mode, 12-pixel text: cells of 6 pixels, 21 to a row.
  void MakeWindow(const std::string& text, bool vertical = false) {
    MakeView();
    PlainWindow(Style());
    if (vertical) Style().SetVertical(true);
    SetTextFontSize(9);
    ResizeHost(vertical ? 400 : 126, vertical ? 126 : 400);
    SetText(text);
  }
  TDisplayPos Caret() const { return View->CaretPos(); }
  void Run(int command, int times = 1) {
    for (int i = 0; i < times; ++i) View->ExecuteCommand(command);
  }
  TDisplayPos Clamp(int column, int row, TCaretMode mode) { return View->ClampCaretPos({column, row}, mode); }
};

TEST_F(TCaretTest, ForwardAtAWrappedRowsEndGoesToTheNextRowAndStopsAtTheEnd) {
  MakeWindow(std::string(30, 'a') + "\r\nb");
  ASSERT_FALSE(View->List().GetRow(0).LastRow);
  const int limit = View->List().RowCaretLimit(0);
  View->SetCaretPos({limit, 0}, cmAbsolute);
  Run(ecCharForward);
  EXPECT_EQ(Caret(), (TDisplayPos{1, 1}));
  Run(ecCharBack);
  EXPECT_EQ(Caret(), (TDisplayPos{limit, 0}));
  Run(ecDocEnd);
  const TDisplayPos end = Caret();
  EXPECT_EQ(end, (TDisplayPos{2, 2}));
  Run(ecCharForward);
  Run(ecRowDown);
  EXPECT_EQ(Caret(), end);
  Run(ecDocStart);
  Run(ecCharBack);
  Run(ecRowUp);
  EXPECT_EQ(Caret(), (TDisplayPos{1, 0}));
}

TEST_F(TCaretTest, RowMovesKeepTheGoalColumnAcrossAShorterRow) {
  MakeWindow("abcdefghij\r\nabc\r\nabcdefghij");
  View->SetCaretPos({8, 0}, cmAbsolute);
  Run(ecRowDown);
  EXPECT_EQ(Caret(), (TDisplayPos{4, 1}));
  Run(ecRowDown);
  EXPECT_EQ(Caret(), (TDisplayPos{8, 2}));
  Run(ecRowUp, 2);
  EXPECT_EQ(Caret(), (TDisplayPos{8, 0}));
  // A move along the row sets a new goal.
  Run(ecRowDown);
  Run(ecCharBack);
  Run(ecRowDown);
  EXPECT_EQ(Caret(), (TDisplayPos{3, 2}));
  // With FreeCaret the caret keeps its column beyond a row's end.
  Style().SetFreeCaret(true);
  View->SetCaretPos({9, 0}, cmAbsolute);
  Run(ecRowDown);
  EXPECT_EQ(Caret(), (TDisplayPos{9, 1}));
}

TEST_F(TCaretTest, NeverOnATrailByteInsideAnIndentOrInsideAnExpandedTab) {
  // "あい" + TAB + "x": the tab fills cells 5 .. 8; the second line is a mark
  // line whose following rows are indented.
  MakeWindow(Sjis("あい\tx\r\n・") + std::string(40, 'a'));
  EXPECT_EQ(Clamp(2, 0, cmAbsolute).Column, 1);
  EXPECT_EQ(Clamp(2, 0, cmForward).Column, 3);
  EXPECT_EQ(Clamp(4, 0, cmBack).Column, 3);
  EXPECT_EQ(Clamp(6, 0, cmForward).Column, 9);
  EXPECT_EQ(Clamp(7, 0, cmBack).Column, 5);
  EXPECT_EQ(Clamp(5, 0, cmForward).Column, 5);  // the tab's own start
  View->SetCaretPos({5, 0}, cmAbsolute);
  Run(ecCharForward);
  EXPECT_EQ(Caret(), (TDisplayPos{9, 0}));

  const int indent = View->List().GetRow(2).Indent;
  ASSERT_GT(indent, 0);
  EXPECT_EQ(Clamp(1, 2, cmAbsolute), (TDisplayPos{indent + 1, 2}));
  EXPECT_EQ(Clamp(indent, 2, cmForward), (TDisplayPos{indent + 1, 2}));
  EXPECT_EQ(Clamp(1, 2, cmBack), (TDisplayPos{View->List().RowCaretLimit(1), 1}));
  View->SetCaretPos({indent + 1, 2}, cmAbsolute);
  Run(ecCharBack);
  EXPECT_EQ(Caret().Row, 1);
  Run(ecRowStart);
  Run(ecRowDown);
  EXPECT_EQ(Caret(), (TDisplayPos{indent + 1, 2}));
}

TEST_F(TCaretTest, TheCaretSkipsThePaddingOfAShortSpeakerName) {
  MakeWindow(Sjis("甲「はい」\r\n乙丙「ええ」"));
  Style().BeginUpdate();
  Style().SetViewIndent(2);
  Style().SetSerifuNameRestore(true);
  Style().EndUpdate();
  ASSERT_EQ(View->List().SerifuHeaderByte(0), 3);
  ASSERT_EQ(View->List().SerifuHeaderByte(1), 5);
  // One-character name: padding at 1-2 and 5-6 around it.
  EXPECT_EQ(Clamp(1, 0, cmAbsolute).Column, 3);
  EXPECT_EQ(Clamp(5, 0, cmForward).Column, 7);
  EXPECT_EQ(Clamp(6, 0, cmBack).Column, 3);
  // Two-character name: padding at 3-4 between them.
  EXPECT_EQ(Clamp(3, 1, cmForward).Column, 5);
  EXPECT_EQ(Clamp(4, 1, cmBack).Column, 1);
  // Walking forward over the first line visits each character once.
  View->SetCaretPos({1, 0}, cmAbsolute);
  std::vector<int> columns{Caret().Column};
  for (int i = 0; i < 5; ++i) {
    Run(ecCharForward);
    columns.push_back(Caret().Column);
  }
  EXPECT_EQ(columns, (std::vector<int>{3, 7, 9, 11, 13, 15}));
}

TEST_F(TCaretTest, TheKeyTableMapsEveryKeyWithItsShiftStates) {
  MakeWindow("a");
  const struct {
    int Key;
    TShiftState Shift;
    int Command;
  } table[] = {
      {kVkBack, 0, 42},
      {'H', ssCtrl, 42},
      {kVkBack, ssShift, 44},
      {kVkBack, ssCtrl, 43},
      {kVkDelete, 0, 48},
      {kVkDelete, ssShift, 50},
      {kVkDelete, ssCtrl, 49},
      {kVkInsert, 0, 84},
      {kVkInsert, ssCtrl, 81},
      {kVkPrior, 0, 34},
      {kVkPrior, ssShift, 34},
      {kVkNext, ssShift, 35},
      {kVkNext, 0, 35},
      {kVkPrior, ssCtrl, 8},
      {kVkNext, ssCtrl, 9},
      {kVkHome, 0, 26},
      {kVkHome, ssShift, 26},
      {kVkEnd, ssShift, 27},
      {kVkHome, ssCtrl, 28},
      {kVkEnd, ssCtrl | ssShift, 29},
      {kVkLeft, ssShift, 10},
      {kVkRight, 0, 11},
      {kVkUp, 0, 12},
      {kVkDown, ssShift, 13},
      {kVkLeft, ssCtrl, 14},
      {kVkRight, ssCtrl | ssShift, 15},
      {kVkUp, ssCtrl, 16},
      {kVkDown, ssCtrl, 17},
      {kVkF3, 0, 78},
      {kVkF3, ssShift, 77},
      {'A', ssCtrl, 41},
      {'C', ssCtrl, 60},
      {'X', ssCtrl, 54},
      {'V', ssCtrl, 66},
      {'Z', ssCtrl, 75},
      {'F', ssCtrl, 80},
      {'R', ssCtrl, 67},
      {'U', ssCtrl, 68},
      {'A', 0, 0},
      {'Z', ssCtrl | ssShift, 0},
      {kVkInsert, ssShift, 0},
      {0x70, 0, 0},
  };
  for (const auto& row : table)
    EXPECT_EQ(View->KeyToCommand(row.Key, row.Shift), row.Command) << row.Key << " shift " << row.Shift;
  View->KeyToCommand(kVkLeft, ssShift | ssAlt);
  EXPECT_EQ(View->ShiftState(), TShiftState{ssShift | ssAlt});
}

TEST_F(TCaretTest, ShiftOrAltHeldExtendsAndAltMakesABox) {
  TFakeKeyState keys;
  Services.Keys = &keys;
  MakeWindow("abcdef\r\nabcdef\r\nabcdef");
  keys.Down = {kVkShift};
  Run(ecCharForward, 2);
  EXPECT_TRUE(View->Selecting());
  EXPECT_FALSE(View->BoxSelect());
  EXPECT_EQ(View->GetSelText(), "ab");
  EXPECT_FALSE(View->Extending());  // only while a command runs
  keys.Down = {kVkShift, kVkMenu};
  Run(ecRowDown);
  EXPECT_TRUE(View->BoxSelect());
  EXPECT_EQ(View->GetSelText(), "ab\r\nab");
  keys.Down.clear();
  Run(ecCharForward);
  EXPECT_FALSE(View->Selecting());
  EXPECT_EQ(Caret(), (TDisplayPos{4, 1}));
  // Selecting units around the caret.
  Run(ecSelectLine);
  EXPECT_EQ(View->GetSelText(), "abcdef\r\n");
  Run(ecSelectAll);
  EXPECT_EQ(View->GetSelText(), View->List().GetText());
}

TEST_F(TCaretTest, ScrollingKeepsTheCaretInsideTheMarginsAndTheCompositionPointAtIt) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
  for (const bool vertical : {false, true}) {
    MakeWindow(text, vertical);
    Run(ecDocEnd);
    const TRect client = Host.ClientRect();
    // The bar is centred on the boundary before the column: at column 1 it
    // may stick out by half its width.
    TRect caret = View->GetCaretRect(Caret());
    EXPECT_GE(caret.Left, client.Left - caret.Width()) << vertical;
    EXPECT_LE(caret.Right, client.Right) << vertical;
    EXPECT_GE(caret.Top, client.Top - caret.Height()) << vertical;
    EXPECT_LE(caret.Bottom, client.Bottom) << vertical;
    // The composition point: at the caret along the row; beside the column
    // (left of the glyphs) in vertical mode, at the glyphs' top otherwise.
    Run(ecCharBack);
    caret = View->GetCaretRect(Caret());
    const TPoint ime = View->ImePoint();
    const TRect row = View->GetRowRect(Caret().Row);
    if (vertical) {
      EXPECT_NEAR(ime.Y, (caret.Top + caret.Bottom) / 2, caret.Height());
      EXPECT_LE(ime.X, caret.Left);
      EXPECT_GE(ime.X, row.Left);
    } else {
      EXPECT_NEAR(ime.X, (caret.Left + caret.Right) / 2, caret.Width());
      EXPECT_GE(ime.Y, row.Top);
      EXPECT_LE(ime.Y, caret.Top);
    }
    Run(ecDocStart);
    EXPECT_EQ(View->Offset(), (TPoint{0, 0})) << vertical;
  }
}

TEST_F(TCaretTest, AJumpCentresTheCaretAndEveryMoveIsAnnounced) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "x\r\n";
  MakeWindow(text);
  int moving = 0, moved = 0;
  View->OnCaretMoving = [&](TBaseView*) { ++moving; };
  View->OnCaretMoved = [&](TBaseView*) {
    ++moved;
    EXPECT_EQ(moving, moved);
  };
  View->JumpCaret({1, 150});
  const TRect row = View->GetRowRect(150);
  EXPECT_NEAR((row.Top + row.Bottom) / 2, 200, 12);
  Run(ecRowEnd);
  Run(ecRowEnd);  // already there: nothing to announce
  EXPECT_EQ(moved, 2);
  // A window made smaller keeps the caret in view.
  ResizeHost(126, 100);
  const TRect after = View->GetRowRect(Caret().Row);
  EXPECT_GE(after.Top, 0);
  EXPECT_LE(after.Bottom, 100);
}

TEST_F(TCaretTest, ScreenPagesScrollByWholeRowsAndReadOnlyArrowsScroll) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "x\r\n";
  MakeWindow(text);
  Run(ecScreenForward);
  EXPECT_EQ(View->Offset().Y, -(400 - 400 % 12));
  Run(ecScreenBack);
  EXPECT_EQ(View->Offset().Y, -12);
  EXPECT_EQ(Caret(), (TDisplayPos{1, 0}));  // scrolling leaves the caret
  Style().SetReadOnly(true);
  const TPoint before = View->Offset();
  Run(ecDown);
  EXPECT_EQ(Caret(), (TDisplayPos{1, 0}));
  EXPECT_NE(View->Offset(), before);
  // With page roll the arrows across the rows turn a page, the others do nothing.
  Style().SetPageRoll(true);
  View->SetOffset({0, 0});
  Run(ecDown);
  EXPECT_EQ(View->Offset().Y, -View->RowsPerPage() * 12);
  Run(ecRight);
  EXPECT_EQ(View->Offset().Y, -View->RowsPerPage() * 12);
}

// The rows of several partitions in window mode once stood off by the
// scroll offset: the offset chose the first row and moved it again.
TEST_F(TCaretTest, SeveralPartitionsShowTheCaretsPageFromItsFirstRow) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "row " + std::to_string(i) + "\r\n";
  MakeWindow(text);
  Style().SetPartationCount(2);
  Run(ecDocEnd);
  const TRowPlace place = View->GetRowPlace(Caret().Row);
  ASSERT_GT(place.PageFirstRow, 0);
  EXPECT_EQ(View->GetRowRect(place.PageFirstRow).Top, View->GetPartitionRect(0, 0).Top);
  const TRect caretRow = View->GetRowRect(Caret().Row);
  EXPECT_GE(caretRow.Top, 0);
  EXPECT_LE(caretRow.Bottom, Host.Height);
  EXPECT_EQ(View->PointToPos(View->PosToPoint(Caret())), Caret());
}

TEST_F(TCaretTest, JumpsGoOnTheUndoHistoryAndComeBack) {
  MakeWindow("abc\r\ndef\r\nghi");
  Run(ecDocEnd);
  Run(ecCharBack);
  EXPECT_EQ(Caret(), (TDisplayPos{3, 2}));
  ASSERT_TRUE(View->Undo().CanUndo());
  View->Undo().Undo(1);
  EXPECT_EQ(Caret(), (TDisplayPos{1, 0}));
  View->Undo().Redo(1);
  EXPECT_EQ(Caret(), (TDisplayPos{3, 2}));
  // Moves of one kind of selection state merge into one jump.
  EXPECT_EQ(View->Undo().Count(), 1);
}

TEST_F(TCaretTest, BadInputClampsAndNeverCrashes) {
  MakeWindow("");
  for (const int command : {-5, 0, 36, 99, 1000, 12345678})
    EXPECT_FALSE(View->ExecuteCommand(command)) << command;
  for (int command = ecLeft; command <= ecSelectAll; ++command) View->ExecuteCommand(command);
  EXPECT_EQ(Caret(), (TDisplayPos{1, 0}));
  for (const TPoint p : {TPoint{-100000, -100000}, TPoint{1 << 28, 1 << 28}, TPoint{-1, 5}, TPoint{5, -1}})
    EXPECT_EQ(View->PointToPos(p), (TDisplayPos{1, 0}));
  SetText("ab\r\n" + Sjis("《》［＃］") + "\r\ncd");
  View->SetCaretPos({1000, 1000}, cmAbsolute);
  EXPECT_EQ(Caret(), (TDisplayPos{3, 2}));
  View->SetCaretPos({-7, -3}, cmAbsolute);
  EXPECT_EQ(Caret(), (TDisplayPos{1, 0}));
  const TDisplayPos far = View->PointToPos({1 << 28, 1 << 28});
  EXPECT_EQ(far.Row, 2);
  EXPECT_GE(far.Column, 1);
}

}  // namespace
}  // namespace vorna
