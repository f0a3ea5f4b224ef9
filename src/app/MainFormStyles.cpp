// The main window's style commands: presets and user styles chosen, the
// writing direction and the paper flipped, the zoom, and user styles saved,
// renamed, deleted, read from and written to INI files.
#include <QEvent>
#include <QWheelEvent>

#include "MainForms.h"
#include "StyleArguments.h"
#include "StyleManagers.h"
#include "ViewMenus.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/qt/QtConvert.h"
#include "settings/EditorStyles.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

constexpr int kWheelNotch = 120;  // eighths of a degree

// A style name the store and the menu can hold: no preset's name (choosing
// it would read as that preset).
bool IsPresetName(const std::string& name) {
  for (int i = 0; i < kPresetCount; ++i)
    if (TEditorStyle::PresetName(i) == name) return true;
  return false;
}

}  // namespace

void TVORNAEditorMain::BuildViewMenu(QMenu& menu) { FViewMenu = std::make_unique<TViewMenu>(*this, menu); }

void TVORNAEditorMain::ChoosePreset(int index) {
  if (!IsPresetIndex(index)) return;
  TEditorStyle& style = FEditor->EditorStyle();
  const int ratio = style.GetRatioValue();
  style.BeginUpdate();
  // Chosen again, a preset is built anew (undoing the line-number toggle).
  style.SetDefaultIndex(-1);
  FEditor->SetStyleIndex(index);
  if (index == 0) ApplyColorScheme();
  style.SetRatioValue(ratio);
  style.EndUpdate();
  StyleSwitched();
}

bool TVORNAEditorMain::ChooseUserStyle(const std::string& name) {
  TDataItemPtr<TEditorStyle> stored = MakeDataItem<TEditorStyle>();
  if (!FPreferenceStore || !FPreferenceStore->ReadStyle(name, *stored)) {
    if (FServices.Boxes)
      FServices.Boxes->ShowError(Cp932Lit("スタイル「") + name + Cp932Lit("」を読み込めません。"));
    UpdateUserStyles();
    return false;
  }
  UseStyle(*stored);
  return true;
}

void TVORNAEditorMain::UseStyle(TEditorStyle& source) {
  TEditorStyle& style = FEditor->EditorStyle();
  const int ratio = style.GetRatioValue();
  style.BeginUpdate();
  style.Assign(&source);
  // The control's index follows; the preset is already built.
  FEditor->SetStyleIndex(style.GetDefaultIndex());
  if (style.GetDefaultIndex() == 0) ApplyColorScheme();
  style.SetRatioValue(ratio);
  style.EndUpdate();
  StyleSwitched();
}

void TVORNAEditorMain::MakeUserStyle() {
  TEditorStyle& style = FEditor->EditorStyle();
  if (!IsPresetIndex(style.GetDefaultIndex())) return;
  style.BecomeUserStyle();
  FEditor->SetStyleIndex(-1);  // the control's own record of it
}

void TVORNAEditorMain::SetVerticalWriting(bool vertical) {
  TEditorStyle& style = FEditor->EditorStyle();
  if (style.GetVertical() != vertical) {
    style.BeginUpdate();
    MakeUserStyle();
    style.SetVertical(vertical);
    style.EndUpdate();
  }
  StyleSwitched();
}

void TVORNAEditorMain::TogglePaper() {
  TEditorStyle& style = FEditor->EditorStyle();
  style.BeginUpdate();
  MakeUserStyle();
  style.ShowPaper(!style.GetPaperVisible());
  style.EndUpdate();
  StyleSwitched();
}

// The zoom lives in the style, so that every later change of the style (which
// applies its ratio to the view) keeps it; it is a preference, not a change
// that makes a preset a user style.
void TVORNAEditorMain::ZoomTo(int ratio) {
  FEditor->EditorStyle().SetRatioValue(ratio);
  FPreferences.RatioValue = ratio;
  if (FViewMenu) FViewMenu->Update();
  WritePreferences();
}

void TVORNAEditorMain::ZoomInExecute() { ZoomTo(View().ZoomInRatio()); }

void TVORNAEditorMain::ZoomOutExecute() { ZoomTo(View().ZoomOutRatio()); }

bool TVORNAEditorMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FEditor && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->modifiers() & Qt::ControlModifier) {
      FWheelRemainder += wheel->angleDelta().y();
      for (; FWheelRemainder >= kWheelNotch; FWheelRemainder -= kWheelNotch) ZoomInExecute();
      for (; FWheelRemainder <= -kWheelNotch; FWheelRemainder += kWheelNotch) ZoomOutExecute();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TVORNAEditorMain::StyleSwitched() {
  // The picture is dark: it goes with the window's white text, and would
  // hide the dark text of the other styles.
  const TEditorStyle& style = FEditor->EditorStyle();
  View().SetBackgroundBitmap(
      style.GetViewInfo(kElemNormal)->GetFontColor() == kSchemeTextColor ? FBackBitmap.get() : nullptr);
  if (FViewMenu) FViewMenu->Update();
  UpdateActions();
  if (FPreferenceStore) FPreferenceStore->WriteLastStyle(FEditor->EditorStyle());
}

void TVORNAEditorMain::UpdateUserStyles() {
  if (FViewMenu)
    FViewMenu->SetUserStyles(FPreferenceStore ? FPreferenceStore->StyleNames() : std::vector<std::string>{});
}

void TVORNAEditorMain::SaveStyleExecute() {
  TEditorStyle& style = FEditor->EditorStyle();
  const std::string offered = IsPresetIndex(style.GetDefaultIndex()) ? std::string() : style.GetName();
  const std::optional<std::string> name = AskStyleName(QString::fromUtf8("スタイルを保存"), offered);
  if (!name) return;
  if (!FServices.Boxes) return;
  if (name->empty()) {
    FServices.Boxes->ShowError(Cp932Lit("スタイル名が空です。名前を付けてください。"));
    return;
  }
  if (IsPresetName(*name)) {
    FServices.Boxes->ShowError(Cp932Lit("「") + *name +
                               Cp932Lit("」はプリセットの名前です。別の名前を付けてください。"));
    return;
  }
  if (!FPreferenceStore) {
    FServices.Boxes->ShowError(Cp932Lit("ユーザーごとの設定が使えないため、スタイルを保存できません。"));
    return;
  }
  if (FPreferenceStore->StyleExists(*name) &&
      FServices.Boxes->AskYesNoCancel(Cp932Lit("スタイル「") + *name + Cp932Lit("」を置き換えますか？")) !=
          TMessageResult::Yes)
    return;
  // Stored whole, as a user style of that name, which the window then uses.
  TDataItemPtr<TEditorStyle> saved = MakeDataItem<TEditorStyle>();
  saved->Assign(&style);
  saved->SetDefaultIndex(-1);
  saved->SetName(*name);
  std::string error;
  if (!FPreferenceStore->WriteStyle(*saved, error)) {
    FServices.Boxes->ShowError(Cp932Lit("スタイルを保存できません: ") + Cp932FromUtf8(error));
    return;
  }
  style.BeginUpdate();
  FEditor->SetStyleIndex(-1);
  style.SetName(*name);
  style.EndUpdate();
  UpdateUserStyles();
  StyleSwitched();
}

bool TVORNAEditorMain::RenameUserStyleExecute(const std::string& name) {
  if (!FPreferenceStore || !FServices.Boxes) return false;
  const std::optional<std::string> to = AskStyleName(QString::fromUtf8("スタイル名の変更"), name);
  if (!to || *to == name) return false;
  std::string refusal;
  if (to->empty())
    refusal = Cp932Lit("スタイル名が空です。名前を付けてください。");
  else if (IsPresetName(*to))
    refusal = Cp932Lit("「") + *to + Cp932Lit("」はプリセットの名前です。別の名前を付けてください。");
  else if (FPreferenceStore->StyleExists(*to))
    refusal = Cp932Lit("スタイル「") + *to + Cp932Lit("」は既にあります。別の名前を付けてください。");
  std::string error;
  if (refusal.empty() && !FPreferenceStore->RenameStyle(name, *to, error))
    refusal = Cp932Lit("スタイル名を変更できません: ") + Cp932FromUtf8(error);
  if (!refusal.empty()) {
    FServices.Boxes->ShowError(refusal);
    return false;
  }
  // The style in use follows its new name.
  TEditorStyle& style = FEditor->EditorStyle();
  if (style.GetDefaultIndex() < 0 && style.GetName() == name) {
    style.SetName(*to);
    StyleSwitched();
  }
  UpdateUserStyles();
  return true;
}

bool TVORNAEditorMain::DeleteUserStyleExecute(const std::string& name) {
  if (!FPreferenceStore || !FServices.Boxes) return false;
  if (FServices.Boxes->AskYesNoCancel(Cp932Lit("スタイル「") + name + Cp932Lit("」を削除しますか？")) !=
      TMessageResult::Yes)
    return false;
  std::string error;
  if (!FPreferenceStore->DeleteStyle(name, error)) {
    FServices.Boxes->ShowError(Cp932Lit("スタイルを削除できません: ") + Cp932FromUtf8(error));
    return false;
  }
  // The style in use stays as it is; it is no longer stored.
  UpdateUserStyles();
  return true;
}

void TVORNAEditorMain::ManageStylesExecute() {
  TStyleManagerDialog dialog(
      this,
      {[this] { return FPreferenceStore ? FPreferenceStore->StyleNames() : std::vector<std::string>{}; },
       [this](const std::string& name) { return RenameUserStyleExecute(name); },
       [this](const std::string& name) { return DeleteUserStyleExecute(name); }});
  dialog.exec();
}

void TVORNAEditorMain::ImportStyleExecute() {
  const std::optional<std::string> path = AskStyleFile(false, {});
  if (!path || !FServices.Files) return;
  TDataItemPtr<TEditorStyle> loaded = MakeDataItem<TEditorStyle>();
  std::string error, warning;
  if (!LoadStyleFile(*loaded, *FServices.Files, *path, error, warning)) {
    if (FServices.Boxes)
      FServices.Boxes->ShowError(Cp932Lit("スタイルを読み込めません: ") + Cp932FromUtf8(error));
    return;
  }
  UseStyle(*loaded);
  if (!warning.empty() && FServices.Boxes) FServices.Boxes->ShowInfo(Cp932FromUtf8(warning));
}

void TVORNAEditorMain::ExportStyleExecute() {
  TEditorStyle& style = FEditor->EditorStyle();
  const std::optional<std::string> path = AskStyleFile(true, Utf8FromCp932(style.GetName()) + ".ini");
  if (!path || !FServices.Files) return;
  try {
    style.SaveToIniFile(*FServices.Files, *path);
  } catch (const std::exception& e) {
    if (FServices.Boxes)
      FServices.Boxes->ShowError(Cp932Lit("スタイルを書き出せません: ") + Cp932FromUtf8(e.what()));
  }
}

}  // namespace vorna::app
