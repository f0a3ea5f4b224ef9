// Reading and writing the preferences and the user styles in the per-user
// store; a failing store is told once and never stops the window.
#include "Preferences.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Files.h"
#include "settings/EditorStyles.h"
#include "settings/SettingsErrors.h"
#include "settings/UserStorages.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

constexpr const char* kSection = "Preferences";
constexpr const char* kLastStyle = "LastStyle";

std::string StylesSubKey() { return DefaultSubKey() + "\\Styles"; }

std::string RecentKey(int i) { return "RecentFile" + std::to_string(i + 1); }

// The number stored under `key` when it converts, else nothing.
std::optional<int> StoredInteger(const TSettingsStorage& store, const char* key) {
  const int a = store.ReadInteger(kSection, key, 0), b = store.ReadInteger(kSection, key, 1);
  if (a != b) return std::nullopt;
  return a;
}

}  // namespace

void AddRecentFile(std::vector<std::string>& files, const std::string& path) {
  std::erase(files, path);
  files.insert(files.begin(), path);
  if (files.size() > static_cast<size_t>(kRecentFileCount)) files.resize(kRecentFileCount);
}

TPreferenceStore::TPreferenceStore(TFileService& files, TWarning warn)
    : FFiles(files), FWarn(std::move(warn)) {}

void TPreferenceStore::Warn(const std::string& what, const std::string& error) {
  if (FWarned) return;
  FWarned = true;
  if (FWarn) FWarn(what + ": " + error);
}

bool TPreferenceStore::Use(bool styles, bool write, const std::function<void(TSettingsStorage&)>& use,
                           std::string& error) {
  try {
    TUserStorage store(FFiles, styles ? StylesSubKey() : DefaultSubKey());
    // A damaged file is read as if nothing were stored, and never written
    // over: what it still holds stays for the user to see.
    if (store.UnreadLineCount() > 0)
      throw EDataError(store.GetFileName().string() + " is damaged (" +
                       std::to_string(store.UnreadLineCount()) + " lines not understood)");
    use(store);
    if (write) store.UpdateFile();
    return true;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
}

TPreferences TPreferenceStore::Read() {
  TPreferences prefs;
  std::string error;
  const bool read = Use(
      false, false,
      [&](TSettingsStorage& store) {
        if (!store.SectionExists(kSection)) return;
        const auto left = StoredInteger(store, "WindowLeft");
        const auto top = StoredInteger(store, "WindowTop");
        const auto width = StoredInteger(store, "WindowWidth");
        const auto height = StoredInteger(store, "WindowHeight");
        if (left && top && width && height && *width > 0 && *height > 0)
          prefs.Placement = TWindowPlacement{*left, *top, *width, *height,
                                             store.ReadBool(kSection, "WindowMaximized", false)};
        if (const auto ratio = StoredInteger(store, "RatioValue"); ratio && *ratio >= -2)
          prefs.RatioValue = std::min(*ratio, 1000);
        if (const auto lines = StoredInteger(store, "LineNumbers")) prefs.LineNumbers = *lines != 0;
        if (const auto mode = StoredInteger(store, "BackupMode"); mode && *mode >= 0 && *mode <= 3)
          prefs.BackupMode = *mode;
        prefs.BackupFolder = store.ReadString(kSection, "BackupFolder", "");
        if (const auto wait = StoredInteger(store, "AutoSaveSeconds");
            wait && *wait >= 0 && *wait <= kMaxAutoSaveSeconds)
          prefs.AutoSaveSeconds = *wait;
        for (int i = 0; i < kRecentFileCount; ++i) {
          const std::string path = store.ReadString(kSection, RecentKey(i), "");
          if (!path.empty()) prefs.RecentFiles.push_back(path);
        }
      },
      error);
  if (!read) {
    Warn("preferences not read, defaults used", error);
    return {};
  }
  return prefs;
}

void TPreferenceStore::Write(const TPreferences& prefs) {
  std::string error;
  const bool written = Use(
      false, true,
      [&](TSettingsStorage& store) {
        store.EraseSection(kSection);
        if (const auto& p = prefs.Placement) {
          store.WriteInteger(kSection, "WindowLeft", p->Left);
          store.WriteInteger(kSection, "WindowTop", p->Top);
          store.WriteInteger(kSection, "WindowWidth", p->Width);
          store.WriteInteger(kSection, "WindowHeight", p->Height);
          store.WriteInteger(kSection, "WindowMaximized", p->Maximized ? 1 : 0);
        }
        if (prefs.RatioValue) store.WriteInteger(kSection, "RatioValue", *prefs.RatioValue);
        if (prefs.LineNumbers) store.WriteInteger(kSection, "LineNumbers", *prefs.LineNumbers ? 1 : 0);
        if (prefs.BackupMode) store.WriteInteger(kSection, "BackupMode", *prefs.BackupMode);
        if (!prefs.BackupFolder.empty()) store.WriteString(kSection, "BackupFolder", prefs.BackupFolder);
        if (prefs.AutoSaveSeconds) store.WriteInteger(kSection, "AutoSaveSeconds", *prefs.AutoSaveSeconds);
        for (size_t i = 0; i < prefs.RecentFiles.size() && i < kRecentFileCount; ++i)
          store.WriteString(kSection, RecentKey(static_cast<int>(i)), prefs.RecentFiles[i]);
      },
      error);
  if (!written) Warn("preferences not saved", error);
}

bool TPreferenceStore::ReadLastStyle(TEditorStyle& style) {
  TDataItemPtr<TEditorStyle> stored = MakeDataItem<TEditorStyle>();
  bool found = false;
  std::string error;
  if (!Use(
          false, false, [&](TSettingsStorage& store) { found = stored->LoadFromStorage(store, kLastStyle); },
          error)) {
    Warn("preferences not read, defaults used", error);
    return false;
  }
  if (!found) return false;
  stored->ApplyPreset();
  style.Assign(stored.get());
  return true;
}

void TPreferenceStore::WriteLastStyle(TEditorStyle& style) {
  std::string error;
  if (!Use(
          false, true, [&](TSettingsStorage& store) { style.SaveToStorage(store, kLastStyle); }, error))
    Warn("preferences not saved", error);
}

std::vector<std::string> TPreferenceStore::StyleNames() {
  std::vector<std::string> names;
  std::string error;
  Use(
      true, false, [&](TSettingsStorage& store) { names = store.ReadSections(); }, error);
  return names;
}

bool TPreferenceStore::StyleExists(const std::string& name) {
  bool found = false;
  std::string error;
  Use(
      true, false, [&](TSettingsStorage& store) { found = store.SectionExists(name); }, error);
  return found;
}

bool TPreferenceStore::ReadStyle(const std::string& name, TEditorStyle& style) {
  TDataItemPtr<TEditorStyle> stored = MakeDataItem<TEditorStyle>();
  bool found = false;
  std::string error;
  if (!Use(
          true, false, [&](TSettingsStorage& store) { found = stored->LoadFromStorage(store, name); },
          error) ||
      !found)
    return false;
  stored->ApplyPreset();
  style.Assign(stored.get());
  return true;
}

bool TPreferenceStore::WriteStyle(TEditorStyle& style, std::string& error) {
  return Use(
      true, true, [&](TSettingsStorage& store) { style.SaveToStorage(store, style.GetName()); }, error);
}

bool TPreferenceStore::RenameStyle(const std::string& from, const std::string& to, std::string& error) {
  TDataItemPtr<TEditorStyle> stored = MakeDataItem<TEditorStyle>();
  return Use(
      true, true,
      [&](TSettingsStorage& store) {
        if (!stored->LoadFromStorage(store, from)) throw EDataError("no such style");
        stored->SetName(to);
        store.EraseSection(from);
        stored->SaveToStorage(store, to);
      },
      error);
}

bool TPreferenceStore::DeleteStyle(const std::string& name, std::string& error) {
  return Use(
      true, true, [&](TSettingsStorage& store) { store.EraseSection(name); }, error);
}

}  // namespace vorna
