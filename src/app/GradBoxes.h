// TGradBox: a panel painted as a colour gradient of one-pixel bands, left to
// right or top to bottom (the about box's background).
#pragma once

#include <QWidget>
#include <functional>

#include "platform/Geometry.h"

namespace vorna::app {

// Paints the gradient over `area` of `painter`: for n = the width (the height
// when `vertical`), bands 0 .. n, each one pixel thick, channel = start +
// round((end - start) / n * i); nothing for n = 0. System colours resolve
// through the palette. The last band lies just outside the area.
void PaintGradient(QPainter& painter, const QRect& area, TColor start, TColor end, bool vertical);

class TGradBox : public QWidget {
 public:
  explicit TGradBox(QWidget* parent = nullptr);

  TColor StartColor() const { return FStartColor; }
  void SetStartColor(TColor value);
  TColor EndColor() const { return FEndColor; }
  void SetEndColor(TColor value);
  bool Vertical() const { return FVertical; }
  void SetVertical(bool value);
  std::function<void(TGradBox* sender)> OnColorChange;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TColor FStartColor = 0x00808080;
  TColor FEndColor = 0x00C0C0C0;
  bool FVertical = false;
};

}  // namespace vorna::app
