// The display-row record and the row table that holds one record per row of
// the document's layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorna {

// One display row. Start and Length are 32-bit so that a line longer than
// 65,535 bytes still lays out correctly.
struct TRowInfo {
  int32_t Line = -1;       // document line of the row; -1 in the default record
  uint32_t Start = 0;      // 1-based first byte of the row in its line
  uint32_t Length = 0;     // bytes of the row, including a CR and/or LF that follows it
  uint16_t RowInLine = 0;  // 0 for a line's first row
  uint8_t Indent = 0;      // cells shown before the row's text
  uint8_t LastRow = 0;     // set on the last row of a line
  uint16_t SceneNo = 0;    // scene number of a heading row, 0 for none
  bool operator==(const TRowInfo&) const = default;
};

// The row table. Records are stored by value; an index outside the table reads
// as the default record and writes there are ignored.
class TInfoList {
 public:
  int Count() const { return static_cast<int>(FRows.size()); }
  void SetCapacity(int n) {
    if (n > 0) FRows.reserve(static_cast<size_t>(n));
  }
  TRowInfo& AddRow() { return FRows.emplace_back(); }
  // Nullptr for an index outside 0 .. count-1.
  TRowInfo* InsertRow(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    return &*FRows.insert(FRows.begin() + index, TRowInfo{});
  }
  void DeleteRow(int index) {
    if (index >= 0 && index < Count()) FRows.erase(FRows.begin() + index);
  }
  // Replaces the `removed` records from `index` on with `rows`, moving the
  // records after them once (index and removed are clamped to the table).
  void Splice(int index, int removed, const std::vector<TRowInfo>& rows);
  // Removes rows first .. first+count-1 (clamped to the table).
  void DeleteRows(int first, int count);
  // Inserts `count` default records before `index` (clamped to 0 .. count).
  void InsertRows(int index, int count);
  TRowInfo GetRow(int index) const { return index >= 0 && index < Count() ? FRows[index] : TRowInfo{}; }
  void PutRow(int index, const TRowInfo& row) {
    if (index >= 0 && index < Count()) FRows[index] = row;
  }
  // Direct access for the layout's loops; the index must be inside the table.
  TRowInfo& operator[](int index) { return FRows[static_cast<size_t>(index)]; }
  const TRowInfo& operator[](int index) const { return FRows[static_cast<size_t>(index)]; }
  void Truncate(int count) {
    if (count >= 0 && count < Count()) FRows.resize(static_cast<size_t>(count));
  }
  void Clear() { FRows.clear(); }
  const std::vector<TRowInfo>& Rows() const { return FRows; }

 private:
  std::vector<TRowInfo> FRows;
};

}  // namespace vorna
