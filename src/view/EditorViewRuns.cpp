// Drawing one run of cells of one style: its text with explicit advances
// (upright pairs, joined rules, supersampling on the screen), its
// decoration line and its space and tab marks.
#include <algorithm>
#include <vector>

#include "graphics/Lines.h"
#include "graphics/SmoothText.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"
#include "text/ShiftJis.h"
#include "view/EditorViews.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

bool HasDecoration(int style) {
  return style != kElemCaretLine && style != kElemZenkakuSpace && style != kElemHankakuSpace &&
         style != kElemTab;
}

}  // namespace

void TEditorView::PaintRun(const TRowPaint& rp, int first, int last, int style) {
  const TEditorStyle& s = *EditorStyle();
  const bool vertical = s.GetVertical();
  const std::string& display = rp.Cache->DisplayText;
  const bool fontChanged = SelectCellStyle(style, rp.BaseStyle);
  const bool direct = s.GetAntiArius() <= 1 || FPrinting || FPreview;
  const int factor = direct ? 1 : s.GetAntiArius();

  // A run that begins on the second byte of a character shows a half-width
  // space there; one that ends on a first byte does the same.
  std::string text = display.substr(static_cast<size_t>(first), static_cast<size_t>(last - first + 1));
  if (ByteTypeAt(display, first + 1) == TByteType::Trail) text[0] = ' ';
  if (ByteTypeAt(display, last + 1) == TByteType::Lead && last + 1 < static_cast<int>(display.size()))
    text.back() = ' ';
  const bool tabs = ElementVisible(kElemTab) && text.find('\t') != std::string::npos;
  if (tabs) std::replace(text.begin(), text.end(), '\t', ' ');

  const TRect cells = CellsRect(rp, first, last);
  const int glyphEdge = GlyphEdge(rp.Rect);
  std::vector<int> advances(text.size());
  int x = vertical ? glyphEdge : cells.Left;
  int y = vertical ? cells.Top : glyphEdge;
  if (style == kElemVerticalRow && vertical) {
    // Upright, side by side in the room of one full-width character.
    const size_t from = text.find_first_not_of(' ');
    const size_t to = text.find_last_not_of(' ');
    text = from == std::string::npos ? std::string() : text.substr(from, to - from + 1);
    advances.assign(text.size(), std::max(FFontHeight / 2, 1) * factor);
    x -= FFontHeight;
    if (text.size() == 1) x += FFontHeight / 4;
  } else {
    for (size_t i = 0; i < text.size(); ++i)
      advances[i] = CellPitchAt(rp.Row, first + static_cast<int>(i)) * factor;
    if (s.GetConnectTatesen()) {
      const std::string& rule = Cp932Lit("─");
      ConnectRules(text, advances, RoundPixels(FCanvas->TextWidth(rule) * 0.91) * factor);
    }
  }

  const bool picture = UsesBackgroundPicture();
  TRect textRect = cells;
  if (!vertical) ++textRect.Bottom;
  if (picture) FillBackground(cells, rp.Clip, FRunBack);
  if (!text.empty()) {
    if (direct) {
      if (picture) {
        FCanvas->SetBrush(kClNone, TBrushStyle::Clear);
        FCanvas->ExtTextOut(x, y, kEtoClipped, Intersect(textRect, rp.Clip), text, advances);
      } else {
        FCanvas->ExtTextOut(x, y, kEtoOpaque | kEtoClipped, Intersect(textRect, rp.Clip), text, advances);
      }
    } else {
      if (!picture) FillBackground(cells, rp.Clip, FRunBack);
      SmoothTextOut(*FCanvas, rp.Clip, textRect, picture, nullptr, text, advances, factor, x, y);
    }
  } else if (!picture) {
    FillBackground(cells, rp.Clip, FRunBack);
  }

  const TViewInfo* info = FStyle->GetViewInfo(style);
  if (info && HasDecoration(style) && info->GetLineStyle() > 0) {
    SetPenFromElement(*info);
    if (vertical)
      VLine(*FCanvas, glyphEdge - FFontHeight - 1, cells.Top, cells.Bottom, info->IsDoubleLine(), rp.Clip);
    else
      HLine(*FCanvas, cells.Left, cells.Right, glyphEdge + FFontHeight, info->IsDoubleLine(), rp.Clip);
  }
  if (style == kElemZenkakuSpace || style == kElemHankakuSpace) PaintSpaceMarks(rp, first, last, style);
  if (tabs) PaintTabMarks(rp, first, last);
  if (fontChanged) FCanvas->SetFont(FPaintFont);
}

}  // namespace vorna
