// Opaque fills written straight into the pixels of a QImage that a raster
// painter draws on. The raster engine fills a rectangle a scanline at a time,
// so a one-pixel line down a page costs a call per pixel: a manuscript page's
// grid is tens of thousands of them.
#pragma once

#include <QColor>
#include <QRect>

class QImage;
class QPainter;

namespace vorna::qt {

// The image under `p` when writing an opaque colour into its pixels gives
// exactly what p->fillRect would: an active raster painter on a QImage of
// RGB32, ARGB32 or ARGB32 premultiplied at a device pixel ratio of 1, with no
// transform (logical pixels are device pixels), no antialiasing, full
// opacity, SourceOver or Source composition and no system clip. Null for
// anything else (a widget, a printer, a PDF, other formats and states), where
// the painter must fill.
QImage* DirectFillImage(QPainter* p);

// Fills `r` ∩ `clip` ∩ the image (device pixels) with `color`, which must be
// opaque (alpha 255); empty or outside rectangles fill nothing.
void FillDirect(QImage& image, const QRect& r, const QRect& clip, QRgb color);

}  // namespace vorna::qt
