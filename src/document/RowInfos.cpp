// Edits, decoding and searches of the row table.
#include "document/RowInfos.h"

#include <algorithm>

namespace vorna {

TInfoList::TStoredRow TInfoList::EncodeExplicit(const TRowInfo& row) {
  uint32_t index;
  if (!FFreeExplicit.empty()) {
    index = FFreeExplicit.back();
    FFreeExplicit.pop_back();
  } else {
    index = static_cast<uint32_t>(FExplicit.size());
    FExplicit.emplace_back();
  }
  FExplicit[index] = {row.Start, row.Length, row.RowInLine, row.SceneNo, row.Indent, row.LastRow};
  if (row.SceneNo != 0) ++FNumbered;
  return {kExplicit | (row.RowInLine == 0 ? kLineStart : 0) | index};
}

void TInfoList::AppendEmptyLines(int count, uint8_t indent) {
  if (count <= 0) return;
  TRowInfo row;
  row.Start = 1;
  row.Indent = indent;
  row.LastRow = 1;
  FLineHint.Index = -1;
  if (indent > kIndentMask) {
    // Such a row keeps its fields explicitly, one record each.
    FLastRead.Index = -1;
    Splice(Count(), 0, std::vector<TRowInfo>(static_cast<size_t>(count), row));
    return;
  }
  // A line's only row, derived: the same word for every one, whatever before it.
  FRows.AppendCopies(Encode(row, nullptr), count);
  // The next append reads the row before it from here.
  FLastRead = {Count() - 1, FRows.CountBefore(Count()) - 1, row.Start, row.Length, row.RowInLine};
}

void TInfoList::Release(const TStoredRow& row) {
  if (!(row.Word & kExplicit)) return;
  if (SceneOf(row) != 0) --FNumbered;
  FFreeExplicit.push_back(row.Word & kIndexMask);
}

void TInfoList::ReleaseRows(int first, int count) {
  FRows.Update(first, count, [this](TStoredRow& row, const TOffsets&) { Release(row); });
}

TRowInfo TInfoList::GetRow(int index) const {
  if (index < 0 || index >= Count()) return TRowInfo{};
  const TStoredRow& stored = FRows[index];
  TRowInfo row;
  const bool starts = TStoredRowFields::Counted(stored);
  // Index -1 remembers nothing, so it never stands for the row before row 0.
  if (FLastRead.Index == index)
    row.Line = FLastRead.Line;
  else if (FLastRead.Index >= 0 && FLastRead.Index == index - 1)
    row.Line = FLastRead.Line + (starts ? 1 : 0);
  else if (FLineHint.Index == index)
    row.Line = FLineHint.Line;
  else
    row.Line = FRows.CountBefore(index + 1) - 1;
  if (stored.Word & kExplicit) {
    const TExplicitRow& e = FExplicit[stored.Word & kIndexMask];
    row.Start = e.Start;
    row.Length = e.Length;
    row.RowInLine = e.RowInLine;
    row.Indent = e.Indent;
    row.LastRow = e.LastRow;
    row.SceneNo = e.SceneNo;
  } else {
    row.Length = stored.Word & kLengthMask;
    row.Indent = static_cast<uint8_t>((stored.Word >> kIndentShift) & kIndentMask);
    row.LastRow = (stored.Word & kLastRowBit) ? 1 : 0;
    const int chain = static_cast<int>((stored.Word >> kChainShift) & kChainMask);
    if (chain == 0) {
      row.Start = 1;
    } else if (FLastRead.Index == index) {
      row.Start = FLastRead.Start;
      row.RowInLine = FLastRead.RowInLine;
    } else if (FLastRead.Index >= 0 && FLastRead.Index == index - 1) {
      row.Start = FLastRead.Start + FLastRead.Length;
      row.RowInLine = static_cast<uint16_t>(FLastRead.RowInLine + 1);
    } else {
      // Back to the nearest row whose Start is known: at most 63 rows.
      uint32_t lengths = 0;
      for (int k = index - 1; k >= 0; --k) {
        const TStoredRow& before = FRows[k];
        if (before.Word & kExplicit) {
          const TExplicitRow& e = FExplicit[before.Word & kIndexMask];
          row.Start = e.Start + e.Length + lengths;
          row.RowInLine = static_cast<uint16_t>(e.RowInLine + (index - k));
          break;
        }
        lengths += before.Word & kLengthMask;
        if (((before.Word >> kChainShift) & kChainMask) == 0) {
          row.Start = 1 + lengths;
          row.RowInLine = static_cast<uint16_t>(index - k);
          break;
        }
      }
    }
  }
  FLastRead = {index, row.Line, row.Start, row.Length, row.RowInLine};
  return row;
}

std::vector<TRowInfo> TInfoList::ChainFrom(int index) const {
  std::vector<TRowInfo> chain;
  for (; index < Count() && IsDerivedChain(FRows[index]); ++index) chain.push_back(GetRow(index));
  return chain;
}

void TInfoList::RestoreChain(int index, const std::vector<TRowInfo>& chain, const TRowInfo* before) {
  for (const TRowInfo& row : chain) {
    FRows.Update(index++, 1, [&](TStoredRow& stored, const TOffsets&) {
      Release(stored);
      stored = Encode(row, before);
    });
    before = &row;
  }
}

void TInfoList::Splice(int index, int removed, const std::vector<TRowInfo>& rows) {
  index = std::clamp(index, 0, Count());
  removed = std::clamp(removed, 0, Count() - index);
  // The rows after the replaced ones that derive their Start from them are
  // taken out first and stored again against the new rows.
  const std::vector<TRowInfo> chain = ChainFrom(index + removed);
  TRowInfo before;
  const bool hasBefore = index > 0;
  if (hasBefore) before = GetRow(index - 1);
  FLastRead.Index = -1;
  FLineHint.Index = -1;
  const int added = static_cast<int>(rows.size());
  const int common = std::min(added, removed);
  auto next = rows.begin();
  FRows.Update(index, common, [&](TStoredRow& stored, const TOffsets&) {
    Release(stored);
    stored = Encode(*next, hasBefore || next != rows.begin() ? &before : nullptr);
    before = *next++;
  });
  if (removed > common) {
    ReleaseRows(index + common, removed - common);
    FRows.Erase(index + common, removed - common);
  } else if (added > common) {
    std::vector<TStoredRow> stored;
    stored.reserve(static_cast<size_t>(added - common));
    const TRowInfo* previous = hasBefore || common > 0 ? &before : nullptr;
    for (int i = common; i < added; ++i) {
      const TRowInfo& row = rows[static_cast<size_t>(i)];
      stored.push_back(Encode(row, previous));
      previous = &row;
    }
    before = rows.back();
    FRows.Insert(index + common, stored.begin(), stored.end());
  }
  RestoreChain(index + added, chain, hasBefore || added > 0 ? &before : nullptr);
  // Appending the rows of line after line reads the row before each from here.
  if (added > 0 && chain.empty())
    FLastRead = {index + added - 1, FRows.CountBefore(index + added) - 1, before.Start, before.Length,
                 before.RowInLine};
}

bool TInfoList::InsertRow(int index, const TRowInfo& row) {
  if (index < 0 || index >= Count()) return false;
  Splice(index, 0, {row});
  return true;
}

void TInfoList::PutRow(int index, const TRowInfo& row) {
  if (index >= 0 && index < Count()) Splice(index, 1, {row});
}

void TInfoList::DeleteRows(int first, int count) {
  first = std::clamp(first, 0, Count());
  count = std::clamp(count, 0, Count() - first);
  if (count == 0) return;
  Splice(first, count, {});
}

void TInfoList::Clear() {
  FRows.Clear();
  FExplicit.clear();
  FFreeExplicit.clear();
  FNumbered = 0;
  FLastRead.Index = -1;
  FLineHint.Index = -1;
}

std::vector<TRowInfo> TInfoList::Rows() const {
  std::vector<TRowInfo> rows;
  rows.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) rows.push_back(GetRow(i));
  return rows;
}

int TInfoList::LowerBoundLine(int line) const {
  if (line < 0) return 0;
  const int lines = FRows.CountBefore(Count());
  if (line >= lines) return Count();
  FLineHint = {FRows.FindCounted(line), line};
  return FLineHint.Index;
}

void TInfoList::ShiftScenes(int firstRow, int delta) {
  if (delta == 0 || FNumbered == 0) return;
  firstRow = std::clamp(firstRow, 0, Count());
  FRows.Update(firstRow, Count() - firstRow, [&](TStoredRow& row, const TOffsets&) {
    if (SceneOf(row) != 0) {
      TExplicitRow& e = FExplicit[row.Word & kIndexMask];
      e.SceneNo = static_cast<uint16_t>(e.SceneNo + delta);
    }
  });
}

int TInfoList::SceneBefore(int row) const {
  if (FNumbered == 0) return 0;
  for (int k = std::min(row, Count()) - 1; k >= 0; --k)
    if (const int scene = SceneOf(FRows[k]); scene != 0) return scene;
  return 0;
}

int TInfoList::NumberedRows(int first, int count) const {
  first = std::clamp(first, 0, Count());
  const int end = std::clamp(first + std::max(count, 0), first, Count());
  int numbered = 0;
  for (int k = first; FNumbered != 0 && k < end; ++k) numbered += SceneOf(FRows[k]) != 0 ? 1 : 0;
  return numbered;
}

}  // namespace vorna
