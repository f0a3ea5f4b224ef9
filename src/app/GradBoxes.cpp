// The gradient rule and the panel that paints it.
#include "GradBoxes.h"

#include <QPainter>
#include <cmath>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"

namespace vorna::app {
namespace {

TColor Resolved(TColor c) { return IsSystemColor(c) ? qt::SystemColorFromPalette(c & 0xFF) : c; }

int Channel(int start, int end, int n, int i) {
  return start + static_cast<int>(std::lround(static_cast<double>(end - start) / n * i));
}

}  // namespace

void PaintGradient(QPainter& painter, const QRect& area, TColor start, TColor end, bool vertical) {
  const int n = vertical ? area.height() : area.width();
  if (n <= 0) return;
  start = Resolved(start);
  end = Resolved(end);
  for (int i = 0; i <= n; ++i) {
    const QColor color(Channel(RedOf(start), RedOf(end), n, i), Channel(GreenOf(start), GreenOf(end), n, i),
                       Channel(BlueOf(start), BlueOf(end), n, i));
    const QRect band = vertical ? QRect(area.left(), area.top() + i, area.width(), 1)
                                : QRect(area.left() + i, area.top(), 1, area.height());
    painter.fillRect(band, color);
  }
}

TGradBox::TGradBox(QWidget* parent) : QWidget(parent) { resize(128, 128); }

void TGradBox::SetStartColor(TColor value) {
  if (value == FStartColor) return;
  FStartColor = value;
  if (OnColorChange) OnColorChange(this);
  update();
}

void TGradBox::SetEndColor(TColor value) {
  if (value == FEndColor) return;
  FEndColor = value;
  if (OnColorChange) OnColorChange(this);
  update();
}

void TGradBox::SetVertical(bool value) {
  if (value == FVertical) return;
  FVertical = value;
  update();
}

void TGradBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintGradient(painter, rect(), FStartColor, FEndColor, FVertical);
}

}  // namespace vorna::app
