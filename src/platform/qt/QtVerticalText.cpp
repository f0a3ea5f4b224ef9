// Vertical writing: text runs downward from the reference point and the glyph
// cell lies left of it. Full-width characters stand upright in their vertical
// forms; half-width characters lie rotated clockwise with their baseline
// placed from the ideographic em box. One upright and one rotated glyph run
// per face; colour glyphs drawn as images.
#include <QGlyphRun>
#include <cmath>

#include "platform/qt/QtCanvas.h"

namespace vorna::qt {
namespace {

constexpr double kSlant = 0.2;

}  // namespace

void TQtCanvas::DrawVertical(QPainter* p, TQtFont& font, int x, int y, const std::vector<TPlaced>& placed,
                             int total) {
  const float centre = static_cast<float>(x) - static_cast<float>(font.CellHeight()) / 2;
  TRect clip = VisibleRect(p);
  const int margin = font.Key().EmPixels * 2;
  const auto faces = static_cast<size_t>(font.FaceCount());
  std::vector<QList<quint32>> upright(faces), rotated(faces);
  std::vector<QList<QPointF>> uprightAt(faces), rotatedAt(faces);
  for (const TPlaced& c : placed) {
    int gy = y + c.Pen;
    if (gy + margin < clip.Top || gy - margin > clip.Bottom) continue;
    if (c.Glyph.Blank) continue;
    if (c.Glyph.Face == TGlyphFace::Missing) {
      float w = font.Key().EmPixels * 0.8f, h = std::max(2.0f, c.Glyph.Advance - 2);
      p->save();
      p->setBrush(Qt::NoBrush);
      p->drawRect(QRectF(centre - w / 2, gy + 1, w - 1, h - 1));
      p->restore();
      continue;
    }
    const int f = TQtFont::FaceOf(c.Glyph);
    const auto i = static_cast<size_t>(f);
    FLastGlyphs.push_back({c.Glyph.Index, c.Glyph.Rotated, f == 1, f >= 2, c.Glyph.Colour});
    if (c.Glyph.Colour) {
      // Emoji stand upright like ideographs.
      DrawColourGlyph(p, font, f, c.Glyph.Index, QPointF(centre + c.Glyph.Dx, gy + c.Glyph.Dy));
    } else if (c.Glyph.Rotated) {
      rotated[i].append(c.Glyph.Index);
      rotatedAt[i].append(QPointF(gy, 0));
    } else {
      upright[i].append(c.Glyph.Index);
      uprightAt[i].append(QPointF(centre + c.Glyph.Dx, gy + c.Glyph.Dy));
    }
  }
  for (size_t i = 0; i < faces; ++i) {
    const int f = static_cast<int>(i);
    if (upright[i].isEmpty() && rotated[i].isEmpty()) continue;
    bool slant = font.SynthesizeItalic(f);
    bool bold = font.SynthesizeBold(f);
    p->save();
    if (slant) {
      // Slant along the column: the right-hand side (the glyphs' top) moves down.
      p->translate(centre, 0);
      p->shear(0, kSlant);
      p->translate(-centre, 0);
    }
    if (!upright[i].isEmpty()) {
      QGlyphRun run;
      run.setRawFont(font.Raw(f));
      run.setGlyphIndexes(upright[i]);
      run.setPositions(uprightAt[i]);
      p->drawGlyphRun(QPointF(0, 0), run);
      if (bold) p->drawGlyphRun(QPointF(0, 1), run);
    }
    if (!rotated[i].isEmpty()) {
      QGlyphRun run;
      run.setRawFont(font.Raw(f));
      run.setGlyphIndexes(rotated[i]);
      run.setPositions(rotatedAt[i]);
      // Local (u, v) maps to the page's (baseline - v, u): rotated clockwise.
      p->translate(centre - font.RotatedBaselineOffset(f), 0);
      p->rotate(90);
      p->drawGlyphRun(QPointF(0, 0), run);
      if (bold) p->drawGlyphRun(QPointF(1, 0), run);
    }
    p->restore();
  }
  const QColor color = p->pen().color();
  const float thickness = font.LineThickness();
  const float baseline = centre - font.RotatedBaselineOffset(0);
  if (FFontSpec.Underline)
    p->fillRect(QRectF(std::round(baseline - font.UnderlinePosition() - thickness), y, thickness, total),
                color);
  if (FFontSpec.StrikeOut)
    p->fillRect(QRectF(std::round(baseline + font.Ascent() * 0.3f), y, thickness, total), color);
}

}  // namespace vorna::qt
