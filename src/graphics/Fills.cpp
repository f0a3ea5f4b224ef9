// Band, clipped and gradient fills.
#include "graphics/Fills.h"

#include <algorithm>
#include <cmath>

#include "graphics/Colors.h"
#include "graphics/Rects.h"

namespace vorna {

void FillBand(TCanvas& canvas, const TRect& outer, const TRect& inner, const TRect& clip) {
  if (!RectsIntersect(outer, clip) || RectStrictlyInside(outer, inner)) return;
  if (canvas.BrushStyle() == TBrushStyle::Solid)
    canvas.SetPen(canvas.BrushColor(), TPenStyle::Solid, 1);
  else
    canvas.SetPen(canvas.PenColor(), TPenStyle::Clear, canvas.PenWidth());
  auto fill = [&](const TRect& piece) {
    TRect visible = IntersectRects(piece, clip);
    if (RectNotEmpty(visible)) canvas.FillRect(visible);
  };
  if (!RectNotEmpty(inner)) {
    fill(outer);
    return;
  }
  int midTop = std::max(outer.Top, inner.Top), midBottom = std::min(outer.Bottom, inner.Bottom);
  fill({outer.Left, outer.Top, outer.Right, std::min(inner.Top, outer.Bottom)});
  fill({outer.Left, std::max(inner.Bottom, outer.Top), outer.Right, outer.Bottom});
  fill({outer.Left, midTop, std::min(inner.Left, outer.Right), midBottom});
  fill({std::max(inner.Right, outer.Left), midTop, outer.Right, midBottom});
}

void FillClipped(TCanvas& canvas, const TRect& r, const TRect& clip, TColor color) {
  TRect visible = IntersectRects(r, clip);
  if (!RectNotEmpty(visible)) return;
  canvas.SetBrush(color, TBrushStyle::Solid);
  canvas.FillRect(visible);
}

void GradientFill(TCanvas& canvas, const TRect& r, TColor color1, TColor color2, bool vertical,
                  TSystemMetrics* metrics) {
  int count = vertical ? r.Height() : r.Width();
  if (count < 0) return;
  TColor c1 = ResolveSystemColor(color1, metrics), c2 = ResolveSystemColor(color2, metrics);
  auto channel = [count](unsigned a, unsigned b, int i) {
    if (count == 0) return a;  // a single stripe in the first colour
    double v = a + std::nearbyint((static_cast<double>(b) - a) / count * i);
    return static_cast<unsigned>(std::clamp(v, 0.0, 255.0));
  };
  for (int i = 0; i <= count; ++i) {
    canvas.SetBrush(Rgb(channel(RedOf(c1), RedOf(c2), i), channel(GreenOf(c1), GreenOf(c2), i),
                        channel(BlueOf(c1), BlueOf(c2), i)),
                    TBrushStyle::Solid);
    if (vertical)
      canvas.FillRect({r.Left, r.Top + i, r.Right, r.Top + i + 1});
    else
      canvas.FillRect({r.Left + i, r.Top, r.Left + i + 1, r.Bottom});
  }
}

}  // namespace vorna
