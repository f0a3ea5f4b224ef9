// The editor view under the mouse: clicks to the nearer boundary, selecting
// by dragging, the line-number column, double clicks, dragging a selection
// to move or copy it, what the hit test names, and the annotation hint.
#include <gtest/gtest.h>

#include <string>

#include "EditorViewFixtures.h"
#include "text/Cp932.h"
#include "text/Links.h"
#include "undo/EditorUndos.h"

namespace vorna {
namespace {

using testing::PlainWindow;

std::string Sjis(const char* utf8) { return Cp932FromUtf8(utf8); }

class TMouseTest : public testing::TEditorViewTest {
 protected:
  void MakeWindow(const std::string& text, bool vertical = false) {
    Services.Shell = &Shell;
    MakeView();
    PlainWindow(Style());
    if (vertical) Style().SetVertical(true);
    SetTextFontSize(9);  // 12-pixel glyphs, 6-pixel cells
    ResizeHost(400, 400);
    SetText(text);
  }
  // A point `alongPx` into cell `cell` (1-based) of `row`, in the row's middle.
  TPoint CellPoint(int cell, int row, int alongPx = 2) {
    const TPoint p = View->PosToPoint({cell, row});
    return View->Vertical() ? TPoint{p.X + 6, p.Y - 1 + alongPx} : TPoint{p.X - 1 + alongPx, p.Y + 6};
  }
  void Click(TPoint p, TShiftState shift = 0) {
    View->MouseDown(TMouseButton::Left, shift | ssLeft, p.X, p.Y);
    View->MouseUp(TMouseButton::Left, shift, p.X, p.Y);
  }
  // Press on `from`, move past the drag threshold to `to` and drop there.
  void DragSelection(TPoint from, TPoint to, TShiftState dropShift) {
    View->MouseDown(TMouseButton::Left, ssLeft, from.X, from.Y);
    View->MouseMove(ssLeft, to.X, to.Y);
    Host.PointerPos = to;
    View->DragOver(false);
    View->EndDrag(true, dropShift);
  }
  std::string Text() const { return View->List().GetText(); }

  testing::TFakeShell Shell;
};

TEST_F(TMouseTest, AClickPastACharactersMiddlePutsTheCaretAfterIt) {
  for (const bool vertical : {false, true}) {
    MakeWindow(Sjis("あいう"), vertical);
    // "い" takes cells 3 and 4, 12 pixels: its middle is 6 pixels in.
    Click(CellPoint(3, 0, 5));
    EXPECT_EQ(View->CaretPos(), (TDisplayPos{3, 0})) << vertical;
    Click(CellPoint(3, 0, 7));
    EXPECT_EQ(View->CaretPos(), (TDisplayPos{5, 0})) << vertical;
    Click(CellPoint(4, 0, 1));
    EXPECT_EQ(View->CaretPos(), (TDisplayPos{5, 0})) << vertical;
    // Beyond the text, and beyond the last row: the nearest caret position.
    Click(CellPoint(30, 0));
    EXPECT_EQ(View->CaretPos(), (TDisplayPos{7, 0})) << vertical;
  }
}

TEST_F(TMouseTest, DraggingSelectsAndAPressOnTheSelectionWithoutADragClearsIt) {
  MakeWindow("abcdef abcdef");
  View->MouseDown(TMouseButton::Left, ssLeft, CellPoint(1, 0).X, CellPoint(1, 0).Y);
  View->MouseMove(ssLeft, CellPoint(4, 0, 1).X, CellPoint(4, 0).Y);
  View->MouseUp(TMouseButton::Left, 0, CellPoint(4, 0, 1).X, CellPoint(4, 0).Y);
  EXPECT_EQ(View->GetSelText(), "abc");
  // Shift extends from the anchor.
  Click(CellPoint(6, 0, 1), ssShift);
  EXPECT_EQ(View->GetSelText(), "abcde");
  // A press on it arms a drag; releasing without moving drops the selection.
  View->MouseDown(TMouseButton::Left, ssLeft, CellPoint(2, 0).X, CellPoint(2, 0).Y);
  EXPECT_TRUE(View->DragPending());
  EXPECT_TRUE(View->Selecting());
  View->MouseUp(TMouseButton::Left, 0, CellPoint(2, 0).X, CellPoint(2, 0).Y);
  EXPECT_FALSE(View->Selecting());
  EXPECT_EQ(View->CaretPos(), (TDisplayPos{2, 0}));
  // A double click selects the word.
  View->MouseDown(TMouseButton::Left, ssLeft, CellPoint(10, 0).X, CellPoint(10, 0).Y);
  View->DoubleClick();
  EXPECT_EQ(View->GetSelText(), "abcdef");
}

TEST_F(TMouseTest, DraggingBelowTheWindowScrollsAndExtendsTheSelection) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "x\r\n";
  MakeWindow(text);
  View->MouseDown(TMouseButton::Left, ssLeft, 2, 2);
  Host.PointerPos = {2, 450};
  View->MouseMove(ssLeft, 2, 450);
  const int rowBefore = View->CaretPos().Row;
  Host.Timers.Advance(1000);
  EXPECT_LT(View->Offset().Y, 0);
  EXPECT_GT(View->CaretPos().Row, rowBefore);
  EXPECT_TRUE(View->Selecting());
  View->MouseUp(TMouseButton::Left, 0, 2, 450);
  const TPoint stopped = View->Offset();
  Host.Timers.Advance(1000);
  EXPECT_EQ(View->Offset(), stopped);
}

TEST_F(TMouseTest, ADraggedSelectionMovesOrCopiesAndUndoesExactly) {
  MakeWindow("abcdef\r\nxyz");
  View->SelectFromTo({1, 0}, {4, 0}, false);
  DragSelection(CellPoint(2, 0), CellPoint(3, 1, 1), 0);
  EXPECT_EQ(Host.Count("drag"), 1);
  EXPECT_EQ(Text(), "def\r\nxyabcz");
  EXPECT_EQ(View->GetSelText(), "abc");
  while (View->Undo().CanUndo()) View->Undo().Undo(1);
  EXPECT_EQ(Text(), "abcdef\r\nxyz");

  // Ctrl at the drop copies; a drop before the selection moves it back.
  View->SelectFromTo({4, 0}, {7, 0}, false);
  DragSelection(CellPoint(5, 0), CellPoint(1, 1, 1), ssCtrl);
  EXPECT_EQ(Text(), "abcdef\r\ndefxyz");
  View->SelectFromTo({1, 1}, {4, 1}, false);
  DragSelection(CellPoint(2, 1), CellPoint(1, 0, 1), 0);
  EXPECT_EQ(Text(), "defabcdef\r\nxyz");
  EXPECT_EQ(View->GetSelText(), "def");
  // Dropped onto itself: nothing changes and the selection stays.
  DragSelection(CellPoint(1, 0), CellPoint(2, 0), 0);
  EXPECT_EQ(Text(), "defabcdef\r\nxyz");
  EXPECT_EQ(View->GetSelText(), "def");
  while (View->Undo().CanUndo()) View->Undo().Undo(1);
  EXPECT_EQ(Text(), "abcdef\r\nxyz");
}

TEST_F(TMouseTest, TheLineNumberColumnSelectsRowsAndLines) {
  MakeWindow("one\r\ntwo\r\nthree\r\nfour");
  Element(kElemLineInfo).SetDisplayMode(kModeShown);
  ASSERT_GT(View->LineInfoWidth(), 0);
  const TRect row1 = View->GetRowRect(1);
  const TPoint inColumn{row1.Left + 2, row1.Top + 3};
  EXPECT_EQ(View->HitTestKind(inColumn), hkLineInfo);
  EXPECT_EQ(View->CursorForHit(hkLineInfo), TCursorShape::ReverseArrow);
  Click(inColumn);
  EXPECT_EQ(View->GetSelText(), "two");
  // Dragging down the column selects whole rows.
  View->MouseDown(TMouseButton::Left, ssLeft, inColumn.X, inColumn.Y);
  const TRect row3 = View->GetRowRect(3);
  View->MouseMove(ssLeft, row3.Left + 2, row3.Top + 3);
  View->MouseUp(TMouseButton::Left, 0, row3.Left + 2, row3.Top + 3);
  EXPECT_EQ(View->GetSelText(), "two\r\nthree\r\nfour");
  // Upwards: from the pressed row's end back to the start of the row above.
  const TRect row0 = View->GetRowRect(0);
  View->MouseDown(TMouseButton::Left, ssLeft, row3.Left + 2, row3.Top + 3);
  View->MouseMove(ssLeft, row0.Left + 2, row0.Top + 3);
  View->MouseUp(TMouseButton::Left, 0, row0.Left + 2, row0.Top + 3);
  EXPECT_EQ(View->GetSelText(), "one\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(View->CaretPos(), (TDisplayPos{1, 0}));
  View->MouseDown(TMouseButton::Left, ssLeft, inColumn.X, inColumn.Y);
  View->DoubleClick();
  EXPECT_EQ(View->GetSelText(), "two\r\n");
}

TEST_F(TMouseTest, TheHitTestNamesLinksAndTheSelectionAndADoubleClickOpensALink) {
  MakeWindow("see http://example.com/x and me@example.com");
  Element(kElemUrl).SetDisplayMode(kModeShown);
  Element(kElemMail).SetDisplayMode(kModeShown);
  EXPECT_EQ(View->HitTestKind({-5, -5}), hkOutside);
  EXPECT_EQ(View->HitTestKind(CellPoint(2, 0)), hkText);
  EXPECT_EQ(View->HitTestKind(CellPoint(40, 3)), hkText);  // empty row space
  EXPECT_EQ(View->HitTestKind(CellPoint(10, 0)), hkUrl);
  EXPECT_EQ(View->CursorForHit(hkUrl), TCursorShape::Hand);
  EXPECT_EQ(View->HitTestKind(CellPoint(32, 0)), hkMail);
  View->SelectFromTo({1, 0}, {4, 0}, false);
  EXPECT_EQ(View->HitTestKind(CellPoint(2, 0)), hkSelection);

  View->MouseDown(TMouseButton::Left, ssLeft, CellPoint(10, 0).X, CellPoint(10, 0).Y);
  View->DoubleClick();
  View->MouseUp(TMouseButton::Left, 0, CellPoint(10, 0).X, CellPoint(10, 0).Y);
  Click(CellPoint(10, 0));  // the press a double click sends after it
  View->MouseDown(TMouseButton::Left, ssLeft, CellPoint(30, 0).X, CellPoint(30, 0).Y);
  View->DoubleClick();
  ASSERT_EQ(Shell.Opened.size(), 2u);
  EXPECT_EQ(Shell.Opened[0].Target, "http://example.com/x");
  EXPECT_EQ(Shell.Opened[1].Target, "mailto:me@example.com");
}

TEST_F(TMouseTest, LinksReachTheShellLiterally) {
  MakeWindow("http://example.com/?q=$(id)&x='1'\"2\" MAILTO:me@example.com");
  Element(kElemUrl).SetDisplayMode(kModeShown);
  Element(kElemMail).SetDisplayMode(kModeShown);
  for (const int cell : {10, 41}) {
    Click(CellPoint(1, 1));  // the press a double click sends after it
    View->MouseDown(TMouseButton::Left, ssLeft, CellPoint(cell, 0).X, CellPoint(cell, 0).Y);
    View->DoubleClick();
    View->MouseUp(TMouseButton::Left, 0, CellPoint(cell, 0).X, CellPoint(cell, 0).Y);
  }
  ASSERT_EQ(Shell.Opened.size(), 2u);
  const std::string line(View->List().Get(0));
  // Exactly what the link finder gives: nothing quoted or escaped on the way.
  EXPECT_EQ(Shell.Opened[0].Target, LinkText(line, 10, lkUrl));
  EXPECT_EQ(Shell.Opened[1].Target, "MAILTO:me@example.com");  // opened unchanged
}

TEST_F(TMouseTest, AnAnnotationMarkShowsItsTextAsAHint) {
  MakeWindow(Sjis("本文［＃注記の内容］です"), true);
  Style().SetLineSpace(12);  // room beside the glyphs for the mark
  Element(kElemFootNote).SetDisplayMode(kModeShown);
  Element(kElemFootNoteMark).SetDisplayMode(kModeShown);
  const TRowPaintInfo& info = View->GetRowPaintInfo(0);
  ASSERT_EQ(info.FootNoteMarks.size(), 1u);
  const TRect row = View->GetRowRect(0);
  const TRect hot = info.FootNoteMarks[0].HotSpot;
  const TPoint at{row.Left + (hot.Left + hot.Right) / 2, row.Top + (hot.Top + hot.Bottom) / 2};
  EXPECT_EQ(View->HitTestKind(at), hkFootNote);
  EXPECT_EQ(View->HitRect().Width(), hot.Width());
  Host.Clear();
  View->HintRequested(at);
  ASSERT_EQ(Host.Count("hint " + Sjis("注記の内容") + " at"), 1);
  EXPECT_TRUE(View->HintData().Vertical);
  // Nowhere else.
  Host.Clear();
  View->HintRequested(CellPoint(1, 0));
  EXPECT_EQ(Host.Count("hint "), 0);
}

TEST_F(TMouseTest, WithThePageFlipAPressTurnsAScreenPage) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "x\r\n";
  MakeWindow(text);
  View->FPageFlip = true;
  Click({50, 50});
  EXPECT_EQ(View->Offset().Y, -(400 - 400 % 12));
  EXPECT_EQ(View->CaretPos(), (TDisplayPos{1, 0}));
  View->MouseDown(TMouseButton::Right, ssRight, 50, 50);
  EXPECT_EQ(View->Offset().Y, -12);  // back one row less, so the edge row stays in sight
}

}  // namespace
}  // namespace vorna
