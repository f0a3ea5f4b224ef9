// An in-memory file service and a recording message-box service for document
// tests; every operation can be told to fail.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/MessageBoxes.h"

namespace vorna::testing {

class TMemoryFiles : public TFileService {
 public:
  std::map<std::string, std::string> Files;
  std::set<std::string> Folders{"/docs", "/work"};
  std::set<std::string> ReadOnly;    // paths whose access check says read-only
  std::set<std::string> Unreadable;  // ReadFile throws
  std::set<std::string> Unwritable;  // WriteFile throws
  std::vector<std::string> Trash;
  bool FailCreateFolders = false;
  bool FailMoves = false;

  bool FileExists(const std::string& path) override { return Files.count(path) > 0; }
  bool FolderExists(const std::string& path) override {
    return Folders.count(path) > 0 || Folders.count(path.substr(0, path.find_last_not_of('/') + 1)) > 0;
  }
  TFileAccess CheckAccess(const std::string& path) override {
    if (!Files.count(path)) return TFileAccess::Missing;
    if (Unreadable.count(path)) return TFileAccess::NoAccess;
    return ReadOnly.count(path) ? TFileAccess::ReadOnly : TFileAccess::ReadWrite;
  }
  std::string ReadFile(const std::string& path) override {
    if (Unreadable.count(path) || !Files.count(path))
      throw EFileError(EFileError::TKind::Open, path, "Permission denied");
    return Files[path];
  }
  void WriteFile(const std::string& path, const std::string& bytes) override {
    if (Unwritable.count(path)) throw EFileError(EFileError::TKind::Create, path, "No space left on device");
    Files[path] = bytes;
  }
  bool DeleteFile(const std::string& path) override { return Files.erase(path) > 0; }
  bool MoveFile(const std::string& from, const std::string& to) override {
    if (FailMoves || !Files.count(from)) return false;
    Files[to] = Files[from];
    Files.erase(from);
    return true;
  }
  bool CreateFolders(const std::string& path) override {
    if (FailCreateFolders) return false;
    Folders.insert(path.substr(0, path.find_last_not_of('/') + 1));
    return true;
  }
  bool MoveToTrash(const std::string& path) override {
    if (!Files.count(path)) return false;
    Trash.push_back(Files[path]);
    Files.erase(path);
    return true;
  }
  std::string DocumentsFolder() override { return "/docs"; }
  std::string CurrentDirectory() override { return "/work"; }
};

class TRecordingMessages : public TMessageBoxes {
 public:
  std::vector<std::string> Shown;  // "error: ..." / "info: ..." / "ask: ..."
  TMessageResult Answer = TMessageResult::Cancel;
  void Beep(TBeep) override {}
  void ShowInfo(const std::string& text) override { Shown.push_back("info: " + text); }
  void ShowError(const std::string& text) override { Shown.push_back("error: " + text); }
  TMessageResult AskYesNoCancel(const std::string& text) override {
    Shown.push_back("ask: " + text);
    return Answer;
  }
};

}  // namespace vorna::testing
