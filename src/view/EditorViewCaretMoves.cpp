// Moving the caret: the clamping rules of a position for each kind of move,
// SetCaretPos with its selection, repaint, scroll and jump bookkeeping, and
// the moves by cells, rows, words and pages.
#include <algorithm>

#include "settings/StyleElements.h"
#include "text/CharClasses.h"
#include "text/ShiftJis.h"
#include "undo/EditorUndos.h"
#include "view/EditorViews.h"

namespace vorna {
namespace {

bool IsBack(TCaretMode mode) { return mode != cmForward; }

}  // namespace

bool TEditorView::IsReadOnly() const {
  return EditorStyle()->GetReadOnly() || (FList && FList->IsReadOnlyFile());
}

TDisplayPos TEditorView::ClampCaretPos(TDisplayPos pos, TCaretMode mode, bool* stopped) const {
  if (stopped) *stopped = false;
  const TEditorStyle& s = *EditorStyle();
  const int lastRow = std::max(FList->RowCount() - 1, 0);
  const bool free = s.GetFreeCaret();
  const int chars = std::max(FCharsPerRow, 1);
  const auto limit = [&](int row) { return FList->RowCaretLimit(row); };

  switch (mode) {
    case cmBack:
      pos.Row = std::clamp(pos.Row, 0, lastRow);
      if (pos.Column < 1) {
        if (pos.Row == 0) {
          pos.Column = 1;
        } else {
          // A free caret goes to the row's last square, or past a longer
          // row's hanging punctuation.
          --pos.Row;
          pos.Column = free ? std::max(chars, limit(pos.Row)) : limit(pos.Row);
        }
      }
      break;
    case cmForward:
      pos.Row = std::clamp(pos.Row, 0, lastRow);
      pos.Column = std::max(pos.Column, 1);
      if (!free) {
        if (pos.Row == lastRow)
          pos.Column = std::min(pos.Column, limit(pos.Row));
        else if (pos.Column > limit(pos.Row))
          pos = {1, pos.Row + 1};
      }
      break;
    case cmRowUp:
    case cmRowDown:
      if (pos.Row < 0 || pos.Row > lastRow) {
        const int edge = pos.Row < 0 ? 0 : lastRow;
        if (FCaretPos.Row == edge) {
          if (stopped) *stopped = true;
          return FCaretPos;
        }
        pos.Row = edge;
      }
      pos.Column = std::max(FGoalColumn, 1);
      if (!free) pos.Column = std::min(pos.Column, limit(pos.Row));
      break;
    case cmAbsolute:
    default:
      pos.Row = std::clamp(pos.Row, 0, lastRow);
      pos.Column = std::max(pos.Column, 1);
      if (!free) pos.Column = std::min(pos.Column, limit(pos.Row));
      break;
  }
  // Columns far beyond any row (a point far outside the view) are brought in
  // before the rules below step cell by cell.
  pos.Column = std::min(pos.Column, std::max(chars, limit(pos.Row)) + 2);

  const int step = IsBack(mode) ? -1 : 1;
  std::string text = FList->RowDisplayText(pos.Row);
  const auto trail = [&](int column) {
    return column >= 1 && column <= static_cast<int>(text.size()) &&
           ByteTypeAt(text, static_cast<size_t>(column)) == TByteType::Trail;
  };
  if (trail(pos.Column)) pos.Column += step;

  // On the manuscript grid, beyond the text the caret stands at a square's start.
  if (ElementVisible(kElemGapLine) && s.GetGapLineStyle() == kGapLineGrid && pos.Column % 2 == 0 &&
      pos.Column > FList->RowCellCount(pos.Row) + 1)
    pos.Column = std::max(pos.Column + step, 1);

  if (free && pos.Column > chars && pos.Column > limit(pos.Row)) {
    if (mode == cmForward && pos.Row < lastRow)
      pos = {1, pos.Row + 1};
    else
      pos.Column = chars + 1;
    text = FList->RowDisplayText(pos.Row);
  }

  // The speaker-name area: the caret skips the padding around a short name.
  const int header = FList->SerifuHeaderByte(pos.Row);
  const int indent = FList->GetRow(pos.Row).Indent;
  if (header > 0 && pos.Column - indent <= 6) {
    const int c = pos.Column - indent;
    int to = c;
    bool toPreviousRow = false;
    if (header == 1) {
      to = 7;
    } else if (header == 3) {
      if (c <= 2) {
        if (mode == cmBack && pos.Row > 0)
          toPreviousRow = true;
        else
          to = 3;
      } else if (c >= 5) {
        to = mode == cmBack ? 3 : 7;
      }
    } else if (header == 5 && (c == 3 || c == 4)) {
      to = mode == cmForward ? 5 : 1;
    }
    if (toPreviousRow) {
      --pos.Row;
      pos.Column = limit(pos.Row);
      text = FList->RowDisplayText(pos.Row);
    } else {
      pos.Column = to + indent;
    }
  }

  // Inside an expanded tab the caret moves on to its end or back to its start.
  const TLayoutSettings& wrap = FList->Layout().Wrap;
  if (wrap.TabVisible) {
    const int tab = std::max(wrap.TabLength, 1);
    const auto tabCell = [&](int column) {
      return column >= 1 && column <= static_cast<int>(text.size()) && text[column - 1] == '\t';
    };
    while (tabCell(pos.Column - 1) && tabCell(pos.Column) && (pos.Column - 1) % tab != 0) pos.Column += step;
  }

  // Inside the row's indent.
  const int rowIndent = FList->GetRow(pos.Row).Indent;
  if (rowIndent >= pos.Column) {
    if (mode == cmBack && pos.Row > 0) {
      --pos.Row;
      pos.Column = limit(pos.Row);
    } else {
      pos.Column = rowIndent + 1;
    }
  }

  // What every rule leaves behind: inside the document, never on a trail byte.
  pos.Row = std::clamp(pos.Row, 0, lastRow);
  pos.Column = std::max(pos.Column, 1);
  if (!free) pos.Column = std::min(pos.Column, limit(pos.Row));
  if (FList->IsTrailCell(pos)) pos.Column += pos.Column < limit(pos.Row) || free ? 1 : -1;
  return pos;
}

void TEditorView::SetCaretPos(TDisplayPos pos, TCaretMode mode, bool noScroll, bool force) {
  if (!FList || FList->RowCount() == 0) return;
  const bool quiet = FEditing > 0 || FResizeLock > 0;
  const bool dragging = FDragPending || FLineDrag;
  if (FSelecting && !FExtending && !dragging && !quiet) {
    InvalidateSelectionRows();
    FSelecting = false;
  }
  bool stopped = false;
  pos = ClampCaretPos(pos, mode, &stopped);
  if (stopped) return;
  if (pos == FCaretPos && !force) {
    if (mode != cmRowUp && mode != cmRowDown) FGoalColumn = FCaretPos.Column;
    return;
  }

  Fire(OnCaretMoving);
  const TCaretPlace before = CaretPlace();
  const TPoint oldPoint = PosToPoint(FCaretPos, false, true);
  const TDisplayPos old = FCaretPos;
  const TDisplayPos oldAnchor = FSelStart;
  const bool wasSelecting = FSelecting;
  FCaretPos = pos;
  // While a dragged selection is carried the caret shows the drop point and
  // the selection stays.
  if (!FDragMoving) {
    if (!quiet) {
      if (!FExtending) FSelStart = FCaretPos;
      FSelecting = FExtending && !(FSelStart == FCaretPos);
      if (!FSelecting) FBoxSelect = FBoxSelect && FExtending;
    }
    FSelEnd = FCaretPos;
  }

  // Repaint: a scroll or a page change repaints everything, else what moved.
  bool all = false;
  const bool roll = EditorStyle()->GetPageRoll() && !PaperMode();
  if (roll && GetRowPlace(old.Row).Page != GetRowPlace(pos.Row).Page) all = true;
  if (Partitions() > 1 && FSelecting && GetRowPlace(old.Row).Partition != GetRowPlace(pos.Row).Partition)
    all = true;
  if (!noScroll && ScrollToCaret(FJumping ? csCentre : csMinimal, oldPoint)) all = true;
  if (all) {
    Invalidate();
  } else {
    if (FSelecting || wasSelecting) {
      if (FBoxSelect) {
        InvalidateRows(std::min({old.Row, pos.Row, oldAnchor.Row, FSelStart.Row}),
                       std::max({old.Row, pos.Row, oldAnchor.Row, FSelStart.Row}));
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

  if (mode != cmRowUp && mode != cmRowDown) FGoalColumn = FCaretPos.Column;
  if (!noScroll) UpdateImePoint();
  if (!quiet && FUndo) FUndo->AddJump(before, CaretPlace());
  Fire(OnCaretMoved);
}

// The undo history's placement: absolute, no extension, no scrolling (the
// history sets the offset itself).
void TEditorView::SetCaretPos(TDisplayPos pos) {
  const bool extending = FExtending;
  FExtending = false;
  if (FSelecting) {
    InvalidateSelectionRows();
    FSelecting = FBoxSelect = false;
    FSelStart = FCaretPos;
  }
  SetCaretPos(pos, cmAbsolute, true, false);
  FExtending = extending;
}

void TEditorView::JumpCaret(TDisplayPos pos) {
  FJumping = true;
  SetCaretPos(pos, cmAbsolute, false, true);
  FJumping = false;
}

void TEditorView::MoveCaret(int dColumns, int dRows) {
  if (dRows != 0) {
    SetCaretPos({FGoalColumn, FCaretPos.Row + dRows}, dRows < 0 ? cmRowUp : cmRowDown);
    return;
  }
  if (dColumns != 0)
    SetCaretPos({FCaretPos.Column + dColumns, FCaretPos.Row}, dColumns < 0 ? cmBack : cmForward);
}

void TEditorView::MoveWord(bool forward) {
  const TRowInfo row = FList->GetRow(FCaretPos.Row);
  if (forward && !row.LastRow && FCaretPos.Column >= FList->RowCaretLimit(FCaretPos.Row)) {
    MoveCaret(1, 0);
    return;
  }
  if (!forward && FCaretPos.Column <= row.Indent + 1 && FCaretPos.Row > 0 &&
      !FList->GetRow(FCaretPos.Row - 1).LastRow) {
    MoveCaret(-1, 0);
    return;
  }
  const TTextPos at = DocPosOf(FCaretPos);
  const std::string& line = FList->Get(at.Y);
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
  if (target == FCaretPos) {
    MoveCaret(forward ? 1 : -1, 0);
    return;
  }
  SetCaretPos(target, forward ? cmForward : cmBack);
}

// Rows past the document's end are slots too: an edit that removed rows
// repaints where they stood.
void TEditorView::InvalidateRows(int first, int last) {
  first = std::max(first, 0);
  // On paper, rows on pages out of sight need no marks.
  if (PaperMode() && !FPrinting) {
    const int perPage = std::max(RowsPerPage(), 1);
    first = std::max(first, FFirstPage * perPage);
    last = std::min(last, (FLastPage + 1) * perPage - 1);
    if (last < first) return;
  }
  if (last - first > 2 * RowsPerPage() + 4) {
    Invalidate();
    return;
  }
  for (int r = first; r <= last; ++r) {
    TRect rect = GetRowRect(r);
    if (!Vertical()) ++rect.Bottom;
    Host().Invalidate(rect);
  }
}

void TEditorView::InvalidateSelectionRows() {
  if (!FSelecting) return;
  InvalidateRows(std::min(FSelStart.Row, FSelEnd.Row), std::max(FSelStart.Row, FSelEnd.Row));
}

}  // namespace vorna
