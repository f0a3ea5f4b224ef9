// Shared helpers of the Qt platform tests: painting into images and comparing
// them.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "platform/qt/QtCanvas.h"

namespace vorna::testing {

// An image with a painter and a canvas on it, white to begin with.
struct TImageCanvas {
  QImage Image;
  QPainter Painter;
  std::unique_ptr<qt::TQtCanvas> Canvas;
  TImageCanvas(int width, int height) : Image(width, height, QImage::Format_RGB32) {
    Image.fill(Qt::white);
    Painter.begin(&Image);
    Canvas = std::make_unique<qt::TQtCanvas>(&Painter);
  }
  // Finishes painting and returns the image.
  const QImage& Done() {
    if (Painter.isActive()) Painter.end();
    return Image;
  }
};

// Largest difference of any channel over all pixels (images of equal size).
int MaxChannelDifference(const QImage& a, const QImage& b);

// Bounding box of pixels darker than `threshold` (grey), empty when none.
QRect InkBox(const QImage& image, int threshold = 160, QRect within = {});

// Mean darkness (0..255) of pixels in blocks of `block` pixels, compared
// block by block: the largest and the mean difference.
struct TBlockDiff {
  double Max = 0;
  double Mean = 0;
};
TBlockDiff CompareBlocks(const QImage& a, const QImage& b, int block);

// A font fontSpec for tests (UTF-8 face).
TFontSpec TestFont(const char* utf8Face, int height, bool vertical);

}  // namespace vorna::testing
