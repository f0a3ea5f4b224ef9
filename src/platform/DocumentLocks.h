// The lock that says a file is open in a window of this program, so that a
// second window on it can tell the user.
#pragma once

#include <string>

namespace vorna {

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
