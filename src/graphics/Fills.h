// Band, clipped and gradient fills.
#pragma once

#include "platform/Canvas.h"

namespace vorna {

class TSystemMetrics;

// Fills, with the current brush, the part of `outer` that `inner` does not
// cover, within `clip`, as up to four rectangles (above, below, left and right
// of inner). An empty inner fills outer within clip. With a solid brush the
// pen becomes the brush colour at width 1, otherwise clear.
void FillBand(TCanvas& canvas, const TRect& outer, const TRect& inner, const TRect& clip);
// Fills r within clip with a solid brush of `color`.
void FillClipped(TCanvas& canvas, const TRect& r, const TRect& clip, TColor color);
// One-pixel stripes from the top (vertical) or left edge: count + 1 stripes
// for a count of pixels across, the first in color1 and the last in color2.
// System colours are resolved with `metrics` (black without).
void GradientFill(TCanvas& canvas, const TRect& r, TColor color1, TColor color2, bool vertical,
                  TSystemMetrics* metrics);

}  // namespace vorna
