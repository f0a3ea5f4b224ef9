// Device-pixel points and rectangles and the colour values of the core
// ($00BBGGRR, $FF0000nn for a system colour, $1FFFFFFF for no colour).
#pragma once

#include <algorithm>
#include <cstdint>

namespace vorna {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Left and top are inside, right and bottom outside (as device rectangles).
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  // True when the rectangle covers no pixel (also when inverted).
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Intersection; an empty result keeps whatever inverted edges fall out.
inline TRect Intersect(const TRect& a, const TRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

using TColor = uint32_t;

constexpr TColor kClNone = 0x1FFFFFFF;
constexpr TColor kClBlack = 0x000000;
constexpr TColor kClWhite = 0xFFFFFF;

constexpr TColor Rgb(unsigned r, unsigned g, unsigned b) {
  return (b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF);
}
constexpr unsigned RedOf(TColor c) { return c & 0xFF; }
constexpr unsigned GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr unsigned BlueOf(TColor c) { return (c >> 16) & 0xFF; }
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0xFF000000u; }
constexpr TColor SystemColor(unsigned index) { return 0xFF000000u | (index & 0xFF); }

// The system colour numbers the program uses ($FF0000nn).
enum TSystemColorIndex : unsigned {
  kColorScrollBar = 0,
  kColorBackground = 1,
  kColorActiveCaption = 2,
  kColorInactiveCaption = 3,
  kColorMenu = 4,
  kColorWindow = 5,
  kColorWindowFrame = 6,
  kColorMenuText = 7,
  kColorWindowText = 8,
  kColorCaptionText = 9,
  kColorActiveBorder = 10,
  kColorInactiveBorder = 11,
  kColorAppWorkspace = 12,
  kColorHighlight = 13,
  kColorHighlightText = 14,
  kColorBtnFace = 15,
  kColorBtnShadow = 16,
  kColorGrayText = 17,
  kColorBtnText = 18,
  kColorInactiveCaptionText = 19,
  kColorBtnHighlight = 20,
  kColor3DDkShadow = 21,
  kColor3DLight = 22,
  kColorInfoText = 23,
  kColorInfoBk = 24,
  kColorHotLight = 26,
  kColorGradientActiveCaption = 27,
  kColorGradientInactiveCaption = 28,
  kColorMenuHilight = 29,
  kColorMenuBar = 30,
};

}  // namespace vorna
