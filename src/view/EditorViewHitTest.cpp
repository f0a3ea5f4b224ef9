// Points and positions: the client point of a display position, the display
// position under a point, what lies under a point (text, the line-number
// column, links, annotation marks, the selection) and the annotation hint.
#include <algorithm>
#include <cstdlib>

#include "print/PageMetrics.h"
#include "settings/FontTexts.h"
#include "settings/StyleElements.h"
#include "text/ShiftJis.h"
#include "view/EditorViews.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

bool Inside(TPoint p, const TRect& r) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// How far `p` lies outside `r` (0 inside), for picking the nearest rectangle.
int64_t Distance(TPoint p, const TRect& r) {
  const int64_t dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - r.Right + 1 : 0;
  const int64_t dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0;
  return dx + dy;
}

// A mark's hot spot in client pixels (it is kept relative to its row).
TRect HotSpotIn(const TFootNoteMark& mark, const TRect& rowRect) {
  return {rowRect.Left + mark.HotSpot.Left, rowRect.Top + mark.HotSpot.Top, rowRect.Left + mark.HotSpot.Right,
          rowRect.Top + mark.HotSpot.Bottom};
}

}  // namespace

TPoint TEditorView::PosToPoint(TDisplayPos pos, bool glyphBand, bool forCaret) const {
  if (!FList) return {};
  const TEditorStyle& s = *EditorStyle();
  const bool vertical = s.GetVertical();
  const TRect row = GetRowRect(pos.Row);
  const int64_t along = static_cast<int64_t>(FMetrics.LineInfoWidth) + FMetrics.TextLeftMarginPx +
                        CellsExtent(pos.Row, 0, pos.Column - 2) +
                        (forCaret ? -FMetrics.HalfColumnSpacePx : 1);
  const bool marks = FPainter.MarksShown();
  if (vertical) {
    int x = row.Right;
    if (!glyphBand)
      x -= RowPitch(pos.Row);
    else if (marks)
      x += FMetrics.GapLineWidth - RowPitch(pos.Row) + 1;
    else
      x -= FMetrics.HalfLineSpacePx + FMetrics.FontHeight;
    return {x, ClampPixels(row.Top + along)};
  }
  int y = row.Top;
  if (glyphBand) y += marks ? RowPitch(pos.Row) - FMetrics.FontHeight - 2 : FMetrics.HalfLineSpacePx;
  return {ClampPixels(row.Left + along), y};
}

bool TEditorView::PartitionAt(TPoint point, int& page, int& partition, bool nearest) const {
  page = partition = 0;
  const int partitions = Partitions();
  int64_t best = -1;
  const int firstPage = PaperMode() ? FFirstPage : 0, lastPage = PaperMode() ? FLastPage : 0;
  for (int pg = firstPage; pg <= std::max(lastPage, firstPage); ++pg)
    for (int p = 0; p < partitions; ++p) {
      const TRect r = GetPartitionRect(pg, p);
      if (Inside(point, r)) {
        page = pg;
        partition = p;
        return true;
      }
      const int64_t d = Distance(point, r);
      if (nearest && (best < 0 || d < best)) {
        best = d;
        page = pg;
        partition = p;
      }
    }
  return false;
}

// The first row of a partition, and whether rows step from it (with the
// paper, several partitions or page roll) rather than from row 0.
int TEditorView::PartitionFirstRow(int page, int partition) const {
  if (PaperMode()) return page * RowsPerPage() + partition * RowsPerPartition();
  const int shown = (Vertical() ? FOffset.X : -FOffset.Y) / FMetrics.LinePitch;
  if (Partitions() > 1) return std::max(shown, 0) + partition * RowsPerPartition();
  return 0;
}

TDisplayPos TEditorView::PointToPos(TPoint point) const {
  if (!FList || FList->RowCount() == 0) return {1, 0};
  return ClampCaretPos(PointToRawPos(point), cmAbsolute);
}

TDisplayPos TEditorView::PointToRawPos(TPoint point) const {
  const bool vertical = Vertical();
  int page = 0, partition = 0;
  PartitionAt(point, page, partition, true);
  const TRect part = GetPartitionRect(page, partition);
  const int lastRow = FList->RowCount() - 1;

  // Across: the row whose band holds the point.
  int row = 0;
  if (PaperMode() || Partitions() > 1) {
    const int first = PartitionFirstRow(page, partition);
    // Pixels into the partition from its near edge (the pixel at the right
    // edge of a vertical partition is column Right - 1).
    const int64_t into =
        vertical ? static_cast<int64_t>(part.Right) - 1 - point.X : static_cast<int64_t>(point.Y) - part.Top;
    row = first;
    int64_t edge = 0;
    for (int slot = 0; slot + 1 < RowsPerPartition(); ++slot) {
      edge += RowPitch(first + slot);
      if (into < edge) break;
      ++row;
    }
  } else {
    // One partition scrolled over the whole document: the rows are evenly pitched.
    const int64_t into = vertical ? static_cast<int64_t>(part.Right) + FOffset.X - 1 - point.X
                                  : static_cast<int64_t>(point.Y) - part.Top - FOffset.Y;
    row = static_cast<int>(std::clamp<int64_t>(into < 0 ? 0 : into / FMetrics.LinePitch, 0, lastRow));
  }
  row = std::clamp(row, 0, lastRow);

  // Along: character by character, to the nearer boundary of the character
  // under the point (a double-byte character counts as one).
  const TRect rowRect = GetRowRect(row);
  const int64_t start = static_cast<int64_t>(vertical ? rowRect.Top : rowRect.Left) + FMetrics.LineInfoWidth +
                        FMetrics.TextLeftMarginPx;
  const int64_t at = (vertical ? point.Y : point.X) - start;
  if (at < 0) return {1, row};
  const std::string text = FList->RowDisplayText(row);
  const int size = static_cast<int>(text.size());
  int64_t edge = 0;
  int column = 1;
  while (column <= size) {
    const int bytes = IsDoubleByteAt(text, static_cast<size_t>(column - 1)) ? 2 : 1;
    const int width = CellsExtent(row, column - 1, column + bytes - 2);
    if (at < edge + width) return {at * 2 >= edge * 2 + width ? column + bytes : column, row};
    edge += width;
    column += bytes;
  }
  // Beyond the text the cells have the fixed pitch.
  const int64_t beyond = (at - edge) / std::max(FMetrics.CellPitch, 1);
  const int64_t rest = (at - edge) % std::max(FMetrics.CellPitch, 1);
  const int64_t cells = std::min<int64_t>(beyond + (rest * 2 >= FMetrics.CellPitch ? 1 : 0),
                                          std::max(FMetrics.CharsPerRow, size) + 2);
  return {column + static_cast<int>(cells), row};
}

THitKind TEditorView::HitTestKind(TPoint point) {
  FPointer.HitKind = hkOutside;
  FPointer.HitRect = {};
  FPointer.HitPos = {1, 0};
  int page = 0, partition = 0;
  if (!FList || FList->RowCount() == 0 || !PartitionAt(point, page, partition, false))
    return FPointer.HitKind;
  const bool vertical = Vertical();
  FPointer.HitPos = PointToPos(point);
  const int row = FPointer.HitPos.Row;
  const TRect rowRect = GetRowRect(row);
  const bool onRow = Inside(point, rowRect);

  // Annotation marks stand beside the text, in the row's band.
  if (onRow && ElementVisible(kElemFootNote) && ElementVisible(kElemFootNoteMark)) {
    const TRowPaintInfo& info = GetRowPaintInfo(row);
    for (const TFootNoteMark& mark : info.FootNoteMarks) {
      const TRect hot = HotSpotIn(mark, rowRect);
      if (Inside(point, hot)) {
        FPointer.HitRect = hot;
        return FPointer.HitKind = hkFootNote;
      }
    }
  }
  if (FMetrics.LineInfoWidth > 0 && (onRow || vertical)) {
    const int start = vertical ? rowRect.Top : rowRect.Left;
    const int at = vertical ? point.Y : point.X;
    if (at >= start && at < start + FMetrics.LineInfoWidth) return FPointer.HitKind = hkLineInfo;
  }
  FPointer.HitKind = hkText;
  if (!onRow) return FPointer.HitKind;
  // The cell under the point (not the nearer boundary).
  const int64_t along = static_cast<int64_t>(vertical ? point.Y - rowRect.Top : point.X - rowRect.Left) -
                        FMetrics.LineInfoWidth - FMetrics.TextLeftMarginPx;
  const TRowPaintInfo& info = GetRowPaintInfo(row);
  const int size = static_cast<int>(info.DisplayText.size());
  int64_t edge = 0;
  for (int cell = 0; cell < size && along >= 0; ++cell) {
    edge += CellPitchAt(row, cell);
    if (along >= edge) continue;
    const int style = info.Cells[static_cast<size_t>(cell)].Style;
    if (style == kElemSelect) FPointer.HitKind = hkSelection;
    if (style == kElemUrl) FPointer.HitKind = hkUrl;
    if (style == kElemMail) FPointer.HitKind = hkMail;
    break;
  }
  return FPointer.HitKind;
}

TCursorShape TEditorView::CursorForHit(THitKind kind) const {
  switch (kind) {
    case hkLineInfo:
      return TCursorShape::ReverseArrow;
    case hkUrl:
    case hkMail:
      return TCursorShape::Hand;
    case hkText:
    case hkSelection:
      return Vertical() ? TCursorShape::VerticalBeam : TCursorShape::IBeam;
    case hkOutside:
    case hkFootNote:
    default:
      return TCursorShape::Arrow;
  }
}

void TEditorView::GetHintInfo(std::string& text, TPoint& at) {
  text.clear();
  if (HitTestKind(at) != hkFootNote) return;
  // The annotation's content between "［＃" and "］".
  const TTextPos doc = DocPosOf(FPointer.HitPos);
  const TRowPaintInfo& info = GetRowPaintInfo(FPointer.HitPos.Row);
  const TRect rowRect = GetRowRect(FPointer.HitPos.Row);
  const std::string_view line = FList->Get(doc.Y);
  for (const TFootNoteMark& mark : info.FootNoteMarks) {
    if (!(HotSpotIn(mark, rowRect) == FPointer.HitRect)) continue;
    const int first = mark.First + 4, last = mark.Last - 2;  // past "［＃", before "］"
    if (first >= 1 && last >= first && last <= static_cast<int>(line.size()))
      text = line.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
    break;
  }
  if (text.empty()) return;
  const TViewInfo* note = FStyle->GetViewInfo(kElemFootNote);
  const TViewInfo* markInfo = FStyle->GetViewInfo(kElemFootNoteMark);
  if (note) FHintData.Font = ToFontSpec(note->GetFont(), Metrics().ScreenDpi);
  if (markInfo) {
    FHintData.Font.Color = SystemColorValue(markInfo->GetFont().Color);
    FHintData.BackColor = markInfo->GetBackColor();
  }
  FHintData.Vertical = Vertical();
}

}  // namespace vorna
