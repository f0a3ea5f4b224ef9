// Moving the caret: SetCaretPos with its selection, repaint, scroll and jump
// bookkeeping, and the moves by cells, rows and words.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "settings/StyleElements.h"
#include "text/CharClasses.h"
#include "undo/EditorUndos.h"
#include "view/EditorViews.h"

namespace vorna {
namespace {

// A range of more rows than this is marked as the whole view.
constexpr int kMaxMarkedRows = 4096;

int ClampRow(int64_t row) {
  return static_cast<int>(std::clamp<int64_t>(row, 0, std::numeric_limits<int>::max()));
}

}  // namespace

bool TEditorView::IsReadOnly() const {
  return EditorStyle()->GetReadOnly() || (FList && FList->IsReadOnlyFile());
}

TCaretClampRules TEditorView::ClampRules() const {
  const TEditorStyle& s = *EditorStyle();
  return {std::max(FMetrics.CharsPerRow, 1), s.GetFreeCaret(),
          ElementVisible(kElemGapLine) && s.GetGapLineStyle() == kGapLineGrid};
}

TDisplayPos TEditorView::ClampCaretPos(TDisplayPos pos, TCaretMode mode, bool* stopped) const {
  return FSel.Clamp(*FList, pos, mode, ClampRules(), stopped);
}

void TEditorView::SetCaretPos(TDisplayPos pos, TCaretMode mode, bool noScroll, bool force) {
  if (!FList || FList->RowCount() == 0) return;
  const bool quiet = FEditing > 0 || FResizeLock > 0;
  const bool dragging = FPointer.DragPending || FPointer.LineDrag;
  if (FSel.Selecting && !FSel.Extending && !dragging && !quiet) {
    InvalidateSelectionRows();
    FSel.Selecting = false;
  }
  bool stopped = false;
  pos = ClampCaretPos(pos, mode, &stopped);
  if (stopped) return;
  if (pos == FSel.Caret && !force) {
    if (mode != cmRowUp && mode != cmRowDown) FSel.GoalColumn = FSel.Caret.Column;
    return;
  }

  Fire(OnCaretMoving);
  const TCaretPlace before = CaretPlace();
  const TPoint oldPoint = PosToPoint(FSel.Caret, false, true);
  const TDisplayPos old = FSel.Caret;
  const TDisplayPos oldAnchor = FSel.Anchor;
  const bool wasSelecting = FSel.Selecting;
  FSel.Caret = pos;
  // While a dragged selection is carried the caret shows the drop point and
  // the selection stays.
  if (!FPointer.DragMoving) {
    if (!quiet) {
      if (!FSel.Extending) FSel.Anchor = FSel.Caret;
      FSel.Selecting = FSel.Extending && !(FSel.Anchor == FSel.Caret);
      if (!FSel.Selecting) FSel.Box = FSel.Box && FSel.Extending;
    }
    FSel.End = FSel.Caret;
  }

  // Repaint: a scroll or a page change repaints everything, else what moved.
  bool all = false;
  const bool roll = EditorStyle()->GetPageRoll() && !PaperMode();
  if (roll && GetRowPlace(old.Row).Page != GetRowPlace(pos.Row).Page) all = true;
  if (Partitions() > 1 && FSel.Selecting && GetRowPlace(old.Row).Partition != GetRowPlace(pos.Row).Partition)
    all = true;
  if (!noScroll && ScrollToCaret(FJumping ? csCentre : csMinimal, oldPoint)) all = true;
  if (all) {
    Invalidate();
  } else {
    if (FSel.Selecting || wasSelecting) {
      if (FSel.Box) {
        InvalidateRows(std::min({old.Row, pos.Row, oldAnchor.Row, FSel.Anchor.Row}),
                       std::max({old.Row, pos.Row, oldAnchor.Row, FSel.Anchor.Row}));
      } else {
        InvalidateRows(std::min(old.Row, pos.Row), std::max(old.Row, pos.Row));
      }
    }
    if (ElementVisible(kElemCaretLine) || ElementVisible(kElemCaretLineInfo)) {
      InvalidateRows(old.Row, old.Row);
      InvalidateRows(pos.Row, pos.Row);
    } else if (ElementVisible(kElemCaret)) {
      for (const TDisplayPos p : {old, pos}) {
        TRect r = GetCaretRect(p);
        Host().Invalidate({r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2});
      }
    }
  }

  if (mode != cmRowUp && mode != cmRowDown) FSel.GoalColumn = FSel.Caret.Column;
  if (!noScroll) UpdateImePoint();
  if (!quiet && FUndo) FUndo->AddJump(before, CaretPlace());
  Fire(OnCaretMoved);
}

// The undo history's placement: absolute, no extension, no scrolling (the
// history sets the offset itself).
void TEditorView::SetCaretPos(TDisplayPos pos) {
  const bool extending = FSel.Extending;
  FSel.Extending = false;
  if (FSel.Selecting) {
    InvalidateSelectionRows();
    FSel.Selecting = FSel.Box = false;
    FSel.Anchor = FSel.Caret;
  }
  SetCaretPos(pos, cmAbsolute, true, false);
  FSel.Extending = extending;
}

void TEditorView::JumpCaret(TDisplayPos pos) {
  FJumping = true;
  SetCaretPos(pos, cmAbsolute, false, true);
  FJumping = false;
}

void TEditorView::MoveCaret(int dColumns, int dRows) {
  if (dRows != 0) {
    SetCaretPos({FSel.GoalColumn, FSel.Caret.Row + dRows}, dRows < 0 ? cmRowUp : cmRowDown);
    return;
  }
  if (dColumns != 0)
    SetCaretPos({FSel.Caret.Column + dColumns, FSel.Caret.Row}, dColumns < 0 ? cmBack : cmForward);
}

void TEditorView::MoveWord(bool forward) {
  const TRowInfo row = FList->GetRow(FSel.Caret.Row);
  if (forward && !row.LastRow && FSel.Caret.Column >= FList->RowCaretLimit(FSel.Caret.Row)) {
    MoveCaret(1, 0);
    return;
  }
  if (!forward && FSel.Caret.Column <= row.Indent + 1 && FSel.Caret.Row > 0 &&
      !FList->GetRow(FSel.Caret.Row - 1).LastRow) {
    MoveCaret(-1, 0);
    return;
  }
  const TTextPos at = DocPosOf(FSel.Caret);
  const std::string_view line = FList->Get(at.Y);
  const int size = static_cast<int>(line.size());
  TTextPos to = at;
  if (forward) {
    if (at.X > size) {
      if (at.Y + 1 >= FList->Count()) return;
      to = {1, at.Y + 1};
    } else {
      to.X = std::max(WordRange(line, at.X, wmSameClass).End, at.X + 1);
    }
  } else {
    if (at.X <= 1) {
      if (at.Y == 0) return;
      to = {static_cast<int>(FList->Get(at.Y - 1).size()) + 1, at.Y - 1};
    } else {
      to.X = std::min(WordRange(line, at.X - 1, wmSameClass).Start, at.X - 1);
    }
  }
  const TDisplayPos target = DisplayPosOf(to);
  // The mapping may land on the caret itself (a word of hidden notation):
  // the move still goes one cell.
  if (target == FSel.Caret) {
    MoveCaret(forward ? 1 : -1, 0);
    return;
  }
  SetCaretPos(target, forward ? cmForward : cmBack);
}

// Rows past the document's end are slots too: an edit that removed rows
// repaints where they stood. Only the rows the window shows are marked, each
// run of neighbouring rows as one rectangle, so an edit early in a long
// paragraph marks the rest of the window and never the whole view.
void TEditorView::InvalidateRows(int first, int last) {
  int shownFirst = 0, shownLast = 0;
  ShownRows(shownFirst, shownLast);
  first = std::max({first, shownFirst, 0});
  last = std::min(last, shownLast);
  if (last < first) return;
  if (last - first > kMaxMarkedRows) {
    Invalidate();
    return;
  }
  const TRect client = Host().ClientRect();
  const bool vertical = Vertical();
  TRect run{};
  for (int r = first; r <= last; ++r) {
    TRect rect = GetRowRect(r);
    if (!vertical) ++rect.Bottom;
    if (Intersect(rect, client).IsEmpty()) continue;
    const bool adjoins =
        !run.IsEmpty() && (vertical ? rect.Top == run.Top && rect.Bottom == run.Bottom &&
                                          (rect.Right == run.Left || rect.Left == run.Right)
                                    : rect.Left == run.Left && rect.Right == run.Right &&
                                          (rect.Top == run.Bottom || rect.Bottom == run.Top));
    if (adjoins) {
      run = {std::min(run.Left, rect.Left), std::min(run.Top, rect.Top), std::max(run.Right, rect.Right),
             std::max(run.Bottom, rect.Bottom)};
      continue;
    }
    if (!run.IsEmpty()) Host().Invalidate(run);
    run = rect;
  }
  if (!run.IsEmpty()) Host().Invalidate(run);
}

void TEditorView::ShownRows(int& first, int& last) const {
  first = 0;
  last = std::numeric_limits<int>::max();
  if (FPrinting) return;
  if (PaperMode()) {
    // Rows on pages out of sight need no marks.
    const int64_t perPage = std::max(RowsPerPage(), 1);
    first = ClampRow(FFirstPage * perPage);
    last = ClampRow((static_cast<int64_t>(FLastPage) + 1) * perPage - 1);
    return;
  }
  // The offset across the rows chose the window's first row (see PaintPartition);
  // with several partitions the slots of one page stand still.
  const bool vertical = Vertical();
  const int pitch = std::max(FMetrics.LinePitch, 1);
  const int64_t pageFirst =
      (vertical ? static_cast<int64_t>(FOffset.X) : -static_cast<int64_t>(FOffset.Y)) / pitch;
  if (Partitions() > 1) {
    first = ClampRow(pageFirst);
    last = ClampRow(pageFirst + RowsPerPage() - 1);
    return;
  }
  const TRect client = Host().ClientRect();
  const int64_t across = vertical ? client.Width() : client.Height();
  first = ClampRow(pageFirst - 2);
  last = ClampRow(pageFirst + across / pitch + 3);
}

void TEditorView::InvalidateSelectionRows() {
  if (!FSel.Selecting) return;
  InvalidateRows(std::min(FSel.Anchor.Row, FSel.End.Row), std::max(FSel.Anchor.Row, FSel.End.Row));
}

}  // namespace vorna
