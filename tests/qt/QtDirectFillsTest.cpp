// Fills written into an image's memory leave exactly the raster engine's
// pixels, in the painter states that allow them and in those that do not.
#include <gtest/gtest.h>

#include <QPainter>
#include <functional>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"

namespace vorna::testing {
namespace {

TEST(QtDirectFills, GiveTheRasterEnginesPixelsInEveryPainterState) {
  using F = QImage::Format;
  const std::function<void(QPainter&)> none = [](QPainter&) {};
  const struct {
    F Format;
    std::function<void(QPainter&)> Set;
    bool Clip = true;
    bool Untransformed = false;  // the transform reset once the clip is set
  } states[] = {
      {F::Format_RGB32, none},
      {F::Format_RGB32, none, false},
      {F::Format_ARGB32_Premultiplied, none},
      {F::Format_ARGB32, none},
      {F::Format_RGB16, none},
      {F::Format_RGB32, [](QPainter& p) { p.translate(2, 1); }},
      {F::Format_RGB32, [](QPainter& p) { p.translate(-3, 2); }, false},
      {F::Format_RGB32, [](QPainter& p) { p.translate(2, 1); }, true, true},
      {F::Format_ARGB32, [](QPainter& p) { p.setOpacity(0.5); }},
      {F::Format_RGB32, [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); }},
      {F::Format_ARGB32, [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Source); }}};
  for (const auto& state : states) {
    QImage drawn(32, 30, state.Format), expected(32, 30, state.Format);
    drawn.fill(QColor(10, 200, 30, 128));
    expected.fill(QColor(10, 200, 30, 128));
    QPainter p(&drawn), reference(&expected);
    qt::TQtCanvas canvas(&p);
    state.Set(p);
    state.Set(reference);
    if (state.Clip) {
      canvas.SetClipRect({3, 2, 29, 27});
      reference.setClipRect(QRect(3, 2, 26, 25));
    }
    for (QPainter* each : {&p, &reference})
      if (state.Untransformed) each->resetTransform();
    // The light colour last, so that a blend shows.
    for (TColor color : {kClBlack, Rgb(1, 2, 3), Rgb(0x97, 0xD8, 0xF0)}) {
      const QColor q = qt::ToQColor(color);
      canvas.SetBrush(color, TBrushStyle::Solid);
      canvas.FillRect({-4, 5, 9, 40});
      canvas.ExtTextOut(0, 0, kEtoOpaque, {20, 1, 34, 4}, "", {});
      canvas.SetPen(color, TPenStyle::Solid, 1);
      canvas.MoveTo(12, 0);
      canvas.LineTo(12, 30);  // without its last pixel
      canvas.MoveTo(31, 20);
      canvas.LineTo(0, 20);
      canvas.SetPixel(28, 26, color);
      for (QRect r : {QRect(-4, 5, 13, 35), QRect(20, 1, 14, 3), QRect(12, 0, 1, 30), QRect(1, 20, 31, 1),
                      QRect(28, 26, 1, 1)})
        reference.fillRect(r, q);
    }
    p.end();
    reference.end();
    EXPECT_EQ(drawn, expected) << "format " << state.Format << ", clip " << state.Clip << ", reset "
                               << state.Untransformed;
  }
}

}  // namespace
}  // namespace vorna::testing
