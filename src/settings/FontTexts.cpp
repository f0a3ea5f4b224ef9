// Font and colour text forms and the vertical-writing font.
#include "settings/FontTexts.h"

#include <cmath>
#include <cstdio>

#include "settings/Collations.h"
#include "settings/ValueTexts.h"
#include "text/Cp932.h"

namespace vorna {

namespace {

struct TColorName {
  TColor Color;
  const char* Name;
};

// The first name of a colour is the one written.
constexpr TColorName kColorNames[] = {
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {0x808080, "clDkGray"},
    {0xC0C0C0, "clLtGray"},
    {0xFF000000, "clScrollBar"},
    {0xFF000001, "clBackground"},
    {0xFF000002, "clActiveCaption"},
    {0xFF000003, "clInactiveCaption"},
    {0xFF000004, "clMenu"},
    {0xFF000005, "clWindow"},
    {0xFF000006, "clWindowFrame"},
    {0xFF000007, "clMenuText"},
    {0xFF000008, "clWindowText"},
    {0xFF000009, "clCaptionText"},
    {0xFF00000A, "clActiveBorder"},
    {0xFF00000B, "clInactiveBorder"},
    {0xFF00000C, "clAppWorkSpace"},
    {0xFF00000D, "clHighlight"},
    {0xFF00000E, "clHighlightText"},
    {0xFF00000F, "clBtnFace"},
    {0xFF000010, "clBtnShadow"},
    {0xFF000011, "clGrayText"},
    {0xFF000012, "clBtnText"},
    {0xFF000013, "clInactiveCaptionText"},
    {0xFF000014, "clBtnHighlight"},
    {0xFF000015, "cl3DDkShadow"},
    {0xFF000016, "cl3DLight"},
    {0xFF000017, "clInfoText"},
    {0xFF000018, "clInfoBk"},
    {0xFF00001A, "clHotLight"},
    {0xFF00001B, "clGradientActiveCaption"},
    {0xFF00001C, "clGradientInactiveCaption"},
    {0xFF00001D, "clMenuHighlight"},
    {0xFF00001E, "clMenuBar"},
    {0x1FFFFFFF, "clNone"},
    {0x20000000, "clDefault"},
};

// ASCII upper case that leaves double-byte characters alone.
std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size();) {
    int size = Cp932CharSize(out, i);
    if (size == 1 && out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    i += size;
  }
  return out;
}

// True when `word` (ASCII) occurs in `text` at a character start.
bool ContainsAt(std::string_view text, std::string_view word) {
  for (size_t i = 0; i + word.size() <= text.size(); i += Cp932CharSize(text, i))
    if (text.substr(i, word.size()) == word) return true;
  return false;
}

}  // namespace

const std::string& DefaultFontFace() { return Cp932Lit("ＭＳ Ｐゴシック"); }

TFontSpec ToFontSpec(const TFontDesc& font, int pixelsPerInch) {
  TFontSpec fontSpec;
  fontSpec.Face = font.Face;
  fontSpec.Height =
      font.Height != 0 ? font.Height : -static_cast<int>(std::lround(font.Size * pixelsPerInch / 72.0));
  fontSpec.Bold = font.Style & fsBold;
  fontSpec.Italic = font.Style & fsItalic;
  fontSpec.Underline = font.Style & fsUnderline;
  fontSpec.StrikeOut = font.Style & fsStrikeOut;
  fontSpec.Color = font.Color;
  fontSpec.Escapement = font.Escapement;
  return fontSpec;
}

std::string FontStyleToStr(int style) {
  switch (style) {
    case 1:
      return "Bold";
    case 2:
      return "Italic";
    case 3:
      return "BoldItalic";
    default:
      return {};
  }
}

int StrToFontStyle(std::string_view text) {
  std::string upper = UpperAscii(text);
  int style = 0;
  if (ContainsAt(upper, "BOLD")) style |= fsBold;
  if (ContainsAt(upper, "ITALIC")) style |= fsItalic;
  return style;
}

std::string FontToStr(const TFontDesc& font, bool omitColor) {
  std::string text;
  if (font.Face != DefaultFontFace()) text += font.Face;
  text += ',';
  if (font.Size != 9) text += std::to_string(font.Size);
  text += ',';
  text += FontStyleToStr(font.Style);
  text += ',';
  if (!omitColor && font.Color != 0) text += ColorToStr(font.Color);
  if (text.size() > 255) {
    size_t cut = 0;
    while (cut < text.size()) {
      size_t next = cut + Cp932CharSize(text, cut);
      if (next > 255) break;
      cut = next;
    }
    text.resize(cut);
  }
  return text;
}

void StrToFont(std::string_view text, TFontDesc& font) {
  font.Face = DefaultFontFace();
  font.Size = 9;
  font.Height = 0;
  font.Style = 0;
  font.Color = kClBlack;
  if (text.empty()) return;
  size_t start = 0;
  for (int field = 1; field <= 4 && start <= text.size(); ++field) {
    size_t comma = text.find(',', start);
    std::string_view value = text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
    if (!value.empty()) {
      switch (field) {
        case 1:
          font.Face = value;
          break;
        case 2:
          font.Size = ParseIntegerText(value).value_or(9);
          break;
        case 3:
          font.Style = StrToFontStyle(value);
          break;
        case 4:
          font.Color = StrToColor(value).value_or(kClBlack);
          break;
      }
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
}

std::string ColorToStr(TColor color) {
  for (const TColorName& entry : kColorNames)
    if (entry.Color == color) return entry.Name;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(color));
  return buffer;
}

std::optional<TColor> StrToColor(std::string_view text) {
  for (const TColorName& entry : kColorNames)
    if (SameTextAscii(text, entry.Name)) return entry.Color;
  if (auto number = ParseIntegerText(text)) return static_cast<TColor>(*number);
  return std::nullopt;
}

void MakeVerticalFont(TFontDesc& font, const TFontList& fonts) {
  if (font.Face.empty() || font.Face[0] != '@') {
    std::string vertical = "@" + font.Face;
    if (fonts.HasFace(vertical)) font.Face = std::move(vertical);
  }
  font.Escapement = kVerticalEscapement;
}

void MakeVerticalFont(TFontSpec& font, const TFontList& fonts) {
  if (font.Face.empty() || font.Face[0] != '@') {
    std::string vertical = "@" + font.Face;
    if (fonts.HasFace(vertical)) font.Face = std::move(vertical);
  }
  font.Escapement = kVerticalEscapement;
}

}  // namespace vorna
