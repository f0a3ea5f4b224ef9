// Reading and writing a TEditorStyle: the text settings in key order, the
// three lists as comma text and the elements 52 to 80 in their difference
// form, after the paper settings.
#include "settings/EditorStyles.h"
#include "text/Cp932.h"

namespace vorna {

namespace {

struct TListKey {
  std::string_view Key;
  TStringList& (TEditorStyle::*List)() const;
  std::string_view Default;  // comma text, UTF-8 source form
};

const TListKey kLists[] = {
    {"Exts", &TEditorStyle::GetExts, ""},
    {"HeadingStrs", &TEditorStyle::GetHeadingStrs, "□,■,○,●,◎,§"},
    {"KeyWordStrs", &TEditorStyle::GetKeyWordStrs, ""},
};

}  // namespace

void TEditorStyle::ReadSettings(TSettingsStorage& ini, const std::string& section) {
  TBaseStyle::ReadSettings(ini, section);
  if (IsPresetIndex(FDefaultIndex)) return;
  ReadStyleFields<TEditorStyle>(*this, ini, section, EditorFields());
  for (const auto& list : kLists)
    (this->*list.List)().SetCommaText(ini.ReadString(section, list.Key, Cp932Lit(list.Default)));
  for (int i = kEditorElementFirst; i <= kEditorElementLast; ++i) {
    const std::string text = ini.ReadString(section, StyleElementKey(i), "");
    if (!text.empty()) E(i).SetDataText(text);
  }
}

void TEditorStyle::WriteSettings(TSettingsStorage& ini, const std::string& section) {
  TBaseStyle::WriteSettings(ini, section);
  if (IsPresetIndex(FDefaultIndex)) return;
  WriteStyleFields<TEditorStyle>(*this, ini, section, EditorFields());
  for (const auto& list : kLists) {
    const std::string text = (this->*list.List)().GetCommaText();
    if (text != Cp932Lit(list.Default)) ini.WriteString(section, list.Key, text);
  }
  for (int i = kEditorElementFirst; i <= kEditorElementLast; ++i) {
    const TViewInfoDefault& record = StyleElementDefault(i);
    if (!E(i).IsDefault(record)) ini.WriteString(section, StyleElementKey(i), E(i).GetDiffText(record));
  }
}

}  // namespace vorna
