// Opaque fills written into an image's memory: the canvas's fills, lines and
// pixels must leave exactly the raster engine's pixels in every painter
// state, whether or not the state lets them bypass the engine.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"

namespace vorna::testing {
namespace {

struct TPainterState {
  const char* Name;
  QImage::Format Format = QImage::Format_RGB32;
  std::function<void(QPainter&)> Set = [](QPainter&) {};
  bool CanvasClip = true;
};

// Fills, lines and pixels through the canvas on one image and the equal
// fillRect calls on another, from the same start and state.
void ExpectSamePixels(const TPainterState& state) {
  const TRect clip{3, 2, 29, 27};
  const TColor colors[] = {kClBlack, Rgb(1, 2, 3), Rgb(0x97, 0xD8, 0xF0)};  // the light one last
  QImage drawn(32, 30, state.Format), expected(32, 30, state.Format);
  drawn.fill(QColor(10, 200, 30, 128));
  expected.fill(QColor(10, 200, 30, 128));
  QPainter p(&drawn), reference(&expected);
  qt::TQtCanvas canvas(&p);
  if (state.CanvasClip) {
    canvas.SetClipRect(clip);
    reference.setClipRect(qt::ToQRect(clip));
  }
  state.Set(p);
  state.Set(reference);
  for (TColor color : colors) {
    const QColor q = qt::ToQColor(color);
    canvas.SetBrush(color, TBrushStyle::Solid);
    canvas.FillRect({-4, 5, 9, 40});
    reference.fillRect(QRect(-4, 5, 13, 35), q);
    canvas.ExtTextOut(0, 0, kEtoOpaque, {20, 1, 34, 4}, "", {});
    reference.fillRect(QRect(20, 1, 14, 3), q);
    canvas.SetPen(color, TPenStyle::Solid, 1);
    canvas.MoveTo(12, 0);
    canvas.LineTo(12, 30);  // the last pixel is left out
    reference.fillRect(QRect(12, 0, 1, 30), q);
    canvas.MoveTo(31, 20);
    canvas.LineTo(0, 20);
    reference.fillRect(QRect(1, 20, 31, 1), q);
    canvas.SetPixel(28, 26, color);
    canvas.SetPixel(29, 27, color);
    reference.fillRect(QRect(28, 26, 1, 1), q);
    reference.fillRect(QRect(29, 27, 1, 1), q);
  }
  p.end();
  reference.end();
  EXPECT_EQ(drawn, expected) << state.Name;
}

TEST(QtDirectFills, GiveTheRasterEnginesPixelsInEveryPainterState) {
  const TPainterState states[] = {
      {"clipped"},
      {"unclipped", QImage::Format_RGB32, [](QPainter&) {}, false},
      {"premultiplied", QImage::Format_ARGB32_Premultiplied},
      {"argb", QImage::Format_ARGB32},
      {"16-bit", QImage::Format_RGB16},
      {"translated", QImage::Format_RGB32, [](QPainter& p) { p.translate(2, 1); }},
      {"translated unclipped", QImage::Format_RGB32, [](QPainter& p) { p.translate(-3, 2); }, false},
      {"half opacity", QImage::Format_ARGB32, [](QPainter& p) { p.setOpacity(0.5); }},
      {"multiply", QImage::Format_RGB32,
       [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); }},
      {"source", QImage::Format_ARGB32_Premultiplied,
       [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Source); }},
  };
  for (const TPainterState& state : states) ExpectSamePixels(state);
}

}  // namespace
}  // namespace vorna::testing
