// Canvas state, fills, lines, pixels, bitmaps, clipping and scrolling on a
// QPainter.
#include "platform/qt/QtCanvas.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/QtConvert.h"
#include "platform/qt/QtDirectFills.h"
#include "platform/qt/QtGlyphBatches.h"

namespace vorna::qt {
namespace {

Qt::BrushStyle ToQtBrush(TBrushStyle style) {
  switch (style) {
    case TBrushStyle::Solid:
      return Qt::SolidPattern;
    case TBrushStyle::Clear:
      return Qt::NoBrush;
    case TBrushStyle::Horizontal:
      return Qt::HorPattern;
    case TBrushStyle::Vertical:
      return Qt::VerPattern;
    case TBrushStyle::FDiagonal:
      return Qt::FDiagPattern;
    case TBrushStyle::BDiagonal:
      return Qt::BDiagPattern;
    case TBrushStyle::Cross:
      return Qt::CrossPattern;
    case TBrushStyle::DiagCross:
      return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

Qt::PenStyle ToQtPen(TPenStyle style) {
  switch (style) {
    case TPenStyle::Solid:
      return Qt::SolidLine;
    case TPenStyle::Dash:
      return Qt::DashLine;
    case TPenStyle::Dot:
      return Qt::DotLine;
    case TPenStyle::Clear:
      return Qt::NoPen;
  }
  return Qt::SolidLine;
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

TQtCanvas::TQtCanvas(QPainter* painter) : FPainter(painter) {
  if (FPainter && FPainter->isActive()) PainterStarted(FPainter);
}

TQtCanvas::TQtCanvas() = default;
TQtCanvas::~TQtCanvas() {
  if (!FStrokes.Empty() && FPainter && FPainter->isActive()) FStrokes.Draw(FPainter);
}

void TQtCanvas::PainterStarted(QPainter* p) {
  p->setRenderHint(QPainter::Antialiasing, false);
  p->setRenderHint(QPainter::TextAntialiasing, true);
  p->setBackgroundMode(Qt::TransparentMode);
  FClipPainter = nullptr;
  if (FHasClip && !FClip.IsEmpty()) {
    p->setClipRect(ToQRect(FClip));
    ClipApplied(p, true, FClip);
  }
}

bool TQtCanvas::Raster(QPainter* p) {
  return p && p->paintEngine() && p->paintEngine()->type() == QPaintEngine::Raster;
}

void TQtCanvas::ClipApplied(QPainter* p, bool on, const TRect& clip) {
  FClipPainter = Raster(p) ? p : nullptr;
  FClipOn = on;
  FClipSet = clip;
  FClipInDevicePixels = !on || (p && p->deviceTransform().isIdentity());
}

bool TQtCanvas::FilledDirectly(QPainter* p, const QRect& r, const QColor& color) {
  if (color.alpha() != 255 || p != FClipPainter || !FClipInDevicePixels) return false;
  QImage* image = DirectFillImage(p);
  if (!image) return false;
  FillDirect(*image, r, FClipOn ? ToQRect(FClipSet) : image->rect(), color.rgba());
  return true;
}

QColor TQtCanvas::Resolve(TColor color) const {
  if (IsSystemColor(color)) return ToQColor(SystemColorFromPalette(color & 0xFF));
  return ToQColor(color);
}

void TQtCanvas::SetFont(const TFontSpec& font) {
  if (!(font.Face == FFontSpec.Face && font.Height == FFontSpec.Height && font.Bold == FFontSpec.Bold &&
        font.Italic == FFontSpec.Italic && IsVerticalFont(font) == IsVerticalFont(FFontSpec)))
    FFont.reset();
  FFontSpec = font;
  FTextColor = font.Color;
}

void TQtCanvas::SetTextColor(TColor color) {
  FTextColor = color;
  FFontSpec.Color = color;
}

void TQtCanvas::SetBrush(TColor color, TBrushStyle style) {
  FBrushColor = color;
  FBrushStyle = style;
}

void TQtCanvas::SetPen(TColor color, TPenStyle style, int width) {
  FPenColor = color;
  FPenStyle = style;
  FPenWidth = std::clamp(width, 1, 1000);
}

TQtFont& TQtCanvas::CurrentFont() {
  if (!FFont)
    FFont = FindFont(QStringFromCp932(FFontSpec.Face), FFontSpec.Height, FFontSpec.Bold, FFontSpec.Italic,
                     IsVerticalFont(FFontSpec));
  return *FFont;
}

bool TQtCanvas::ApplyClip(QPainter* p, const TRect* extra, bool keepStrokes) {
  if (!p) return false;
  if (!keepStrokes) SettleStrokes(p);
  TRect clip = ClipRect();
  if (extra) clip = Intersect(clip, *extra);
  if (clip.IsEmpty()) return false;
  const bool on = FHasClip || extra;
  // Setting a clip costs the raster engine a region update per call; most
  // calls of a paint keep the one clip.
  if (p == FClipPainter && on == FClipOn && (!on || clip == FClipSet)) return true;
  if (on)
    p->setClipRect(ToQRect(clip));
  else
    p->setClipping(false);
  ClipApplied(p, on, clip);
  return true;
}

TRect TQtCanvas::VisibleRect(QPainter* p) const {
  if (FHasClip) return FClip;
  TRect device = ClipRect();
  if (!p || p->worldTransform().isIdentity()) return device;
  bool invertible = false;
  QTransform inverse = p->worldTransform().inverted(&invertible);
  if (!invertible) return device;
  return FromQRect(inverse.mapRect(ToQRect(device)));
}

void TQtCanvas::FillRect(const TRect& r) {
  QPainter* p = Painter();
  if (r.IsEmpty() || FBrushStyle == TBrushStyle::Clear || FBrushColor == kClNone || !ApplyClip(p, nullptr))
    return;
  const QColor color = Resolve(FBrushColor);
  if (FBrushStyle == TBrushStyle::Solid && FilledDirectly(p, ToQRect(r), color)) return;
  p->fillRect(ToQRect(r), QBrush(color, ToQtBrush(FBrushStyle)));
}

void TQtCanvas::Rectangle(const TRect& r) {
  QPainter* p = Painter();
  if (r.IsEmpty() || !ApplyClip(p, nullptr)) return;
  bool noPen = FPenStyle == TPenStyle::Clear || FPenColor == kClNone;
  bool noBrush = FBrushStyle == TBrushStyle::Clear || FBrushColor == kClNone;
  if (noPen) {
    // Without a pen the filled area is one pixel smaller each way (as GDI).
    if (!noBrush && r.Width() > 1 && r.Height() > 1)
      p->fillRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1),
                  QBrush(Resolve(FBrushColor), ToQtBrush(FBrushStyle)));
    return;
  }
  if (!noBrush) p->fillRect(ToQRect(r), QBrush(Resolve(FBrushColor), ToQtBrush(FBrushStyle)));
  // The outline lies inside r, w pixels wide.
  int w = std::min({FPenWidth, r.Width(), r.Height()});
  QBrush pen(Resolve(FPenColor));
  if (FPenStyle == TPenStyle::Solid || w > 1) {
    p->fillRect(QRect(r.Left, r.Top, r.Width(), w), pen);
    p->fillRect(QRect(r.Left, r.Bottom - w, r.Width(), w), pen);
    p->fillRect(QRect(r.Left, r.Top, w, r.Height()), pen);
    p->fillRect(QRect(r.Right - w, r.Top, w, r.Height()), pen);
    return;
  }
  TPoint corners[5] = {{r.Left, r.Top},
                       {r.Right - 1, r.Top},
                       {r.Right - 1, r.Bottom - 1},
                       {r.Left, r.Bottom - 1},
                       {r.Left, r.Top}};
  for (int i = 0; i < 4; ++i) StrokeSegment(p, corners[i], corners[i + 1]);
}

// One segment without its last pixel, like a device context's line.
void TQtCanvas::StrokeSegment(QPainter* p, TPoint from, TPoint to) {
  if (from == to) return;
  int dx = to.X - from.X, dy = to.Y - from.Y;
  if (FPenWidth <= 1 && FPenStyle == TPenStyle::Solid && (dx == 0 || dy == 0) && Raster(p) &&
      p->worldTransform().type() <= QTransform::TxTranslate && !p->testRenderHint(QPainter::Antialiasing)) {
    // The same pixels as the aliased one-pixel line (from and end both drawn),
    // without a pen set up per segment: a grid page strokes hundreds of them.
    const int endX = to.X - Sign(dx), endY = to.Y - Sign(dy);
    const QRect line(std::min(from.X, endX), std::min(from.Y, endY), std::abs(endX - from.X) + 1,
                     std::abs(endY - from.Y) + 1);
    const QColor color = Resolve(FPenColor);
    if (!FilledDirectly(p, line, color)) p->fillRect(line, color);
    return;
  }
  QPointF end;
  if (std::abs(dx) >= std::abs(dy)) {
    int ex = to.X - Sign(dx);
    end = QPointF(ex, from.Y + static_cast<double>(dy) * (ex - from.X) / dx);
  } else {
    int ey = to.Y - Sign(dy);
    end = QPointF(from.X + static_cast<double>(dx) * (ey - from.Y) / dy, ey);
  }
  QPen pen(Resolve(FPenColor), FPenWidth, ToQtPen(FPenStyle), FPenWidth > 1 ? Qt::RoundCap : Qt::SquareCap);
  if (FPenWidth <= 1) pen.setCosmetic(true);
  QPointF start(from.X, from.Y);
  const bool straight = start.x() == end.x() || start.y() == end.y();
  if (start != end && straight && FPenStyle == TPenStyle::Solid && FPenWidth <= 1 && DrawsPdf(p)) {
    const std::optional<QRectF> clip = FHasClip ? std::optional<QRectF>(ToQRect(ClipRect())) : std::nullopt;
    if (!FStrokes.Takes(pen, clip)) {
      SettleStrokes(p);
      FStrokes.Start(pen, clip);
    }
    FStrokes.Add(QLineF(start, end));
    return;
  }
  SettleStrokes(p);
  p->setPen(pen);
  if (start == end)
    p->drawPoint(start);
  else
    p->drawLine(start, end);
}

void TQtCanvas::SettleStrokes(QPainter* p) {
  if (p && !FStrokes.Empty()) FStrokes.Draw(p);
}

void TQtCanvas::SettleStrokes() { SettleStrokes(Painter()); }

void TQtCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TQtCanvas::LineTo(int x, int y) {
  TPoint from = FPenPos;
  FPenPos = {x, y};
  QPainter* p = Painter();
  if (FPenStyle == TPenStyle::Clear || FPenColor == kClNone || !ApplyClip(p, nullptr, true)) return;
  StrokeSegment(p, from, FPenPos);
}

void TQtCanvas::Polyline(const TPoint* points, size_t count) {
  if (!points || count < 2) return;
  QPainter* p = Painter();
  if (FPenStyle == TPenStyle::Clear || FPenColor == kClNone || !ApplyClip(p, nullptr, true)) return;
  for (size_t i = 0; i + 1 < count; ++i) StrokeSegment(p, points[i], points[i + 1]);
}

void TQtCanvas::SetPixel(int x, int y, TColor color) {
  QPainter* p = Painter();
  if (color == kClNone || !ApplyClip(p, nullptr)) return;
  const QColor resolved = Resolve(color);
  if (!FilledDirectly(p, QRect(x, y, 1, 1), resolved)) p->fillRect(QRect(x, y, 1, 1), resolved);
}

namespace {

QImage ImageOf(const TBitmap& bitmap) {
  if (const auto* qt = dynamic_cast<const TQtBitmap*>(&bitmap)) return qt->Image();
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y)
    std::copy_n(bitmap.ScanLine(y), bitmap.Width(), reinterpret_cast<uint32_t*>(image.scanLine(y)));
  return image;
}

}  // namespace

void TQtCanvas::DrawBitmap(int x, int y, const TBitmap& bitmap, bool transparent) {
  QPainter* p = Painter();
  if (bitmap.Width() <= 0 || bitmap.Height() <= 0 || !ApplyClip(p, nullptr)) return;
  QImage image = ImageOf(bitmap);
  if (transparent) {
    // The bottom-left pixel's colour is the one not drawn.
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    QRgb key = image.pixel(0, image.height() - 1) | 0xFF000000u;
    for (int row = 0; row < keyed.height(); ++row) {
      auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(row));
      for (int col = 0; col < keyed.width(); ++col)
        if ((line[col] | 0xFF000000u) == key) line[col] = 0;
    }
    p->drawImage(QPoint(x, y), keyed);
  } else {
    p->drawImage(QPoint(x, y), image);
  }
}

void TQtCanvas::CopyRect(const TRect& dest, const TBitmap& bitmap, const TRect& source) {
  QPainter* p = Painter();
  if (dest.IsEmpty() || source.IsEmpty() || bitmap.Width() <= 0 || !ApplyClip(p, nullptr)) return;
  p->drawImage(QRectF(dest.Left, dest.Top, dest.Width(), dest.Height()), ImageOf(bitmap),
               QRectF(source.Left, source.Top, source.Width(), source.Height()));
}

void TQtCanvas::SetClipRect(const TRect& r) {
  FHasClip = true;
  FClip = r;
  if (QPainter* p = Painter(); p && !r.IsEmpty()) {
    if (p == FClipPainter && FClipOn && FClipSet == r) return;
    p->setClipRect(ToQRect(r));
    ClipApplied(p, true, r);
  }
}

void TQtCanvas::ResetClip() {
  FHasClip = false;
  if (QPainter* p = Painter()) {
    p->setClipping(false);
    ClipApplied(p, false, {});
  }
}

TRect TQtCanvas::ClipRect() const {
  if (FHasClip) return FClip.IsEmpty() ? TRect{} : FClip;
  const QPaintDevice* device = Device();
  return {0, 0, device ? device->width() : 0, device ? device->height() : 0};
}

TRect TQtCanvas::ScrollRect(const TRect& area, int dx, int dy) {
  if (area.IsEmpty() || (dx == 0 && dy == 0)) return {};
  if (std::abs(dx) >= area.Width() || std::abs(dy) >= area.Height()) {
    if (FScrollHandler) FScrollHandler(area, dx, dy);
    return area;
  }
  // Bounding rectangle of the strips the move uncovers.
  TRect uncovered{};
  auto add = [&](const TRect& r) {
    if (uncovered.IsEmpty())
      uncovered = r;
    else
      uncovered = {std::min(uncovered.Left, r.Left), std::min(uncovered.Top, r.Top),
                   std::max(uncovered.Right, r.Right), std::max(uncovered.Bottom, r.Bottom)};
  };
  if (dx > 0) add({area.Left, area.Top, area.Left + dx, area.Bottom});
  if (dx < 0) add({area.Right + dx, area.Top, area.Right, area.Bottom});
  if (dy > 0) add({area.Left, area.Top, area.Right, area.Top + dy});
  if (dy < 0) add({area.Left, area.Bottom + dy, area.Right, area.Bottom});
  if (FScrollHandler) {
    FScrollHandler(area, dx, dy);
    return uncovered;
  }
  QPainter* p = Painter();
  const QPaintDevice* device = Device();
  if (!p || !device || device->devType() != QInternal::Image) return area;
  // An image can move its own pixels.
  const auto* image = static_cast<const QImage*>(device);
  QImage moved = image->copy(ToQRect(area));
  p->save();
  p->setClipRect(ToQRect(area));
  p->drawImage(QPoint(area.Left + dx, area.Top + dy), moved);
  p->restore();
  return uncovered;
}

std::unique_ptr<TBitmap> TQtCanvas::CreateBitmap(int width, int height) {
  return std::make_unique<TQtBitmap>(width, height, PixelsPerInch());
}

int TQtCanvas::PixelsPerInch() const {
  const QPaintDevice* device = Device();
  return device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
}

void AttachWidgetScrolling(TQtCanvas& canvas, QWidget* widget) {
  QPointer<QWidget> guarded(widget);
  canvas.SetScrollHandler([guarded](const TRect& area, int dx, int dy) {
    if (guarded) guarded->scroll(dx, dy, ToQRect(area));
  });
}

}  // namespace vorna::qt
