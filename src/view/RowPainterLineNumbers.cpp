// The line-number column of a row: its style (caret row, marked row), its
// background, the number placed for the writing direction, and the boxes
// of marked and caret rows.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "graphics/Lines.h"
#include "settings/StyleElements.h"
#include "view/RowPainters.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

// Pixels between a right-aligned number and the column's end.
constexpr int kNumberEndPadPx = 4;

// `r` grown by `by` on every side, then kept inside `bounds` (right and
// bottom exclusive); the result's Right and Bottom are line positions.
TRect FrameAround(const TRect& r, int by, const TRect& bounds) {
  return {std::max(r.Left - by, bounds.Left), std::max(r.Top - by, bounds.Top),
          std::min(r.Right - 1 + by, bounds.Right - 1), std::min(r.Bottom - 1 + by, bounds.Bottom - 1)};
}

}  // namespace

void TRowPainter::PaintLineInfo(const TRowPaint& rp) {
  if (Layout().LineInfoWidth <= 0) return;
  const TEditorStyle& s = Style();
  const bool vertical = s.GetVertical();
  const int columnStart = vertical ? rp.Rect.Top : rp.Rect.Left;
  const int columnEnd = ClampPixels(static_cast<int64_t>(columnStart) + Layout().LineInfoWidth);
  const TRect column = vertical ? TRect{rp.Rect.Left, columnStart, rp.Rect.Right, columnEnd}
                                : TRect{columnStart, rp.Rect.Top, columnEnd, rp.Rect.Bottom};
  TRect full = column;
  if (!vertical) ++full.Bottom;  // as the fills, the row's last pixel too
  const TRect area = Intersect(full, rp.Clip);
  if (area.IsEmpty()) return;

  const bool marked = rp.Exists && rp.Info.RowInLine == 0 && FHost.LineMarks().Marked(rp.Info.Line);
  const bool caretStyle = rp.CaretRow && ElementVisible(kElemCaretLineInfo);
  const bool markStyle = marked && ElementVisible(kElemMarkLineInfo);
  const int style = caretStyle ? kElemCaretLineInfo : markStyle ? kElemMarkLineInfo : kElemLineInfo;
  const bool fontChanged = SelectCellStyle(style, kElemNormal);
  FillBackground(column, rp.Clip, FRunBack);

  std::string text;
  if (rp.Exists) {
    TLineInfoInputs in;
    in.Style = s.GetLineInfoStyle();
    in.Row = rp.Row;
    in.Line = rp.Info.Line;
    in.FirstRowOfLine = rp.Info.RowInLine == 0;
    in.SceneNo = rp.Info.SceneNo;
    in.LineCountInPage = s.GetLineCountInPage();
    in.StartLineNo = s.GetLineInfoStartLineNo();
    in.Interval = s.GetLineInfoInterval();
    in.StartNo = s.GetStartLineInfoNo();
    in.FillZero = s.GetLineInfoFillZero();
    in.Digits = Layout().LineInfoDigits;
    text = LineInfoText(in);
  }

  if (!text.empty()) {
    const int em = std::clamp(std::abs(Canvas().Font().Height), 1, kMaxViewPixels);
    const int digit = std::max(em / 2, 1);
    const int length = ClampPixels(static_cast<int64_t>(digit) * static_cast<int64_t>(text.size()));
    const bool page = text[0] == 'P';
    const bool upright = vertical && s.GetLineInfoVerticalRow();
    int x = 0, y = 0;
    TRect box;  // what the number covers
    if (upright) {
      // Side by side, centred in the column both ways.
      x = ClampPixels((static_cast<int64_t>(column.Left) + column.Right - length) / 2);
      y = ClampPixels((static_cast<int64_t>(columnStart) + columnEnd - em) / 2);
      box = {x, y, ClampPixels(static_cast<int64_t>(x) + length), ClampPixels(static_cast<int64_t>(y) + em)};
    } else if (vertical) {
      // Rotated like the text, centred on the glyph band.
      x = ClampPixels(GlyphEdge(rp.Rect) - (static_cast<int64_t>(Layout().FontHeight) - em) / 2);
      y = page ? ClampPixels(static_cast<int64_t>(columnStart) + em / 4)
               : ClampPixels(static_cast<int64_t>(columnEnd) - digit / 2 - length);
      box = {ClampPixels(static_cast<int64_t>(x) - em), y, x, ClampPixels(static_cast<int64_t>(y) + length)};
    } else {
      // On the text's baseline: the bottoms of the two glyph boxes meet.
      x = page ? ClampPixels(static_cast<int64_t>(columnStart) + em / 4)
               : ClampPixels(static_cast<int64_t>(columnEnd) - kNumberEndPadPx - length);
      y = ClampPixels(static_cast<int64_t>(GlyphEdge(rp.Rect)) + Layout().FontHeight - em);
      box = {x, y, ClampPixels(static_cast<int64_t>(x) + length), ClampPixels(static_cast<int64_t>(y) + em)};
    }
    const std::vector<int> advances(text.size(), digit);
    Canvas().ExtTextOut(x, y, kEtoClipped, area, text, advances);

    // The caret box hugs the number; a mark box on the same row goes round it.
    const auto frame = [&](int element, int by) {
      const TViewInfo* info = Style().GetViewInfo(element);
      const TColor color = FHost.SystemColorValue(info->GetLineColor());
      if (color == kClNone) return;
      // One pixel wide whatever the style says: the box must fit the column.
      Canvas().SetPen(color, info->HasLine() ? info->GetPenStyle() : TPenStyle::Solid, 1);
      FrameRectIn(Canvas(), FrameAround(box, by, full), area);
    };
    if (caretStyle) frame(kElemCaretLineInfo, 1);
    if (markStyle) frame(kElemMarkLineInfo, caretStyle ? 3 : 1);
  }

  if (s.GetLineInfoStyle() == kLineInfoScenes && s.GetGapLineStyle() == kGapLineScenes && rp.Exists &&
      rp.Info.SceneNo != 0 && rp.Info.RowInLine == 0)
    PaintSceneBracket(rp, columnStart, columnEnd);
  if (fontChanged) Canvas().SetFont(FPaintFont);
}

}  // namespace vorna
