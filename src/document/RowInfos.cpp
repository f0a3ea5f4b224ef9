// Edits and searches of the row table.
#include "document/RowInfos.h"

#include <algorithm>

namespace vorna {

bool TInfoList::InsertRow(int index, const TRowInfo& row) {
  if (index < 0 || index >= Count()) return false;
  FRows.Insert(index, Stored(row, FRows.InsertOffsets(index)));
  return true;
}

void TInfoList::PutRow(int index, const TRowInfo& row) {
  if (index < 0 || index >= Count()) return;
  FRows.Update(index, 1, [&](TStoredRow& stored, const TOffsets& offsets) { stored = Stored(row, offsets); });
}

void TInfoList::Splice(int index, int removed, const std::vector<TRowInfo>& rows) {
  index = std::clamp(index, 0, Count());
  removed = std::clamp(removed, 0, Count() - index);
  const int added = static_cast<int>(rows.size());
  const int common = std::min(added, removed);
  auto next = rows.begin();
  FRows.Update(index, common,
               [&](TStoredRow& stored, const TOffsets& offsets) { stored = Stored(*next++, offsets); });
  if (removed > common) {
    FRows.Erase(index + common, removed - common);
  } else if (added > common) {
    const TOffsets offsets = FRows.InsertOffsets(index + common);
    static thread_local std::vector<TStoredRow> stored;
    stored.clear();
    for (int i = common; i < added; ++i) stored.push_back(Stored(rows[static_cast<size_t>(i)], offsets));
    FRows.Insert(index + common, stored.begin(), stored.end());
  }
}

std::vector<TRowInfo> TInfoList::Rows() const {
  std::vector<TRowInfo> rows;
  rows.reserve(static_cast<size_t>(Count()));
  FRows.ForEachBlock([&](const std::vector<TStoredRow>& block, const TOffsets& offsets) {
    for (const TStoredRow& row : block) rows.push_back(Row(row, offsets));
  });
  return rows;
}

int TInfoList::SceneBefore(int row) const {
  const int numbered = FRows.CountBefore(row);
  return numbered > 0 ? GetRow(FRows.FindCounted(numbered - 1)).SceneNo : 0;
}

}  // namespace vorna
