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

void TInfoList::Splice(int index, int removed, const std::vector<TRowInfo>& rows) {
  index = std::clamp(index, 0, Count());
  removed = std::clamp(removed, 0, Count() - index);
  const int added = static_cast<int>(rows.size());
  if (added > removed) {
    FRows.insert(FRows.begin() + index + removed, static_cast<size_t>(added - removed), TRowInfo{});
  } else if (added < removed) {
    FRows.erase(FRows.begin() + index + added, FRows.begin() + index + removed);
  }
  std::copy(rows.begin(), rows.end(), FRows.begin() + index);
}

}  // namespace vorna
