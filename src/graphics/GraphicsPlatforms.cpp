// The connection of the drawing helpers to the platform services.
#include "graphics/GraphicsPlatforms.h"

#include "platform/SystemMetrics.h"

namespace vorna {

namespace {
TGraphicsServices Services;
}  // namespace

void SetGraphicsServices(const TGraphicsServices& services) { Services = services; }

const TGraphicsServices& GraphicsServices() { return Services; }

TColor ResolveSystemColor(TColor color) {
  if (!IsSystemColor(color)) return color;
  return Services.Metrics ? Services.Metrics->SystemColorValue(color & 0xFF) : kClBlack;
}

}  // namespace vorna
