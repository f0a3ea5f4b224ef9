// The platform services the drawing helpers reach: system colours, message
// boxes, the tick count and the message loop. The program connects them once
// at start-up; without them system colours resolve to black, message boxes are
// silent and Delay only waits.
#pragma once

#include "platform/Geometry.h"

namespace vorna {

class TMessageBoxes;
class TShell;
class TSystemMetrics;
class TTimers;

struct TGraphicsServices {
  TSystemMetrics* Metrics = nullptr;
  TMessageBoxes* Boxes = nullptr;
  TTimers* Timers = nullptr;
  TShell* Shell = nullptr;  // processes window messages
};

// Connects the services (not owned).
void SetGraphicsServices(const TGraphicsServices& services);
const TGraphicsServices& GraphicsServices();

// `color` with a system colour ($FF0000nn) turned into its RGB value.
TColor ResolveSystemColor(TColor color);

// True on this platform: text is measured the modern way (whole strings in
// the selected font) rather than character by character.
constexpr bool IsWindowsXP() { return true; }

}  // namespace vorna
