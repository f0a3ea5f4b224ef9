// The selection as the commands see it: its ordered ends, whether a position
// lies in it, its text, the text units around a position, and selecting a
// unit or a range the way the user does (scrolled to, recorded as a jump).
#include <algorithm>

#include "view/EditorViews.h"

namespace vorna {
void TEditorView::GetNormalizedSelection(TDisplayPos& start, TDisplayPos& end) const {
  start = FSelecting ? FSelStart : FCaretPos;
  end = FSelecting ? FSelEnd : FCaretPos;
  if (FSelecting && FBoxSelect) {
    start = {std::min(FSelStart.Column, FSelEnd.Column), std::min(FSelStart.Row, FSelEnd.Row)};
    end = {std::max(FSelStart.Column, FSelEnd.Column), std::max(FSelStart.Row, FSelEnd.Row)};
    return;
  }
  if (Before(end, start)) std::swap(start, end);
}

bool TEditorView::IsSelected(TDisplayPos pos) const {
  if (!FSelecting) return false;
  TDisplayPos start, end;
  GetNormalizedSelection(start, end);
  if (FBoxSelect)
    return pos.Row >= start.Row && pos.Row <= end.Row && pos.Column >= start.Column &&
           pos.Column <= end.Column;
  return !Before(pos, start) && !Before(end, pos);
}

std::string TEditorView::GetSelText() const {
  if (!FSelecting || !FList) return {};
  TDisplayPos start, end;
  GetNormalizedSelection(start, end);
  return FList->GetRangeText(start, end, FBoxSelect);
}

// The end of a row that does not end its line is the start of the next row:
// there the caret may stand, and the row's last character counts as inside.
TDisplayPos TEditorView::RowEndAsCaret(TDisplayPos pos) const {
  if (pos.Row < 0 || pos.Row >= FList->RowCount()) return pos;
  if (!FList->GetRow(pos.Row).LastRow && pos.Column > FList->RowCaretLimit(pos.Row) &&
      pos.Row + 1 < FList->RowCount())
    return {1, pos.Row + 1};
  return pos;
}

void TEditorView::GetUnitRange(TTextUnit unit, TDisplayPos pos, TDisplayPos& start, TDisplayPos& end) const {
  start = end = pos;
  if (!FList || FList->RowCount() == 0) return;
  if (unit == tuSelection) {
    if (FSelecting) GetNormalizedSelection(start, end);
    return;
  }
  if (unit < tuCharacter || unit > tuDocument) return;
  TDisplayPos s, e;
  FList->GetSelectRange(static_cast<TSelectKind>(unit), pos, s, e);
  // No such unit there (no next character at the document's end, pages
  // without a length): the position itself.
  if (s.Row < 0 || e.Row < 0) return;
  start = s;
  end = RowEndAsCaret(e);
}

void TEditorView::SelectFromTo(TDisplayPos anchor, TDisplayPos caret, bool box) {
  if (!FList || FList->RowCount() == 0) return;
  InvalidateSelectionRows();
  FSelStart = ClampCaretPos(RowEndAsCaret(anchor), cmAbsolute);
  FSelecting = false;
  const bool extending = FExtending;
  FExtending = true;
  FBoxSelect = box;
  SetCaretPos(RowEndAsCaret(caret), cmAbsolute, false, true);
  FExtending = extending;
  InvalidateSelectionRows();
}

void TEditorView::SelectUnit(TTextUnit unit) {
  TDisplayPos start, end;
  GetUnitRange(unit, FCaretPos, start, end);
  if (start == end) return;
  SelectFromTo(start, end, false);
}

}  // namespace vorna
