// Resolved fonts for the canvas: the mapped face and its Japanese fallback as
// raw fonts, cell metrics, and per-character glyph lookups (glyph id, natural
// advance, vertical placement) filled lazily and kept for the font's life.
#pragma once

#include <QRawFont>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

struct hb_font_t;

namespace vorna::qt {

// Which raw font draws a glyph.
enum class TGlyphFace : uint8_t { Primary = 0, Fallback = 1, Missing = 2 };

struct TGlyph {
  uint32_t Index = 0;
  TGlyphFace Face = TGlyphFace::Missing;
  bool Filled = false;
  // Vertical fonts: a half-width character lies rotated clockwise.
  bool Rotated = false;
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
  const QRawFont& Raw(TGlyphFace face) const { return face == TGlyphFace::Fallback ? FFallback : FPrimary; }
  int Ascent() const { return FAscent; }
  int Descent() const { return FDescent; }
  int CellHeight() const { return FAscent + FDescent; }
  // Bold or italic requested but the face lacks it: the canvas emboldens or
  // slants the glyphs itself.
  bool SynthesizeBold(TGlyphFace face) const { return FSynthBold[face == TGlyphFace::Fallback]; }
  bool SynthesizeItalic(TGlyphFace face) const { return FSynthItalic[face == TGlyphFace::Fallback]; }
  // For rotated glyphs of `face`: the baseline's distance left of the column
  // centre, from the ideographic em box.
  float RotatedBaselineOffset(TGlyphFace face) const {
    return FRotatedBaseline[face == TGlyphFace::Fallback];
  }
  float UnderlinePosition() const { return FUnderlinePos; }
  float LineThickness() const { return FLineThickness; }

  // Glyph of code point `cp`; cached unless caching is off (see below).
  const TGlyph& Glyph(char32_t cp);

  // Turns the per-character cache off (every lookup shapes again), for
  // comparisons in tests and benchmarks.
  static void SetCachingEnabled(bool enabled);

 private:
  TGlyph Lookup(char32_t cp);
  hb_font_t* HbFont(TGlyphFace face);

  TFontKey FKey;
  QRawFont FPrimary;
  QRawFont FFallback;
  int FAscent = 0;
  int FDescent = 0;
  float FUnderlinePos = 0;
  float FLineThickness = 1;
  std::array<float, 2> FRotatedBaseline{};
  std::array<bool, 2> FSynthBold{};
  std::array<bool, 2> FSynthItalic{};
  std::array<hb_font_t*, 2> FHb{};
  std::array<bool, 2> FHbTried{};
  std::array<std::unique_ptr<std::array<TGlyph, 256>>, 256> FPages;
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
