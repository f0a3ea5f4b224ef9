// Reading and writing a TBaseStyle: the preset rule of "DefaultIndex", the
// settings in key order, the six elements in their difference form and the
// legacy "PaperDevide" key.
#include <cmath>

#include "settings/BaseStyles.h"
#include "text/Cp932.h"

namespace vorna {

namespace {

constexpr std::string_view kLegacyDivideKey = "PaperDevide";

}  // namespace

void TBaseStyle::ReadSettings(TSettingsStorage& ini, const std::string& section) {
  TBaseOption::ReadSettings(ini, section);
  SetDefaultIndex(ini.ReadInteger(section, "DefaultIndex", -1));
  // Loading reset the style to its defaults, so an unchanged preset number
  // still needs its preset built again.
  FPresetApplied = false;
  FName = ini.ReadString(section, "Name", Cp932Lit("標準スタイル"));
  if (IsPresetIndex(FDefaultIndex)) return;
  ReadStyleFields<TBaseStyle>(*this, ini, section, Fields());
  for (int i = kBaseElementFirst; i <= kBaseElementLast; ++i) {
    const std::string text = ini.ReadString(section, StyleElementKey(i), "");
    if (!text.empty()) GetViewInfo(i)->SetDataText(text);
  }
  const int legacy = ini.ReadInteger(section, kLegacyDivideKey, 0);
  if (legacy > 1) {
    ApplyLegacyPaperDivide(legacy);
    ini.DeleteKey(section, kLegacyDivideKey);
  }
}

void TBaseStyle::ApplyLegacyPaperDivide(int value) {
  switch (value) {
    case 2:
      if (FOrientation)
        FPaperVerticalDivide = 2;
      else
        FPaperLevelDivide = 2;
      break;
    case 4:
    case 9:
    case 16:
      FPaperLevelDivide = FPaperVerticalDivide = static_cast<int>(std::lround(std::sqrt(value)));
      break;
    default:
      break;
  }
}

void TBaseStyle::WriteSettings(TSettingsStorage& ini, const std::string& section) {
  TBaseOption::WriteSettings(ini, section);
  ini.WriteString(section, "Name", FName);
  ini.WriteInteger(section, "DefaultIndex", FDefaultIndex);
  if (IsPresetIndex(FDefaultIndex)) return;
  WriteStyleFields<TBaseStyle>(*this, ini, section, Fields());
  for (int i = kBaseElementFirst; i <= kBaseElementLast; ++i) {
    const TViewInfo* element = GetViewInfo(i);
    const TViewInfoDefault& record = StyleElementDefault(i);
    if (!element->IsDefault(record))
      ini.WriteString(section, StyleElementKey(i), element->GetDiffText(record));
  }
}

}  // namespace vorna
