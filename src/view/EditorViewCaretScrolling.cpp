// Keeping the caret in view: ScrollToCaret with its kinds and margins, the
// composition point of the input method, and the view's scroll commands
// across rows and by screen pages.
#include <algorithm>

#include "view/EditorViews.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// How far `near` .. `far` must move to lie inside low .. high, the low side first.
int Into(int near, int far, int low, int high) {
  if (near < low) return low - near;
  if (far > high) return high - far;
  return 0;
}

}  // namespace

TRect TEditorView::CaretCellRect(TDisplayPos pos) const {
  const TRect row = GetRowRect(pos.Row);
  const int start = (Vertical() ? row.Top : row.Left) + FMetrics.LineInfoWidth + FMetrics.TextLeftMarginPx +
                    CellsExtent(pos.Row, 0, pos.Column - 2);
  const int end = start + CellPitchAt(pos.Row, pos.Column - 1);
  return Vertical() ? TRect{row.Left, start, row.Right, end} : TRect{start, row.Top, end, row.Bottom};
}

// The offset that shows `first` as the first row, the along-row offset kept.
TPoint TEditorView::OffsetShowingRow(int first) const {
  const int64_t across = static_cast<int64_t>(std::max(first, 0)) * FMetrics.LinePitch;
  if (Vertical()) return {ClampPixels(FStyle->GetPaperTileHReverse() ? across : -across), FOffset.Y};
  return {FOffset.X, ClampPixels(FStyle->GetPaperTileVReverse() ? across : -across)};
}

bool TEditorView::ScrollToCaret(TCaretScroll kind) {
  return ScrollToCaret(kind, PosToPoint(FSel.Caret, false, true));
}

bool TEditorView::ScrollToCaret(TCaretScroll kind, TPoint oldCaretPoint) {
  if (!Host().HasWindow() || kind == csNone || !FList || FPrinting) return false;
  const TEditorStyle& s = *EditorStyle();
  const bool paper = PaperMode(), vertical = Vertical();
  const bool roll = s.GetPageRoll() && !paper;
  const int partitions = Partitions();
  if (roll) kind = csMinimal;
  const TRect client = Host().ClientRect();
  const TRect cell = CaretCellRect(FSel.Caret);
  TPoint to = FOffset;

  if (kind == csCentre) {
    if (paper || partitions == 1) {
      const TPoint c = Centre(client), p = Centre(cell);
      if (FExtent.X > client.Width()) to.X += c.X - p.X;
      if (FExtent.Y > client.Height()) to.Y += c.Y - p.Y;
    } else {
      to = OffsetShowingRow(FSel.Caret.Row - RowsPerPage() / 2);
    }
  } else if (kind == csKeepPlace) {
    const TPoint p = PosToPoint(FSel.Caret, false, true);
    to.X -= p.X - oldCaretPoint.X;
    to.Y -= p.Y - oldCaretPoint.Y;
  } else if (paper) {
    // Near an edge the caret is brought to the middle on that axis.
    const TPoint c = Centre(client), p = Centre(cell);
    if (cell.Left < client.Left + FMetrics.ScrollMarginX ||
        cell.Right > client.Right - FMetrics.ScrollMarginX)
      to.X += c.X - p.X;
    if (cell.Top < client.Top + FMetrics.ScrollMarginY ||
        cell.Bottom > client.Bottom - FMetrics.ScrollMarginY)
      to.Y += c.Y - p.Y;
  } else if (partitions == 1) {
    // The margin at the rows' end is kept only while the rows do not fill
    // the window by themselves.
    const bool endMargin = !s.GetColumnCountAuto() && (!s.GetFontSizeAuto() || s.GetColumnCount() == 0);
    if (vertical) {
      to.X += Into(cell.Left, cell.Right, client.Left + FMetrics.ScrollMarginY,
                   client.Right - FMetrics.ScrollMarginX);
      to.Y += Into(cell.Top, cell.Bottom, client.Top + FMetrics.ScrollMarginX,
                   endMargin ? client.Bottom - FMetrics.ScrollMarginY : client.Bottom);
    } else {
      to.Y += Into(cell.Top, cell.Bottom, client.Top + FMetrics.ScrollMarginY,
                   client.Bottom - FMetrics.ScrollMarginY);
      to.X += Into(cell.Left, cell.Right, client.Left + FMetrics.ScrollMarginX,
                   endMargin ? client.Right - FMetrics.ScrollMarginX : client.Right);
    }
  } else {
    const int shown = GetRowPlace(FSel.Caret.Row).PageFirstRow;
    if (FSel.Caret.Row < shown)
      to = OffsetShowingRow(FSel.Caret.Row);
    else if (FSel.Caret.Row >= shown + RowsPerPage())
      to = OffsetShowingRow(FSel.Caret.Row - RowsPerPage() + 1);
  }

  if (kind == csMinimal && !paper) {
    // At a row's start the rows are shown from their start, on the first row
    // from the document's start.
    if (FSel.Caret.Column == 1) (vertical ? to.Y : to.X) = 0;
    if (FSel.Caret.Row == 0) (vertical ? to.X : to.Y) = 0;
    if (roll) {
      const int first = FSel.Caret.Row - FSel.Caret.Row % std::max(RowsPerPage(), 1);
      const TPoint page = OffsetShowingRow(first);
      (vertical ? to.X : to.Y) = vertical ? page.X : page.Y;
    }
  }
  const TPoint before = FOffset;
  if (!(to == FOffset)) SetOffset(to);
  return !(FOffset == before);
}

void TEditorView::UpdateImePoint() {
  const TPoint p = PosToPoint(FSel.Caret, true, true);
  FImePoint = {std::max(p.X, FMetrics.ScrollMarginX), std::max(p.Y, FMetrics.ScrollMarginY)};
}

void TEditorView::ScrollRows(int pixelsForward) {
  if (Vertical())
    ScrollBy(FStyle->GetPaperTileHReverse() ? pixelsForward : -pixelsForward, 0);
  else
    ScrollBy(0, FStyle->GetPaperTileVReverse() ? pixelsForward : -pixelsForward);
}

void TEditorView::ScrollScreenPage(bool forward) {
  const int sign = forward ? 1 : -1;
  if (PaperMode()) {
    if (FStyle->GetPaperTileVertical()) {
      const int step = FSheetHeight + kSheetGap;
      ScrollBy(0, (FStyle->GetPaperTileVReverse() ? step : -step) * sign);
    } else {
      const int step = FSheetWidth + kSheetGap;
      ScrollBy((FStyle->GetPaperTileHReverse() ? step : -step) * sign, 0);
    }
    return;
  }
  if (EditorStyle()->GetPageRoll()) {
    ScrollRows(ClampPixels(static_cast<int64_t>(RowsPerPage()) * FMetrics.LinePitch) * sign);
    return;
  }
  // Whole rows of every partition, one row fewer going back so that the
  // row at the edge stays in sight.
  const TRect client = Host().ClientRect();
  const int extent = Vertical() ? client.Width() : client.Height();
  int64_t step = static_cast<int64_t>(Partitions()) * (extent - extent % FMetrics.LinePitch);
  if (!forward) step -= FMetrics.LinePitch;
  ScrollRows(ClampPixels(std::max<int64_t>(step, FMetrics.LinePitch)) * sign);
}

}  // namespace vorna
