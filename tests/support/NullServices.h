// Platform services that do nothing, for benchmarks and fuzz targets that
// build documents in memory (header only; no test framework needed).
#pragma once

#include <optional>
#include <string>

#include "platform/Files.h"
#include "platform/MessageBoxes.h"

namespace vorna::testing {

// No files exist and nothing can be written.
class TNoFiles : public TFileService {
 public:
  bool FileExists(const std::string&) override { return false; }
  bool FolderExists(const std::string&) override { return false; }
  TFileAccess CheckAccess(const std::string&) override { return TFileAccess::Missing; }
  std::string ReadFile(const std::string& path) override {
    throw EFileError(EFileError::TKind::Open, path, "No such file or directory");
  }
  std::optional<std::string> ReadFileIfExists(const std::string&) override { return std::nullopt; }
  void WriteFile(const std::string& path, const std::string&) override {
    throw EFileError(EFileError::TKind::Create, path, "Read-only file system");
  }
  bool DeleteFile(const std::string&) override { return false; }
  bool MoveFile(const std::string&, const std::string&) override { return false; }
  bool CreateFolders(const std::string&) override { return false; }
  void EnsureFolder(const std::string& path) override {
    throw EFileError(EFileError::TKind::Create, path, "Read-only file system");
  }
  bool MoveToTrash(const std::string&) override { return false; }
  std::string DocumentsFolder() override { return "/tmp"; }
  std::string ConfigFolder() override { return "/tmp"; }
  std::string CurrentDirectory() override { return "/tmp"; }
};

// Shows nothing; questions are answered with Cancel.
class TNoMessages : public TMessageBoxes {
 public:
  void Beep(TBeep) override {}
  void ShowInfo(const std::string&) override {}
  void ShowError(const std::string&) override {}
  TMessageResult AskYesNoCancel(const std::string&) override { return TMessageResult::Cancel; }
};

}  // namespace vorna::testing
