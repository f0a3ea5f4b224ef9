// The marks beside the text on the ruby side of a row: ruby readings spread
// over their bases, emphasis marks and side lines, and the annotation marks
// with the hot spots their hints answer to.
#include <algorithm>
#include <climits>

#include "graphics/Lines.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"
#include "text/Notations.h"
#include "text/ShiftJis.h"
#include "view/RowPainters.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

constexpr int kHotSpotGrowPx = 4;

// The mark of an emphasis kind; empty for the side lines (kinds 8 and 9).
std::string EmphasisMark(int kind) {
  switch (kind) {
    case 0:
    case 7:
      return Cp932Lit("、");  // sesame
    case 1:
      return Cp932Lit("○");
    case 2:
      return Cp932Lit("●");
    case 3:
      return Cp932Lit("▲");
    case 4:
      return Cp932Lit("△");
    case 5:
    case 6:
      return Cp932Lit("◎");
    default:
      return {};
  }
}

bool IsSesame(int kind) { return kind == 0 || kind == 7; }

}  // namespace

void TRowPainter::PaintRuby(const TRowPaint& rp) {
  if (!ElementVisible(kElemRubi) || !rp.Cache) return;
  const std::string_view line = Doc().Get(rp.Info.Line);
  if (line.find("\x81\x73") == std::string::npos) return;  // no "《" at all
  const std::vector<TRubyInfo> rubies = ParseRubies(line);
  if (rubies.empty()) return;
  const bool vertical = Vertical();
  const int cells = static_cast<int>(rp.Cache->DisplayText.size());
  const int edge = GlyphEdge(rp.Rect);
  // The ruby side only: never into the glyphs of this row or the next.
  TRect side = vertical ? TRect{edge, rp.Rect.Top, rp.Rect.Right, rp.Rect.Bottom}
                        : TRect{rp.Rect.Left, rp.Rect.Top, rp.Rect.Right, edge};
  if (vertical)
    side.Bottom = rp.Clip.Bottom;
  else
    side.Right = rp.Clip.Right;
  const TRect clip = Intersect(side, rp.Clip);
  if (clip.IsEmpty()) return;
  SelectCellStyle(kElemRubi, rp.BaseStyle);  // the colours; the font is the reading's own size
  Canvas().SetFont(ElementFont(kElemRubi, 0, vertical));
  Canvas().SetTextColor(FRunText);
  const int charPx = std::max(std::abs(Canvas().Font().Height), 1);
  for (const TRubyInfo& ruby : rubies) {
    if (ruby.RubyLength <= 0 || ruby.BaseLength <= 0) continue;
    // The base's cells on this row (a base may begin on the row before or end on the next).
    const int from = CellOfLinePos(rp, ruby.BaseStart);
    const int to = CellOfLinePos(rp, ruby.RubyStart - 2);  // the "《" stands after the base
    const int first = std::max(from, 0), last = std::min(to, cells) - 1;
    if (last < first || from >= cells) continue;
    std::string_view reading = std::string_view(line).substr(static_cast<size_t>(ruby.RubyStart - 1),
                                                             static_cast<size_t>(ruby.RubyLength));
    if (from < 0 || to > cells) {
      // Split by the row's end: this row shows its share of the reading.
      const int64_t total = ruby.BaseLength;
      const int64_t before = from < 0 ? std::clamp<int64_t>(rp.Info.Start - ruby.BaseStart, 0, total) : 0;
      const int64_t here = last - first + 1;
      const auto cut = [&](int64_t share) {
        size_t at = static_cast<size_t>(std::min<int64_t>(reading.size() * share / total, reading.size()));
        while (at > 0 && at < reading.size() &&
               ByteTypeAt(reading, static_cast<int>(at) + 1) == TByteType::Trail)
          --at;
        return at;
      };
      const size_t a = cut(before), b = cut(std::min(before + here, total));
      reading = reading.substr(a, b - a);
      if (reading.empty()) continue;
    }
    std::vector<int> baseAdvances;
    for (int c = first; c <= last; ++c) baseAdvances.push_back(PaintPitch(rp, c));
    const TRubyPlacement place = PlaceRuby(reading, baseAdvances, charPx);
    const TRect base = CellsRect(rp, first, last);
    const int along = (vertical ? base.Top : base.Left) + place.StartPx;
    // Beside the glyph band: right of it in vertical mode, above it otherwise.
    const int x = vertical ? std::min(edge + charPx, rp.Rect.Right) : along;
    const int y = vertical ? along : std::max(edge - charPx, rp.Rect.Top);
    Canvas().ExtTextOut(x, y, kEtoClipped, clip, reading, place.Advances);
  }
  Canvas().SetFont(FPaintFont);
}

void TRowPainter::PaintEmphasis(const TRowPaint& rp) {
  if (!ElementVisible(kElemBoten) || !rp.Cache) return;
  const std::string_view line = Doc().Get(rp.Info.Line);
  if (line.find("\x81\x6D\x81\x94\x81\x75") == std::string::npos) return;  // no "［＃「"
  const std::vector<TEmphasisInfo> marks = FindEmphasis(line);
  if (marks.empty()) return;
  const TViewInfo* boten = Style().GetViewInfo(kElemBoten);
  const bool vertical = Vertical();
  const int cells = static_cast<int>(rp.Cache->DisplayText.size());
  const int edge = GlyphEdge(rp.Rect);
  const TRect side = vertical ? TRect{edge, rp.Rect.Top, rp.Rect.Right, rp.Clip.Bottom}
                              : TRect{rp.Rect.Left, rp.Rect.Top, rp.Clip.Right, edge};
  const TRect clip = Intersect(side, rp.Clip);
  if (clip.IsEmpty()) return;
  const TColor color =
      PaintEnabled() ? FHost.SystemColorValue(boten->GetFont().Color) : StyleTextColor(kElemBoten);
  for (const TEmphasisInfo& mark : marks) {
    const int from = std::max(CellOfLinePos(rp, mark.TargetFirst), 0);
    const int to = std::min(CellOfLinePos(rp, mark.TargetLast + 1), cells);
    if (to <= from) continue;
    const std::string glyph = EmphasisMark(mark.Kind);
    if (glyph.empty()) {
      // Side lines, one or two, along the target just beside its glyphs.
      const TColor lineColor = FHost.SystemColorValue(boten->GetLineColor());
      Canvas().SetPen(PaintEnabled() && lineColor != kClNone ? lineColor : color, TPenStyle::Solid, 1);
      const TRect span = CellsRect(rp, from, to - 1);
      for (int n = 0; n < (mark.Kind == 9 ? 2 : 1); ++n) {
        const int offset = 2 + 3 * n;
        if (vertical)
          VLineIn(Canvas(), edge + offset, span.Top, span.Bottom, false, clip);
        else
          HLineIn(Canvas(), span.Left, span.Right, edge - offset - 1, false, clip);
      }
      continue;
    }
    const bool sesame = IsSesame(mark.Kind);
    // Smaller than the text, and never wider than the ruby side can hold: a
    // mark cut by the row's edge would read as a broken one.
    const int room = (vertical ? side.Width() : side.Height()) - 2;
    const int height =
        std::max(std::min(Layout().FontHeight - EmphasisShrink(Layout().FontHeight, sesame), room), 1);
    TFontSpec font = ElementFont(kElemBoten, height, vertical && sesame);
    font.Color = color;
    Canvas().SetFont(font);
    Canvas().SetTextColor(color);
    // One mark per full-width character of the target, centred beside it.
    const std::string& text = rp.Cache->DisplayText;
    for (int c = from; c < to;) {
      const bool wide = IsDoubleByteAt(text, static_cast<size_t>(c));
      if (!wide) {
        ++c;
        continue;
      }
      const TRect cellsRect = CellsRect(rp, c, c + 1);
      const int middle =
          vertical ? (cellsRect.Top + cellsRect.Bottom) / 2 : (cellsRect.Left + cellsRect.Right) / 2;
      int x, y;
      // The mark's box beside the character, its middle on the character's
      // middle; the sesame's "、" inks only a corner of its box (the upper
      // right when turned, the lower left upright), which is moved there.
      if (vertical && sesame) {
        x = edge + 1 + height * 3 / 4;  // a turned font's box ends at x
        y = middle - height / 4;
      } else if (vertical) {
        x = edge + 1;
        y = middle - height / 2;
      } else {
        x = middle - (sesame ? height / 4 : height / 2);
        y = edge - 1 - (sesame ? height * 5 / 4 : height);
      }
      const int advances[2] = {height, 0};
      Canvas().ExtTextOut(x, y, kEtoClipped, clip, glyph, advances);
      c += 2;
    }
  }
  Canvas().SetFont(FPaintFont);
}

void TRowPainter::BuildFootNoteMarks(TRowPaintInfo& info, int row) const {
  const TRowInfo r = Doc().GetRow(row);
  if (info.RawText.find("\x81\x6D\x81\x94") == std::string::npos) return;  // no "［＃"
  const int h = std::max(std::abs(ElementFont(kElemFootNoteMark, 0, false).Height), 1);
  const bool vertical = Vertical();
  TRowPaint rp;
  rp.Row = row;
  rp.Info = r;
  const int textStart = Layout().LineInfoWidth + Layout().TextLeftMarginPx;  // from the row's start
  for (const TByteRange& span : FindAnnotations(info.RawText)) {
    const int linePos = static_cast<int>(r.Start) + span.First - 1;
    const int cell = std::clamp(CellOfLinePos(rp, linePos), 0, static_cast<int>(info.DisplayText.size()));
    const int along = ClampPixels(static_cast<int64_t>(textStart) + FHost.CellsExtent(row, 0, cell - 1));
    // Relative to the row rectangle's top-left corner, so that scrolling
    // leaves the cache valid.
    TRect square;
    if (vertical) {
      const int right = Layout().FontHeight + h + 1 + Layout().GapLineWidth;
      square = {right - h, along, right, along + h};
    } else {
      const int pitch = Layout().LinePitch - 1;
      const int top = pitch - Layout().FontHeight - h - 1 - Layout().GapLineWidth;
      square = {along, top, along + h, top + h};
    }
    TFootNoteMark mark;
    mark.HotSpot = {square.Left - kHotSpotGrowPx, square.Top - kHotSpotGrowPx, square.Right + kHotSpotGrowPx,
                    square.Bottom + kHotSpotGrowPx};
    mark.First = linePos;
    mark.Last = static_cast<int>(r.Start) + span.Last - 1;
    info.FootNoteMarks.push_back(mark);
  }
}

void TRowPainter::PaintFootNoteMarks(const TRowPaint& rp) {
  if (!rp.Cache || rp.Cache->FootNoteMarks.empty()) return;
  if (!ElementVisible(kElemFootNote) || !ElementVisible(kElemFootNoteMark)) return;
  const TViewInfo* info = Style().GetViewInfo(kElemFootNoteMark);
  SelectCellStyle(kElemFootNoteMark, rp.BaseStyle);
  Canvas().SetFont(ElementFont(kElemFootNoteMark, 0, false));
  Canvas().SetTextColor(FRunText);
  const std::string star = Cp932Lit("＊");
  for (const TFootNoteMark& mark : rp.Cache->FootNoteMarks) {
    const TRect square{rp.Rect.Left + mark.HotSpot.Left + kHotSpotGrowPx,
                       rp.Rect.Top + mark.HotSpot.Top + kHotSpotGrowPx,
                       rp.Rect.Left + mark.HotSpot.Right - kHotSpotGrowPx,
                       rp.Rect.Top + mark.HotSpot.Bottom - kHotSpotGrowPx};
    const TRect clip = Intersect(square, rp.Clip);
    if (clip.IsEmpty()) continue;
    const int advances[2] = {square.Width(), 0};
    Canvas().ExtTextOut(square.Left, square.Top, kEtoClipped, clip, star, advances);
    if (info->HasLine()) {
      FHost.SetPenFromElement(*info);
      FrameRect(Canvas(), {square.Left, square.Top, square.Right - 1, square.Bottom - 1}, clip, false);
    }
  }
  Canvas().SetFont(FPaintFont);
}

}  // namespace vorna
