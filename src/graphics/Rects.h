// Rectangle and point arithmetic in device pixels (Left and Top inside, Right
// and Bottom outside).
#pragma once

#include <algorithm>

#include "platform/Geometry.h"

namespace vorna {

constexpr TRect MakeRect(int l, int t, int r, int b) { return {l, t, r, b}; }

constexpr TRect InflateRectBy(const TRect& r, int d) {
  return {r.Left - d, r.Top - d, r.Right + d, r.Bottom + d};
}

// May be empty (or inverted) when the rectangles do not meet.
constexpr TRect IntersectRects(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

constexpr TRect OffsetRectBy(const TRect& r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

constexpr bool RectNotEmpty(const TRect& r) { return r.Left < r.Right && r.Top < r.Bottom; }

// a lies within b; edges may touch.
constexpr bool RectInside(const TRect& a, const TRect& b) {
  return a.Left >= b.Left && a.Top >= b.Top && a.Right <= b.Right && a.Bottom <= b.Bottom;
}

// a within b and b not within a.
constexpr bool RectStrictlyInside(const TRect& a, const TRect& b) {
  return RectInside(a, b) && !RectInside(b, a);
}

constexpr bool RectsIntersect(const TRect& a, const TRect& b) { return RectNotEmpty(IntersectRects(a, b)); }

// Edges included on all four sides.
constexpr bool PointInRect(const TPoint& p, const TRect& r) {
  return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}

}  // namespace vorna
