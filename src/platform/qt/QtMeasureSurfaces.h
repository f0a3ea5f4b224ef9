// Images at a given resolution, and the small one with a canvas on it that a
// view host measures text on outside painting.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/qt/QtCanvas.h"

namespace vorna::qt {

// A white RGB image of width x height pixels (negative sizes count as 0)
// that reports `pixelsPerInch`.
QImage MakeDeviceImage(int width, int height, int pixelsPerInch);

class TQtMeasureSurface {
 public:
  explicit TQtMeasureSurface(int pixelsPerInch);
  ~TQtMeasureSurface();
  TQtMeasureSurface(const TQtMeasureSurface&) = delete;
  TQtMeasureSurface& operator=(const TQtMeasureSurface&) = delete;
  TQtCanvas& Canvas() { return *FCanvas; }

 private:
  QImage FImage;
  QPainter FPainter;
  std::unique_ptr<TQtCanvas> FCanvas;
};

}  // namespace vorna::qt
