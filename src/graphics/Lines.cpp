// Clipped lines and frames. A dotted one-pixel pen sets every other pixel,
// chosen by the parity of x + y so that partial repaints continue the pattern.
#include "graphics/Lines.h"

#include <algorithm>

#include "graphics/Rects.h"

namespace vorna {

namespace {

bool PixelDots(const TCanvas& canvas) {
  return canvas.PenStyle() == TPenStyle::Dot && canvas.PenWidth() <= 1;
}

// Draws from `from` up to (not including) `to` along one axis.
void Segment(TCanvas& canvas, TPoint from, TPoint to) {
  if (PixelDots(canvas)) {
    TColor color = canvas.PenColor();
    if (color == kClNone) return;
    int dx = (to.X > from.X) - (to.X < from.X), dy = (to.Y > from.Y) - (to.Y < from.Y);
    for (TPoint p = from; p != to; p.X += dx, p.Y += dy)
      if (((p.X + p.Y) & 1) == 0) canvas.SetPixel(p.X, p.Y, color);
    return;
  }
  canvas.MoveTo(from.X, from.Y);
  canvas.LineTo(to.X, to.Y);
}

int DoubleGap(const TCanvas& canvas) { return std::max(2, 2 * canvas.PenWidth()); }

}  // namespace

void VLine(TCanvas& canvas, int x, int y1, int y2, bool doubled, const TRect& clip) {
  if (y1 < clip.Top && y2 < clip.Top) return;
  if (y1 > clip.Bottom && y2 > clip.Bottom) return;
  int half = canvas.PenWidth() / 2;
  if (x + half < clip.Left || x - half > clip.Right) return;
  int top = std::max(y1, clip.Top);
  int bottom = std::min(y2, clip.Bottom + 1);
  if (top >= bottom) return;
  Segment(canvas, {x, top}, {x, bottom});
  if (doubled) {
    int x2 = x + DoubleGap(canvas);
    Segment(canvas, {x2, top}, {x2, bottom});
  }
}

void HLine(TCanvas& canvas, int x1, int x2, int y, bool doubled, const TRect& clip) {
  if (x1 < clip.Left && x2 < clip.Left) return;
  if (x1 > clip.Right && x2 > clip.Right) return;
  int half = canvas.PenWidth() / 2;
  if (y + half < clip.Top || y - half > clip.Bottom) return;
  int left = std::max(x1, clip.Left);
  int right = std::min(x2, clip.Right);
  if (left >= right) return;
  Segment(canvas, {left, y}, {right, y});
  if (doubled) {
    int y2 = y + DoubleGap(canvas);
    Segment(canvas, {left, y2}, {right, y2});
  }
}

namespace {

void Frame(TCanvas& canvas, const TRect& r, const TRect& clip) {
  int extra = canvas.PenWidth() <= 1 ? 1 : 0;
  HLine(canvas, r.Left, r.Right + extra, r.Top, false, clip);
  HLine(canvas, r.Left, r.Right + extra, r.Bottom, false, clip);
  VLine(canvas, r.Left, r.Top, r.Bottom + extra, false, clip);
  VLine(canvas, r.Right, r.Top, r.Bottom + extra, false, clip);
}

}  // namespace

void FrameRect(TCanvas& canvas, const TRect& r, const TRect& clip, bool doubled) {
  Frame(canvas, r, clip);
  if (doubled) Frame(canvas, InflateRectBy(r, 2), clip);
}

void VLineIn(TCanvas& canvas, int x, int y1, int y2, bool doubled, const TRect& clip) {
  // VLine lets a line cut by the clip end on clip.Bottom itself.
  const TRect inclusive{clip.Left, clip.Top, clip.Right, clip.Bottom - 1};
  const auto one = [&](int at) {
    if (at >= clip.Left && at < clip.Right) VLine(canvas, at, y1, y2, false, inclusive);
  };
  one(x);
  if (doubled) one(x + DoubleGap(canvas));
}

void HLineIn(TCanvas& canvas, int x1, int x2, int y, bool doubled, const TRect& clip) {
  const auto one = [&](int at) {
    if (at >= clip.Top && at < clip.Bottom) HLine(canvas, x1, x2, at, false, clip);
  };
  one(y);
  if (doubled) one(y + DoubleGap(canvas));
}

void FrameRectIn(TCanvas& canvas, const TRect& r, const TRect& clip) {
  HLineIn(canvas, r.Left, r.Right + 1, r.Top, false, clip);
  HLineIn(canvas, r.Left, r.Right + 1, r.Bottom, false, clip);
  VLineIn(canvas, r.Left, r.Top, r.Bottom + 1, false, clip);
  VLineIn(canvas, r.Right, r.Top, r.Bottom + 1, false, clip);
}

}  // namespace vorna
