// Resolved fonts for the canvas: the mapped face, its Japanese fallback and
// fonts found for other characters as raw fonts, cell metrics, and
// per-character glyph lookups (glyph id, natural advance, vertical placement)
// filled lazily and kept for the font's life.
#pragma once

#include <QHash>
#include <QImage>
#include <QRawFont>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/QtFontFiles.h"

struct hb_font_t;

namespace vorna::qt {

// Which raw font draws a glyph: the mapped face, its Japanese fallback, or an
// installed font found for the character (TGlyph::Extra tells which).
enum class TGlyphFace : uint8_t { Primary = 0, Fallback = 1, Extra = 2, Missing = 3 };

struct TGlyph {
  uint32_t Index = 0;
  TGlyphFace Face = TGlyphFace::Missing;
  // The found font's number among the font's extra faces.
  uint8_t Extra = 0;
  bool Filled = false;
  // Vertical fonts: a half-width character lies rotated clockwise.
  bool Rotated = false;
  // Control, format and variation-selector characters: nothing is drawn.
  bool Blank = false;
  // A colour bitmap glyph (emoji), drawn as an image.
  bool Colour = false;
  // Natural advance along the line in pixels.
  float Advance = 0;
  // Vertical upright glyphs: the glyph origin relative to (column centre, top of
  // the character's advance), in pixels, y down.
  float Dx = 0;
  float Dy = 0;
};

// The key of a resolved font.
struct TFontKey {
  QString Family;
  int EmPixels = 0;
  bool Bold = false;
  bool Italic = false;
  bool Vertical = false;
  bool operator==(const TFontKey&) const = default;
};

class TQtFont {
 public:
  TQtFont(const TFontKey& key);
  ~TQtFont();
  TQtFont(const TQtFont&) = delete;
  TQtFont& operator=(const TQtFont&) = delete;

  const TFontKey& Key() const { return FKey; }
  // Faces are numbered: 0 the mapped face, 1 its fallback, then the extra
  // faces in the order characters first needed them.
  int FaceCount() const { return static_cast<int>(FFaces.size()); }
  static int FaceOf(const TGlyph& g) {
    return g.Face == TGlyphFace::Extra ? 2 + g.Extra : static_cast<int>(g.Face);
  }
  const QRawFont& Raw(int face) const { return FFaces[static_cast<size_t>(face)]->Raw; }
  // The raw font to draw `face` with in a PDF: for vertical fonts its print
  // face (QtPrintFaces.h), whose cmap maps each character to the form drawn,
  // so the PDF's text keeps the characters of vertical alternates; Raw(face)
  // otherwise or when no print face can be made. Same glyph ids and outlines.
  const QRawFont& PrintRaw(int face);
  // A box around the ink of glyph `index` of `face` about its origin, in
  // pixels, y down: the face's bounding box (read once), which holds every
  // glyph's.
  QRectF InkBox(int face, uint32_t index);
  int Ascent() const { return FAscent; }
  int Descent() const { return FDescent; }
  int CellHeight() const { return FAscent + FDescent; }
  // Bold or italic requested but the face lacks it: the canvas emboldens or
  // slants the glyphs itself.
  bool SynthesizeBold(int face) const { return FFaces[static_cast<size_t>(face)]->SynthBold; }
  bool SynthesizeItalic(int face) const { return FFaces[static_cast<size_t>(face)]->SynthItalic; }
  // For rotated glyphs of `face`: the baseline's distance left of the column
  // centre, from the ideographic em box.
  float RotatedBaselineOffset(int face) const { return FFaces[static_cast<size_t>(face)]->RotatedBaseline; }
  float UnderlinePosition() const { return FUnderlinePos; }
  float LineThickness() const { return FLineThickness; }

  // Glyph of code point `cp` (values beyond Unicode as U+FFFD); cached unless
  // caching is off (see below).
  const TGlyph& Glyph(char32_t cp);

  // The image of a colour glyph and where its top left lies from the glyph
  // origin; rendered once.
  const QImage& ColourImage(int face, uint32_t index, QPointF& offset);

  // Turns the per-character cache off (every lookup shapes again), for
  // comparisons in tests and benchmarks.
  static void SetCachingEnabled(bool enabled);

 private:
  struct TFace {
    QString Family;
    QRawFont Raw;
    bool SynthBold = false;
    bool SynthItalic = false;
    bool Colour = false;
    float RotatedBaseline = 0;
    hb_font_t* Hb = nullptr;
    bool HbTried = false;
    QRawFont Print;
    bool PrintTried = false;
    QRectF Ink;
    bool InkKnown = false;
    struct TImage {
      QImage Image;
      QPointF Offset;
    };
    QHash<uint32_t, TImage> Images;
  };
  using TPage = std::array<TGlyph, 256>;
  using TPlane = std::array<std::unique_ptr<TPage>, 256>;

  TGlyph Lookup(char32_t cp);
  // The cmap of `face` with each character that vertical writing draws in
  // another glyph of this face mapped to that glyph; where several codes
  // reach one glyph and CP932 holds some of them, only those stay.
  std::vector<TCmapEntry> DrawnCmap(int face);
  hb_font_t* HbFont(int face);
  TFace& AddFace(const QString& family);
  // The extra face of `family`, added when first needed; -1 when full.
  int ExtraFace(const QString& family);

  TFontKey FKey;
  std::vector<std::unique_ptr<TFace>> FFaces;
  int FAscent = 0;
  int FDescent = 0;
  float FUnderlinePos = 0;
  float FLineThickness = 1;
  // Pages of 256 characters, made per plane as characters are asked for.
  std::array<std::unique_ptr<TPlane>, 17> FPlanes;
  TGlyph FScratch;
};

// The process-wide font cache.
// Resolves face (UTF-8 or CP932 decoded), the height convention and styles to
// a shared font object.
std::shared_ptr<TQtFont> FindFont(const QString& face, int height, bool bold, bool italic, bool vertical);

// Drops every cached font (canvases keep the fonts they hold); the next
// lookups start cold.
void ClearFontCache();

// Em size in pixels for a logical height: < 0 is the em itself, > 0 the cell
// height, 0 the default (12). Clamped to 1 .. 2048.
int EmPixelsForHeight(const QString& family, int height);

}  // namespace vorna::qt
