// The in-memory file service and the manual timers of the tests.
#include "PlatformDoubles.h"

#include <algorithm>

namespace vorna::testing {

TFileAccess TMemoryFiles::CheckAccess(const std::string& path) {
  if (!Files.count(path)) return TFileAccess::Missing;
  if (ReadOnly.count(path) || Locked.count(path)) return TFileAccess::ReadOnly;
  if (FailRead.count(path)) return TFileAccess::NoAccess;
  return TFileAccess::ReadWrite;
}

std::string TMemoryFiles::ReadFile(const std::string& path) {
  auto it = Files.find(path);
  if (it == Files.end()) throw EFileError(EFileError::TKind::Open, path, "No such file or directory");
  if (FailRead.count(path)) throw EFileError(EFileError::TKind::Open, path, "Permission denied");
  return it->second;
}

std::optional<std::string> TMemoryFiles::ReadFileIfExists(const std::string& path) {
  if (Files.count(path)) return ReadFile(path);
  if (Folders.count(path)) throw EFileError(EFileError::TKind::Open, path, "Is a directory");
  return std::nullopt;
}

void TMemoryFiles::WriteFile(const std::string& path, const std::string& bytes) {
  if (path.empty() || FailWrite.count(path) || ReadOnly.count(path) || Folders.count(path))
    throw EFileError(EFileError::TKind::Create, path, "Permission denied");
  Files[path] = bytes;
}

TSaveReport TMemoryFiles::SaveFile(const std::string& path, const std::string& bytes,
                                   const TSaveOptions& options) {
  if (options.Backup != TSaveOptions::TBackup::Trash || !Files.count(path))
    return TFileService::SaveFile(path, bytes, options);
  const bool trashed = !FailTrash.count(path);
  if (trashed) Trash.push_back(path);
  if (!trashed && options.OnBackupFailed) options.OnBackupFailed("the trash cannot be used");
  WriteFile(path, bytes);
  return TSaveReport{true, trashed, false};
}

bool TMemoryFiles::DeleteFile(const std::string& path) {
  if (FailDelete.count(path)) return false;
  return Files.erase(path) > 0;
}

bool TMemoryFiles::MoveFile(const std::string& from, const std::string& to) {
  if (FailMove.count(from) || FailMove.count(to) || !Files.count(from) || Files.count(to)) return false;
  Files[to] = std::move(Files[from]);
  Files.erase(from);
  return true;
}

bool TMemoryFiles::CreateFolders(const std::string& path) {
  if (path.empty() || FailCreateFolder.count(path) || Files.count(path)) return false;
  // The folder and each parent.
  for (size_t pos = 1; pos <= path.size(); ++pos)
    if (pos == path.size() || path[pos] == '/') Folders.insert(path.substr(0, pos));
  return true;
}

void TMemoryFiles::EnsureFolder(const std::string& path) {
  if (CreateFolders(path)) return;
  const bool fileInTheWay = Files.count(path) > 0;
  throw EFileError(EFileError::TKind::Create, path, fileInTheWay ? "Not a directory" : "Permission denied");
}

bool TMemoryFiles::MoveToTrash(const std::string& path) {
  if (FailTrash.count(path) || !Files.count(path)) return false;
  Trash.push_back(path);
  Files.erase(path);
  return true;
}

TManualTimers::TManualTimer::~TManualTimer() {
  auto& timers = FOwner.FTimers;
  timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

std::unique_ptr<TTimer> TManualTimers::CreateTimer() {
  auto timer = std::make_unique<TManualTimer>(*this);
  FTimers.push_back(timer.get());
  return timer;
}

void TManualTimers::Advance(uint32_t ms) {
  for (uint32_t step = 0; step < ms; ++step) {
    ++Now;
    // A handler may stop, start or destroy timers: walk a copy and re-check.
    std::vector<TManualTimer*> timers = FTimers;
    for (TManualTimer* t : timers) {
      if (std::find(FTimers.begin(), FTimers.end(), t) == FTimers.end() || !t->Active) continue;
      if (++t->Elapsed >= t->Interval) {
        t->Elapsed = 0;
        if (t->OnTimer) t->OnTimer();
      }
    }
  }
}

}  // namespace vorna::testing
