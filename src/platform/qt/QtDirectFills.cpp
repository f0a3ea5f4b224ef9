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
  const QRect area = r.intersected(clip).intersected(image.rect());
  if (area.isEmpty()) return;
  // bits() does not copy: an image being painted on is never shared.
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(bits + y * stride) + area.left();
    std::fill(line, line + area.width(), color);
  }
}

}  // namespace vorna::qt
