// TBaseStyle: construction, defaults, copying, setters, element operations,
// presets and the print conversion.
#include "settings/BaseStyles.h"

#include <cmath>
#include <cstdio>
#include <typeinfo>

#include "print/PageMetrics.h"
#include "text/Cp932.h"

namespace vorna {

namespace {

// A sheet divided further than this has no readable page left.
constexpr int kMaxPageDivide = 100;

const std::string& DefaultStyleName() { return Cp932Lit("標準スタイル"); }

}  // namespace

std::span<const TStyleField<TBaseStyle>> TBaseStyle::Fields() {
  using S = TBaseStyle;
  static const TStyleField<S> kFields[] = {
      {"PaperTileVReverse", &S::FPaperTileVReverse, 0},
      {"PaperTileHReverse", &S::FPaperTileHReverse, 0},
      {"VScrollBarVisible", &S::FVScrollBarVisible, 1},
      {"HScrollBarVisible", &S::FHScrollBarVisible, 1},
      {"BorderMargin", &S::FBorderMargin, 0},
      {"Category", &S::FCategory, 0, ""},
      {"PaperVisible", &S::FPaperVisible, 0},
      {"Orientation", &S::FOrientation, 0},
      {"PaperTileVertical", &S::FPaperTileVertical, 1},
      {"RatioValue", &S::FRatioValue, 0},
      {"PaperSize", &S::FPaperSize, kPaperA4},
      {"PaperWidth", &S::FPaperWidth, 0},
      {"PaperHeight", &S::FPaperHeight, 0},
      {"PaperLevelDivide", &S::FPaperLevelDivide, 1, "", 1, kMaxPageDivide},
      {"PaperVerticalDivide", &S::FPaperVerticalDivide, 1, "", 1, kMaxPageDivide},
      {"StartPageNo", &S::FStartPageNo, 1},
      {"PaperMarginLeft", &S::FPaperMarginLeft, 0},
      {"PaperMarginTop", &S::FPaperMarginTop, 0},
      {"PaperMarginRight", &S::FPaperMarginRight, 0},
      {"PaperMarginBottom", &S::FPaperMarginBottom, 0},
      {"MarginLeft", &S::FMarginLeft, 20},
      {"MarginTop", &S::FMarginTop, 20},
      {"MarginRight", &S::FMarginRight, 20},
      {"MarginBottom", &S::FMarginBottom, 20},
      {"HeaderDistanceX", &S::FHeaderDistanceX, 5},
      {"HeaderDistanceY", &S::FHeaderDistanceY, 5},
      {"FooterDistanceX", &S::FFooterDistanceX, 5},
      {"FooterDistanceY", &S::FFooterDistanceY, 15},
      {"HeaderStr", &S::FHeaderStr, 0, ""},
      {"FooterStr", &S::FFooterStr, 0, "&b－ &p －&b"},
  };
  return kFields;
}

int TBaseStyle::LimitInteger(std::string_view key, int value) {
  return LimitStyleField<TBaseStyle>(Fields(), key, value);
}

double TBaseStyle::LimitFloat(std::string_view key, double value) {
  return LimitStyleField<TBaseStyle>(Fields(), key, value);
}

void TBaseStyle::Initialize() {
  TBaseOption::Initialize();
  FSection = "Style";
  for (auto& element : FBaseElements) {
    element.reset(TDataItem::New<TViewInfo>());
    LinkElement(element.get());
  }
  FCategory.clear();
  FDefaultIndex = -1;
  FHintPause = 500;
  FRepeatLimit = 100;
}

void TBaseStyle::Loaded() {
  TBaseOption::Loaded();
  const int index = GetIndex();
  if (index < 0) return;
  char section[24];
  std::snprintf(section, sizeof section, "Style%02d", index);
  FSection = section;
}

void TBaseStyle::Finalize() {
  FSavedStyle.reset();
  for (auto& element : FBaseElements) element.reset();
  TBaseOption::Finalize();
}

void TBaseStyle::LinkElement(TViewInfo* element) {
  element->OnChanging = [this](TDataItem*, int kind) { Changing(kind); };
  element->OnChange = [this](TDataItem*, int kind) { Changed(kind); };
}

void TBaseStyle::SetDefaults() {
  TBaseOption::SetDefaults();
  FName = DefaultStyleName();
  ResetStyleFields<TBaseStyle>(*this, Fields());
  for (int i = kBaseElementFirst; i <= kBaseElementLast; ++i)
    if (TViewInfo* element = TBaseStyle::GetViewInfo(i)) element->LoadDefault(StyleElementDefault(i));
}

void TBaseStyle::AssignData(TDataItem* source) {
  TBaseOption::AssignData(source);
  auto* other = dynamic_cast<TBaseStyle*>(source);
  if (!other || other == this) return;
  FDefaultIndex = other->FDefaultIndex;
  FName = other->FName;
  CopyStyleFields<TBaseStyle>(*this, *other, Fields());
  FPresetApplied = other->FPresetApplied;
  FHintPause = other->FHintPause;
  FRepeatLimit = other->FRepeatLimit;
  for (size_t i = 0; i < FBaseElements.size(); ++i) FBaseElements[i]->Assign(other->FBaseElements[i].get());
}

bool TBaseStyle::Match(std::string_view text) const { return text == FName; }
std::string TBaseStyle::GetDisplayText() const { return FName; }
std::string TBaseStyle::GetDataText() const { return FName; }
void TBaseStyle::ParseDataText(std::string_view text) { FName = std::string(text); }

bool TBaseStyle::Equals(const TDataItem* other) const {
  auto* style = dynamic_cast<const TBaseStyle*>(other);
  if (!style || typeid(*style) != typeid(*this)) return false;
  if (FDefaultIndex != style->FDefaultIndex || FName != style->FName) return false;
  if (!StyleFieldsEqual<TBaseStyle>(*this, *style, Fields())) return false;
  for (size_t i = 0; i < FBaseElements.size(); ++i)
    if (!FBaseElements[i]->Equals(style->FBaseElements[i].get())) return false;
  return true;
}

TViewInfo* TBaseStyle::GetViewInfo(int index) const {
  return IsBaseElement(index) ? FBaseElements[index - kBaseElementFirst].get() : nullptr;
}

void TBaseStyle::SetFontNames(std::string_view name, int size) {
  if (!name.empty() && name.front() == '@') name.remove_prefix(1);
  for (auto& element : FBaseElements) {
    element->SetFontName(name);
    if (size > 0) element->SetFontSize(size);
  }
}

void TBaseStyle::SetColors(int which, TColor color) {
  for (int i = kBaseElementFirst; i < kElemPrintRange; ++i) GetViewInfo(i)->SetColor(which, color);
}

void TBaseStyle::ScaleLineWidths(const TWidthScale& fn) {
  if (!fn) return;
  for (auto& element : FBaseElements) element->SetLineWidth(fn(std::round(element->GetLineWidth())));
}

void TBaseStyle::SetPresetName(int) {}
void TBaseStyle::BuildPreset(int) {}

void TBaseStyle::SaveState() {
  if (!FSavedStyle) FSavedStyle.reset(TDataItem::New<TBaseStyle>());
  FSavedStyle->Assign(this);
}

void TBaseStyle::RestoreState() {
  if (FSavedStyle) Assign(FSavedStyle.get());
}

void TBaseStyle::SetAllColors(int which, TColor color) {
  BeginUpdate();
  SetColors(which, color);
  EndUpdate();
}

void TBaseStyle::SetAllLineWidths(const TWidthScale& fn) {
  BeginUpdate();
  ScaleLineWidths(fn);
  EndUpdate();
}

double TBaseStyle::PixelsToMillimetres(double pixels, const TPageMetrics* metrics) {
  const int ppi = metrics && metrics->ScreenDpi > 0 ? metrics->ScreenDpi : kDefaultScreenDpi;
  return std::round(pixels / ppi * 25.4 * 100) / 100;
}

double TBaseStyle::MillimetresToPixels(double mm, const TPageMetrics* metrics) {
  const int ppi = metrics && metrics->ScreenDpi > 0 ? metrics->ScreenDpi : kDefaultScreenDpi;
  return std::round(mm * ppi / 25.4 * 100) / 100;
}

void TBaseStyle::MakePrintable(TPageMetrics* metrics, TLpPrinter* printer) {
  if (FPaperVisible) return;
  BeginUpdate();
  if (metrics && printer) metrics->UpdatePrinterMetrics(*printer);
  FPaperVisible = true;
  SetAllColors(0, kClBlack);
  SetAllColors(1, kClWhite);
  SetAllLineWidths([metrics](double pixels) { return PixelsToMillimetres(pixels, metrics); });
  EndUpdate();
}

void TBaseStyle::SetDefaultIndex(int index) {
  if (index == FDefaultIndex) return;
  BeginUpdate();
  FDefaultIndex = index;
  SetPresetName(index);
  FPresetApplied = false;
  EndUpdate();
}

void TBaseStyle::SetName(std::string_view name) {
  if (FName == name) return;
  Changing(-1);
  FName = std::string(name);
  Changed(-1);
}

void TBaseStyle::SetPaperSize(int value) {
  if (value == FPaperSize) return;
  Changing(-1);
  FPaperSize = value;
  if (value == kUserPaperSize) {
    if (FPaperWidth == 0) FPaperWidth = 100;
    if (FPaperHeight == 0) FPaperHeight = 148;
  } else {
    FPaperWidth = 0;
    FPaperHeight = 0;
  }
  Changed(-1);
}

void TBaseStyle::SetMargins(double left, double top, double right, double bottom) {
  BeginUpdate();
  SetMarginLeft(left);
  SetMarginTop(top);
  SetMarginRight(right);
  SetMarginBottom(bottom);
  EndUpdate();
}

void TBaseStyle::SetFonts(std::string_view name, int size) {
  BeginUpdate();
  SetFontNames(name, size);
  EndUpdate();
}

void TBaseStyle::ApplyPreset() {
  if (!IsPresetIndex(FDefaultIndex) || FPresetApplied) return;
  BeginChange();
  SetDefaults();
  SetPresetName(FDefaultIndex);
  BuildPreset(FDefaultIndex);
  FPresetApplied = true;
  EndChange();
}

}  // namespace vorna
