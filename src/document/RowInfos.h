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
// reading, writing, inserting or deleting a record cost O(log rows) plus at
// most one block, and walking the rows in order costs O(1) per row.
//
// A row's Line is not stored: it is the number of line starts (rows with
// RowInLine 0) up to and including it, less one. So the table's rows are
// always numbered 0, 1, 2 ... by their first rows, whatever Line the records
// written carried, and inserting or deleting a line's rows renumbers every
// later row at no cost. The layout writes its rows in that order anyway.
// Scene numbers are stored; finding or moving them walks the rows, which
// costs nothing while no row has one. Like the blocks, const reads are not
// safe on two threads at once.
//
// A record costs 4 bytes when it is the only row of its line or continues the
// row before it (the next RowInLine, starting where that one ends), with no
// scene number, an indent below 128 cells and fewer than 2^17 bytes, and at
// most 63 rows from a line's first row or an explicitly stored row: such a
// row's Start and RowInLine are derived from the rows before it. Any other
// record keeps its fields explicitly, in 20 bytes.
class TInfoList {
 public:
  int Count() const { return FRows.Size(); }
  // Room for about n records.
  void SetCapacity(int n) {
    if (n > 0) FRows.Reserve(n);
  }
  void AddRow(const TRowInfo& row) { Splice(Count(), 0, {row}); }
  // Inserts row before index; false (and nothing inserted) outside 0 .. count-1.
  bool InsertRow(int index, const TRowInfo& row);
  void DeleteRow(int index) {
    if (index >= 0 && index < Count()) DeleteRows(index, 1);
  }
  // Replaces the `removed` records from `index` on with `rows` (index and
  // removed are clamped to the table); records rows have in common with the
  // removed ones are overwritten in place.
  void Splice(int index, int removed, const std::vector<TRowInfo>& rows);
  // Appends `count` lines of one empty row each, indented `indent` cells:
  // what Splice(Count(), 0, rows) stores for them, without a record built
  // for each. A file of line breaks is little else.
  void AppendEmptyLines(int count, uint8_t indent);
  // Removes rows first .. first+count-1 (clamped to the table).
  void DeleteRows(int first, int count);
  TRowInfo GetRow(int index) const;
  void PutRow(int index, const TRowInfo& row);
  void Clear();
  // A copy of every record, in order (O(rows)).
  std::vector<TRowInfo> Rows() const;

  // Adds delta to every non-zero SceneNo from firstRow on.
  void ShiftScenes(int firstRow, int delta);
  // The SceneNo of the nearest record before row that has one; 0 for none.
  int SceneBefore(int row) const;
  // Records with a non-zero SceneNo among first .. first+count-1 (clamped).
  int NumberedRows(int first, int count) const;
  // The first row whose Line is at least `line`; Count() when there is none.
  int LowerBoundLine(int line) const;

 private:
  // A record as stored: the packed fields of a derived row, or the index of
  // its explicit fields with whether it starts a line.
  struct TStoredRow {
    uint32_t Word;
  };
  static_assert(sizeof(TStoredRow) == 4, "a row of a one-row line costs 4 bytes");
  // Word of a derived row: Length in bits 0-16, Indent 17-23, RowInLine modulo
  // 64 in 24-29 (0 only on a line's first row), LastRow in 30. Word of an
  // explicit row: kExplicit, kLineStart, the index in FExplicit in bits 0-29.
  static constexpr uint32_t kExplicit = 1u << 31;
  static constexpr uint32_t kLineStart = 1u << 30;
  static constexpr uint32_t kIndexMask = kLineStart - 1;
  static constexpr uint32_t kLengthMask = (1u << 17) - 1;
  static constexpr int kIndentShift = 17;
  static constexpr uint32_t kIndentMask = 0x7F;
  static constexpr int kChainShift = 24;
  static constexpr uint32_t kChainMask = 63;
  static constexpr uint32_t kLastRowBit = 1u << 30;
  struct TExplicitRow {
    uint32_t Start;
    uint32_t Length;
    uint16_t RowInLine;
    uint16_t SceneNo;
    uint8_t Indent;
    uint8_t LastRow;
  };
  // The fields a row takes from the row before it.
  struct TChainEnd {
    int Index = -1;  // -1: none remembered
    int Line = 0;
    uint32_t Start = 0;
    uint32_t Length = 0;
    uint16_t RowInLine = 0;
  };
  // The blocks count the rows that start a line, which numbers the lines.
  struct TStoredRowFields : TPlainFields<TStoredRow> {
    static constexpr bool kCounts = true;
    static bool Counted(const TStoredRow& row) {
      return (row.Word & kExplicit) ? (row.Word & kLineStart) != 0
                                    : ((row.Word >> kChainShift) & kChainMask) == 0;
    }
  };
  // Blocks of 256 records (1 KB): an edit moves half of one on average, and
  // a row's line is counted over at most one block.
  using TRows = TBlockedSequence<TStoredRow, TStoredRowFields, 256>;
  using TOffsets = TRows::TOffsets;

  static bool IsDerivedChain(const TStoredRow& row) {
    return !(row.Word & kExplicit) && ((row.Word >> kChainShift) & kChainMask) != 0;
  }
  // Stores row as it follows `before` (null: it is the table's first row).
  // Inline, as the layout stores every row through it.
  TStoredRow Encode(const TRowInfo& row, const TRowInfo* before) {
    const bool first = row.RowInLine == 0 && row.Start == 1;
    const bool continues = row.RowInLine % 64 != 0 && before && before->RowInLine + 1 == row.RowInLine &&
                           uint64_t{before->Start} + before->Length == row.Start;
    if (row.SceneNo == 0 && row.Indent <= kIndentMask && row.Length <= kLengthMask && row.LastRow <= 1 &&
        (first || continues))
      return {row.Length | uint32_t{row.Indent} << kIndentShift |
              (uint32_t{row.RowInLine} % 64) << kChainShift | (row.LastRow ? kLastRowBit : 0)};
    return EncodeExplicit(row);
  }
  // The same for a row that keeps its fields in FExplicit.
  TStoredRow EncodeExplicit(const TRowInfo& row);
  // The scene number of a stored row.
  int SceneOf(const TStoredRow& row) const {
    return (row.Word & kExplicit) ? FExplicit[row.Word & kIndexMask].SceneNo : 0;
  }
  void Release(const TStoredRow& row);
  void ReleaseRows(int first, int count);
  // The derived rows from index on whose Start comes from the rows before them.
  std::vector<TRowInfo> ChainFrom(int index) const;
  // Stores `chain` again from index on, after the rows before it changed.
  void RestoreChain(int index, const std::vector<TRowInfo>& chain, const TRowInfo* before);

  TRows FRows;
  std::vector<TExplicitRow> FExplicit;
  std::vector<uint32_t> FFreeExplicit;  // indexes in FExplicit no row uses
  int FNumbered = 0;                    // rows with a scene number
  mutable TChainEnd FLastRead;          // the row GetRow decoded last
  // The first row of a line LowerBoundLine found last, so that reading that
  // row next needs no count of line starts. Index -1: none.
  struct TLineHint {
    int Index = -1;
    int Line = 0;
  };
  mutable TLineHint FLineHint;
};

}  // namespace vorna
