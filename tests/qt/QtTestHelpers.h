// Shared helpers of the Qt platform tests: painting into images and comparing
// them, counting the pages of a PDF, running the program.
#pragma once

#include <QImage>
#include <QPainter>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "platform/Geometry.h"
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
  // The raster engine draws straight into the image, so pixels can be read
  // while the painter is active.
  TColor Pixel(int x, int y) const;
  bool Ink(int x, int y) const { return Pixel(x, y) != kClWhite; }
  // Inked pixels along a row (x from..to) or a column (y from..to) as '#' and '.'.
  std::string Row(int y, int from, int to) const;
  std::string Column(int x, int from, int to) const;
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

// Pages of a PDF as Qt writes them (one "/Type /Page" object each); -1 when
// the file cannot be read.
int PdfPageCount(const std::string& path);

// Paints one A6 page at `dpi` on a canvas over a PDF printer writing `pdf`;
// returns the page's printable area in device pixels.
QRect PrintTestPdf(const QString& pdf, int dpi, const std::function<void(qt::TQtCanvas&)>& paint);

// A font fontSpec for tests (UTF-8 face).
TFontSpec TestFont(const char* utf8Face, int height, bool vertical);

// A finished run of a program: its exit status (-1 when it crashed or did
// not finish within a minute) and what it wrote.
struct TProgramRun {
  int Status = -1;
  std::string Out, Err;
};
TProgramRun RunProgram(const QString& program, const QStringList& args);

}  // namespace vorna::testing
