// The system calls of the running system.
#include "platform/SystemCalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace vorna {

namespace {

class TPosixSystemCalls : public TSystemCalls {
 public:
  int Open(const char* path, int flags, mode_t mode) override { return ::open(path, flags, mode); }
  ssize_t Read(int fd, void* buffer, size_t bytes) override { return ::read(fd, buffer, bytes); }
  ssize_t Write(int fd, const void* buffer, size_t bytes) override { return ::write(fd, buffer, bytes); }
  int Fsync(int fd) override { return ::fsync(fd); }
  int Ftruncate(int fd, off_t bytes) override { return ::ftruncate(fd, bytes); }
  int Fchmod(int fd, mode_t mode) override { return ::fchmod(fd, mode); }
  int Fchown(int fd, uid_t owner, gid_t group) override { return ::fchown(fd, owner, group); }
  ssize_t Listxattr(const char* path, char* names, size_t size) override {
    return ::listxattr(path, names, size);
  }
  ssize_t Getxattr(const char* path, const char* name, void* value, size_t size) override {
    return ::getxattr(path, name, value, size);
  }
  ssize_t Flistxattr(int fd, char* names, size_t size) override { return ::flistxattr(fd, names, size); }
  int Fsetxattr(int fd, const char* name, const void* value, size_t size, int flags) override {
    return ::fsetxattr(fd, name, value, size, flags);
  }
  int Fremovexattr(int fd, const char* name) override { return ::fremovexattr(fd, name); }
  int Rename(const char* from, const char* to) override { return ::rename(from, to); }
  int Link(const char* from, const char* to) override { return ::link(from, to); }
  int Unlink(const char* path) override { return ::unlink(path); }
  int Close(int fd) override { return ::close(fd); }
  int SyncFolder(const char* folder) override {
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    errno = error;
    return result;
  }
};

}  // namespace

TSystemCalls& PosixSystemCalls() {
  static TPosixSystemCalls calls;
  return calls;
}

}  // namespace vorna
