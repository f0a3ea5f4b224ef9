// The marks after and inside the text: end-of-line and end-of-file arrows,
// tab arrows, and the boxes that show full-width and half-width spaces.
#include <algorithm>

#include "graphics/Marks.h"
#include "settings/StyleElements.h"
#include "view/RowPainters.h"
#include "view/ViewMath.h"

namespace vorna {

void TRowPainter::PaintEndMark(const TRowPaint& rp, bool endOfFile, bool selected) {
  const int element = endOfFile ? kElemEof : kElemReturn;
  const TViewInfo* info = Style().GetViewInfo(element);
  if (!info) return;
  const bool vertical = Vertical();
  const int start = rp.TextEndPx, end = ClampPixels(static_cast<int64_t>(start) + Layout().CellPitch);
  const TRect cell = vertical ? TRect{rp.Rect.Left, start, rp.Rect.Right, end}
                              : TRect{start, rp.Rect.Top, end, rp.Rect.Bottom};
  FillBackground(cell, rp.Clip, StyleBack(selected ? kElemSelect : rp.BaseStyle));
  // One glyph box: the font height across, one cell along, placed as the glyphs.
  const int edge = GlyphEdge(rp.Rect);
  const TRect box =
      vertical ? TRect{edge - Layout().FontHeight, start, edge, end}
               : TRect{start, edge, end, ClampPixels(static_cast<int64_t>(edge) + Layout().FontHeight)};
  TRect clip = rp.Clip;
  if (!vertical) ++clip.Bottom;
  Canvas().SetPen(PaintEnabled() ? FHost.SystemColorValue(info->GetLineColor()) : StyleTextColor(element),
                  TPenStyle::Solid, 1);
  const int direction = endOfFile ? (vertical ? kArrowUp : kArrowLeft) : (vertical ? kArrowLeft : kArrowDown);
  DrawArrowMark(Canvas(), box, Intersect(box, clip), direction);
}

void TRowPainter::PaintTabMarks(const TRowPaint& rp, int first, int last) {
  const TViewInfo* info = Style().GetViewInfo(kElemTab);
  if (!info || !info->IsVisible()) return;
  const std::string& text = rp.Cache->DisplayText;
  const int tabLength = std::max(Style().GetTabLength(), 1);
  Canvas().SetPen(PaintEnabled() ? FHost.SystemColorValue(info->GetLineColor()) : StyleTextColor(kElemTab),
                  TPenStyle::Solid, 1);
  const bool vertical = Vertical();
  for (int cell = first; cell <= last && cell < static_cast<int>(text.size()); ++cell) {
    if (text[static_cast<size_t>(cell)] != '\t') continue;
    // The first cell of a tab, and every tab stop inside a run of tab cells.
    const bool opens = cell == 0 || text[static_cast<size_t>(cell) - 1] != '\t';
    if (!opens && cell % tabLength != 0) continue;
    const TRect box = CellsRect(rp, cell, cell);
    DrawArrowMark(Canvas(), box, Intersect(box, rp.Clip), vertical ? kArrowDown : kArrowRight);
  }
}

void TRowPainter::PaintSpaceMarks(const TRowPaint& rp, int first, int last, int style) {
  const TViewInfo* info = Style().GetViewInfo(style);
  if (!info || !info->HasLine()) return;
  const std::string& text = rp.Cache->DisplayText;
  const bool wide = style == kElemZenkakuSpace;
  const int step = wide ? 2 : 1;
  FHost.SetPenFromElement(*info);
  Canvas().SetBrush(kClNone, TBrushStyle::Clear);
  const TRect saved = Canvas().ClipRect();
  Canvas().SetClipRect(Intersect(saved, rp.Clip));
  const bool vertical = Vertical();
  const int edge = GlyphEdge(rp.Rect);
  for (int cell = first; cell + step - 1 <= last && cell < static_cast<int>(text.size()); cell += step) {
    const TRect cells = CellsRect(rp, cell, cell + step - 1);
    // Inside the character's cells; in vertical mode one font height wide, as the glyphs.
    TRect box = vertical ? TRect{edge - Layout().FontHeight, cells.Top, edge, cells.Bottom}
                         : TRect{cells.Left, edge, cells.Right,
                                 ClampPixels(static_cast<int64_t>(edge) + Layout().FontHeight)};
    const int inset = wide ? 2 : 1;
    box = {box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - inset};
    if (!box.IsEmpty()) Canvas().Rectangle(box);
  }
  Canvas().SetClipRect(saved);
}

}  // namespace vorna
