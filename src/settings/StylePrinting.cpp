// The printer link of the styles and the pixel-to-millimetre conversion.
#include "settings/StylePrinting.h"

#include <cmath>

namespace vorna {

TStylePrinterLink& StylePrinterLink() {
  static TStylePrinterLink link;
  return link;
}

double PixelsToMillimetres(double pixels) {
  const auto& link = StylePrinterLink();
  int ppi = link.ScreenPixelsPerInch ? link.ScreenPixelsPerInch() : 96;
  if (ppi <= 0) ppi = 96;
  return std::round(pixels / ppi * 25.4 * 100) / 100;
}

}  // namespace vorna
