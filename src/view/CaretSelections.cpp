// The selection's rules over the document's rows: ordered ends, membership,
// text, selected cells of a row, text units, and placing the caret.
#include <algorithm>

#include "view/CaretSelections.h"

namespace vorna {

TDisplayPos ClampIntoDocument(const TEditList& list, TDisplayPos pos) {
  pos.Row = std::clamp(pos.Row, 0, std::max(list.RowCount() - 1, 0));
  pos.Column = std::clamp(pos.Column, 1, list.RowCaretLimit(pos.Row));
  if (pos.Column > 1 && list.IsTrailCell(pos)) --pos.Column;
  return pos;
}

// There the caret may stand, and the row's last character counts as inside.
TDisplayPos RowEndAsCaret(const TEditList& list, TDisplayPos pos) {
  if (pos.Row < 0 || pos.Row >= list.RowCount()) return pos;
  if (!list.GetRow(pos.Row).LastRow && pos.Column > list.RowCaretLimit(pos.Row) &&
      pos.Row + 1 < list.RowCount())
    return {1, pos.Row + 1};
  return pos;
}

void TCaretSelection::Normalized(TDisplayPos& start, TDisplayPos& end) const {
  start = Selecting ? Anchor : Caret;
  end = Selecting ? End : Caret;
  if (Selecting && Box) {
    start = {std::min(Anchor.Column, End.Column), std::min(Anchor.Row, End.Row)};
    end = {std::max(Anchor.Column, End.Column), std::max(Anchor.Row, End.Row)};
    return;
  }
  if (Before(end, start)) std::swap(start, end);
}

bool TCaretSelection::IsSelected(TDisplayPos pos) const {
  if (!Selecting) return false;
  TDisplayPos start, end;
  Normalized(start, end);
  if (Box)
    return pos.Row >= start.Row && pos.Row <= end.Row && pos.Column >= start.Column &&
           pos.Column <= end.Column;
  return !Before(pos, start) && !Before(end, pos);
}

std::string TCaretSelection::SelectedText(const TEditList& list) const {
  if (!Selecting) return {};
  TDisplayPos start, end;
  Normalized(start, end);
  return list.GetRangeText(start, end, Box);
}

bool TCaretSelection::SelectedCells(const TEditList& list, int row, int& first, int& last,
                                    bool& lineBreak) const {
  first = 0;
  last = -1;
  lineBreak = false;
  if (!Selecting) return false;
  TDisplayPos start, end;
  Normalized(start, end);
  if (row < start.Row || row > end.Row || row >= list.RowCount()) return false;
  const TRowInfo r = list.GetRow(row);
  if (Box) {
    int from = start.Column, to = end.Column;
    // A boundary on the second byte of a character moves a cell on.
    if (list.IsTrailCell({from, row})) ++from;
    if (list.IsTrailCell({to, row})) ++to;
    first = from - 1;
    last = to - 2;
    return last >= first;
  }
  const int cells = static_cast<int>(list.RowDisplayText(row).size());
  first = row == start.Row ? start.Column - 1 : r.Indent;
  last = row == end.Row ? end.Column - 2 : cells - 1;
  last = std::min(last, cells - 1);
  lineBreak = row != end.Row && r.LastRow;
  return last >= first || lineBreak;
}

void TCaretSelection::UnitRange(const TEditList& list, TTextUnit unit, TDisplayPos pos, TDisplayPos& start,
                                TDisplayPos& end) const {
  start = end = pos;
  if (list.RowCount() == 0) return;
  if (unit == tuSelection) {
    if (Selecting) Normalized(start, end);
    return;
  }
  if (unit < tuCharacter || unit > tuDocument) return;
  TDisplayPos s, e;
  list.GetSelectRange(static_cast<TSelectKind>(unit), pos, s, e);
  // No such unit there (no next character at the document's end, pages
  // without a length): the position itself.
  if (s.Row < 0 || e.Row < 0) return;
  start = s;
  end = RowEndAsCaret(list, e);
}

void TCaretSelection::Clear() {
  Selecting = Box = false;
  Anchor = End = Caret;
}

void TCaretSelection::Place(const TEditList& list, TDisplayPos pos) {
  Caret = ClampIntoDocument(list, pos);
  End = Caret;
  if (!Selecting) Anchor = Caret;
}

void TCaretSelection::Select(const TEditList& list, TDisplayPos start, TDisplayPos end, bool box) {
  Selecting = false;
  Place(list, start);
  Selecting = !(ClampIntoDocument(list, start) == ClampIntoDocument(list, end));
  Box = Selecting && box;
  Place(list, end);
}

}  // namespace vorna
