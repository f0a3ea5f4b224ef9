// Process locks over flock(): taking, the check that the locked file is still
// the one under the path, removing.
#include "platform/ProcessLocks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Files.h"

namespace vorna {

std::unique_ptr<TProcessLock> TProcessLock::TryTake(const std::string& path) {
  // A holder that removes its file between our open and our lock leaves us
  // locking a file no one else can reach; then the path is opened again.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) throw EFileError(EFileError::TKind::Create, path, std::strerror(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) return nullptr;
      throw EFileError(EFileError::TKind::Create, path, std::strerror(error));
    }
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino)
      return std::unique_ptr<TProcessLock>(new TProcessLock(path, fd));
    ::close(fd);
  }
  return nullptr;
}

TProcessLock::~TProcessLock() {
  if (FFd >= 0) ::close(FFd);  // closing the only descriptor drops the lock
}

void TProcessLock::RemoveFile() { ::unlink(FPath.c_str()); }

}  // namespace vorna
