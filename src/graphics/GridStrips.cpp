// The manuscript grid's strips over the clipped line helpers.
#include "graphics/GridStrips.h"

#include "graphics/Lines.h"

namespace vorna {

void DrawGridStrip(TCanvas& canvas, const TGridStrip& strip, const TRect& clip) {
  if (strip.End < strip.Start || strip.High < strip.Low) return;
  const auto along = [&](int across) {
    if (strip.Vertical)
      VLineIn(canvas, across, strip.Start, strip.End + 1, false, clip);
    else
      HLineIn(canvas, strip.Start, strip.End + 1, across, false, clip);
  };
  const auto cross = [&](int at, int from, int to) {
    if (strip.Vertical)
      HLineIn(canvas, from, to + 1, at, false, clip);
    else
      VLineIn(canvas, at, from, to + 1, false, clip);
  };
  along(strip.Low);
  if (strip.High != strip.Low) along(strip.High);
  for (int at : strip.Crosses)
    if (at > strip.Start && at < strip.End) cross(at, strip.Low, strip.High);
  cross(strip.Start, strip.EndLow, strip.EndHigh);
  if (strip.End != strip.Start) cross(strip.End, strip.EndLow, strip.EndHigh);
}

}  // namespace vorna
