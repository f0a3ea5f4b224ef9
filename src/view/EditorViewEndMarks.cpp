// The marks after and inside the text: end-of-line and end-of-file arrows,
// tab arrows, and the boxes that show full-width and half-width spaces.
#include <algorithm>

#include "graphics/Marks.h"
#include "settings/StyleElements.h"
#include "view/EditorViews.h"
#include "view/ViewMath.h"

namespace vorna {

void TEditorView::PaintEndMark(const TRowPaint& rp, bool endOfFile, bool selected) {
  const int element = endOfFile ? kElemEof : kElemReturn;
  const TViewInfo* info = FStyle->GetViewInfo(element);
  if (!info) return;
  const bool vertical = Vertical();
  const int start = rp.TextEndPx, end = ClampPixels(static_cast<int64_t>(start) + FMetrics.CellPitch);
  const TRect cell = vertical ? TRect{rp.Rect.Left, start, rp.Rect.Right, end}
                              : TRect{start, rp.Rect.Top, end, rp.Rect.Bottom};
  FillBackground(cell, rp.Clip, StyleBack(selected ? kElemSelect : rp.BaseStyle));
  // One glyph box: the font height across, one cell along, placed as the glyphs.
  const int edge = GlyphEdge(rp.Rect);
  const TRect box =
      vertical ? TRect{edge - FMetrics.FontHeight, start, edge, end}
               : TRect{start, edge, end, ClampPixels(static_cast<int64_t>(edge) + FMetrics.FontHeight)};
  TRect clip = rp.Clip;
  if (!vertical) ++clip.Bottom;
  FCanvas->SetPen(PaintEnabled() ? SystemColorValue(info->GetLineColor()) : StyleTextColor(element),
                  TPenStyle::Solid, 1);
  const int direction = endOfFile ? (vertical ? kArrowUp : kArrowLeft) : (vertical ? kArrowLeft : kArrowDown);
  DrawArrowMark(*FCanvas, box, Intersect(box, clip), direction);
}

void TEditorView::PaintTabMarks(const TRowPaint& rp, int first, int last) {
  const TViewInfo* info = FStyle->GetViewInfo(kElemTab);
  if (!info || !info->IsVisible()) return;
  const std::string& text = rp.Cache->DisplayText;
  const int tabLength = std::max(EditorStyle()->GetTabLength(), 1);
  FCanvas->SetPen(PaintEnabled() ? SystemColorValue(info->GetLineColor()) : StyleTextColor(kElemTab),
                  TPenStyle::Solid, 1);
  const bool vertical = Vertical();
  for (int cell = first; cell <= last && cell < static_cast<int>(text.size()); ++cell) {
    if (text[static_cast<size_t>(cell)] != '\t') continue;
    // The first cell of a tab, and every tab stop inside a run of tab cells.
    const bool opens = cell == 0 || text[static_cast<size_t>(cell) - 1] != '\t';
    if (!opens && cell % tabLength != 0) continue;
    const TRect box = CellsRect(rp, cell, cell);
    DrawArrowMark(*FCanvas, box, Intersect(box, rp.Clip), vertical ? kArrowDown : kArrowRight);
  }
}

void TEditorView::PaintSpaceMarks(const TRowPaint& rp, int first, int last, int style) {
  const TViewInfo* info = FStyle->GetViewInfo(style);
  if (!info || !info->HasLine()) return;
  const std::string& text = rp.Cache->DisplayText;
  const bool wide = style == kElemZenkakuSpace;
  const int step = wide ? 2 : 1;
  SetPenFromElement(*info);
  FCanvas->SetBrush(kClNone, TBrushStyle::Clear);
  const TRect saved = FCanvas->ClipRect();
  FCanvas->SetClipRect(Intersect(saved, rp.Clip));
  const bool vertical = Vertical();
  const int edge = GlyphEdge(rp.Rect);
  for (int cell = first; cell + step - 1 <= last && cell < static_cast<int>(text.size()); cell += step) {
    const TRect cells = CellsRect(rp, cell, cell + step - 1);
    // Inside the character's cells; in vertical mode one font height wide, as the glyphs.
    TRect box = vertical ? TRect{edge - FMetrics.FontHeight, cells.Top, edge, cells.Bottom}
                         : TRect{cells.Left, edge, cells.Right,
                                 ClampPixels(static_cast<int64_t>(edge) + FMetrics.FontHeight)};
    const int inset = wide ? 2 : 1;
    box = {box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - inset};
    if (!box.IsEmpty()) FCanvas->Rectangle(box);
  }
  FCanvas->SetClipRect(saved);
}

}  // namespace vorna
