// The link from the styles to the printer's page metrics: the print layer
// installs it, so that the settings library needs no printer code. Until then
// the screen resolution is 96 pixels per inch and refreshing does nothing.
#pragma once

#include <functional>

namespace vorna {

struct TStylePrinterLink {
  // Refreshes the printer's page metrics (before a style turns printable).
  std::function<void()> UpdatePrinterMetrics;
  // Pixels per inch of the screen, used to turn pixel lengths into millimetres.
  std::function<int()> ScreenPixelsPerInch;
};

// The process-wide link (user-interface thread only).
TStylePrinterLink& StylePrinterLink();

// round(pixels / screen ppi * 25.4 * 100) / 100: millimetres with two decimals.
double PixelsToMillimetres(double pixels);

}  // namespace vorna
