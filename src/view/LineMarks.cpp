// The marked lines: lookup, ordered insertion and removal.
#include "view/LineMarks.h"

#include <algorithm>

namespace vorna {

void TLineMarks::Assign(std::vector<TTextPos> items) { FItems = std::move(items); }

int TLineMarks::IndexOfLine(int line) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Y == line) return static_cast<int>(i);
  return -1;
}

bool TLineMarks::Add(TTextPos at) {
  if (Marked(at.Y)) return false;
  FItems.insert(
      std::upper_bound(FItems.begin(), FItems.end(), at, [](TTextPos a, TTextPos b) { return Before(a, b); }),
      at);
  return true;
}

bool TLineMarks::RemoveLine(int line) {
  const int index = IndexOfLine(line);
  if (index < 0) return false;
  FItems.erase(FItems.begin() + index);
  return true;
}

bool TLineMarks::Clear() {
  if (FItems.empty()) return false;
  FItems.clear();
  return true;
}

}  // namespace vorna
