// One row of the manuscript grid: a strip of squares between two lines along
// the row, closed by lines across it.
#pragma once

#include <vector>

#include "platform/Canvas.h"

namespace vorna {

// Pixel positions of one strip (every position is the pixel a line stands
// on). "Along" is y in vertical writing and x in horizontal writing,
// "across" the other axis.
struct TGridStrip {
  bool Vertical = true;
  int Start = 0, End = 0;       // along: the end lines closing the strip (Start <= End)
  int Low = 0, High = 0;        // across: the two lines along the strip (Low <= High)
  int EndLow = 0, EndHigh = 0;  // across: how far the end lines reach (EndLow <= Low, EndHigh >= High)
  std::vector<int> Crosses;     // along: the square edges between Start and End
};

// Draws the strip with the current pen, every pixel inside `clip` (right and
// bottom exclusive). The lines along run from Start to End inclusive, so the
// corners meet; crosses outside Start .. End are ignored.
void DrawGridStrip(TCanvas& canvas, const TGridStrip& strip, const TRect& clip);

}  // namespace vorna
