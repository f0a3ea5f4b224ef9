// Cutting lines at their wrap points ("整形") and joining them again, and the
// row questions the editing commands ask about a line's end.
#include <algorithm>

#include "document/EditResults.h"
#include "document/RangePositions.h"
#include "layout/LineWraps.h"
#include "text/TextUtils.h"

namespace vorna {

using range_detail::ClampDisplay;

namespace {

// The lines of the rows of start and end, in order; first > last when the
// range covers no row with a line.
void RangeLines(const TEditList& list, TDisplayPos& start, TDisplayPos& end, int& first, int& last) {
  start = ClampDisplay(list, start);
  end = ClampDisplay(list, end);
  if (end.Row < start.Row) std::swap(start, end);
  first = list.GetRow(start.Row).Line;
  last = list.GetRow(end.Row).Line;
}

// Piece lengths of a line cut at given lengths: each entry takes what is left
// of the line (entries past its end give empty pieces), and bytes the list
// does not cover form one more piece, so no byte is lost.
void GivenPieces(const std::vector<int>& given, int size, std::vector<int>& lengths) {
  lengths.clear();
  int left = size;
  for (const int length : given) {
    const int taken = std::clamp(length, 0, left);
    lengths.push_back(taken);
    left -= taken;
  }
  if (left > 0 || lengths.empty()) lengths.push_back(left);
}

}  // namespace

void TEditList::FormatLines(TDisplayPos start, TDisplayPos end, TFormatResult& result,
                            const std::vector<int>* rowLengths, int width) {
  result.RowCounts.clear();
  result.Indents.clear();
  int first, last;
  RangeLines(*this, start, end, first, last);
  result.CaretPos = end;
  if (first < 0 || last <= first) return;
  const int endByte = DisplayToDoc(end).X;  // the end line itself is not cut

  TWrapInputs inputs;
  inputs.CapacityCells = std::max(width, 0);
  std::vector<int> lengths;
  int line = first;
  for (int k = first; k < last; ++k) {
    const std::string text(Get(line));
    int indent = 0;
    if (rowLengths) {
      GivenPieces(*rowLengths, static_cast<int>(text.size()), lengths);
    } else {
      const TLineIndent lineIndent = GetLineIndent(text, FLayout.Wrap);
      WrapText(text, inputs, FLayout.Wrap, lineIndent, lengths);
      indent = lineIndent.Cells;
    }
    // Only the continuation pieces get the indent as spaces: the first piece
    // keeps the line's own start, so joining with the same indent gives the
    // line back byte for byte.
    const std::string spaces = Indent(indent, FLayout.UseZenkaku);
    size_t offset = 0;
    std::vector<std::string> rest;
    for (size_t j = 0; j < lengths.size(); ++j) {
      std::string piece = j > 0 ? spaces : std::string();
      piece.append(text, offset, static_cast<size_t>(lengths[j]));
      offset += static_cast<size_t>(lengths[j]);
      if (j == 0) {
        if (piece != text) Put(line, piece);
      } else {
        rest.push_back(std::move(piece));
      }
    }
    InsertLines(line + 1, rest);
    const int pieces = static_cast<int>(lengths.size());
    result.RowCounts.push_back(pieces);
    result.Indents.push_back(indent);
    line += pieces;
  }
  // `line` is now the end row's line, after the inserted pieces.
  result.CaretPos = DocToDisplay({endByte, line});
  if (result.CaretPos.Row < 0) {
    const int lastRow = range_detail::LastRowIndex(*this);
    result.CaretPos = {RowCellCount(lastRow) + 1, lastRow};
  }
}

void TEditList::RestoreFormat(TDisplayPos start, TDisplayPos end, TRestoreResult& result, int indentLength) {
  result.Lengths.clear();
  int first, last;
  RangeLines(*this, start, end, first, last);
  result.CaretPos = end;
  if (first < 0 || last <= first) return;
  std::string joined(Get(first));
  result.Lengths.push_back(static_cast<int>(joined.size()));
  for (int line = first + 1; line < last; ++line) {
    const std::string_view text = Get(line);
    const int size = static_cast<int>(text.size());
    result.Lengths.push_back(size);
    int cut = std::clamp(indentLength, 0, size);
    // Never take a lead byte away from its trail byte.
    if (cut > 0 && cut < size && ByteTypeAt(text, cut + 1) == TByteType::Trail) --cut;
    joined.append(text, static_cast<size_t>(cut));
  }
  if (last - first > 1) Put(first, joined);  // a single line joins into itself
  DeleteLines(first + 1, last - first - 1);
  result.CaretPos = DocToDisplay({1, first + 1});
  if (result.CaretPos.Row < 0) {
    const int lastRow = range_detail::LastRowIndex(*this);
    result.CaretPos = {RowCellCount(lastRow) + 1, lastRow};
  }
}

int TEditList::RowsToLineEnd(int row) const {
  const int rows = FRows.Count();
  if (row < 0 || row >= rows) return 1;
  int r = row;
  while (r + 1 < rows && !FRows.GetRow(r).LastRow) ++r;
  return r - row + 1;
}

bool TEditList::IsAtLineEnd(TDisplayPos pos) const {
  const TRowInfo r = GetRow(pos.Row);
  return r.Line >= 0 && r.LastRow && pos.Column >= RowCellCount(pos.Row) + 1;
}

}  // namespace vorna
