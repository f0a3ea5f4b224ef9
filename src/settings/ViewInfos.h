// TViewInfo: the appearance record of one displayed thing (a view element):
// display mode, font, line style and width, back and line colours, with its
// text form, its difference form against a default record and the change
// kinds its setters send.
#pragma once

#include <string>
#include <string_view>

#include "settings/DataLists.h"
#include "settings/FontTexts.h"
#include "settings/ViewInfoRecords.h"

namespace vorna {

// Change kinds sent by the setters of a view element.
enum TViewInfoChange : int {
  kViewInfoDisplayMode = 0,
  kViewInfoFontFace = 2,  // face or style
  kViewInfoFontSize = 3,
  kViewInfoFontColor = 5,
  kViewInfoBackColor = 6,
  kViewInfoLineStyle = 7,
  kViewInfoLineColor = 8,
  kViewInfoLineWidth = 9,
};

// Display modes.
enum TDisplayMode : int { kModeHiddenForPrint = -1, kModeHidden = 0, kModeShown = 1, kModeScreenOnly = 2 };

// Limits applied to sizes and widths read from text, so that a stored value
// can never overflow the conversions to device units.
constexpr int kMaxFontSize = 1638;
constexpr double kMaxLineWidth = 1000;

class TViewInfo : public TDataItem {
 public:
  TDisplayMode GetDisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TDisplayMode value);

  // The font with its colour (the element's font colour). Font changes other
  // than the colour behave as changes made on the font object: no Changing,
  // then Changed(2) for a new face or style, Changed(3) for a new size only.
  const TFontDesc& GetFont() const { return FFont; }
  void SetFont(const TFontDesc& font);  // a differing colour goes through SetFontColor
  void SetFontName(std::string_view face);
  void SetFontSize(int size);
  void SetFontStyle(int style);  // TFontStyleBits

  TColor GetFontColor() const { return FFont.Color; }
  void SetFontColor(TColor value);
  TColor GetBackColor() const { return FBackColor; }
  void SetBackColor(TColor value);
  int GetLineStyle() const { return FLineStyle; }  // a TLineStyle
  void SetLineStyle(int value);
  TColor GetLineColor() const { return FLineColor; }
  void SetLineColor(TColor value);
  // A length that follows the paper (TBaseStyle::LengthsInMillimetres).
  double GetLineWidth() const { return FLineWidth; }
  void SetLineWidth(double value);
  // Which 0: font colour, 1: back colour, 2: line colour; other values nothing.
  void SetColor(int which, TColor color);

  bool IsVisible() const { return FDisplayMode == kModeShown || FDisplayMode == kModeScreenOnly; }
  bool IsPrinted() const { return FDisplayMode == kModeShown; }
  bool IsShown(bool printing) const {
    return FDisplayMode == kModeShown || (FDisplayMode == kModeScreenOnly && !printing);
  }
  // A line style is set; one beyond kLineDash counts, though its pen draws nothing.
  bool HasLine() const { return FLineStyle > kLineNone; }
  bool IsDoubleLine() const { return IsDoubleLineStyle(FLineStyle); }
  TPenStyle GetPenStyle() const { return PenStyleOfLine(FLineStyle); }

  // SetDefaults, then every field of the record that is not its keep value.
  // Values are stored directly (no notification).
  void LoadDefault(const TViewInfoDefault& record);
  // True when the element holds exactly what LoadDefault(record) gives.
  bool IsDefault(const TViewInfoDefault& record) const;
  // The text form with the fields that LoadDefault(record) already gives left
  // empty.
  std::string GetDiffText(const TViewInfoDefault& record) const;

  // Comma text of seven fields: mode, font (without colour), line style, line
  // width, font colour, back colour, line colour.
  std::string GetDataText() const override;
  void SetDefaults() override;

 protected:
  void Initialize() override;
  void Finalize() override;
  void AssignData(TDataItem* source) override;
  // Reads the seven fields; empty or missing fields keep their values, a
  // colour that does not read keeps its value, numbers that do not read give
  // 0 (mode, line style, width). Sizes and widths are limited to
  // kMaxFontSize and kMaxLineWidth; a width that is not finite is ignored.
  void ParseDataText(std::string_view text) override;

  // The font object's change notification: compares with FOldFont.
  void FontChanged();

 private:
  template <class T>
  void SetValue(T& field, T value, int kind);

  TDisplayMode FDisplayMode = kModeShown;
  TFontDesc FFont;
  int FLineStyle = kLineNone;
  double FLineWidth = 1;
  TColor FBackColor = kClWhite;
  TColor FLineColor = kClBlack;
  TFontDesc FOldFont;
};

// The font a default record gives over the element default font.
TFontDesc DefaultRecordFont(const TViewInfoDefault& record);

}  // namespace vorna
