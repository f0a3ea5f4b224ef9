// Edits, decoding and searches of the row table.
#include "document/RowInfos.h"

#include <algorithm>

namespace vorna {

TInfoList::TStoredRow TInfoList::Encode(const TRowInfo& row, const TRowInfo* before, int lineOffset) {
  const bool first = row.RowInLine == 0 && row.Start == 1;
  const bool continues = row.RowInLine % 64 != 0 && before && before->RowInLine + 1 == row.RowInLine &&
                         uint64_t{before->Start} + before->Length == row.Start;
  TStoredRow stored{row.Line - lineOffset, 0};
  if (row.SceneNo == 0 && row.Indent <= kIndentMask && row.Length <= kLengthMask && row.LastRow <= 1 &&
      (first || continues)) {
    stored.Word = row.Length | uint32_t{row.Indent} << kIndentShift |
                  (uint32_t{row.RowInLine} % 64) << kChainShift | (row.LastRow ? kLastRowBit : 0);
    return stored;
  }
  uint32_t index;
  if (!FFreeExplicit.empty()) {
    index = FFreeExplicit.back();
    FFreeExplicit.pop_back();
  } else {
    index = static_cast<uint32_t>(FExplicit.size());
    FExplicit.emplace_back();
  }
  FExplicit[index] = {row.Start, row.Length, row.RowInLine, row.SceneNo, row.Indent, row.LastRow};
  stored.Word = kExplicit | (row.SceneNo != 0 ? kNumbered : 0) | index;
  return stored;
}

void TInfoList::Release(const TStoredRow& row) {
  if (row.Word & kExplicit) FFreeExplicit.push_back(row.Word & kIndexMask);
}

void TInfoList::ReleaseRows(int first, int count) {
  FRows.Update(first, count, [this](TStoredRow& row, const TOffsets&) { Release(row); });
}

TRowInfo TInfoList::GetRow(int index) const {
  if (index < 0 || index >= Count()) return TRowInfo{};
  TOffsets offsets;
  const TStoredRow& stored = FRows.At(index, offsets);
  TRowInfo row;
  row.Line = stored.Line + offsets[kLineOffset];
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
    } else if (FLastRead.Index == index - 1) {
      row.Start = FLastRead.Start + FLastRead.Length;
      row.RowInLine = static_cast<uint16_t>(FLastRead.RowInLine + 1);
    } else {
      // Back to the nearest row whose Start is known: at most 63 rows.
      uint32_t lengths = 0;
      for (int k = index - 1; k >= 0; --k) {
        const TStoredRow& before = FRows.At(k, offsets);
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
  FLastRead = {index, row.Start, row.Length, row.RowInLine};
  return row;
}

std::vector<TRowInfo> TInfoList::ChainFrom(int index) const {
  std::vector<TRowInfo> chain;
  TOffsets offsets;
  for (; index < Count() && IsDerivedChain(FRows.At(index, offsets)); ++index) chain.push_back(GetRow(index));
  return chain;
}

void TInfoList::RestoreChain(int index, const std::vector<TRowInfo>& chain, const TRowInfo* before) {
  for (const TRowInfo& row : chain) {
    FRows.Update(index++, 1, [&](TStoredRow& stored, const TOffsets& offsets) {
      Release(stored);
      stored = Encode(row, before, offsets[kLineOffset]);
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
  const int added = static_cast<int>(rows.size());
  const int common = std::min(added, removed);
  auto next = rows.begin();
  FRows.Update(index, common, [&](TStoredRow& stored, const TOffsets& offsets) {
    Release(stored);
    stored = Encode(*next, hasBefore || next != rows.begin() ? &before : nullptr, offsets[kLineOffset]);
    before = *next++;
  });
  if (removed > common) {
    ReleaseRows(index + common, removed - common);
    FRows.Erase(index + common, removed - common);
  } else if (added > common) {
    const TOffsets offsets = FRows.InsertOffsets(index + common);
    std::vector<TStoredRow> stored;
    stored.reserve(static_cast<size_t>(added - common));
    for (int i = common; i < added; ++i) {
      const TRowInfo& row = rows[static_cast<size_t>(i)];
      stored.push_back(Encode(row, hasBefore || i > 0 ? &before : nullptr, offsets[kLineOffset]));
      before = row;
    }
    FRows.Insert(index + common, stored.begin(), stored.end());
  }
  RestoreChain(index + added, chain, hasBefore || added > 0 ? &before : nullptr);
  // Appending the rows of line after line reads the row before each from here.
  if (added > 0 && chain.empty())
    FLastRead = {index + added - 1, before.Start, before.Length, before.RowInLine};
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
  FLastRead.Index = -1;
}

std::vector<TRowInfo> TInfoList::Rows() const {
  std::vector<TRowInfo> rows;
  rows.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) rows.push_back(GetRow(i));
  return rows;
}

void TInfoList::ShiftScenes(int firstRow, int delta) {
  if (delta == 0) return;
  const int total = FRows.CountBefore(Count());
  TOffsets offsets;
  for (int n = FRows.CountBefore(std::max(firstRow, 0)); n < total; ++n) {
    const TStoredRow& row = FRows.At(FRows.FindCounted(n), offsets);
    TExplicitRow& e = FExplicit[row.Word & kIndexMask];
    e.SceneNo = static_cast<uint16_t>(e.SceneNo + delta);
  }
}

int TInfoList::SceneBefore(int row) const {
  const int numbered = FRows.CountBefore(row);
  return numbered > 0 ? GetRow(FRows.FindCounted(numbered - 1)).SceneNo : 0;
}

}  // namespace vorna
