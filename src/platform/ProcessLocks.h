// Advisory locks a process holds on a file for as long as it lives, which
// tell a live window's files from those of a window that is gone, and a file
// open in one window from one open in several.
#pragma once

#include <memory>
#include <string>

namespace vorna {

// The exclusive flock() of one file. The kernel drops it when the process
// ends, however it ends (SIGKILL and crashes included), so a lock that can be
// taken means its last holder is gone. Programs this process starts do not
// inherit it.
class TProcessLock {
 public:
  // Takes the lock of the file at `path` without waiting, creating the file
  // (mode 0600) when it is missing. Null when another holder has it (another
  // process, or another TProcessLock of this one). Throws EFileError(Create)
  // with the system's reason when the file cannot be made or opened.
  static std::unique_ptr<TProcessLock> TryTake(const std::string& path);
  TProcessLock(const TProcessLock&) = delete;
  TProcessLock& operator=(const TProcessLock&) = delete;
  // Releases the lock; the file stays.
  ~TProcessLock();

  const std::string& Path() const { return FPath; }
  // Removes the file while the lock is still held, so whoever takes the lock
  // of that path afterwards holds a new file, not this one.
  void RemoveFile();

 private:
  TProcessLock(std::string path, int fd) : FPath(std::move(path)), FFd(fd) {}
  std::string FPath;
  int FFd;
};

enum class TLockResult {
  Taken,          // this object holds the lock, and no other window does
  HeldElsewhere,  // held here too, and by another window (of any process, this one included)
  Unavailable,    // the lock folder cannot be made or used: nothing is known or held
};

// A shared advisory lock (flock) on a small file named after the document's
// real path in a per-user lock folder, held by every window that has the
// file open; never beside the document, so documents in read-only or shared
// folders get no litter. The kernel drops the lock when its holder ends,
// however it ends, so a lock left by a dead process counts no more. Not
// shared between users.
class TDocumentLock {
 public:
  TDocumentLock() = default;
  TDocumentLock(const TDocumentLock&) = delete;
  TDocumentLock& operator=(const TDocumentLock&) = delete;
  ~TDocumentLock() { Release(); }

  // Releases any lock held, then tries to take the one of `documentPath`
  // (symbolic links followed, so two names of one file share a lock) in
  // `lockFolder`, creating the folder (mode 0700) when needed.
  TLockResult Take(const std::string& lockFolder, const std::string& documentPath);
  // Removes the lock file and lets go; nothing when none is held.
  void Release();
  bool IsHeld() const { return FFd >= 0; }

 private:
  int FFd = -1;
  std::string FLockPath;
};

// $XDG_RUNTIME_DIR/vorna-editor/locks when the runtime folder is known (it is
// emptied at logout), else the state folder's vorna-editor/locks; empty when
// neither is known.
std::string DocumentLockFolder();

}  // namespace vorna
