// Colour mixing; system colours are resolved to RGB first.
#pragma once

#include "platform/Geometry.h"

namespace vorna {

// Per channel c1 + round((c2 - c1) * t), halves to even, kept to 0..255.
TColor BlendColor(TColor c1, TColor c2, double t);
// Halfway to white (towardWhite) or to black.
TColor HalfTone(TColor c, bool towardWhite);

}  // namespace vorna
