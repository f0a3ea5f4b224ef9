// The display-row record and the row table that holds one record per row of
// the document's layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/BlockedSequences.h"

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

// The row table. An index outside the table reads as the default record and
// writes there are ignored. Records are kept in blocks (BlockedSequences.h):
// reading, writing, inserting or deleting a record and moving the line or
// scene numbers of every later record cost O(log rows) plus at most one
// block, and walking the rows in order costs O(1) per row. The searches by
// line assume the records are in line order, as the layout keeps them. Like
// the blocks, const reads are not safe on two threads at once.
class TInfoList {
 public:
  int Count() const { return FRows.Size(); }
  // Room for about n records.
  void SetCapacity(int n) {
    if (n > 0) FRows.Reserve(n);
  }
  void AddRow(const TRowInfo& row) { FRows.PushBack(Stored(row, FRows.InsertOffsets(Count()))); }
  // Inserts row before index; false (and nothing inserted) outside 0 .. count-1.
  bool InsertRow(int index, const TRowInfo& row);
  void DeleteRow(int index) {
    if (index >= 0 && index < Count()) FRows.Erase(index, 1);
  }
  // Replaces the `removed` records from `index` on with `rows` (index and
  // removed are clamped to the table); records rows have in common with the
  // removed ones are overwritten in place.
  void Splice(int index, int removed, const std::vector<TRowInfo>& rows);
  // Removes rows first .. first+count-1 (clamped to the table).
  void DeleteRows(int first, int count) { FRows.Erase(first, count); }
  TRowInfo GetRow(int index) const {
    if (index < 0 || index >= Count()) return TRowInfo{};
    TOffsets offsets;
    const TStoredRow& row = FRows.At(index, offsets);
    return Row(row, offsets);
  }
  void PutRow(int index, const TRowInfo& row);
  void Clear() { FRows.Clear(); }
  // A copy of every record, in order (O(rows)).
  std::vector<TRowInfo> Rows() const;

  // Adds delta to Line of every record from firstRow on.
  void ShiftLines(int firstRow, int delta) { FRows.Shift(firstRow, kLineOffset, delta); }
  // Adds delta to every non-zero SceneNo from firstRow on.
  void ShiftScenes(int firstRow, int delta) { FRows.Shift(firstRow, kSceneOffset, delta); }
  // The SceneNo of the nearest record before row that has one; 0 for none.
  int SceneBefore(int row) const;
  // Records with a non-zero SceneNo among first .. first+count-1 (clamped).
  int NumberedRows(int first, int count) const {
    return FRows.CountBefore(first + count) - FRows.CountBefore(first);
  }
  // The first row whose Line is at least `line`; Count() when there is none.
  int LowerBoundLine(int line) const {
    return FRows.PartitionPoint(
        kLineOffset, [line](const TStoredRow& row, int offset) { return row.Line + offset < line; });
  }

 private:
  // A record as stored: Line and SceneNo relative to the offsets of its block,
  // and whether it has a scene number at all (a relative SceneNo may be 0).
  // Packed: 19 bytes a row rather than 20 (2 MB of a 100 MB novel's rows).
  struct [[gnu::packed]] TStoredRow {
    int32_t Line;
    uint32_t Start;
    uint32_t Length;
    uint16_t RowInLine;
    uint16_t SceneNo;
    uint8_t Indent;
    uint8_t LastRow;
    bool Numbered;
  };
  static constexpr int kLineOffset = 0;
  static constexpr int kSceneOffset = 1;
  struct TStoredRowFields {
    static constexpr int kOffsets = 2;
    static constexpr bool kCounts = true;  // the numbered rows
    static void Shift(TStoredRow& row, int offset, int delta) {
      if (offset == kLineOffset)
        row.Line += delta;
      else if (row.Numbered)
        row.SceneNo = static_cast<uint16_t>(row.SceneNo + delta);
    }
    static bool Counted(const TStoredRow& row) { return row.Numbered; }
  };
  // Blocks of 512 records (10 KB): an edit moves half of one on average.
  using TRows = TBlockedSequence<TStoredRow, TStoredRowFields, 512>;
  using TOffsets = TRows::TOffsets;

  static TStoredRow Stored(const TRowInfo& row, const TOffsets& offsets) {
    return {row.Line - offsets[kLineOffset],
            row.Start,
            row.Length,
            row.RowInLine,
            static_cast<uint16_t>(row.SceneNo - offsets[kSceneOffset]),
            row.Indent,
            row.LastRow,
            row.SceneNo != 0};
  }
  static TRowInfo Row(const TStoredRow& row, const TOffsets& offsets) {
    return {row.Line + offsets[kLineOffset],
            row.Start,
            row.Length,
            row.RowInLine,
            row.Indent,
            row.LastRow,
            row.Numbered ? static_cast<uint16_t>(row.SceneNo + offsets[kSceneOffset]) : uint16_t{0}};
  }
  static_assert(sizeof(TStoredRow) <= sizeof(TRowInfo), "a stored row is no larger than the record");

  TRows FRows;
};

}  // namespace vorna
