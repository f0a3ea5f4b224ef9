// Advisory locks a process holds on a file for as long as it lives, which
// tell a live window's files from those of a window that is gone.
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

}  // namespace vorna
