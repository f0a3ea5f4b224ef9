// Opaque rectangle fills into a painted image's memory.
#include "platform/qt/QtDirectFills.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>

namespace vorna::qt {

QImage* DirectFillImage(QPainter* p) {
  if (!p || !p->isActive()) return nullptr;
  QPaintDevice* device = p->device();
  QPaintEngine* engine = p->paintEngine();
  if (!device || device->devType() != QInternal::Image || !engine || engine->type() != QPaintEngine::Raster)
    return nullptr;
  auto* image = static_cast<QImage*>(device);
  switch (image->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      break;
    default:
      return nullptr;
  }
  const QPainter::CompositionMode mode = p->compositionMode();
  if (image->devicePixelRatio() != 1.0 || !p->deviceTransform().isIdentity() ||
      p->testRenderHint(QPainter::Antialiasing) || p->opacity() != 1.0 ||
      (mode != QPainter::CompositionMode_SourceOver && mode != QPainter::CompositionMode_Source) ||
      !engine->systemClip().isEmpty())
    return nullptr;
  return image;
}

void FillDirect(QImage& image, const QRect& r, const QRect& clip, QRgb color) {
  // Plain integers: a grid page fills hundreds of lines.
  const int left = std::max({r.left(), clip.left(), 0});
  const int right = std::min({r.right(), clip.right(), image.width() - 1});
  const int top = std::max({r.top(), clip.top(), 0});
  const int bottom = std::min({r.bottom(), clip.bottom(), image.height() - 1});
  if (left > right || top > bottom) return;
  // bits() does not copy: an image being painted on is never shared.
  uchar* row = image.bits() + static_cast<qsizetype>(top) * image.bytesPerLine();
  const qsizetype stride = image.bytesPerLine();
  if (left == right) {
    for (int y = top; y <= bottom; ++y, row += stride) reinterpret_cast<QRgb*>(row)[left] = color;
    return;
  }
  for (int y = top; y <= bottom; ++y, row += stride)
    std::fill(reinterpret_cast<QRgb*>(row) + left, reinterpret_cast<QRgb*>(row) + right + 1, color);
}

}  // namespace vorna::qt
