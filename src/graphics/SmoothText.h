// Supersampled text output: text drawn `factor` times larger on an off-screen
// bitmap and reduced by averaging, for smoothed text on any canvas.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "platform/Canvas.h"

namespace vorna {

// Draws further marks on the large bitmap: its canvas and rectangle, the
// text, the advances, the factor and the text origin at the large scale.
using TSmoothExtraPaint = std::function<void(TCanvas& large, const TRect& rect, std::string_view text,
                                             std::span<const int> advances, int factor, TPoint origin)>;

// The two bitmaps smoothed text is drawn through, kept between calls so that
// painting only resizes them. Whoever paints owns a set (each view its own),
// so no two painters share them; they are made on the first canvas drawn on
// and must go before the platform that made them.
struct TSmoothTextBitmaps {
  std::unique_ptr<TBitmap> Large;
  std::unique_ptr<TBitmap> Small;
};

// Draws `text` at (x, y) within clip ∩ textRect in the canvas font, colour and
// brush, through `bitmaps`. `advances` (one per byte) are already multiplied
// by factor; without them the text takes its natural advances. With
// `transparent` the background (the bottom-left pixel's colour) is not drawn.
// A factor below 1 counts as 1.
void SmoothTextOut(TSmoothTextBitmaps& bitmaps, TCanvas& canvas, const TRect& clip, const TRect& textRect,
                   bool transparent, const TSmoothExtraPaint& extraPaint, std::string_view text,
                   std::span<const int> advances, int factor, int x, int y);

// Averages each factor x factor block of `large` into one pixel of `small`
// (red, green and blue apart, remainders dropped), over the pixels both hold.
void ReduceBitmap(const TBitmap& large, TBitmap& small, int factor);

}  // namespace vorna
