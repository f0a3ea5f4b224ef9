// Bulk edits of the row table.
#include "document/RowInfos.h"

#include <algorithm>

namespace vorna {

void TInfoList::DeleteRows(int first, int count) {
  first = std::max(first, 0);
  const int last = std::min(first + std::max(count, 0), Count());
  if (first >= last) return;
  FRows.erase(FRows.begin() + first, FRows.begin() + last);
}

void TInfoList::InsertRows(int index, int count) {
  if (count <= 0) return;
  index = std::clamp(index, 0, Count());
  FRows.insert(FRows.begin() + index, static_cast<size_t>(count), TRowInfo{});
}

}  // namespace vorna
