// The font description of the settings records with its one-line text form
// (face, size, style, colour), the colour text form (named colours and
// "$" with eight hexadecimal digits) and the vertical-writing form of a font.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Canvas.h"
#include "platform/FontList.h"
#include "platform/Geometry.h"

namespace vorna {

// Style bits of a font (the style set as a number).
enum TFontStyleBits : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// "ＭＳ Ｐゴシック" in CP932: the face of the default font.
const std::string& DefaultFontFace();

// A font as the settings hold it. Size is in points; Height, when non-zero,
// is the device height the canvas takes (negative: character height) and wins
// over Size. Escapement is in tenths of a degree (2700: vertical writing).
// Charset 1 is the platform's default character set.
struct TFontDesc {
  std::string Face = DefaultFontFace();  // CP932
  int Size = 9;
  int Height = 0;
  int Style = 0;  // TFontStyleBits
  TColor Color = kClBlack;
  int Escapement = 0;
  int Charset = 1;
  friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
};

// The canvas font of a description at a device resolution: the height from
// Size (-Size * pixelsPerInch / 72, rounded) unless Height is set.
TFontSpec ToFontSpec(const TFontDesc& font, int pixelsPerInch);

// 1 -> "Bold", 2 -> "Italic", 3 -> "BoldItalic", anything else -> empty.
std::string FontStyleToStr(int style);
// Bold when the upper-cased text contains "BOLD", italic when it contains
// "ITALIC" (both may hold).
int StrToFontStyle(std::string_view text);

// Face, size, style word and colour joined by ",", each empty when it holds
// the default (face DefaultFontFace, size 9, no style word, colour 0 or
// omitted). A style with underline or strike-out gives no word. The result is
// cut to at most 255 bytes at a character boundary.
std::string FontToStr(const TFontDesc& font, bool omitColor);
// Resets face, size, style and colour to the defaults (and Height to 0), then
// applies each of the first four comma-separated fields that is non-empty; a
// size that is not a number gives 9, a colour that does not read stays 0.
void StrToFont(std::string_view text, TFontDesc& font);

// "clBlack", "clRed" and the other named colours (the sixteen standard ones,
// four extra ones, the system colours $FF0000nn, "clNone" and "clDefault");
// otherwise "$" and eight upper-case hexadecimal digits.
std::string ColorToStr(TColor color);
// A colour name (ASCII case ignored), "$" or "0x" with hexadecimal digits, or
// a decimal number (32 bits). Nothing for any other text.
std::optional<TColor> StrToColor(std::string_view text);

// The vertical-writing form: the "@" face when the face lacks the "@" and the
// installed fonts have "@" + face; escapement 2700.
void MakeVerticalFont(TFontDesc& font, const TFontList& fonts);
void MakeVerticalFont(TFontSpec& font, const TFontList& fonts);

}  // namespace vorna
