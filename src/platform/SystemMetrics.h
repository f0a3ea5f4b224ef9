// Screen metrics and system colours of the platform.
#pragma once

#include "platform/Geometry.h"

namespace vorna {

class TSystemMetrics {
 public:
  virtual ~TSystemMetrics() = default;
  virtual int ScreenPixelsPerInch() = 0;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  // Lines scrolled per wheel notch.
  virtual int WheelScrollLines() = 0;
  // Pixels the mouse must move with a button down before a drag starts.
  virtual int DragThreshold() = 0;
  virtual int ScrollBarThickness() = 0;
  // RGB value ($00BBGGRR) of system colour `index` ($FF0000nn's nn); black for
  // numbers the platform does not know.
  virtual TColor SystemColorValue(unsigned index) = 0;
};

// `color` with a system colour resolved to RGB; other values unchanged.
inline TColor ResolveColor(TColor color, TSystemMetrics& metrics) {
  return IsSystemColor(color) ? metrics.SystemColorValue(color & 0xFF) : color;
}

}  // namespace vorna
