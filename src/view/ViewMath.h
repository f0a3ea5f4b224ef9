// Rounding and clamping of the view's pixel arithmetic, so that settings read
// from a file (huge zooms, margins, page counts) can never overflow an int.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vorna {

// Coordinates and sizes stay within this many pixels either way.
constexpr int kMaxViewPixels = 1 << 29;

constexpr int ClampPixels(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, -kMaxViewPixels, kMaxViewPixels));
}

// Rounds half away from zero, as the platform's Round does for lengths;
// NaN gives 0.
inline int RoundPixels(double value) {
  if (!(value == value)) return 0;
  return static_cast<int>(std::llround(std::clamp<double>(value, -kMaxViewPixels, kMaxViewPixels)));
}

// A font height (negative: character height) scaled by the zoom; a result that
// is not negative becomes -1, so a font never ends up at its default height.
inline int ZoomedFontHeight(int height, double zoom) {
  const int scaled = RoundPixels(height * zoom);
  return scaled >= 0 ? -1 : scaled;
}

}  // namespace vorna
