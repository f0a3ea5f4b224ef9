// Off-screen 32-bit bitmaps with their own canvas, and their factory.
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/qt/QtCanvas.h"

namespace vorna::qt {

// The bitmap's canvas starts its painter when it first draws and ends it when
// the pixels are read, so pixel access never races a painter.
class TQtBitmap::TBitmapCanvas : public TQtCanvas {
 public:
  explicit TBitmapCanvas(TQtBitmap& owner) : FOwner(owner) {}
  ~TBitmapCanvas() override { End(); }
  void End() {
    if (FActive.isActive()) FActive.end();
  }

 protected:
  QPainter* Painter() override {
    if (FOwner.FImage.isNull()) return nullptr;
    if (!FActive.isActive()) {
      if (!FActive.begin(&FOwner.FImage)) return nullptr;
      PainterStarted(&FActive);
    }
    return &FActive;
  }
  const QPaintDevice* Device() const override { return &FOwner.FImage; }

 private:
  TQtBitmap& FOwner;
  QPainter FActive;
};

TQtBitmap::TQtBitmap(int width, int height, int pixelsPerInch)
    : FPixelsPerInch(pixelsPerInch > 0 ? pixelsPerInch : 96),
      FCanvas(std::make_unique<TBitmapCanvas>(*this)) {
  SetSize(width, height);
}

TQtBitmap::~TQtBitmap() { FCanvas->End(); }

bool TQtBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FImage.width() && height == FImage.height()) return true;
  FCanvas->End();
  if (width == 0 || height == 0 || static_cast<int64_t>(width) * height > kMaxBitmapPixels) {
    FImage = QImage();
    return width == 0 || height == 0;
  }
  FImage = QImage(width, height, QImage::Format_RGB32);
  if (FImage.isNull()) return false;  // out of memory
  int dotsPerMeter = static_cast<int>(std::lround(FPixelsPerInch / 0.0254));
  FImage.setDotsPerMeterX(dotsPerMeter);
  FImage.setDotsPerMeterY(dotsPerMeter);
  FImage.fill(Qt::white);
  return true;
}

TCanvas& TQtBitmap::Canvas() { return *FCanvas; }

void TQtBitmap::EndPainting() const { FCanvas->End(); }

uint32_t* TQtBitmap::ScanLine(int y) {
  EndPainting();
  return reinterpret_cast<uint32_t*>(FImage.scanLine(y));
}

const uint32_t* TQtBitmap::ScanLine(int y) const {
  EndPainting();
  return reinterpret_cast<const uint32_t*>(std::as_const(FImage).scanLine(y));
}

const QImage& TQtBitmap::Image() const {
  EndPainting();
  return FImage;
}

void TQtBitmap::SetImage(const QImage& image) {
  FCanvas->End();
  FImage = image.convertToFormat(QImage::Format_RGB32);
}

std::unique_ptr<TBitmap> TQtCanvasFactory::CreateBitmap(int width, int height) {
  return std::make_unique<TQtBitmap>(width, height, FScreen.ScreenPixelsPerInch());
}

}  // namespace vorna::qt
