// Vertical writing: text runs downward from the reference point and the glyph
// cell lies left of it. Full-width characters stand upright in their vertical
// forms; half-width characters lie rotated clockwise with their baseline
// placed from the ideographic em box. Glyph runs as QtGlyphBatches.h
// gathers them; colour glyphs drawn as images.
#include <QGlyphRun>
#include <cmath>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtGlyphBatches.h"

namespace vorna::qt {
namespace {

constexpr double kSlant = 0.2;
// Ink beyond the glyphs' boxes: the emboldening offset (a slant takes an em).
constexpr qreal kInkSlack = 4;

}  // namespace

void TQtCanvas::DrawVertical(QPainter* p, TQtFont& font, int x, int y, const std::vector<TPlaced>& placed,
                             int total) {
  const float centre = static_cast<float>(x) - static_cast<float>(font.CellHeight()) / 2;
  TRect clip = VisibleRect(p);
  const int margin = font.Key().EmPixels * 2;
  const bool pdf = DrawsPdf(p);
  TGlyphBatches batches(font.FaceCount(), pdf);
  QRectF ink;
  for (const TPlaced& c : placed) {
    int gy = y + c.Pen;
    if (gy + margin < clip.Top || gy - margin > clip.Bottom) continue;
    if (c.Glyph.Blank) continue;
    if (c.Glyph.Face == TGlyphFace::Missing || c.Glyph.Colour) SettleStrokes(p);
    if (c.Glyph.Face == TGlyphFace::Missing) {
      float w = font.Key().EmPixels * 0.8f, h = std::max(2.0f, c.Glyph.Advance - 2);
      p->save();
      p->setBrush(Qt::NoBrush);
      p->drawRect(QRectF(centre - w / 2, gy + 1, w - 1, h - 1));
      p->restore();
      continue;
    }
    const int f = TQtFont::FaceOf(c.Glyph);
    FLastGlyphs.push_back({c.Glyph.Index, c.Glyph.Rotated, f == 1, f >= 2, c.Glyph.Colour});
    if (c.Glyph.Colour) {
      // Emoji stand upright like ideographs.
      DrawColourGlyph(p, font, f, c.Glyph.Index, QPointF(centre + c.Glyph.Dx, gy + c.Glyph.Dy));
    } else if (c.Glyph.Rotated) {
      batches.Add(f, true, c.Glyph.Index, QPointF(gy, 0));
      if (!FStrokes.Empty()) {
        // Local (u, v) lies at the page's (baseline - v, u).
        const QRectF box = font.InkBox(f, c.Glyph.Index);
        const qreal baseline = centre - font.RotatedBaselineOffset(f);
        ink = ink.united(QRectF(QPointF(baseline - box.bottom(), gy + box.left()),
                                QPointF(baseline - box.top(), gy + box.right())));
      }
    } else {
      const QPointF at(centre + c.Glyph.Dx, gy + c.Glyph.Dy);
      batches.Add(f, false, c.Glyph.Index, at);
      if (!FStrokes.Empty()) ink = ink.united(font.InkBox(f, c.Glyph.Index).translated(at));
    }
  }
  // Held lines that this text may cover are drawn first, as they came first.
  const qreal slack = FFontSpec.Italic ? font.Key().EmPixels : kInkSlack;
  if (!ink.isNull() && FStrokes.Meets(ink.adjusted(-slack, -slack, slack, slack))) SettleStrokes(p);
  for (const TGlyphBatch& batch : batches.Batches()) {
    if (batch.Glyphs.isEmpty()) continue;
    const int f = batch.Face;
    const bool bold = font.SynthesizeBold(f);
    p->save();
    if (font.SynthesizeItalic(f)) {
      // Slant along the column: the right-hand side (the glyphs' top) moves down.
      p->translate(centre, 0);
      p->shear(0, kSlant);
      p->translate(-centre, 0);
    }
    QGlyphRun run;
    run.setRawFont(pdf ? font.PrintRaw(f) : font.Raw(f));
    run.setGlyphIndexes(batch.Glyphs);
    run.setPositions(batch.At);
    if (!batch.Rotated) {
      p->drawGlyphRun(QPointF(0, 0), run);
      if (bold) p->drawGlyphRun(QPointF(0, 1), run);
    } else {
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
