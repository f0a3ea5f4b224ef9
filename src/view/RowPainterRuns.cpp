// Drawing one run of cells of one style: its text with explicit advances
// (upright pairs, joined rules, supersampling on the screen), its
// decoration line and its space and tab marks.
#include <algorithm>
#include <utility>
#include <vector>

#include "graphics/Lines.h"
#include "graphics/SmoothText.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"
#include "text/ShiftJis.h"
#include "view/RowPainters.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

constexpr unsigned char kDashLead = 0x81, kDashTrail = 0x5C;  // "―"

bool IsDashAt(std::string_view text, size_t i) {
  return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == kDashLead &&
         static_cast<unsigned char>(text[i + 1]) == kDashTrail;
}

// Runs of two or more "―" (a two-em dash and longer), as 0-based byte
// ranges [first, end). Fonts draw the dash with side bearings, which would
// break the dash into pieces; such runs are drawn as one bar instead.
std::vector<std::pair<size_t, size_t>> DashRuns(std::string_view text) {
  std::vector<std::pair<size_t, size_t>> runs;
  for (size_t i = 0; i < text.size();) {
    if (!IsDoubleByteAt(text, i)) {
      ++i;
      continue;
    }
    size_t end = i;
    while (IsDashAt(text, end)) end += 2;
    if (end - i >= 4) runs.emplace_back(i, end);
    i = end > i ? end : i + 2;
  }
  return runs;
}

bool HasDecoration(int style) {
  return style != kElemCaretLine && style != kElemZenkakuSpace && style != kElemHankakuSpace &&
         style != kElemTab;
}

}  // namespace

void TRowPainter::PaintRun(const TRowPaint& rp, int first, int last, int style) {
  const TEditorStyle& s = Style();
  const bool vertical = s.GetVertical();
  const std::string& display = rp.Cache->DisplayText;
  const bool fontChanged = SelectCellStyle(style, rp.BaseStyle);
  const bool direct = s.GetAntiArius() <= 1 || FState.Printing || FState.Preview;
  const int factor = direct ? 1 : s.GetAntiArius();

  // A run that begins on the second byte of a character shows a half-width
  // space there; one that ends on a first byte does the same.
  std::string text = display.substr(static_cast<size_t>(first), static_cast<size_t>(last - first + 1));
  if (ByteTypeAt(display, first + 1) == TByteType::Trail) text[0] = ' ';
  if (ByteTypeAt(display, last + 1) == TByteType::Lead && last + 1 < static_cast<int>(display.size()))
    text.back() = ' ';
  const bool tabs = ElementVisible(kElemTab) && text.find('\t') != std::string::npos;
  if (tabs) std::replace(text.begin(), text.end(), '\t', ' ');

  const auto dashes = style == kElemVerticalRow ? std::vector<std::pair<size_t, size_t>>() : DashRuns(text);
  for (const auto& [from, to] : dashes)
    std::fill(text.begin() + static_cast<long>(from), text.begin() + static_cast<long>(to), ' ');

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
    advances.assign(text.size(), std::max(Layout().FontHeight / 2, 1) * factor);
    x -= Layout().FontHeight;
    if (text.size() == 1) x += Layout().FontHeight / 4;
  } else {
    for (size_t i = 0; i < text.size(); ++i)
      advances[i] = PaintPitch(rp, first + static_cast<int>(i)) * factor;
    if (s.GetConnectTatesen()) {
      const std::string& rule = Cp932Lit("─");
      ConnectRules(text, advances, RoundPixels(Canvas().TextWidth(rule) * 0.91) * factor);
    }
  }

  const bool picture = UsesBackgroundPicture();
  TRect textRect = cells;
  if (!vertical) ++textRect.Bottom;
  if (picture) FillBackground(cells, rp.Clip, FRunBack);
  if (!text.empty()) {
    if (direct) {
      if (picture || BlankOnPrinter(FRunBack)) {
        Canvas().SetBrush(kClNone, TBrushStyle::Clear);
        // The screen clips a run to its cells, as a repaint draws it again over
        // its neighbours; a printed page is drawn once, and a clip per run
        // would only weigh down the job.
        Canvas().ExtTextOut(x, y, FState.Printing ? kEtoNone : kEtoClipped, Intersect(textRect, rp.Clip),
                            text, advances);
      } else {
        Canvas().ExtTextOut(x, y, kEtoOpaque | kEtoClipped, Intersect(textRect, rp.Clip), text, advances);
      }
    } else {
      if (!picture) FillBackground(cells, rp.Clip, FRunBack);
      SmoothTextOut(FSmoothBitmaps, Canvas(), rp.Clip, textRect, picture, nullptr, text, advances, factor, x,
                    y);
    }
  } else if (!picture) {
    FillBackground(cells, rp.Clip, FRunBack);
  }

  // The dash bars: a stroke of the glyphs' weight through the middle of the em.
  if (!dashes.empty()) {
    const int stroke = std::max(RoundPixels(Layout().FontHeight / 12.0), 1), inset = Layout().FontHeight / 10;
    Canvas().SetBrush(FRunText, TBrushStyle::Solid);
    for (const auto& [from, to] : dashes) {
      const TRect span = CellsRect(rp, first + static_cast<int>(from), first + static_cast<int>(to) - 1);
      TRect bar;
      if (vertical) {
        const int middle = glyphEdge - Layout().FontHeight / 2;
        bar = {middle - stroke / 2, span.Top + inset, middle - stroke / 2 + stroke, span.Bottom - inset};
      } else {
        const int middle = glyphEdge + Canvas().TextHeight({}) / 2;
        bar = {span.Left + inset, middle - stroke / 2, span.Right - inset, middle - stroke / 2 + stroke};
      }
      bar = Intersect(bar, rp.Clip);
      if (!bar.IsEmpty()) Canvas().FillRect(bar);
    }
  }

  const TViewInfo* info = Style().GetViewInfo(style);
  if (info && HasDecoration(style) && info->HasLine()) {
    FHost.SetPenFromElement(*info);
    if (vertical)
      VLineIn(Canvas(), glyphEdge - Layout().FontHeight - 1, cells.Top, cells.Bottom, info->IsDoubleLine(),
              rp.Clip);
    else
      HLineIn(Canvas(), cells.Left, cells.Right, glyphEdge + Layout().FontHeight, info->IsDoubleLine(),
              rp.Clip);
  }
  if (style == kElemZenkakuSpace || style == kElemHankakuSpace) PaintSpaceMarks(rp, first, last, style);
  if (tabs) PaintTabMarks(rp, first, last);
  if (fontChanged) Canvas().SetFont(FPaintFont);
}

}  // namespace vorna
