// Colour mixing; system colours are resolved to RGB first.
#pragma once

#include "platform/Geometry.h"

namespace vorna {

class TSystemMetrics;

// `color` with a system colour ($FF0000nn) turned into its RGB value by
// `metrics`; black for a system colour without metrics. Other values are
// returned unchanged.
TColor ResolveSystemColor(TColor color, TSystemMetrics* metrics);
// Per channel c1 + round((c2 - c1) * t), halves to even, kept to 0..255;
// system colours are resolved with `metrics` first (as above).
TColor BlendColor(TColor c1, TColor c2, double t, TSystemMetrics* metrics);
// Halfway to white (towardWhite) or to black.
TColor HalfTone(TColor c, bool towardWhite, TSystemMetrics* metrics);

}  // namespace vorna
