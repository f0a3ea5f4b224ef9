// The per-user document locks: flock on a file named after the real path.
#include "platform/DocumentLocks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/PosixFiles.h"
#include "platform/XdgFolders.h"

namespace vorna {

namespace {

// FNV-1a: a name that stays the same across builds and runs.
std::string LockName(const std::string& path) {
  uint64_t hash = 14695981039346656037ULL;
  for (const unsigned char c : path) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.lock", static_cast<unsigned long long>(hash));
  return name;
}

std::string RealPath(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path real = std::filesystem::weakly_canonical(path, ec);
  return ec ? std::filesystem::absolute(path, ec).lexically_normal().string() : real.string();
}

}  // namespace

TLockResult TDocumentLock::Take(const std::string& lockFolder, const std::string& documentPath) {
  Release();
  if (lockFolder.empty()) return TLockResult::Unavailable;
  try {
    EnsureFolder(lockFolder);
  } catch (const EFileError&) {
    return TLockResult::Unavailable;
  }
  const std::string real = RealPath(documentPath);
  const std::string lockPath = (std::filesystem::path(lockFolder) / LockName(real)).string();
  // Every window on the file holds a shared lock for as long as it has it
  // open; an exclusive lock taken first tells whether it is the only one. The
  // last to let go unlinks the file, so a lock taken on an unlinked file
  // would be nobody's: the file locked must still be the one named.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return TLockResult::Unavailable;
    const bool alone = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (!alone && errno != EWOULDBLOCK) {
      ::close(fd);
      return TLockResult::Unavailable;
    }
    // Another window's exclusive lock lasts only for its own look: wait for it.
    if (::flock(fd, LOCK_SH) != 0) {
      ::close(fd);
      return TLockResult::Unavailable;
    }
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev) {
      if (alone) {
        // Who holds it, for a person looking at the folder.
        const std::string note = std::to_string(::getpid()) + "\n" + real + "\n";
        if (::ftruncate(fd, 0) == 0) (void)!::write(fd, note.data(), note.size());
      }
      FFd = fd;
      FLockPath = lockPath;
      return alone ? TLockResult::Taken : TLockResult::HeldElsewhere;
    }
    ::close(fd);
  }
  return TLockResult::Unavailable;
}

void TDocumentLock::Release() {
  if (FFd < 0) return;
  if (::flock(FFd, LOCK_EX | LOCK_NB) == 0) ::unlink(FLockPath.c_str());  // the last one
  ::close(FFd);
  FFd = -1;
  FLockPath.clear();
}

std::string DocumentLockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::string(runtime) + "/vorna-editor/locks";
  const std::string state = XdgStateHome();
  return state.empty() ? std::string() : state + "/vorna-editor/locks";
}

}  // namespace vorna
