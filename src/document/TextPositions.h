// The two kinds of position in a document: a byte in a line and a cell in a
// display row. A leaf: undo and everything above take positions from here
// without the document's own headers.
#pragma once

namespace vorna {

// A document position: 1-based byte offset in a line, 0-based line index.
struct TTextPos {
  int X = 1;
  int Y = 0;
  bool operator==(const TTextPos&) const = default;
};

// A display position: 1-based cell column, 0-based display row.
struct TDisplayPos {
  int Column = 1;
  int Row = 0;
  bool operator==(const TDisplayPos&) const = default;
};

// Document order: an earlier line or row first, then an earlier byte or column.
inline bool Before(TTextPos a, TTextPos b) { return a.Y != b.Y ? a.Y < b.Y : a.X < b.X; }
inline bool Before(TDisplayPos a, TDisplayPos b) {
  return a.Row != b.Row ? a.Row < b.Row : a.Column < b.Column;
}

}  // namespace vorna
