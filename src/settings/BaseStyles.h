// TBaseStyle: the paper and page settings of a style (paper size and
// orientation, page division, margins, zoom, tiling, header and footer) with
// the six paper view elements, presets selected by number, and the
// print conversion.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "settings/BaseOptions.h"
#include "settings/StyleElements.h"
#include "settings/StyleFields.h"
#include "settings/ViewInfos.h"

namespace vorna {

class TLpPrinter;
class TPageMetrics;

// Getter and setter of one stored setting: the setter does nothing for an
// equal value, otherwise Changing(-1), store, Changed(-1).
#define VORNA_STYLE_SETTING(Type, Name)                      \
 public:                                                     \
  Type Get##Name() const { return F##Name; }                 \
  void Set##Name(Type value) { SetSetting(F##Name, value); } \
                                                             \
 protected:                                                  \
  Type F##Name{};

// Number of presets; DefaultIndex 0 .. kPresetCount - 1 names one, -1 is a
// user-defined style.
constexpr int kPresetCount = 28;
constexpr bool IsPresetIndex(int index) { return index >= 0 && index < kPresetCount; }

constexpr int kUserPaperSize = 256;  // paper given by PaperWidth x PaperHeight
constexpr int kPaperA4 = 9;
constexpr int kPaperB5 = 13;

class TBaseStyle : public TBaseOption {
 public:
  using TWidthScale = std::function<double(double)>;

  // Overrides of the record operations.
  bool Match(std::string_view text) const override;  // text == Name
  std::string GetDisplayText() const override;       // Name
  std::string GetDataText() const override;          // Name
  // Same class, every stored setting, DefaultIndex and every element equal.
  bool Equals(const TDataItem* other) const override;
  void SetDefaults() override;
  // DefaultIndex first; a preset number stops after "Name". Otherwise every
  // key, the elements, and the legacy "PaperDevide" (deleted once read).
  void ReadSettings(TSettingsStorage& ini, const std::string& section) override;
  // "Name" and "DefaultIndex" always; for a user-defined style also every
  // setting and element that differs from its default.
  void WriteSettings(TSettingsStorage& ini, const std::string& section) override;

  // Virtual operations added by the style, in slot order (29 to 39).
  virtual TViewInfo* GetViewInfo(int index) const;             // 29: 27 .. 32
  virtual void SetFontNames(std::string_view name, int size);  // 30
  virtual void SetColors(int which, TColor color);             // 31
  virtual void ScaleLineWidths(const TWidthScale& fn);         // 32
  virtual void SetPresetName(int index);                       // 33: nothing here
  virtual void BuildPreset(int index);                         // 34: nothing here
  virtual void SaveState();                                    // 35
  virtual void RestoreState();                                 // 36
  virtual void SetAllColors(int which, TColor color);          // 37
  virtual void SetAllLineWidths(const TWidthScale& fn);        // 38
  // 39: the print conversion, only while the paper is not shown: reads
  // `printer`'s page metrics into `metrics`, shows the paper, colours black
  // on white and turns the line widths from pixels into millimetres in place.
  // Null metrics stand for the defaults (a 96 dpi screen, no printer read); a
  // null printer is not read.
  virtual void MakePrintable(TPageMetrics* metrics, TLpPrinter* printer);

  // Non-virtual operations.
  int GetDefaultIndex() const { return FDefaultIndex; }
  // Stores a new index, names the style after the preset and marks the
  // preset as not applied yet.
  void SetDefaultIndex(int index);
  const std::string& GetName() const { return FName; }
  void SetName(std::string_view name);
  // 256 fills a zero width and height with 100 x 148; any other size clears
  // both.
  void SetPaperSize(int value);
  int GetPaperSize() const { return FPaperSize; }
  void SetFonts(std::string_view name, int size);  // SetFontNames in one bracket
  // Resets the style and builds the preset DefaultIndex in one change bracket,
  // once: nothing when it is applied already or DefaultIndex names no preset.
  void ApplyPreset();
  bool GetPresetApplied() const { return FPresetApplied; }
  int GetPagesPerSheet() const { return FPaperLevelDivide * FPaperVerticalDivide; }
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int value) { FHintPause = value; }
  int GetRepeatLimit() const { return FRepeatLimit; }
  void SetRepeatLimit(int value) { FRepeatLimit = value; }
  TBaseStyle* GetSavedStyle() const { return FSavedStyle.get(); }

  // The lengths that follow the paper (the elements' line widths; the
  // editor style's spacing and text margins) are held in millimetres while
  // the paper is shown and in pixels at 100 % zoom while it is hidden;
  // TEditorStyle::ShowPaper and MakePrintable convert them in place. The
  // page's margins and distances are millimetres either way.
  bool LengthsInMillimetres() const { return FPaperVisible; }

  // Screen pixels in millimetres with two decimals, in the order the print
  // conversion of a style computes it: round(px / ppi * 25.4 * 100) / 100,
  // with the screen resolution of `metrics` (96 when null or not positive).
  static double PixelsToMillimetres(double pixels, const TPageMetrics* metrics);
  // The inverse, to two decimals as well.
  static double MillimetresToPixels(double mm, const TPageMetrics* metrics);

  // A value for the setting `key` limited as reading it from a store limits it
  // (LimitStyleField over Fields()).
  static int LimitInteger(std::string_view key, int value);
  static double LimitFloat(std::string_view key, double value);

  // The stored settings other than "DefaultIndex" and "Name", in key order.
  static std::span<const TStyleField<TBaseStyle>> Fields();

  VORNA_STYLE_SETTING(bool, PaperTileVReverse)
  VORNA_STYLE_SETTING(bool, PaperTileHReverse)
  VORNA_STYLE_SETTING(bool, VScrollBarVisible)
  VORNA_STYLE_SETTING(bool, HScrollBarVisible)
  VORNA_STYLE_SETTING(int, BorderMargin)  // screen pixels around the view
  VORNA_STYLE_SETTING(std::string, Category)
  VORNA_STYLE_SETTING(bool, PaperVisible)
  VORNA_STYLE_SETTING(bool, Orientation)
  VORNA_STYLE_SETTING(bool, PaperTileVertical)
  VORNA_STYLE_SETTING(int, RatioValue)
  VORNA_STYLE_SETTING(int, PaperWidth)   // millimetres, for kUserPaperSize
  VORNA_STYLE_SETTING(int, PaperHeight)  // millimetres, for kUserPaperSize
  VORNA_STYLE_SETTING(int, PaperLevelDivide)
  VORNA_STYLE_SETTING(int, PaperVerticalDivide)
  VORNA_STYLE_SETTING(int, StartPageNo)
  // Millimetres on the page, whether the paper is shown or not.
  VORNA_STYLE_SETTING(double, PaperMarginLeft)
  VORNA_STYLE_SETTING(double, PaperMarginTop)
  VORNA_STYLE_SETTING(double, PaperMarginRight)
  VORNA_STYLE_SETTING(double, PaperMarginBottom)
  VORNA_STYLE_SETTING(double, MarginLeft)
  VORNA_STYLE_SETTING(double, MarginTop)
  VORNA_STYLE_SETTING(double, MarginRight)
  VORNA_STYLE_SETTING(double, MarginBottom)
  VORNA_STYLE_SETTING(double, HeaderDistanceX)
  VORNA_STYLE_SETTING(double, HeaderDistanceY)
  VORNA_STYLE_SETTING(double, FooterDistanceX)
  VORNA_STYLE_SETTING(double, FooterDistanceY)
  VORNA_STYLE_SETTING(std::string, HeaderStr)
  VORNA_STYLE_SETTING(std::string, FooterStr)

 public:
  // Margins "MarginLeft", "MarginTop", "MarginRight", "MarginBottom" at once.
  void SetMargins(double left, double top, double right, double bottom);

 protected:
  void Initialize() override;
  void Loaded() override;  // names the section after the list index
  void Finalize() override;
  void AssignData(TDataItem* source) override;
  void ParseDataText(std::string_view text) override;  // sets Name directly

  template <class T>
  void SetSetting(T& field, const T& value) {
    if (field == value) return;
    Changing(-1);
    field = value;
    Changed(-1);
  }
  // Forwards an element's notifications to the style.
  void LinkElement(TViewInfo* element);
  // Applies the stored legacy "PaperDevide" value.
  void ApplyLegacyPaperDivide(int value);

  int FDefaultIndex = -1;
  std::string FName;
  int FPaperSize = kPaperA4;
  bool FPresetApplied = false;
  int FHintPause = 500;
  int FRepeatLimit = 100;
  std::array<TDataItemPtr<TViewInfo>, kBaseElementCount> FBaseElements;
  TDataItemPtr<TBaseStyle> FSavedStyle;
};

}  // namespace vorna
