// TViewInfo: setters, font change classification, text and difference forms.
#include "settings/ViewInfos.h"

#include <cmath>
#include <vector>

#include "settings/CommaTexts.h"
#include "settings/ValueTexts.h"
#include "text/Cp932.h"

namespace vorna {

namespace {

constexpr int kDefaultFontSize = 9;

int StyleBitsOfCode(int code) {
  int bits = 0;
  if (code & kStyleBold) bits |= fsBold;
  if (code & kStyleItalic) bits |= fsItalic;
  return bits;
}

int LimitFontSize(int size) {
  if (size <= 0) return kDefaultFontSize;
  return size > kMaxFontSize ? kMaxFontSize : size;
}

double LimitLineWidth(double width) {
  if (width > kMaxLineWidth) return kMaxLineWidth;
  if (width < -kMaxLineWidth) return -kMaxLineWidth;
  return width;
}

// The element values LoadDefault(record) produces for the fields compared by
// IsDefault and the difference form.
struct TEffective {
  TDisplayMode DisplayMode;
  TFontDesc Font;
  int LineStyle;
  double LineWidth;
  TColor BackColor;
  TColor LineColor;
};

TEffective EffectiveDefault(const TViewInfoDefault& record) {
  TEffective e{kModeShown, DefaultRecordFont(record), kLineNone, 1, kClWhite, kClBlack};
  if (record.DisplayMode >= 0) e.DisplayMode = static_cast<TDisplayMode>(record.DisplayMode);
  if (record.LineStyle >= 0) e.LineStyle = record.LineStyle;
  if (record.LineWidth >= 0) e.LineWidth = record.LineWidth;
  if (record.BackColor != kClNone) e.BackColor = record.BackColor;
  if (record.LineColor != kClNone) e.LineColor = record.LineColor;
  return e;
}

// Widths as their text tells them apart: a width read as "-0" is written back
// as "-0", so it is no default 0.
bool SameWidth(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

bool SameFontShape(const TFontDesc& a, const TFontDesc& b) {
  return a.Face == b.Face && a.Size == b.Size && a.Style == b.Style;
}

}  // namespace

TFontDesc DefaultRecordFont(const TViewInfoDefault& record) {
  TFontDesc font;
  if (!record.FontFace.empty()) font.Face = Cp932Lit(record.FontFace);
  if (record.FontSize > 0) font.Size = record.FontSize;
  if (record.FontStyle >= 0) font.Style = StyleBitsOfCode(record.FontStyle);
  if (record.FontColor != kClNone) font.Color = record.FontColor;
  return font;
}

void TViewInfo::Initialize() {
  TDataItem::Initialize();
  FFont = TFontDesc();
  FFont.Charset = 1;
  FOldFont = FFont;
}

void TViewInfo::Finalize() { TDataItem::Finalize(); }

void TViewInfo::SetDefaults() {
  TDataItem::SetDefaults();
  FDisplayMode = kModeShown;
  FFont = TFontDesc();
  FOldFont = FFont;
  FLineStyle = kLineNone;
  FLineWidth = 1;
  FBackColor = kClWhite;
  FLineColor = kClBlack;
}

void TViewInfo::AssignData(TDataItem* source) {
  TDataItem::AssignData(source);
  auto* other = dynamic_cast<TViewInfo*>(source);
  if (!other || other == this) return;
  FDisplayMode = other->FDisplayMode;
  FFont = other->FFont;  // copied without the font change classification
  FOldFont = FFont;
  FLineStyle = other->FLineStyle;
  FLineWidth = other->FLineWidth;
  FLineColor = other->FLineColor;
  FBackColor = other->FBackColor;
}

template <class T>
void TViewInfo::SetValue(T& field, T value, int kind) {
  if (field == value) return;
  Changing(kind);
  field = value;
  Changed(kind);
}

void TViewInfo::SetDisplayMode(TDisplayMode value) { SetValue(FDisplayMode, value, kViewInfoDisplayMode); }

void TViewInfo::SetFontColor(TColor value) {
  if (FFont.Color == value) return;
  Changing(kViewInfoFontColor);
  FFont.Color = value;
  FOldFont.Color = value;
  Changed(kViewInfoFontColor);
}

void TViewInfo::SetBackColor(TColor value) { SetValue(FBackColor, value, kViewInfoBackColor); }
void TViewInfo::SetLineStyle(int value) { SetValue(FLineStyle, value, kViewInfoLineStyle); }
void TViewInfo::SetLineColor(TColor value) { SetValue(FLineColor, value, kViewInfoLineColor); }

void TViewInfo::SetLineWidth(double value) {
  if (FLineWidth == value) return;
  Changing(kViewInfoLineWidth);
  FLineWidth = value;
  Changed(kViewInfoLineWidth);
}

void TViewInfo::SetColor(int which, TColor color) {
  switch (which) {
    case 0:
      SetFontColor(color);
      break;
    case 1:
      SetBackColor(color);
      break;
    case 2:
      SetLineColor(color);
      break;
    default:
      break;
  }
}

void TViewInfo::SetFont(const TFontDesc& font) {
  SetFontColor(font.Color);
  if (font == FFont) return;
  FFont = font;
  FontChanged();
}

void TViewInfo::SetFontName(std::string_view face) {
  if (FFont.Face == face) return;
  FFont.Face = std::string(face);
  FontChanged();
}

void TViewInfo::SetFontSize(int size) {
  if (FFont.Size == size) return;
  FFont.Size = size;
  FontChanged();
}

void TViewInfo::SetFontStyle(int style) {
  if (FFont.Style == style) return;
  FFont.Style = style;
  FontChanged();
}

void TViewInfo::FontChanged() {
  if (FFont.Face != FOldFont.Face || FFont.Style != FOldFont.Style)
    Changed(kViewInfoFontFace);
  else if (FFont.Size != FOldFont.Size)
    Changed(kViewInfoFontSize);
  FOldFont = FFont;
}

std::string TViewInfo::GetDataText() const {
  return MakeCommaText({std::to_string(FDisplayMode), FontToStr(FFont, true), std::to_string(FLineStyle),
                        FloatToText(FLineWidth), ColorToStr(FFont.Color), ColorToStr(FBackColor),
                        ColorToStr(FLineColor)});
}

void TViewInfo::ParseDataText(std::string_view text) {
  const std::vector<std::string> fields = SplitCommaText(text);
  for (size_t i = 0; i < fields.size() && i < 7; ++i) {
    const std::string& field = fields[i];
    if (field.empty()) continue;
    switch (i) {
      case 0:
        FDisplayMode = static_cast<TDisplayMode>(ParseIntegerText(field).value_or(kModeHidden));
        break;
      case 1:
        StrToFont(field, FFont);
        FFont.Size = LimitFontSize(FFont.Size);
        FOldFont = FFont;
        break;
      case 2:
        FLineStyle = ParseIntegerText(field).value_or(0);
        break;
      case 3: {
        const double width = ParseFloatText(field).value_or(0);
        if (std::isfinite(width)) FLineWidth = LimitLineWidth(width);
        break;
      }
      case 4:
        if (auto color = StrToColor(field)) FFont.Color = FOldFont.Color = *color;
        break;
      case 5:
        if (auto color = StrToColor(field)) FBackColor = *color;
        break;
      case 6:
        if (auto color = StrToColor(field)) FLineColor = *color;
        break;
    }
  }
}

void TViewInfo::LoadDefault(const TViewInfoDefault& record) {
  SetDefaults();
  const TEffective e = EffectiveDefault(record);
  FDisplayMode = e.DisplayMode;
  FFont.Face = e.Font.Face;
  FFont.Size = e.Font.Size;
  FFont.Style = e.Font.Style;
  FFont.Color = e.Font.Color;
  FOldFont = FFont;
  FLineStyle = e.LineStyle;
  FLineWidth = e.LineWidth;
  FBackColor = e.BackColor;
  FLineColor = e.LineColor;
}

bool TViewInfo::IsDefault(const TViewInfoDefault& record) const {
  const TEffective e = EffectiveDefault(record);
  return FDisplayMode == e.DisplayMode && SameFontShape(FFont, e.Font) && FFont.Color == e.Font.Color &&
         FLineStyle == e.LineStyle && SameWidth(FLineWidth, e.LineWidth) && FBackColor == e.BackColor &&
         FLineColor == e.LineColor;
}

std::string TViewInfo::GetDiffText(const TViewInfoDefault& record) const {
  const TEffective e = EffectiveDefault(record);
  std::vector<std::string> fields(7);
  if (FDisplayMode >= 0 && FDisplayMode != e.DisplayMode) fields[0] = std::to_string(FDisplayMode);
  // The font field is compared with what loading the record gives, so that a
  // font set back to the plain default over a record with another face still
  // reads back.
  const bool fontWritten = !SameFontShape(FFont, e.Font);
  if (fontWritten) {
    fields[1] = FontToStr(FFont, true);
    // FontToStr with all defaults is empty: keep the field present.
    if (fields[1].empty()) fields[1] = ",,,";
  }
  if (FLineStyle <= 0 || FLineStyle != e.LineStyle) fields[2] = std::to_string(FLineStyle);
  if (std::signbit(FLineWidth) || !SameWidth(FLineWidth, e.LineWidth)) fields[3] = FloatToText(FLineWidth);
  // Reading a font field resets the colour to black, so a written font
  // always carries its colour.
  if (fontWritten || FFont.Color == kClNone || FFont.Color != e.Font.Color)
    fields[4] = ColorToStr(FFont.Color);
  if (FBackColor == kClNone || FBackColor != e.BackColor) fields[5] = ColorToStr(FBackColor);
  if (FLineColor == kClNone || FLineColor != e.LineColor) fields[6] = ColorToStr(FLineColor);
  return MakeCommaText(fields);
}

}  // namespace vorna
