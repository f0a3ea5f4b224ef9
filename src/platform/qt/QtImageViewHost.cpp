// The image view host: dirty region, painting into the image, moving its
// pixels, and the services an off-screen host answers with defaults.
#include "platform/qt/QtImageViewHost.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/qt/QtConvert.h"
#include "platform/qt/QtServices.h"

namespace vorna::qt {
namespace {

// A region in more pieces than this is painted as its bounding rectangle:
// each piece is a pass over every sheet.
constexpr int kMaxPaintPieces = 8;

}  // namespace

TQtImageViewHost::TQtImageViewHost(int width, int height, int pixelsPerInch)
    : FImage(MakeDeviceImage(width, height, pixelsPerInch)),
      FPixelsPerInch(pixelsPerInch),
      FMeasure(pixelsPerInch) {
  FDirty = QRegion(FImage.rect());
}

TQtImageViewHost::~TQtImageViewHost() = default;

void TQtImageViewHost::SetSize(int width, int height) {
  FImage = MakeDeviceImage(width, height, FPixelsPerInch);
  FDirty = QRegion(FImage.rect());
  if (OnResize) OnResize();
}

void TQtImageViewHost::PaintAll() {
  FDirty = QRegion(FImage.rect());
  Update();
}

void TQtImageViewHost::Invalidate(const TRect& rect) {
  const QRect r = ToQRect(rect).intersected(FImage.rect());
  if (!r.isEmpty()) FDirty += r;
}

void TQtImageViewHost::Update() {
  if (!OnPaint || FDirty.isEmpty()) return;
  std::vector<QRect> pieces;
  if (FDirty.rectCount() > kMaxPaintPieces)
    pieces.push_back(FDirty.boundingRect());
  else
    pieces.assign(FDirty.begin(), FDirty.end());
  // Marks made while painting wait for the next Update.
  FDirty = QRegion();
  FLastPainted.clear();
  QPainter painter(&FImage);
  TQtCanvas canvas(&painter);
  for (const QRect& piece : pieces) {
    const TRect clip = FromQRect(piece);
    FLastPainted.push_back(clip);
    canvas.SetClipRect(clip);
    OnPaint(canvas, clip);
  }
}

void TQtImageViewHost::ScrollPainted(const TRect& area, int dx, int dy) {
  const QRect box = ToQRect(area).intersected(FImage.rect());
  if (box.isEmpty() || (dx == 0 && dy == 0)) return;
  const QRegion boxRegion(box);
  // Marks inside the area move with its pixels.
  const QRegion moved = (FDirty & boxRegion).translated(dx, dy) & boxRegion;
  FDirty = (FDirty - boxRegion) | moved;
  if (std::abs(dx) >= box.width() || std::abs(dy) >= box.height()) {
    FDirty += box;
    return;
  }
  const int width = box.width() - std::abs(dx);
  const int fromX = box.left() + std::max(-dx, 0), toX = box.left() + std::max(dx, 0);
  const int rows = box.height() - std::abs(dy);
  // Rows are copied away from the direction of the move, so none is read
  // after it was overwritten.
  uchar* bits = FImage.bits();  // detaches a shared image before any row is read
  const qsizetype stride = FImage.bytesPerLine();
  for (int n = 0; n < rows; ++n) {
    const int row = dy > 0 ? rows - 1 - n : n;
    const int fromY = box.top() + std::max(-dy, 0) + row, toY = box.top() + std::max(dy, 0) + row;
    std::memmove(bits + toY * stride + toX * 4, bits + fromY * stride + fromX * 4,
                 static_cast<size_t>(width) * 4);
  }
  if (dx > 0) FDirty += QRect(box.left(), box.top(), dx, box.height());
  if (dx < 0) FDirty += QRect(box.right() + 1 + dx, box.top(), -dx, box.height());
  if (dy > 0) FDirty += QRect(box.left(), box.top(), box.width(), dy);
  if (dy < 0) FDirty += QRect(box.left(), box.bottom() + 1 + dy, box.width(), -dy);
}

TPoint TQtImageViewHost::DragThreshold() {
  const int distance = QGuiApplication::styleHints()->startDragDistance();
  return {distance, distance};
}

void TQtImageViewHost::ShowHint(const std::string& text, TPoint at, int durationMs) {
  FHintText = text;
  FHintPoint = at;
  FHintDurationMs = durationMs;
}

std::unique_ptr<TTimer> TQtImageViewHost::CreateTimer() { return TQtTimers().CreateTimer(); }

}  // namespace vorna::qt
