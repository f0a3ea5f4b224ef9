// Position helpers shared by the document's range operations: clamping a
// display position into the document and mapping it to a byte position that
// never lies inside a double-byte character.
#pragma once

#include <algorithm>

#include "document/EditLists.h"
#include "text/ShiftJis.h"

namespace vorna::range_detail {

// Virtual space beyond a row's end is filled with at most this many cells, so
// a wild column cannot insert megabytes of padding.
inline constexpr int kMaxVirtualCells = 4096;

inline int LastRowIndex(const TEditList& list) { return std::max(list.RowCount() - 1, 0); }

// A row before the first is row 0; a row past the last is column 1 of the last
// row (the rule of DisplayToDoc); a column below 1 is 1.
inline TDisplayPos ClampDisplay(const TEditList& list, TDisplayPos pos) {
  if (pos.Row > LastRowIndex(list)) return {1, LastRowIndex(list)};
  return {std::max(pos.Column, 1), std::max(pos.Row, 0)};
}

// The same for a corner of a box: the row is clamped into the table, the column
// is kept, so the box keeps its width.
inline TDisplayPos ClampBoxCorner(const TEditList& list, TDisplayPos pos) {
  return {std::max(pos.Column, 1), std::clamp(pos.Row, 0, LastRowIndex(list))};
}

// The document position of a display position, inside its line; a position on
// a trail byte moves one byte right, so an edit never splits a character.
inline TTextPos DocPos(const TEditList& list, TDisplayPos pos) {
  TTextPos doc = list.DisplayToDoc(pos);
  doc.Y = std::clamp(doc.Y, 0, list.Count() - 1);
  const std::string_view line = list.Get(doc.Y);
  const int size = static_cast<int>(line.size());
  doc.X = std::clamp(doc.X, 1, size + 1);
  if (doc.X <= size && ByteTypeAt(line, doc.X) == TByteType::Trail) ++doc.X;
  return doc;
}

}  // namespace vorna::range_detail
