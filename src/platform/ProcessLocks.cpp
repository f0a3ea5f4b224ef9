// Process and document locks over flock(): taking, the check that the locked
// file is still the one under the path, removing.
#include "platform/ProcessLocks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/Files.h"
#include "platform/PosixFiles.h"
#include "platform/XdgFolders.h"
#include "text/HexTexts.h"

namespace vorna {

namespace {

// The file at `path` (made when missing, mode 0600) opened and locked with
// flock `operation`; -1 with `error` (EWOULDBLOCK: another holder) when it
// cannot be. A holder that removes its file between our open and our lock
// leaves us locking a file no one else can reach; then the path is opened
// again.
int OpenLocked(const std::string& path, int operation, int& error) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      error = errno;
      return -1;
    }
    if (::flock(fd, operation) != 0) {
      error = errno;
      ::close(fd);
      return -1;
    }
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino)
      return fd;
    ::close(fd);
  }
  error = EWOULDBLOCK;
  return -1;
}

std::string RealPath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::weakly_canonical(path, ec);
  return ec ? std::filesystem::absolute(path, ec).lexically_normal().string() : real.string();
}

}  // namespace

std::unique_ptr<TProcessLock> TProcessLock::TryTake(const std::string& path) {
  int error = 0;
  const int fd = OpenLocked(path, LOCK_EX | LOCK_NB, error);
  if (fd >= 0) return std::unique_ptr<TProcessLock>(new TProcessLock(path, fd));
  if (error == EWOULDBLOCK) return nullptr;
  throw EFileError(EFileError::TKind::Create, path, std::strerror(error));
}

TProcessLock::~TProcessLock() {
  if (FFd >= 0) ::close(FFd);  // closing the only descriptor drops the lock
}

void TProcessLock::RemoveFile() { ::unlink(FPath.c_str()); }

TLockResult TDocumentLock::Take(const std::string& lockFolder, const std::string& documentPath) {
  Release();
  if (lockFolder.empty()) return TLockResult::Unavailable;
  try {
    EnsureFolder(lockFolder);
  } catch (const EFileError&) {
    return TLockResult::Unavailable;
  }
  const std::string real = RealPath(documentPath);
  const std::string lockPath =
      (std::filesystem::path(lockFolder) / (Hex64(Fnv1a64(real)) + ".lock")).string();
  // Every window on the file holds a shared lock for as long as it has it
  // open; an exclusive lock taken first tells whether it is the only one.
  // Another window's exclusive lock lasts only for its own look: the shared
  // one waits for it.
  int error = 0;
  int fd = OpenLocked(lockPath, LOCK_EX | LOCK_NB, error);
  const bool alone = fd >= 0;
  if (alone) {
    // Who holds it, for a person looking at the folder.
    const std::string note = std::to_string(::getpid()) + "\n" + real + "\n";
    if (::ftruncate(fd, 0) == 0) (void)!::write(fd, note.data(), note.size());
    if (::flock(fd, LOCK_SH) != 0) {
      ::close(fd);
      return TLockResult::Unavailable;
    }
  } else if (error != EWOULDBLOCK || (fd = OpenLocked(lockPath, LOCK_SH, error)) < 0) {
    return TLockResult::Unavailable;
  }
  FFd = fd;
  FLockPath = lockPath;
  return alone ? TLockResult::Taken : TLockResult::HeldElsewhere;
}

void TDocumentLock::Release() {
  if (FFd < 0) return;
  // The last one removes the file, so the lock folder does not fill up.
  if (::flock(FFd, LOCK_EX | LOCK_NB) == 0) ::unlink(FLockPath.c_str());
  ::close(FFd);
  FFd = -1;
  FLockPath.clear();
}

std::string DocumentLockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::string(runtime) + "/vorna-editor/locks";
  const std::string state = ProgramStateFolder();
  return state.empty() ? state : state + "/locks";
}

}  // namespace vorna
