// Test doubles of the platform services: an in-memory clipboard, a shell that
// records what it was asked, files in memory that can be told to fail, manual
// timers and clock, scripted keys, message boxes and font list.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Files.h"
#include "platform/FontList.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "platform/Timers.h"

namespace vorna::testing {

class TMemoryClipboard : public TClipboard {
 public:
  bool HasText() override { return FHasText; }
  std::string GetText() override {
    if (FailNextGet) {
      FailNextGet = false;
      throw std::runtime_error("clipboard unavailable");
    }
    return FHasText ? FText : std::string();
  }
  void SetText(const std::string& cp932) override {
    FText = cp932;
    FHasText = true;
  }
  // Something that is not text (a picture) on the clipboard.
  void HoldNonText() {
    FText.clear();
    FHasText = false;
  }
  bool FailNextGet = false;

 private:
  std::string FText;
  bool FHasText = false;
};

class TFakeShell : public TShell {
 public:
  struct TOpened {
    std::string Target, Parameters, Directory;
  };
  struct TStarted {
    std::string Program;
    std::vector<std::string> Arguments;
  };
  void Open(const std::string& target, const std::string& parameters, const std::string& directory) override {
    Opened.push_back({target, parameters, directory});
  }
  bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override {
    Started.push_back({program, arguments});
    return StartSucceeds;
  }
  void ProcessMessages() override { ++MessagePumps; }
  std::vector<TOpened> Opened;
  std::vector<TStarted> Started;
  int MessagePumps = 0;
  bool StartSucceeds = true;
};

// Files and folders in memory. Paths are compared as given ("/" separates).
// Fail* sets make the named operations fail for those paths.
class TMemoryFiles : public TFileService {
 public:
  bool FileExists(const std::string& path) override { return Files.count(path) > 0; }
  bool FolderExists(const std::string& path) override { return Folders.count(path) > 0; }
  TFileAccess CheckAccess(const std::string& path) override;
  // Changes with the file's contents (the hash stands for the time).
  std::optional<TFileIdentity> Identity(const std::string& path) override {
    const auto found = Files.find(path);
    if (found == Files.end()) return std::nullopt;
    return TFileIdentity{1, std::hash<std::string>()(path), static_cast<long long>(found->second.size()),
                         static_cast<long long>(std::hash<std::string>()(found->second) >> 1)};
  }
  std::string ReadFile(const std::string& path) override;
  // A known folder at the path reads as "Is a directory".
  std::optional<std::string> ReadFileIfExists(const std::string& path) override;
  void WriteFile(const std::string& path, const std::string& bytes) override;
  // A backup to the trash puts the path into Trash and leaves the file.
  TSaveReport SaveFile(const std::string& path, const std::string& bytes,
                       const TSaveOptions& options) override;
  bool DeleteFile(const std::string& path) override;
  bool MoveFile(const std::string& from, const std::string& to) override;
  bool CreateFolders(const std::string& path) override;
  // Fails as CreateFolders does: "Not a directory" for a file in the way,
  // "Permission denied" for FailCreateFolder paths.
  void EnsureFolder(const std::string& path) override;
  bool MoveToTrash(const std::string& path) override;
  std::string DocumentsFolder() override { return Documents; }
  std::string ConfigFolder() override { return Config; }
  std::string CurrentDirectory() override { return Current; }

  std::map<std::string, std::string> Files;
  std::set<std::string> Folders;
  std::set<std::string> ReadOnly, Locked, FailRead, FailWrite, FailDelete, FailMove, FailCreateFolder,
      FailTrash;
  std::vector<std::string> Trash;
  std::string Documents = "/home/user/Documents";
  std::string Config = "/home/user/.config";
  std::string Current = "/work";
};

// Timers driven by Advance(); the tick count is Now.
class TManualTimers : public TTimers {
 public:
  class TManualTimer : public TTimer {
   public:
    explicit TManualTimer(TManualTimers& owner) : FOwner(owner) {}
    ~TManualTimer() override;
    void Start(int intervalMs) override {
      Interval = intervalMs < 1 ? 1 : intervalMs;
      Active = true;
      Elapsed = 0;
    }
    void Stop() override { Active = false; }
    bool IsActive() const override { return Active; }
    int Interval = 0;
    int Elapsed = 0;
    bool Active = false;

   private:
    TManualTimers& FOwner;
  };
  std::unique_ptr<TTimer> CreateTimer() override;
  uint32_t TickCount() override { return Now; }
  // Moves the clock on, firing active timers once per interval passed (a
  // timer stopped or destroyed by a handler fires no more).
  void Advance(uint32_t ms);
  uint32_t Now = 0;

 private:
  std::vector<TManualTimer*> FTimers;
};

class TFakeKeyState : public TKeyState {
 public:
  bool IsKeyDown(int virtualKey) override { return Down.count(virtualKey) > 0; }
  std::set<int> Down;
};

class TFakeMessageBoxes : public TMessageBoxes {
 public:
  void Beep(TBeep kind) override { Shown.push_back(kind == TBeep::Default ? "beep" : "beep!"); }
  void ShowInfo(const std::string& text) override {
    Beep(TBeep::Default);
    Shown.push_back("info " + text);
  }
  void ShowError(const std::string& text) override {
    Beep(TBeep::Exclamation);
    Shown.push_back("error " + text);
  }
  TMessageResult AskYesNoCancel(const std::string& text) override {
    Beep(TBeep::Default);
    Shown.push_back("ask " + text);
    return Answer;
  }
  std::vector<std::string> Shown;  // CP932 texts, in order, with their beeps
  TMessageResult Answer = TMessageResult::Cancel;
};

// Knows the faces it is given; "@" + a known face is known too.
class TFakeFontList : public TFontList {
 public:
  bool HasFace(const std::string& face) const override {
    if (!face.empty() && face[0] == '@') return Faces.count(face.substr(1)) > 0;
    return Faces.count(face) > 0;
  }
  std::set<std::string> Faces;
};

}  // namespace vorna::testing
