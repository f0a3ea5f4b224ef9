// HarfBuzz over a QRawFont's tables: vertical shaping of one character with
// the OpenType vertical alternates, and the ideographic em box.
#pragma once

#include <QRawFont>
#include <cstdint>
#include <vector>

#include "platform/qt/QtFontFiles.h"

struct hb_font_t;

namespace vorna::qt {

// A HarfBuzz font reading its tables from `raw` (copied, so `raw` may go);
// scaled in font units. Null when the font has no tables. Free with
// hb_font_destroy.
hb_font_t* CreateHbFont(const QRawFont& raw);

// Result of shaping one character top to bottom, in font units, y up.
struct TVerticalShape {
  uint32_t Glyph = 0;
  int32_t XOffset = 0;
  int32_t YOffset = 0;
  int32_t YAdvance = 0;
};

// Shapes `cp` alone with direction TTB, script Han, language ja and the
// features vert and vrt2. False when it does not give exactly one glyph.
bool ShapeVertical(hb_font_t* font, char32_t cp, TVerticalShape& out);

// Top and bottom of the ideographic em box above the horizontal baseline, in
// font units (bottom is usually negative).
void IdeographicEmBox(hb_font_t* font, int32_t& top, int32_t& bottom);

// The font's Unicode cmap: each code with its nominal glyph, sorted by code.
std::vector<TCmapEntry> NominalCmap(hb_font_t* font);

// The glyphs that the vert and vrt2 substitutions of any script may replace,
// sorted: a character whose nominal glyph is not among them keeps it in
// vertical writing.
std::vector<uint32_t> VerticalSubstitutionInputs(hb_font_t* font);

}  // namespace vorna::qt
