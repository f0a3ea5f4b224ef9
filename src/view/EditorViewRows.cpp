// Placing display rows on pages: the page, partition and slot of a row, the
// band it occupies, and the row and cell pitches with the remainders of the
// printer mirror handed out one pixel at a time.
#include <algorithm>
#include <cstdlib>

#include "view/EditorViews.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

// `base` with |remainder| pixels spread over `count` items: the first
// |remainder| mod count items get one more, every item |remainder| div count.
int Spread(int base, int remainder, int count, int index) {
  if (remainder == 0 || count <= 0) return base;
  const int r = std::abs(remainder);
  const int extra = r / count + (index < r % count ? 1 : 0);
  return remainder > 0 ? base + extra : base - extra;
}

// The sum of Spread over the items 0 .. n-1.
int64_t SpreadSum(int base, int remainder, int count, int64_t n) {
  if (n <= 0) return 0;
  int64_t sum = n * base;
  if (remainder == 0 || count <= 0) return sum;
  const int r = std::abs(remainder);
  const int64_t extra = n * (r / count) + std::min<int64_t>(n, r % count);
  return remainder > 0 ? sum + extra : sum - extra;
}

TRect MovedBy(const TRect& r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

}  // namespace

TRowPlace TEditorView::GetRowPlace(int row) const {
  TRowPlace place;
  row = std::max(row, 0);
  const int perPage = RowsPerPage();
  const bool vertical = Vertical();
  place.Page = row / perPage;
  if (PaperMode()) {
    place.PageFirstRow = row - row % perPage;
  } else {
    const int across = vertical ? FOffset.X : -FOffset.Y;
    place.PageFirstRow = across / FMetrics.LinePitch;
    place.Page = 0;
  }
  const int inPage = row - place.PageFirstRow;
  if (Partitions() < 2) {
    place.Slot = inPage;
  } else {
    place.Partition = std::clamp(inPage / RowsPerPartition(), 0, Partitions() - 1);
    place.Slot = inPage - place.Partition * RowsPerPartition();
  }
  place.PageRect = GetPageRects(place.Page).Page;
  place.PartitionRect = GetPartitionRect(place.Page, place.Partition);
  return place;
}

TRect TEditorView::GetPartitionRect(int page, int partition) const {
  if (FMetrics.PartitionRects.empty()) return {};
  if (!PaperMode() && Partitions() > 1) page = 0;
  partition = std::clamp(partition, 0, static_cast<int>(FMetrics.PartitionRects.size()) - 1);
  const TRect text = GetPageTextRect(std::max(page, 0));
  return MovedBy(FMetrics.PartitionRects[static_cast<size_t>(partition)], text.Left, text.Top);
}

TRect TEditorView::GetRowRect(int row) const {
  const TRowPlace place = GetRowPlace(row);
  const TRect& part = place.PartitionRect;
  const bool vertical = Vertical();
  if (PaperMode()) {
    const int before = RowsExtent(0, place.Slot - 1), pitch = RowPitch(row);
    if (vertical) return {part.Right - before - pitch, part.Top, part.Right - before, part.Bottom};
    return {part.Left, part.Top + before, part.Right, part.Top + before + pitch};
  }
  // One partition scrolls over the whole document; with several, the offset
  // across the rows chose the page's first row and the slots stand still.
  const bool several = Partitions() > 1;
  const int64_t index = several ? place.Slot : std::max(row, 0);
  const int64_t shift = index * FMetrics.LinePitch;
  if (vertical) {
    const int right = ClampPixels(part.Right + (several ? 0 : FOffset.X) - shift);
    return {right - FMetrics.LinePitch, part.Top + FOffset.Y, right, part.Bottom + FOffset.Y};
  }
  const int top = ClampPixels(part.Top + (several ? 0 : FOffset.Y) + shift);
  return {part.Left + FOffset.X, top, part.Right + FOffset.X, top + FMetrics.LinePitch - 1};
}

int TEditorView::RowPitch(int row) const {
  if (FMetrics.RowPitchRemainder == 0) return FMetrics.LinePitch;
  return Spread(FMetrics.LinePitch, FMetrics.RowPitchRemainder, RowsPerPartition(), GetRowPlace(row).Slot);
}

int TEditorView::RowsExtent(int firstSlot, int lastSlot) const {
  if (lastSlot < firstSlot) return 0;
  const int rows = RowsPerPartition();
  return ClampPixels(
      SpreadSum(FMetrics.LinePitch, FMetrics.RowPitchRemainder, rows, static_cast<int64_t>(lastSlot) + 1) -
      SpreadSum(FMetrics.LinePitch, FMetrics.RowPitchRemainder, rows, firstSlot));
}

int TEditorView::CellPitchAt(int row, int cell) const {
  if (EditorStyle()->GetProportionalFont() && FList && row >= 0 && row < FList->RowCount()) {
    // The measured advance; cells past the text keep the fixed pitch.
    const TRowPaintInfo& info = GetRowPaintInfo(row);
    if (cell >= 0 && cell < static_cast<int>(info.DisplayText.size()))
      return info.Cells[static_cast<size_t>(cell)].Advance;
    return FMetrics.CellPitch;
  }
  return Spread(FMetrics.CellPitch, FMetrics.CellPitchRemainder, FMetrics.CharsPerRow, cell);
}

int TEditorView::CellsExtent(int row, int firstCell, int lastCell) const {
  if (lastCell < firstCell) return 0;
  if (EditorStyle()->GetProportionalFont() && FList && row >= 0 && row < FList->RowCount()) {
    const TRowPaintInfo& info = GetRowPaintInfo(row);
    const int64_t size = static_cast<int64_t>(info.DisplayText.size());
    int64_t sum = 0;
    const int64_t from = std::max<int64_t>(firstCell, 0), to = std::min<int64_t>(lastCell, size - 1);
    for (int64_t i = from; i <= to; ++i) sum += info.Cells[static_cast<size_t>(i)].Advance;
    // Cells beyond the text (and before the first) at the fixed pitch.
    const int64_t outside =
        (static_cast<int64_t>(lastCell) - firstCell + 1) - std::max<int64_t>(to - from + 1, 0);
    return ClampPixels(sum + outside * FMetrics.CellPitch);
  }
  return ClampPixels(
      SpreadSum(FMetrics.CellPitch, FMetrics.CellPitchRemainder, FMetrics.CharsPerRow,
                static_cast<int64_t>(lastCell) + 1) -
      SpreadSum(FMetrics.CellPitch, FMetrics.CellPitchRemainder, FMetrics.CharsPerRow, firstCell));
}

}  // namespace vorna
