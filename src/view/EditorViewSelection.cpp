// The selection as the commands see it: its ordered ends, whether a position
// lies in it, its text, the text units around a position, and selecting a
// unit or a range the way the user does (scrolled to, recorded as a jump).
#include "view/EditorViews.h"

namespace vorna {
void TEditorView::GetNormalizedSelection(TDisplayPos& start, TDisplayPos& end) const {
  FSel.Normalized(start, end);
}

bool TEditorView::IsSelected(TDisplayPos pos) const { return FSel.IsSelected(pos); }

std::string TEditorView::GetSelText() const { return FList ? FSel.SelectedText(*FList) : std::string(); }

void TEditorView::GetUnitRange(TTextUnit unit, TDisplayPos pos, TDisplayPos& start, TDisplayPos& end) const {
  if (!FList) {
    start = end = pos;
    return;
  }
  FSel.UnitRange(*FList, unit, pos, start, end);
}

void TEditorView::SelectFromTo(TDisplayPos anchor, TDisplayPos caret, bool box) {
  if (!FList || FList->RowCount() == 0) return;
  InvalidateSelectionRows();
  FSel.Anchor = ClampCaretPos(RowEndAsCaret(*FList, anchor), cmAbsolute);
  FSel.Selecting = false;
  const bool extending = FSel.Extending;
  FSel.Extending = true;
  FSel.Box = box;
  SetCaretPos(RowEndAsCaret(*FList, caret), cmAbsolute, false, true);
  FSel.Extending = extending;
  InvalidateSelectionRows();
}

void TEditorView::SelectUnit(TTextUnit unit) {
  TDisplayPos start, end;
  GetUnitRange(unit, FSel.Caret, start, end);
  if (start == end) return;
  SelectFromTo(start, end, false);
}

}  // namespace vorna
