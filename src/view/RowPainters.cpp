// Painting the text of a page: the partitions with the margin strips between
// them, the rows of each partition that meet the clip, and inside each row
// its line number, margin, runs of text, end mark, the rest of the row, the
// ruled lines, the marks beside the text and the painted caret.
#include <algorithm>

#include "graphics/Lines.h"
#include "settings/StyleElements.h"
#include "text/ShiftJis.h"
#include "view/RowPainters.h"
#include "view/ViewMath.h"

namespace vorna {

void TRowPainter::Draw(int page, const TRect& textRect, const TRect& clip) {
  FState = FHost.PaintState();
  const bool vertical = Vertical();
  TFontSpec font = FHost.TextFont();
  font.Height = -Layout().FontHeight;
  FHost.SetCanvasFont(&font, vertical, font.Height);
  FPaintFont = Canvas().Font();
  // Along the rows the text may run on into the page margin: a hung "、" or
  // "。" stands after the last cell, outside a text area that holds the cells
  // exactly.
  const TRect pageRect = FHost.PageRect(page);
  TRect reach = textRect;
  if (vertical)
    reach.Bottom = std::max(reach.Bottom, pageRect.Bottom);
  else
    reach.Right = std::max(reach.Right, pageRect.Right);
  const TRect area = Intersect(clip, reach);
  const int partitions = FHost.Partitions();
  const TViewInfo* divide = Style().GetViewInfo(kElemPartationDivideLine);
  for (int p = 0; p + 1 < partitions; ++p) {
    const TRect part = FHost.GetPartitionRect(page, p), next = FHost.GetPartitionRect(page, p + 1);
    const TRect strip = vertical ? TRect{part.Left, part.Bottom, part.Right, next.Top}
                                 : TRect{part.Right, part.Top, next.Left, part.Bottom};
    FillBackground(strip, Intersect(area, textRect),
                   StyleBack(ElementVisible(kElemUnfilled) ? kElemUnfilled : kElemNormal));
    if (divide && divide->IsVisible()) {
      FHost.SetPenFromElement(*divide);
      if (vertical)
        HLineIn(Canvas(), strip.Left, strip.Right, (strip.Top + strip.Bottom) / 2, divide->IsDoubleLine(),
                area);
      else
        VLineIn(Canvas(), (strip.Left + strip.Right) / 2, strip.Top, strip.Bottom, divide->IsDoubleLine(),
                area);
    }
  }
  for (int p = 0; p < partitions; ++p) {
    // A partition's rows reach to the next partition or the page's end.
    const TRect part = FHost.GetPartitionRect(page, p);
    TRect partReach = part;
    const bool last = p + 1 == partitions;
    if (vertical)
      partReach.Bottom = last ? reach.Bottom : FHost.GetPartitionRect(page, p + 1).Top;
    else
      partReach.Right = last ? reach.Right : FHost.GetPartitionRect(page, p + 1).Left;
    FRowReachPx = vertical ? partReach.Bottom : partReach.Right;
    PaintPartition(page, p, Intersect(area, partReach));
  }
  FHost.ResetCanvasFont();
}

void TRowPainter::PaintPartition(int page, int partition, const TRect& clip) {
  const TRect part = FHost.GetPartitionRect(page, partition);
  const TRect area = clip;
  if (area.IsEmpty()) return;
  const TEditorStyle& s = Style();
  const bool vertical = s.GetVertical(), paper = FState.Paper;
  const int partitions = FHost.Partitions();
  int first = 0, count = 0;
  if (paper || partitions > 1) {
    const int pageFirst = paper ? page * FHost.RowsPerPage()
                                : (vertical ? FState.Offset.X : -FState.Offset.Y) / Layout().LinePitch;
    first = pageFirst + partition * FHost.RowsPerPartition();
    count = FHost.RowsPerPartition();
  } else if (!s.GetPageRoll()) {
    // One partition scrolled over the document: only what the clip shows.
    const int64_t before = vertical ? static_cast<int64_t>(part.Right) + FState.Offset.X - area.Right
                                    : static_cast<int64_t>(area.Top) - part.Top - FState.Offset.Y;
    first = static_cast<int>(std::max<int64_t>(before / Layout().LinePitch, 0));
    count = (vertical ? area.Width() : area.Height()) / Layout().LinePitch + 2;
  } else {
    const int pageFirst = (vertical ? FState.Offset.X : -FState.Offset.Y) / Layout().LinePitch;
    first = pageFirst;
    count = FHost.RowsPerPartition();
  }
  for (int i = 0; i < count; ++i) PaintRow(first + i, area, i == 0 && (partition == 0 || !paper));

  // What lies beyond the last row of the partition.
  const bool single = partitions == 1 || partition == partitions - 1;
  if (!paper && !FState.Printing && !FState.Preview && !s.GetEofOverUnfilled() && !s.GetPageRoll() && single)
    return;
  const TRect last = FHost.GetRowRect(first + count - 1);
  const TRect rest = vertical ? TRect{part.Left, part.Top, last.Left, part.Bottom}
                              : TRect{part.Left, last.Bottom + 1, part.Right, part.Bottom};
  TColor color = StyleBack(ElementVisible(kElemUnfilled) ? kElemUnfilled : kElemNormal);
  if (!vertical) {
    // FillBackground grows fills a pixel down; the partition's bottom is its end.
    FillBackground({rest.Left, rest.Top, rest.Right, rest.Bottom - 1}, area, color);
  } else {
    FillBackground(rest, area, color);
  }
}

int TRowPainter::PaintRow(int row, const TRect& clip, bool firstOfBlock) {
  TRowPaint rp;
  rp.Row = row;
  rp.Rect = FHost.GetRowRect(row);
  TRect full = rp.Rect;
  const bool vertical = Vertical();
  if (vertical)
    full.Bottom = std::max(full.Bottom, FRowReachPx);
  else
    full = {full.Left, full.Top, std::max(full.Right, FRowReachPx), full.Bottom + 1};
  rp.Clip = Intersect(full, clip);
  if (rp.Clip.IsEmpty()) return kRowNotPainted;
  const TEditorStyle& s = Style();
  rp.Exists = row >= 0 && row < Doc().RowCount();
  rp.Info = rp.Exists ? Doc().GetRow(row) : TRowInfo{};
  rp.CaretRow = rp.Exists && row == Sel().Caret.Row && !s.GetReadOnly() && !Doc().IsReadOnlyFile();
  rp.FirstOfBlock = firstOfBlock;
  const TRowPlace place = FHost.GetRowPlace(row);
  rp.Slot = place.Slot;
  rp.Partition = place.Partition;
  const int rowStart = vertical ? rp.Rect.Top : rp.Rect.Left;
  const int rowEnd = vertical ? rp.Rect.Bottom : rp.Rect.Right;
  rp.TextStartPx =
      ClampPixels(static_cast<int64_t>(rowStart) + Layout().LineInfoWidth + Layout().TextLeftMarginPx);
  auto along = [&](int from, int to) {
    return vertical ? TRect{rp.Rect.Left, from, rp.Rect.Right, to}
                    : TRect{from, rp.Rect.Top, to, rp.Rect.Bottom};
  };

  PaintLineInfo(rp);
  if (rp.CaretRow && ElementVisible(kElemCaretLine))
    rp.BaseStyle = kElemCaretLine;
  else if (rp.Exists && ElementVisible(kElemHeading) && Doc().IsHeadingLine(rp.Info.Line))
    rp.BaseStyle = kElemHeading;
  const TColor base = StyleBack(rp.BaseStyle);
  FillBackground(along(rowStart + Layout().LineInfoWidth, rp.TextStartPx), rp.Clip, base);

  // The text in runs of one style.
  rp.TextEndPx = rp.TextStartPx;
  const bool unfilledOverEof = !rp.Exists && s.GetEofOverUnfilled();
  if (rp.Exists) {
    const TRowPaintInfo& info = GetRowPaintInfo(row);
    rp.Cache = &info;
    const int cells = static_cast<int>(info.DisplayText.size());
    rp.TextEndPx = ClampPixels(static_cast<int64_t>(rp.TextStartPx) + FHost.CellsExtent(row, 0, cells - 1));
    for (int first = 0; first < cells;) {
      const int style = info.Cells[static_cast<size_t>(first)].Style;
      int last = first;
      while (last + 1 < cells && info.Cells[static_cast<size_t>(last) + 1].Style == style) ++last;
      if (!Intersect(CellsRect(rp, first, last), rp.Clip).IsEmpty()) PaintRun(rp, first, last, style);
      first = last + 1;
    }
  }

  // End mark, then the rest of the row.
  int restStart = rp.TextEndPx;
  if (rp.Exists) {
    const bool eof = ElementVisible(kElemEof) && row == Doc().RowCount() - 1;
    if (eof || (ElementVisible(kElemReturn) && rp.Info.LastRow)) {
      int selFirst = 0, selLast = -1;
      bool selectedBreak = false;
      Sel().SelectedCells(Doc(), row, selFirst, selLast, selectedBreak);
      PaintEndMark(rp, eof, selectedBreak);
      restStart = ClampPixels(static_cast<int64_t>(restStart) + Layout().CellPitch);
    }
  }
  const bool unfilled = ElementVisible(kElemUnfilled);
  const TColor unfilledBack = StyleBack(kElemUnfilled);
  if (unfilledOverEof && unfilled) {
    FillBackground(along(rp.TextStartPx, rowEnd), rp.Clip, unfilledBack);
  } else if (!s.GetProportionalFont() && unfilled && !(!s.GetColumnCountAuto() && s.GetColumnCount() <= 0)) {
    const int capacityEnd =
        std::max(restStart, ClampPixels(static_cast<int64_t>(rp.TextStartPx) +
                                        FHost.CellsExtent(row, 0, Layout().CharsPerRow - 1)));
    FillBackground(along(restStart, capacityEnd), rp.Clip, base);
    FillBackground(along(capacityEnd, rowEnd), rp.Clip, unfilledBack);
  } else {
    FillBackground(along(restStart, rowEnd), rp.Clip, base);
  }

  PaintTailLines(rp);
  PaintGapLine(rp);
  PaintDivideLines(rp);
  if (rp.CaretRow && rp.BaseStyle == kElemCaretLine) {
    const TViewInfo* caretLine = Style().GetViewInfo(kElemCaretLine);
    if (caretLine->HasLine()) {
      FHost.SetPenFromElement(*caretLine);
      const int edge = GlyphEdge(rp.Rect);
      if (vertical)
        VLineIn(Canvas(), edge - Layout().FontHeight - 1, rp.TextStartPx, rowEnd, caretLine->IsDoubleLine(),
                rp.Clip);
      else
        HLineIn(Canvas(), rp.TextStartPx, rowEnd, edge + Layout().FontHeight, caretLine->IsDoubleLine(),
                rp.Clip);
    }
  }
  if (rp.Exists) {
    PaintRuby(rp);
    PaintEmphasis(rp);
    PaintFootNoteMarks(rp);
  }
  if (rp.CaretRow) PaintCaret(rp);
  return vertical ? rp.Rect.Left : rp.Rect.Bottom + 1;
}

}  // namespace vorna
