// Device images and the measuring surface of the view hosts.
#include "platform/qt/QtMeasureSurfaces.h"

#include <algorithm>
#include <cmath>

namespace vorna::qt {

QImage MakeDeviceImage(int width, int height, int pixelsPerInch) {
  QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  const int dotsPerMetre = static_cast<int>(std::lround(pixelsPerInch / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  image.fill(Qt::white);
  return image;
}

TQtMeasureSurface::TQtMeasureSurface(int pixelsPerInch) : FImage(MakeDeviceImage(16, 16, pixelsPerInch)) {
  FPainter.begin(&FImage);
  FCanvas = std::make_unique<TQtCanvas>(&FPainter);
}

TQtMeasureSurface::~TQtMeasureSurface() {
  FCanvas.reset();
  if (FPainter.isActive()) FPainter.end();
}

}  // namespace vorna::qt
