// Small frames and marks: the sunken 3-D edge, bevels and arrow marks.
#pragma once

#include "platform/Canvas.h"

namespace vorna {

class TSystemMetrics;

// The platform's sunken two-pixel 3-D edge inside r on all four sides.
void DrawSunkenEdge(TCanvas& canvas, const TRect& r);
// Two one-pixel frames inside r shaded from the brush colour (a system colour
// resolved with `metrics`, black without): with `raised` the top and left are
// lighter and the bottom and right darker.
void DrawBevel(TCanvas& canvas, const TRect& r, const TRect& clip, bool raised, TSystemMetrics* metrics);

enum TArrowDirection : int { kArrowLeft = 1, kArrowRight = 2, kArrowUp = 3, kArrowDown = 4 };
// A one-pixel shaft through the middle of r, one pixel in from each end, with
// an arrowhead of max(2, (min(width, height) - 1) div 6 + 1) pixel pairs at
// the pointing end: pair i lies i + 2 pixels in from that edge and i + 1
// pixels either side of the shaft. Pixels in the pen colour, only inside clip.
void DrawArrowMark(TCanvas& canvas, const TRect& r, const TRect& clip, int direction);

}  // namespace vorna
