// The ruled lines of a row: the gap line (ruled lines or the manuscript
// grid), the tail lines of the number column and of the row capacity, the
// page divide lines, and the screenplay's scene bracket.
#include <algorithm>
#include <cstdint>

#include "graphics/GridStrips.h"
#include "graphics/Lines.h"
#include "settings/StyleElements.h"
#include "view/RowPainters.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

// Narrows the canvas clip while a pen wider than a pixel draws: the line
// helpers keep a line's position inside the clip, not its width.
class TWidePenClip {
 public:
  TWidePenClip(TCanvas& canvas, const TRect& clip) : FCanvas(canvas) {
    if (canvas.PenWidth() <= 1) return;
    FSaved = canvas.ClipRect();
    FActive = true;
    canvas.SetClipRect(Intersect(FSaved, clip));
  }
  ~TWidePenClip() {
    if (FActive) FCanvas.SetClipRect(FSaved);
  }
  TWidePenClip(const TWidePenClip&) = delete;
  TWidePenClip& operator=(const TWidePenClip&) = delete;

 private:
  TCanvas& FCanvas;
  TRect FSaved;
  bool FActive = false;
};

// The across edges of a row: its outermost pixels toward the previous row
// (near: the right in vertical writing, the top in horizontal writing) and
// toward the next one (far).
struct TRowEdges {
  int Near = 0, Far = 0;
  int NearInward = 1;  // +1: the row lies at higher coordinates than Near
};

TRowEdges EdgesOf(const TRowPaint& rp, bool vertical) {
  if (vertical) return {rp.Rect.Right - 1, rp.Rect.Left, -1};
  return {rp.Rect.Top, rp.Rect.Bottom, 1};
}

// Where a line along an edge stands so that its width, and the second line
// of a doubled one, stay inside the row. `inward` says on which side the
// row lies.
int InsideEdge(const TCanvas& canvas, int edge, int inward, bool doubled) {
  const int half = canvas.PenWidth() / 2;
  if (inward > 0) return edge + half;
  return edge - half - (doubled ? std::max(2, 2 * canvas.PenWidth()) : 0);
}

// A line along the row (from .. to exclusive) at `across`, and one across it.
void AlongLine(TCanvas& c, bool vertical, int across, int from, int to, bool doubled, const TRect& clip) {
  if (vertical)
    VLineIn(c, across, from, to, doubled, clip);
  else
    HLineIn(c, from, to, across, doubled, clip);
}

void CrossLine(TCanvas& c, bool vertical, int along, int from, int to, bool doubled, const TRect& clip) {
  if (vertical)
    HLineIn(c, from, to, along, doubled, clip);
  else
    VLineIn(c, along, from, to, doubled, clip);
}

bool Drawn(const TViewInfo* info) { return info && info->IsVisible() && info->HasLine(); }

}  // namespace

void TRowPainter::PaintTailLines(const TRowPaint& rp) {
  const TEditorStyle& s = Style();
  if (!rp.Exists && s.GetEofOverUnfilled()) return;
  const bool vertical = s.GetVertical();
  const int rowStart = vertical ? rp.Rect.Top : rp.Rect.Left;
  const int acrossFrom = vertical ? rp.Rect.Left : rp.Rect.Top;
  const int acrossTo = vertical ? rp.Rect.Right : rp.Rect.Bottom + 1;

  const TViewInfo* tail = Style().GetViewInfo(kElemLineInfoTailLine);
  if (Layout().LineInfoWidth > 0 && Drawn(tail)) {
    FHost.SetPenFromElement(*tail);
    const TWidePenClip scope(Canvas(), rp.Clip);
    // On the column's last pixel, so that the text's margin stays clear.
    const int columnLast = ClampPixels(static_cast<int64_t>(rowStart) + Layout().LineInfoWidth - 1);
    const int at = InsideEdge(Canvas(), columnLast, -1, tail->IsDoubleLine());
    CrossLine(Canvas(), vertical, at, acrossFrom, acrossTo, tail->IsDoubleLine(), rp.Clip);
  }

  const TViewInfo* capacity = Style().GetViewInfo(kElemColumnTailLine);
  const bool noCapacity = !s.GetColumnCountAuto() && s.GetColumnCount() < 1;
  if (Drawn(capacity) && !s.GetProportionalFont() && !noCapacity) {
    FHost.SetPenFromElement(*capacity);
    const TWidePenClip scope(Canvas(), rp.Clip);
    const int end = ClampPixels(static_cast<int64_t>(rp.TextStartPx) +
                                FHost.CellsExtent(rp.Row, 0, Layout().CharsPerRow - 1));
    const int at = InsideEdge(Canvas(), end, 1, capacity->IsDoubleLine());
    CrossLine(Canvas(), vertical, at, acrossFrom, acrossTo, capacity->IsDoubleLine(), rp.Clip);
  }
}

void TRowPainter::PaintGapLine(const TRowPaint& rp) {
  const TEditorStyle& s = Style();
  if (!Drawn(Style().GetViewInfo(kElemGapLine))) return;
  // What lies past the end of the document is unfilled paper, without rules.
  if (!rp.Exists && s.GetEofOverUnfilled()) return;
  switch (s.GetGapLineStyle()) {
    case kGapLineRules:
      PaintRuledLines(rp);
      break;
    case kGapLineGrid:
      // Squares only make sense for cells of one width.
      if (!s.GetProportionalFont()) PaintManuscriptGrid(rp);
      break;
    default:
      break;  // scene rules live in the number column
  }
}

void TRowPainter::PaintRuledLines(const TRowPaint& rp) {
  const TEditorStyle& s = Style();
  const TViewInfo& gap = *Style().GetViewInfo(kElemGapLine);
  const bool vertical = s.GetVertical(), doubled = gap.IsDoubleLine();
  FHost.SetPenFromElement(gap);
  const TWidePenClip scope(Canvas(), rp.Clip);
  const int rowStart = vertical ? rp.Rect.Top : rp.Rect.Left;
  const int from = ClampPixels(static_cast<int64_t>(rowStart) + Layout().LineInfoWidth);
  const int to = vertical ? rp.Rect.Bottom : rp.Rect.Right;
  const TRowEdges edges = EdgesOf(rp, vertical);
  AlongLine(Canvas(), vertical, InsideEdge(Canvas(), edges.Far, -edges.NearInward, doubled), from, to,
            doubled, rp.Clip);
  // The painted first row of one scrolled strip depends on the clip; only
  // the document's first row opens that strip.
  const bool scrolledStrip = !FState.Paper && !s.GetPageRoll() && FHost.Partitions() < 2;
  const bool opens = scrolledStrip ? rp.Row == 0 : rp.FirstOfBlock;
  if (opens)
    AlongLine(Canvas(), vertical, InsideEdge(Canvas(), edges.Near, edges.NearInward, doubled), from, to,
              doubled, rp.Clip);
}

void TRowPainter::PaintManuscriptGrid(const TRowPaint& rp) {
  const TEditorStyle& s = Style();
  const bool vertical = s.GetVertical();
  FHost.SetPenFromElement(*Style().GetViewInfo(kElemGapLine));
  const TWidePenClip scope(Canvas(), rp.Clip);
  const int pen = Canvas().PenWidth();
  const int acrossFirst = vertical ? rp.Rect.Left : rp.Rect.Top;
  const int acrossLast = vertical ? rp.Rect.Right - 1 : rp.Rect.Bottom;

  // Across: the strip hugs the glyph band; with marks beside the text it
  // keeps clear of the ruby side.
  TGridStrip strip;
  strip.Vertical = vertical;
  if (MarksShown()) {
    const int64_t inner = static_cast<int64_t>(pen) + 1;
    const int64_t outer =
        static_cast<int64_t>(Layout().FontHeight) + 2 * static_cast<int64_t>(Layout().GapLineWidth);
    strip.Low = ClampPixels(vertical ? acrossFirst + inner : acrossLast - outer);
    strip.High = ClampPixels(vertical ? acrossFirst + outer : acrossLast - inner);
  } else {
    const int inset = Layout().HalfLineSpacePx / 2;
    strip.Low = ClampPixels(static_cast<int64_t>(acrossFirst) + inset);
    strip.High = ClampPixels(static_cast<int64_t>(acrossLast) - inset);
  }
  strip.Low = std::clamp(strip.Low, acrossFirst, acrossLast);
  strip.High = std::clamp(strip.High, strip.Low, acrossLast);

  // The end lines of joined rows run on over the gap to the next strip.
  TGridBlockInputs block;
  block.Row = rp.Row;
  block.Slot = rp.Slot;
  block.SlotsPerPartition = FHost.RowsPerPartition();
  block.SlotBlocks = FState.Paper || s.GetPageRoll();
  block.Partitioned = FHost.Partitions() > 1;
  block.LineCountInPage = s.GetLineCountInPage();
  block.ClosesDocument = s.GetEofOverUnfilled() && rp.Row == Doc().RowCount() - 1;
  const TGridBlockEnds ends = GridBlockEnds(block);
  if (vertical) {
    strip.EndHigh = ends.First ? strip.High : acrossLast;
    strip.EndLow = ends.Last ? strip.Low : acrossFirst;
  } else {
    strip.EndLow = ends.First ? strip.Low : acrossFirst;
    strip.EndHigh = ends.Last ? strip.High : acrossLast;
  }

  // Along: one square per two cells, centred on the glyph, which a cell's
  // column space follows.
  const int cells = std::max(Layout().CharsPerRow, 1);
  const int64_t base = static_cast<int64_t>(rp.TextStartPx) - Layout().ColumnSpacePx;
  const auto edgeAfter = [&](int cellCount) {
    return ClampPixels(base + FHost.CellsExtent(rp.Row, 0, cellCount - 1));
  };
  strip.Start = ClampPixels(base);
  strip.End = edgeAfter(cells);
  // Only the square edges the clip shows: the capacity may be huge.
  const int clipFirst = vertical ? rp.Clip.Top : rp.Clip.Left;
  const int clipEnd = vertical ? rp.Clip.Bottom : rp.Clip.Right;
  const int last = (cells - 1) / 2;
  int first = 1;
  for (int hi = last + 1; first < hi;) {
    const int mid = first + (hi - first) / 2;
    if (edgeAfter(2 * mid) < clipFirst)
      first = mid + 1;
    else
      hi = mid;
  }
  for (int k = first; k <= last; ++k) {
    const int at = edgeAfter(2 * k);
    if (at >= clipEnd) break;
    strip.Crosses.push_back(at);
  }
  DrawGridStrip(Canvas(), strip, rp.Clip);
}

void TRowPainter::PaintDivideLines(const TRowPaint& rp) {
  const TEditorStyle& s = Style();
  const int perPage = s.GetLineCountInPage();
  if (perPage <= 0 || rp.Row < 0 || (static_cast<int64_t>(rp.Row) + 1) % perPage != 0) return;
  if (!rp.Exists && s.GetEofOverUnfilled()) return;
  const int64_t pagesEnded = (static_cast<int64_t>(rp.Row) + 1) / perPage;
  const TViewInfo* limit = Style().GetViewInfo(kElemMaxPageDivideLine);
  const TViewInfo* line = limit && limit->IsVisible() && pagesEnded + 1 == s.GetMaxPageCount()
                              ? limit
                              : Style().GetViewInfo(kElemPageDivideLine);
  if (!Drawn(line)) return;
  const bool vertical = s.GetVertical(), doubled = line->IsDoubleLine();
  FHost.SetPenFromElement(*line);
  const TWidePenClip scope(Canvas(), rp.Clip);
  const TRowEdges edges = EdgesOf(rp, vertical);
  const int from = vertical ? rp.Rect.Top : rp.Rect.Left, to = vertical ? rp.Rect.Bottom : rp.Rect.Right;
  AlongLine(Canvas(), vertical, InsideEdge(Canvas(), edges.Far, -edges.NearInward, doubled), from, to,
            doubled, rp.Clip);
}

void TRowPainter::PaintSceneBracket(const TRowPaint& rp, int columnStart, int columnEnd) {
  const TViewInfo* gap = Style().GetViewInfo(kElemGapLine);
  if (!Drawn(gap) || columnEnd <= columnStart) return;
  const bool vertical = Vertical(), doubled = gap->IsDoubleLine();
  FHost.SetPenFromElement(*gap);
  const TWidePenClip scope(Canvas(), rp.Clip);
  const TRowEdges edges = EdgesOf(rp, vertical);
  const int nearAt = InsideEdge(Canvas(), edges.Near, edges.NearInward, doubled);
  const int farAt = InsideEdge(Canvas(), edges.Far, -edges.NearInward, doubled);
  AlongLine(Canvas(), vertical, nearAt, columnStart, columnEnd, doubled, rp.Clip);
  AlongLine(Canvas(), vertical, farAt, columnStart, columnEnd, doubled, rp.Clip);
  // Closed at the column's outer end; the text side stays open.
  const int low = std::min(nearAt, farAt), high = std::max(nearAt, farAt);
  CrossLine(Canvas(), vertical, InsideEdge(Canvas(), columnStart, 1, false), low, high + 1, false, rp.Clip);
}

}  // namespace vorna
