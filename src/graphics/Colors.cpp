// Colour mixing.
#include "graphics/Colors.h"

#include <algorithm>
#include <cmath>

#include "platform/SystemMetrics.h"

namespace vorna {

TColor ResolveSystemColor(TColor color, TSystemMetrics* metrics) {
  if (!IsSystemColor(color)) return color;
  return metrics ? ResolveColor(color, *metrics) : kClBlack;
}

TColor BlendColor(TColor c1, TColor c2, double t, TSystemMetrics* metrics) {
  c1 = ResolveSystemColor(c1, metrics);
  c2 = ResolveSystemColor(c2, metrics);
  auto mix = [t](unsigned a, unsigned b) {
    double v = a + std::nearbyint((static_cast<double>(b) - a) * t);
    if (!(v >= 0)) return 0u;  // also NaN
    return static_cast<unsigned>(std::min(v, 255.0));
  };
  return Rgb(mix(RedOf(c1), RedOf(c2)), mix(GreenOf(c1), GreenOf(c2)), mix(BlueOf(c1), BlueOf(c2)));
}

TColor HalfTone(TColor c, bool towardWhite, TSystemMetrics* metrics) {
  return BlendColor(c, towardWhite ? kClWhite : kClBlack, 0.5, metrics);
}

}  // namespace vorna
