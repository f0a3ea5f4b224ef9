// The constant default record of a view element (one table entry per element,
// with "keep" values for the fields it leaves alone) and the mapping of the
// element line styles to canvas pens.
#pragma once

#include <string_view>

#include "platform/Canvas.h"
#include "platform/Geometry.h"

namespace vorna {

// Font style codes of the default records.
enum TFontStyleCode : int { kStyleNone = 0, kStyleBold = 1, kStyleItalic = 2, kStyleBoldItalic = 3 };

// Line styles of a view element.
enum TLineStyle : int {
  kLineNone = 0,
  kLineSolid = 1,
  kLineDot = 2,
  kLineDoubleSolid = 3,
  kLineDoubleDot = 4,
  kLineDash = 5,
};

// One element's defaults. Every field holding its keep value leaves the
// element's own default (SetDefaults) in place. The face is written in UTF-8
// source form and converted to CP932 when applied.
struct TViewInfoDefault {
  int DisplayMode = -1;        // keep: below 0
  std::string_view FontFace;   // keep: empty (at most 43 bytes in CP932)
  int FontSize = 0;            // keep: 0 or less
  int FontStyle = -1;          // keep: below 0 (a TFontStyleCode otherwise)
  int LineStyle = -1;          // keep: below 0
  double LineWidth = -1;       // keep: below 0
  TColor FontColor = kClNone;  // keep: kClNone
  TColor BackColor = kClNone;  // keep: kClNone
  TColor LineColor = kClNone;  // keep: kClNone
};

// Pen of a line style: 0 no pen, 1 and 3 solid, 2 and 4 dotted, 5 dashed;
// any other value draws nothing.
constexpr TPenStyle PenStyleOfLine(int lineStyle) {
  switch (lineStyle) {
    case kLineSolid:
    case kLineDoubleSolid:
      return TPenStyle::Solid;
    case kLineDot:
    case kLineDoubleDot:
      return TPenStyle::Dot;
    case kLineDash:
      return TPenStyle::Dash;
    default:
      return TPenStyle::Clear;
  }
}

// Styles 3 and 4 are drawn doubled and always one pixel wide.
constexpr bool IsDoubleLineStyle(int lineStyle) {
  return lineStyle == kLineDoubleSolid || lineStyle == kLineDoubleDot;
}

}  // namespace vorna
