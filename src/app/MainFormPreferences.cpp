// The main window's preferences: read from the per-user store at start,
// written when they change (the window's place when it closes), and the
// recent files of the File menu.
#include <QScreen>
#include <cstdio>

#include "MainForms.h"
#include "SaveOptionDialogs.h"
#include "ViewMenus.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/qt/QtConvert.h"
#include "settings/EditorStyles.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"

namespace vorna::app {

void TVORNAEditorMain::StartWithPreferences() {
  if (!FServices.Files) return;
  FPreferenceStore = std::make_unique<TPreferenceStore>(*FServices.Files, [this](const std::string& line) {
    if (OnPreferenceWarning)
      OnPreferenceWarning(line);
    else
      std::fprintf(stderr, "vorna-editor: %s\n", line.c_str());
  });
  FPreferences = FPreferenceStore->Read();
  TDataItemPtr<TEditorStyle> last = MakeDataItem<TEditorStyle>();
  const bool stored = FPreferenceStore->ReadLastStyle(*last);
  TEditorStyle& style = FEditor->EditorStyle();
  // The last style, the zoom and the line numbers: one change.
  style.BeginUpdate();
  if (stored) UseStyle(*last);
  if (FPreferences.RatioValue) style.SetRatioValue(*FPreferences.RatioValue);
  if (FPreferences.LineNumbers) ApplyLineNumbers(*FPreferences.LineNumbers);
  style.EndUpdate();
  if (const auto& place = FPreferences.Placement)
    setGeometry(place->Left, place->Top, place->Width, place->Height);
  UpdateUserStyles();
  UpdateRecentMenu();
  ApplyBackupPreferences();
  UpdateActions();
}

void TVORNAEditorMain::ApplyBackupPreferences() {
  const auto mode = static_cast<TBackupMode>(FPreferences.BackupMode.value_or(bmNone));
  std::string folder = FPreferences.BackupFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  View().Infos().SetBackupMode(mode);
  View().Infos().SetBackupFolder(folder);
  View().List().FBackupMode = mode;
  View().List().FBackupFolder = folder;
}

void TVORNAEditorMain::CustSaveOptionsExecute() {
  TSaveOptionDialog dialog(
      {static_cast<TBackupMode>(FPreferences.BackupMode.value_or(bmNone)), FPreferences.BackupFolder,
       FPreferences.AutoSaveSeconds.value_or(kDefaultAutoSaveSeconds)},
      this);
  const bool accepted =
      RunSaveOptionDialog ? RunSaveOptionDialog(dialog) : dialog.exec() == QDialog::Accepted;
  if (!accepted) return;
  const TSaveOptions chosen = dialog.Options();
  FPreferences.BackupMode = chosen.BackupMode;
  FPreferences.BackupFolder = chosen.BackupFolder;
  FPreferences.AutoSaveSeconds = chosen.AutoSaveSeconds;
  if (FAutoSaver) FAutoSaver->SetIdleWait(std::chrono::seconds(chosen.AutoSaveSeconds));
  ApplyBackupPreferences();
  WritePreferences();
}

void TVORNAEditorMain::ShowWindow() {
  if (!FPreferences.Placement) {
    // Centred on the screen, as the window is laid down.
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    show();
  } else if (FPreferences.Placement->Maximized) {
    showMaximized();
  } else {
    show();
  }
}

bool TVORNAEditorMain::ApplyLineNumbers(bool shown) {
  TViewInfo* lineInfo = FEditor->EditorStyle().GetViewInfo(kElemLineInfo);
  const TDisplayMode mode = shown ? kModeShown : kModeHidden;
  if (lineInfo->GetDisplayMode() == mode) return false;
  lineInfo->SetDisplayMode(mode);
  return true;
}

void TVORNAEditorMain::WritePreferences() {
  if (FPreferenceStore) FPreferenceStore->Write(FPreferences);
}

void TVORNAEditorMain::RememberRecentFile(const std::string& path) {
  if (path.empty() || path == TEditList::NewDocumentName()) return;
  AddRecentFile(FPreferences.RecentFiles, path);
  UpdateRecentMenu();
  WritePreferences();
}

void TVORNAEditorMain::UpdateRecentMenu() {
  if (!FRecentMenu) return;
  FRecentMenu->clear();
  int number = 0;
  for (const std::string& path : FPreferences.RecentFiles) {
    ++number;
    QString caption = qt::QPath(path);
    caption.replace(QChar('&'), QStringLiteral("&&"));
    if (number < 10) caption = QStringLiteral("&%1 ").arg(number) + caption;
    FRecentMenu->addAction(caption, this, [this, path] { OpenRecentFile(path); });
  }
  FRecentMenu->setEnabled(!FPreferences.RecentFiles.empty());
}

void TVORNAEditorMain::OpenRecentFile(const std::string& path) {
  if (FServices.Files && !FServices.Files->FileExists(path)) {
    std::erase(FPreferences.RecentFiles, path);
    UpdateRecentMenu();
    WritePreferences();
    if (FServices.Boxes)
      FServices.Boxes->ShowError(Cp932FromUtf8(path) +
                                 Cp932Lit(" が見つかりません。最近使ったファイルの一覧から外しました。"));
    return;
  }
  if (!ConfirmSave()) return;
  OpenDocument(path);
}

}  // namespace vorna::app
