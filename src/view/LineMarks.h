// TLineMarks: the marked lines of a document (the bookmarks shown in the
// line-number column), kept in document order as text positions.
#pragma once

#include <vector>

#include "document/TextPositions.h"

namespace vorna {

class TLineMarks {
 public:
  const std::vector<TTextPos>& Items() const { return FItems; }
  void Assign(std::vector<TTextPos> items);
  bool Empty() const { return FItems.empty(); }
  // The index of the mark on `line`, or -1.
  int IndexOfLine(int line) const;
  bool Marked(int line) const { return IndexOfLine(line) >= 0; }
  // Marks `at`'s line (at `at`), in order; nothing when the line is marked.
  bool Add(TTextPos at);
  bool RemoveLine(int line);
  bool Clear();

 private:
  std::vector<TTextPos> FItems;
};

}  // namespace vorna
