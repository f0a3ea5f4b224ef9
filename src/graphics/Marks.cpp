// Sunken edges, bevels and arrow marks.
#include "graphics/Marks.h"

#include <algorithm>

#include "graphics/Colors.h"
#include "graphics/Lines.h"
#include "graphics/Rects.h"

namespace vorna {

namespace {

void Strip(TCanvas& canvas, const TRect& r, TColor color) {
  if (!RectNotEmpty(r)) return;
  canvas.SetBrush(color, TBrushStyle::Solid);
  canvas.FillRect(r);
}

// One two-colour frame inside r: `topLeft` owns the top and left lines up to
// the far corners, `bottomRight` the bottom and right lines.
void ShadedFrame(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
  Strip(canvas, {r.Left, r.Top, r.Right - 1, r.Top + 1}, topLeft);
  Strip(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom - 1}, topLeft);
  Strip(canvas, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
  Strip(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

}  // namespace

void DrawSunkenEdge(TCanvas& canvas, const TRect& r) {
  TColor brush = canvas.BrushColor();
  TBrushStyle style = canvas.BrushStyle();
  // Outer: shadow above and left, highlight below and right; inner: dark
  // shadow and light, as the platform's sunken edge.
  ShadedFrame(canvas, r, SystemColor(kColorBtnShadow), SystemColor(kColorBtnHighlight));
  ShadedFrame(canvas, InflateRectBy(r, -1), SystemColor(kColor3DDkShadow), SystemColor(kColor3DLight));
  canvas.SetBrush(brush, style);
}

void DrawBevel(TCanvas& canvas, const TRect& r, const TRect& clip, bool raised, TSystemMetrics* metrics) {
  TColor base = canvas.BrushColor();
  TColor innerTopLeft = HalfTone(base, raised, metrics);
  TColor outerTopLeft = HalfTone(innerTopLeft, raised, metrics);
  TColor innerBottomRight = HalfTone(base, !raised, metrics);
  TColor outerBottomRight = HalfTone(innerBottomRight, !raised, metrics);
  auto frame = [&](const TRect& f, TColor topLeft, TColor bottomRight) {
    canvas.SetPen(topLeft, TPenStyle::Solid, 1);
    HLine(canvas, f.Left, f.Right, f.Top, false, clip);
    VLine(canvas, f.Left, f.Top, f.Bottom, false, clip);
    canvas.SetPen(bottomRight, TPenStyle::Solid, 1);
    HLine(canvas, f.Left, f.Right, f.Bottom - 1, false, clip);
    VLine(canvas, f.Right - 1, f.Top, f.Bottom, false, clip);
  };
  frame(r, outerTopLeft, outerBottomRight);
  frame(InflateRectBy(r, -1), innerTopLeft, innerBottomRight);
}

void DrawArrowMark(TCanvas& canvas, const TRect& r, const TRect& clip, int direction) {
  if (direction < kArrowLeft || direction > kArrowDown || !RectNotEmpty(r)) return;
  TColor color = canvas.PenColor();
  auto set = [&](int x, int y) {
    if (x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom) canvas.SetPixel(x, y, color);
  };
  int count = std::max(2, (std::min(r.Width(), r.Height()) - 1) / 6 + 1);
  bool horizontal = direction == kArrowLeft || direction == kArrowRight;
  // Positions along the shaft run from `first` to `last` (pixel columns or
  // rows); `mid` is the shaft's row or column.
  int first = horizontal ? r.Left : r.Top;
  int last = (horizontal ? r.Right : r.Bottom) - 1;
  int mid = horizontal ? (r.Top + r.Bottom) / 2 : (r.Left + r.Right) / 2;
  auto plot = [&](int along, int across) { horizontal ? set(along, across) : set(across, along); };
  for (int a = first + 1; a <= last - 1; ++a) plot(a, mid);
  bool towardStart = direction == kArrowLeft || direction == kArrowUp;
  for (int i = 0; i < count; ++i) {
    int along = towardStart ? first + i + 2 : last - i - 2;
    plot(along, mid - i - 1);
    plot(along, mid + i + 1);
  }
}

}  // namespace vorna
