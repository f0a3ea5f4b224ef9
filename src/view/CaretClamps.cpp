// Where the caret may stand: the clamping steps of a position for each kind
// of move, over the document's rows alone.
#include <algorithm>
#include <optional>
#include <string_view>

#include "layout/LineWraps.h"
#include "text/ShiftJis.h"
#include "view/CaretRules.h"
#include "view/CaretSelections.h"

namespace vorna {
namespace {

bool IsBack(TCaretMode mode) { return mode != cmForward; }

// What the clamping steps read: the document's rows and the caret settings.
struct TCaretRows {
  const TEditList& List;
  int LastRow = 0;    // the document's last row, 0 when it has none
  int Chars = 1;      // cells of a row, at least 1
  bool Free = false;  // FreeCaret: the caret may stand beyond a row's end
  int Limit(int row) const { return List.RowCaretLimit(row); }
};

// `pos` read as a move in `mode` and brought into the document: a move back
// before a row's first cell goes to the end of the row before, a move forward
// past a row's end to the next row's start (not with a free caret; the last
// row stops at its end), a row move takes the goal column. Empty when a row
// move runs off the document from a caret already on that edge.
std::optional<TDisplayPos> ClampForMode(TDisplayPos pos, TCaretMode mode, const TCaretRows& rows,
                                        TDisplayPos caret, int goalColumn) {
  switch (mode) {
    case cmBack:
      pos.Row = std::clamp(pos.Row, 0, rows.LastRow);
      if (pos.Column < 1) {
        if (pos.Row == 0) {
          pos.Column = 1;
        } else {
          // A free caret goes to the row's last square, or past a longer
          // row's hanging punctuation.
          --pos.Row;
          pos.Column = rows.Free ? std::max(rows.Chars, rows.Limit(pos.Row)) : rows.Limit(pos.Row);
        }
      }
      break;
    case cmForward:
      pos.Row = std::clamp(pos.Row, 0, rows.LastRow);
      pos.Column = std::max(pos.Column, 1);
      if (!rows.Free) {
        if (pos.Row == rows.LastRow)
          pos.Column = std::min(pos.Column, rows.Limit(pos.Row));
        else if (pos.Column > rows.Limit(pos.Row))
          pos = {1, pos.Row + 1};
      }
      break;
    case cmRowUp:
    case cmRowDown:
      if (pos.Row < 0 || pos.Row > rows.LastRow) {
        const int edge = pos.Row < 0 ? 0 : rows.LastRow;
        if (caret.Row == edge) return std::nullopt;
        pos.Row = edge;
      }
      pos.Column = std::max(goalColumn, 1);
      if (!rows.Free) pos.Column = std::min(pos.Column, rows.Limit(pos.Row));
      break;
    case cmAbsolute:
    default:
      pos.Row = std::clamp(pos.Row, 0, rows.LastRow);
      pos.Column = std::max(pos.Column, 1);
      if (!rows.Free) pos.Column = std::min(pos.Column, rows.Limit(pos.Row));
      break;
  }
  return pos;
}

// A column on the trail byte of a double-byte character of `text` moves one
// cell by `step`.
int OffTrailByte(std::string_view text, int column, int step) {
  const bool trail = column >= 1 && column <= static_cast<int>(text.size()) &&
                     ByteTypeAt(text, static_cast<size_t>(column)) == TByteType::Trail;
  return trail ? column + step : column;
}

// On the manuscript grid, beyond the row's text the caret stands at a
// square's start: an even column there moves one cell by `step`, never
// before the first.
int ToSquareStart(TDisplayPos pos, int step, const TCaretRows& rows) {
  if (pos.Column % 2 == 0 && pos.Column > rows.List.RowCellCount(pos.Row) + 1)
    return std::max(pos.Column + step, 1);
  return pos.Column;
}

// A free caret beyond both the row's squares and its text: a forward move goes
// on to the next row's start, any other stops after the last square.
TDisplayPos PastRowEnd(TDisplayPos pos, TCaretMode mode, const TCaretRows& rows) {
  if (!rows.Free || pos.Column <= rows.Chars || pos.Column <= rows.Limit(pos.Row)) return pos;
  if (mode == cmForward && pos.Row < rows.LastRow) return {1, pos.Row + 1};
  return {rows.Chars + 1, pos.Row};
}

// In the padded name before a speaker's SerifuHeader the caret stands only on
// the name and the header (NameAreaCaretCell).
TDisplayPos SkipNamePadding(TDisplayPos pos, TCaretMode mode, const TCaretRows& rows) {
  const int header = rows.List.SerifuHeaderByte(pos.Row);
  const int indent = rows.List.GetRow(pos.Row).Indent;
  if (header <= 0 || pos.Column - indent > kSpeakerNameCells) return pos;
  const std::optional<int> cell = NameAreaCaretCell(header, pos.Column - indent, mode, pos.Row > 0);
  if (!cell) return {rows.Limit(pos.Row - 1), pos.Row - 1};
  return {*cell + indent, pos.Row};
}

// Inside a tab of `text` expanded to stops every `tabCells` cells the caret
// moves on by `step` to the tab's end or back to its start.
int OutOfTab(std::string_view text, int column, int tabCells, int step) {
  const auto tabCell = [&](int c) {
    return c >= 1 && c <= static_cast<int>(text.size()) && text[static_cast<size_t>(c) - 1] == '\t';
  };
  while (tabCell(column - 1) && tabCell(column) && (column - 1) % tabCells != 0) column += step;
  return column;
}

// Inside the row's indent a move back goes to the end of the row before (from
// the first row, as any other move, to the first cell after the indent).
TDisplayPos OutOfIndent(TDisplayPos pos, TCaretMode mode, const TCaretRows& rows) {
  const int indent = rows.List.GetRow(pos.Row).Indent;
  if (indent < pos.Column) return pos;
  if (mode == cmBack && pos.Row > 0) return {rows.Limit(pos.Row - 1), pos.Row - 1};
  return {indent + 1, pos.Row};
}

// What every rule leaves behind: inside the document, never on a trail byte.
TDisplayPos Settle(TDisplayPos pos, const TCaretRows& rows) {
  pos.Row = std::clamp(pos.Row, 0, rows.LastRow);
  pos.Column = std::max(pos.Column, 1);
  if (!rows.Free) pos.Column = std::min(pos.Column, rows.Limit(pos.Row));
  if (rows.List.IsTrailCell(pos)) pos.Column += pos.Column < rows.Limit(pos.Row) || rows.Free ? 1 : -1;
  return pos;
}

}  // namespace

std::optional<int> NameAreaCaretCell(int header, int cell, TCaretMode mode, bool rowBefore) {
  constexpr int kHeaderCell = kSpeakerNameCells + 1;
  switch (header) {
    case kSpeakerNoName:
      return kHeaderCell;
    case kSpeakerOneCharName: {
      // The name takes cells 3 and 4, with two cells of padding on either side.
      constexpr int kNameCell = 3;
      if (cell < kNameCell) {
        if (mode == cmBack && rowBefore) return std::nullopt;
        return kNameCell;
      }
      if (cell > kNameCell + 1) return mode == cmBack ? kNameCell : kHeaderCell;
      return cell;
    }
    case kSpeakerTwoCharName: {
      // The name's characters take cells 1 and 2, and 5 and 6.
      constexpr int kSecondCell = 5;
      if (cell > 2 && cell < kSecondCell) return mode == cmForward ? kSecondCell : 1;
      return cell;
    }
    default:
      return cell;
  }
}

TDisplayPos TCaretSelection::Clamp(const TEditList& list, TDisplayPos pos, TCaretMode mode,
                                   const TCaretClampRules& rules, bool* stopped) const {
  if (stopped) *stopped = false;
  const TCaretRows rows{list, std::max(list.RowCount() - 1, 0), std::max(rules.CharsPerRow, 1),
                        rules.FreeCaret};
  const std::optional<TDisplayPos> moved = ClampForMode(pos, mode, rows, Caret, GoalColumn);
  if (!moved) {
    if (stopped) *stopped = true;
    return Caret;
  }
  pos = *moved;
  // Columns far beyond any row (a point far outside the view) are brought in
  // before the steps below move cell by cell.
  pos.Column = std::min(pos.Column, std::max(rows.Chars, rows.Limit(pos.Row)) + 2);

  // The steps in order, each on what the one before left; the text is read
  // again only when a step changed the row.
  const int step = IsBack(mode) ? -1 : 1;
  const int textRow = pos.Row;
  std::string text = list.RowDisplayText(pos.Row);
  pos.Column = OffTrailByte(text, pos.Column, step);
  if (rules.GridSquares) pos.Column = ToSquareStart(pos, step, rows);
  pos = PastRowEnd(pos, mode, rows);
  pos = SkipNamePadding(pos, mode, rows);
  const TLayoutSettings& wrap = list.Layout().Wrap;
  if (wrap.TabVisible) {
    if (pos.Row != textRow) text = list.RowDisplayText(pos.Row);
    pos.Column = OutOfTab(text, pos.Column, std::max(wrap.TabLength, 1), step);
  }
  pos = OutOfIndent(pos, mode, rows);
  return Settle(pos, rows);
}

}  // namespace vorna
