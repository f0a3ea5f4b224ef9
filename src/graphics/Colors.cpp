// Colour mixing.
#include "graphics/Colors.h"

#include <algorithm>
#include <cmath>

#include "graphics/GraphicsPlatforms.h"

namespace vorna {

TColor BlendColor(TColor c1, TColor c2, double t) {
  c1 = ResolveSystemColor(c1);
  c2 = ResolveSystemColor(c2);
  auto mix = [t](unsigned a, unsigned b) {
    double v = a + std::nearbyint((static_cast<double>(b) - a) * t);
    if (!(v >= 0)) return 0u;  // also NaN
    return static_cast<unsigned>(std::min(v, 255.0));
  };
  return Rgb(mix(RedOf(c1), RedOf(c2)), mix(GreenOf(c1), GreenOf(c2)), mix(BlueOf(c1), BlueOf(c2)));
}

TColor HalfTone(TColor c, bool towardWhite) { return BlendColor(c, towardWhite ? kClWhite : kClBlack, 0.5); }

}  // namespace vorna
