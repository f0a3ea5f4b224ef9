// Finding text in the document line by line, and the ranges that the
// selection gestures (character, word, row, line, page, all) cover.
#include <algorithm>

#include "document/EditResults.h"
#include "document/RangePositions.h"
#include "text/CharClasses.h"
#include "text/StrSrch.h"

namespace vorna {

using range_detail::ClampDisplay;

void TEditList::FindText(std::string_view pattern, TDisplayPos from, TDisplayPos& found, int occurrence,
                         bool forward) const {
  found = {-1, -1};
  if (pattern.empty() || occurrence < 1) return;
  const TTextPos p = DisplayToDoc(ClampDisplay(*this, from));
  const TStringSearch engine(pattern, soMultiByte | (FFindOptions & 1 ? soIgnoreCase : 0));
  const bool wholeWord = FFindOptions & 2;
  const int length = static_cast<int>(pattern.size());
  std::vector<int> positions;
  int count = 0;
  const int step = forward ? 1 : -1;
  for (int line = p.Y; line >= 0 && line < Count(); line += step) {
    FindAllWith(engine, Get(line), wholeWord, positions);
    const int n = static_cast<int>(positions.size());
    for (int k = 0; k < n; ++k) {
      const int o = positions[static_cast<size_t>(forward ? k : n - 1 - k)];
      const bool counts = line != p.Y || (forward ? o >= p.X : o + length - 1 <= p.X);
      if (counts && ++count == occurrence) {
        found = DocToDisplay({o, line});
        return;
      }
    }
  }
}

void TEditList::GetSelectRange(TSelectKind kind, TDisplayPos pos, TDisplayPos& rangeStart,
                               TDisplayPos& rangeEnd) const {
  rangeStart = {0, -1};
  rangeEnd = {0, -1};
  pos = ClampDisplay(*this, pos);
  const TTextPos p = DisplayToDoc(pos);
  const std::string_view line = Get(p.Y);
  const int size = static_cast<int>(line.size());
  const int lastRow = range_detail::LastRowIndex(*this);
  switch (kind) {
    case skCharacter:
      rangeStart = pos;
      if (p.X > size)
        rangeEnd = DocToDisplay({1, p.Y + 1}, true);  // row -1 after the last line: no next character
      else
        rangeEnd =
            DocToDisplay({p.X + (p.X < size && ByteTypeAt(line, p.X) == TByteType::Lead ? 2 : 1), p.Y}, true);
      break;
    case skWord: {
      const int at = p.X > size ? p.X - 1 : p.X;
      const TWordRange word = WordRange(line, at, 0);
      rangeStart = DocToDisplay({word.Start, p.Y});
      rangeEnd = DocToDisplay({word.End, p.Y}, true);
      break;
    }
    case skRow:
      rangeStart = {GetRow(pos.Row).Indent + 1, pos.Row};
      rangeEnd = {RowCellCount(pos.Row) + 1, pos.Row};
      break;
    case skLine:
      rangeStart = DocToDisplay({1, p.Y});
      rangeEnd = p.Y + 1 < Count() ? DocToDisplay({1, p.Y + 1}) : DocToDisplay({size + 1, p.Y});
      break;
    case skPage: {
      const int rows = FEditSettings.LineCountInPage;
      if (rows < 1) break;
      rangeStart = {1, rows * (pos.Row / rows)};
      const long long next = static_cast<long long>(rangeStart.Row) + rows;
      if (next <= lastRow)
        rangeEnd = {1, static_cast<int>(next)};
      else
        rangeEnd = {RowCellCount(lastRow) + 1, lastRow};
      break;
    }
    case skAll:
      rangeStart = {1, 0};
      rangeEnd = {RowCellCount(lastRow) + 1, lastRow};
      break;
    default:
      rangeStart = rangeEnd = pos;
      break;
  }
}

}  // namespace vorna
