// The caret's shape (its rectangle, also where the painter draws it) and the
// selected cells of a row.
#include <algorithm>

#include "settings/StyleElements.h"
#include "text/ShiftJis.h"
#include "view/EditorViews.h"
#include "view/ViewMath.h"

namespace vorna {
bool TEditorView::GetSelectedCells(int row, int& first, int& last, bool& lineBreak) const {
  if (!FList) {
    first = 0, last = -1, lineBreak = false;
    return false;
  }
  return FSel.SelectedCells(*FList, row, first, last, lineBreak);
}

TRect TEditorView::GetCaretRect(TDisplayPos pos) const {
  const TEditorStyle& s = *EditorStyle();
  const bool vertical = s.GetVertical();
  const TRect rowRect = GetRowRect(pos.Row);
  const int rowStart = vertical ? rowRect.Top : rowRect.Left;
  const int64_t textStart =
      static_cast<int64_t>(rowStart) + FMetrics.LineInfoWidth + FMetrics.TextLeftMarginPx;
  const int boundary =
      ClampPixels(textStart + CellsExtent(pos.Row, 0, pos.Column - 2) - FMetrics.HalfColumnSpacePx);
  const bool big = s.GetBigCaret();
  int thickness = big ? std::min(std::max(RoundPixels(FZoom * 4), 1), 8)
                      : std::min(std::max(RoundPixels(FZoom * 3), 1), 3);
  int length = big ? RowPitch(pos.Row) - 1 : FMetrics.FontHeight;
  int along = boundary - thickness / 2;

  // Overwriting, the caret covers the character it would replace.
  const std::string text = FList->RowDisplayText(pos.Row);
  const bool onChar = pos.Column >= 1 && pos.Column <= static_cast<int>(text.size());
  if (FTextEdits.Overwrite() && (onChar || s.GetFreeCaret())) {
    const bool wide = onChar && IsDoubleByteAt(text, static_cast<size_t>(pos.Column - 1));
    const bool grid = ElementVisible(kElemGapLine) && s.GetGapLineStyle() == kGapLineGrid;
    if (wide || grid)
      thickness =
          s.GetProportionalFont() ? CellsExtent(pos.Row, pos.Column - 1, pos.Column) : FMetrics.FontHeight;
    else
      thickness = CellPitchAt(pos.Row, pos.Column - 1);
    if (ElementVisible(kElemCaret) && s.GetProportionalFont()) thickness += 2;
    along = boundary + FMetrics.HalfColumnSpacePx;
    if (!big) {
      thickness += 2;
      length += 2;
      --along;
    }
  }
  const int edge = FPainter.GlyphEdge(rowRect);
  if (vertical) {
    const int right = big ? rowRect.Right : edge + (length - FMetrics.FontHeight) / 2;
    return {right - length, along, right, along + thickness};
  }
  const int top = big ? rowRect.Top : edge - (length - FMetrics.FontHeight) / 2;
  return {along, top, along + thickness, top + length};
}

}  // namespace vorna
