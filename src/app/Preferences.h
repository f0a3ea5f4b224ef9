// The preferences the window keeps per user (the last style, the window's
// place, the zoom, the line-number toggle, the recent files, the backup rule) and the user
// place, the zoom, the line-number toggle, the recent files, the autosave
// wait) and the user
// styles, in the per-user store under the XDG config folder: sub-key
// "ＶＯＲＮＡ Editor" holds the preferences and the last style, its nested
// sub-key "Styles" one section per user style, named after it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorna {

class TEditorStyle;
class TFileService;
class TSettingsStorage;

constexpr int kRecentFileCount = 10;
// Seconds of idle after a change before the unsaved text goes to its
// recovery file; 0 writes it only when the program is ended from outside.
constexpr int kDefaultAutoSaveSeconds = 30;
constexpr int kMaxAutoSaveSeconds = 24 * 60 * 60;

struct TWindowPlacement {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Maximized = false;
};

// What is not stored stays empty: the window keeps its own start.
struct TPreferences {
  std::optional<TWindowPlacement> Placement;
  std::optional<int> RatioValue;
  std::optional<bool> LineNumbers;
  std::vector<std::string> RecentFiles;  // native paths, the newest first
  // The backup rule before saving (0 none, 1 a copy in BackupFolder, 2 a
  // ".bak" copy beside the file, 3 a copy in the trash).
  std::optional<int> BackupMode;
  std::string BackupFolder;            // native path
  std::optional<int> AutoSaveSeconds;  // 0 .. kMaxAutoSaveSeconds
};

// Puts `path` first, dropping an earlier entry of it and any beyond the tenth.
void AddRecentFile(std::vector<std::string>& files, const std::string& path);

// The first failure of the store (unknown or unwritable folder, unreadable
// or damaged file) is told through `warn` as one line; reading then gives
// the defaults and writing is skipped, so the window starts and works.
class TPreferenceStore {
 public:
  using TWarning = std::function<void(const std::string& line)>;
  // `files` must outlive the store.
  TPreferenceStore(TFileService& files, TWarning warn);

  TPreferences Read();
  void Write(const TPreferences& preferences);
  // The style in use at the last exit into `style` (one change bracket);
  // false when none is stored or the store failed.
  bool ReadLastStyle(TEditorStyle& style);
  void WriteLastStyle(TEditorStyle& style);

  // User styles (names are CP932), in stored order.
  std::vector<std::string> StyleNames();
  bool StyleExists(const std::string& name);
  // False when the style is not stored or the store failed.
  bool ReadStyle(const std::string& name, TEditorStyle& style);
  // These return false with `error` saying why; the store is left as it was.
  bool WriteStyle(TEditorStyle& style, std::string& error);  // under its Name
  bool RenameStyle(const std::string& from, const std::string& to, std::string& error);
  bool DeleteStyle(const std::string& name, std::string& error);

 private:
  // Runs `use` on the opened store (writing it afterwards when `write`);
  // false with `error` when the store failed.
  bool Use(bool styles, bool write, const std::function<void(TSettingsStorage&)>& use, std::string& error);
  void Warn(const std::string& what, const std::string& error);

  TFileService& FFiles;
  TWarning FWarn;
  bool FWarned = false;  // one line a run, however often the store fails
};

}  // namespace vorna
