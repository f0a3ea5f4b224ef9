// Vertical writing: text runs downward from the reference point and the glyph
// cell lies left of it. Full-width characters stand upright in their vertical
// forms; half-width characters lie rotated clockwise with their baseline
// placed from the ideographic em box. One upright and one rotated glyph run
// per font.
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
  QList<quint32> upright[2], rotated[2];
  QList<QPointF> uprightAt[2], rotatedAt[2];
  for (const TPlaced& c : placed) {
    int gy = y + c.Pen;
    if (gy + margin < clip.Top || gy - margin > clip.Bottom) continue;
    if (c.Glyph.Face == TGlyphFace::Missing) {
      if (c.Cp >= 0x20 && c.Cp != 0x7F) {
        float w = font.Key().EmPixels * 0.8f, h = std::max(2.0f, c.Glyph.Advance - 2);
        p->save();
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(centre - w / 2, gy + 1, w - 1, h - 1));
        p->restore();
      }
      continue;
    }
    int f = c.Glyph.Face == TGlyphFace::Fallback;
    if (c.Glyph.Rotated) {
      rotated[f].append(c.Glyph.Index);
      rotatedAt[f].append(QPointF(gy, 0));
    } else {
      upright[f].append(c.Glyph.Index);
      uprightAt[f].append(QPointF(centre + c.Glyph.Dx, gy + c.Glyph.Dy));
    }
    FLastGlyphs.push_back({c.Glyph.Index, c.Glyph.Rotated, f == 1});
  }
  for (int f = 0; f < 2; ++f) {
    auto face = static_cast<TGlyphFace>(f);
    if (upright[f].isEmpty() && rotated[f].isEmpty()) continue;
    bool slant = font.SynthesizeItalic(face);
    bool bold = font.SynthesizeBold(face);
    p->save();
    if (slant) {
      // Slant along the column: the right-hand side (the glyphs' top) moves down.
      p->translate(centre, 0);
      p->shear(0, kSlant);
      p->translate(-centre, 0);
    }
    if (!upright[f].isEmpty()) {
      QGlyphRun run;
      run.setRawFont(font.Raw(face));
      run.setGlyphIndexes(upright[f]);
      run.setPositions(uprightAt[f]);
      p->drawGlyphRun(QPointF(0, 0), run);
      if (bold) p->drawGlyphRun(QPointF(0, 1), run);
    }
    if (!rotated[f].isEmpty()) {
      QGlyphRun run;
      run.setRawFont(font.Raw(face));
      run.setGlyphIndexes(rotated[f]);
      run.setPositions(rotatedAt[f]);
      // Local (u, v) maps to the page's (baseline - v, u): rotated clockwise.
      p->translate(centre - font.RotatedBaselineOffset(face), 0);
      p->rotate(90);
      p->drawGlyphRun(QPointF(0, 0), run);
      if (bold) p->drawGlyphRun(QPointF(1, 0), run);
    }
    p->restore();
  }
  const QColor color = p->pen().color();
  const float thickness = font.LineThickness();
  const float baseline = centre - font.RotatedBaselineOffset(TGlyphFace::Primary);
  if (FFontSpec.Underline)
    p->fillRect(QRectF(std::round(baseline - font.UnderlinePosition() - thickness), y, thickness, total),
                color);
  if (FFontSpec.StrikeOut)
    p->fillRect(QRectF(std::round(baseline + font.Ascent() * 0.3f), y, thickness, total), color);
}

}  // namespace vorna::qt
