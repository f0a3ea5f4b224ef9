// Text output of the canvas: CP932 decoding, per-byte advances, opaque and
// clipped output, horizontal glyph runs, measuring.
#include <QGlyphRun>
#include <cmath>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtGlyphBatches.h"
#include "text/Cp932.h"

namespace vorna::qt {

namespace {

// Oblique slant for faces without an italic style.
constexpr double kSlant = 0.2;
// Ink beyond the glyphs' boxes: the emboldening offset (a slant takes an em).
constexpr qreal kInkSlack = 4;

}  // namespace

int TQtCanvas::Layout(std::string_view text, std::span<const int> advances, std::vector<TPlaced>& out) {
  out.clear();
  TQtFont& font = CurrentFont();
  int pen = 0;
  for (size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    size_t length = static_cast<size_t>(Cp932DecodeAt(text, i, cp));
    const TGlyph& glyph = font.Glyph(cp);
    out.push_back({glyph, pen, cp});
    int advance;
    if (i < advances.size()) {
      advance = advances[i];
      if (length == 2 && i + 1 < advances.size()) advance += advances[i + 1];
    } else {
      advance = static_cast<int>(std::lround(glyph.Advance));
    }
    pen += advance;
    i += length;
  }
  return pen;
}

void TQtCanvas::ExtTextOut(int x, int y, unsigned options, const TRect& rect, std::string_view text,
                           std::span<const int> advances) {
  QPainter* p = Painter();
  if (!p) return;
  if ((options & kEtoOpaque) && !rect.IsEmpty() && FBrushColor != kClNone && ApplyClip(p, nullptr)) {
    const QColor color = Resolve(FBrushColor);
    if (!FilledDirectly(p, ToQRect(rect), color)) p->fillRect(ToQRect(rect), color);
  }
  if (text.empty() || !ApplyClip(p, (options & kEtoClipped) ? &rect : nullptr, true)) return;
  DrawTextRun(p, x, y, text, advances);
}

void TQtCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
  QPainter* p = Painter();
  if (text.empty() || !ApplyClip(p, &rect, true)) return;
  DrawTextRun(p, x, y, text, {});
}

void TQtCanvas::TextOut(int x, int y, std::string_view text) {
  QPainter* p = Painter();
  if (text.empty() || !ApplyClip(p, nullptr, true)) return;
  DrawTextRun(p, x, y, text, {});
}

int TQtCanvas::TextWidth(std::string_view text) {
  TQtFont& font = CurrentFont();
  int width = 0;
  for (size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    i += static_cast<size_t>(Cp932DecodeAt(text, i, cp));
    width += static_cast<int>(std::lround(font.Glyph(cp).Advance));
  }
  return width;
}

int TQtCanvas::TextHeight(std::string_view) { return CurrentFont().CellHeight(); }

void TQtCanvas::DrawTextRun(QPainter* p, int x, int y, std::string_view text, std::span<const int> advances) {
  FLastGlyphs.clear();
  if (FTextColor == kClNone) return;
  TQtFont& font = CurrentFont();
  int total = Layout(text, advances, FPlaced);
  // Lines under or through the text are not part of the glyphs' ink box.
  if (FFontSpec.Underline || FFontSpec.StrikeOut) SettleStrokes(p);
  p->setPen(Resolve(FTextColor));
  if (font.Key().Vertical)
    DrawVertical(p, font, x, y, FPlaced, total);
  else
    DrawHorizontal(p, font, x, y, FPlaced, total);
}

void TQtCanvas::DrawColourGlyph(QPainter* p, TQtFont& font, int face, uint32_t index, QPointF origin) {
  QPointF offset;
  const QImage& image = font.ColourImage(face, index, offset);
  if (!image.isNull()) p->drawImage(origin + offset, image);
}

void TQtCanvas::DrawHorizontal(QPainter* p, TQtFont& font, int x, int y, const std::vector<TPlaced>& placed,
                               int total) {
  const float baseline = static_cast<float>(y + font.Ascent());
  // Glyphs beyond the clip are left out, so a huge text costs only its visible part.
  TRect clip = VisibleRect(p);
  const int margin = font.Key().EmPixels * 2;
  TGlyphBatches batches(font.FaceCount(), DrawsPdf(p));
  QRectF ink;
  for (const TPlaced& c : placed) {
    int gx = x + c.Pen;
    if (gx + margin < clip.Left || gx - margin > clip.Right) continue;
    if (c.Glyph.Blank) continue;
    if (c.Glyph.Face == TGlyphFace::Missing || c.Glyph.Colour) SettleStrokes(p);
    if (c.Glyph.Face == TGlyphFace::Missing) {
      // A visible box for what no font can draw.
      float w = std::max(2.0f, c.Glyph.Advance - 2), h = font.Ascent() * 0.8f;
      p->save();
      p->setBrush(Qt::NoBrush);
      p->drawRect(QRectF(gx + 1, baseline - h, w - 1, h - 1));
      p->restore();
      continue;
    }
    const int f = TQtFont::FaceOf(c.Glyph);
    FLastGlyphs.push_back({c.Glyph.Index, false, f == 1, f >= 2, c.Glyph.Colour});
    if (c.Glyph.Colour) {
      DrawColourGlyph(p, font, f, c.Glyph.Index, QPointF(gx, baseline));
      continue;
    }
    batches.Add(f, false, c.Glyph.Index, QPointF(gx, baseline));
    if (!FStrokes.Empty()) ink = ink.united(font.InkBox(f, c.Glyph.Index).translated(gx, baseline));
  }
  // Held lines that this text may cover are drawn first, as they came first.
  const qreal slack = FFontSpec.Italic ? font.Key().EmPixels : kInkSlack;
  if (!ink.isNull() && FStrokes.Meets(ink.adjusted(-slack, -slack, slack, slack))) SettleStrokes(p);
  for (const TGlyphBatch& batch : batches.Batches()) {
    if (batch.Glyphs.isEmpty()) continue;
    const int f = batch.Face;
    QGlyphRun run;
    run.setRawFont(font.Raw(f));
    run.setGlyphIndexes(batch.Glyphs);
    run.setPositions(batch.At);
    bool slant = font.SynthesizeItalic(f);
    if (slant) {
      p->save();
      p->translate(0, baseline);
      p->shear(-kSlant, 0);
      p->translate(0, -baseline);
    }
    p->drawGlyphRun(QPointF(0, 0), run);
    if (font.SynthesizeBold(f)) p->drawGlyphRun(QPointF(1, 0), run);
    if (slant) p->restore();
  }
  const QColor color = p->pen().color();
  const float thickness = font.LineThickness();
  if (FFontSpec.Underline)
    p->fillRect(QRectF(x, std::round(baseline + font.UnderlinePosition()), total, thickness), color);
  if (FFontSpec.StrikeOut)
    p->fillRect(QRectF(x, std::round(baseline - font.Ascent() * 0.3f), total, thickness), color);
}

}  // namespace vorna::qt
