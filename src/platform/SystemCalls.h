// The system calls through which files are saved, behind one interface so
// that a test can make any one of them fail.
#pragma once

#include <sys/types.h>

namespace vorna {

// Each member does what the POSIX call of its name does: same arguments,
// same result, errno set the same way on failure. SyncFolder is fsync of a
// folder (opened read-only), kept apart so that it can fail on its own.
class TSystemCalls {
 public:
  virtual ~TSystemCalls() = default;
  virtual int Open(const char* path, int flags, mode_t mode) = 0;
  virtual ssize_t Read(int fd, void* buffer, size_t bytes) = 0;
  virtual ssize_t Write(int fd, const void* buffer, size_t bytes) = 0;
  virtual int Fsync(int fd) = 0;
  virtual int Ftruncate(int fd, off_t bytes) = 0;
  virtual int Fchmod(int fd, mode_t mode) = 0;
  virtual int Fchown(int fd, uid_t owner, gid_t group) = 0;
  // Attributes are read by path (a file the user may write but not read
  // still has them copied) and written through the new file's descriptor.
  virtual ssize_t Listxattr(const char* path, char* names, size_t size) = 0;
  virtual ssize_t Getxattr(const char* path, const char* name, void* value, size_t size) = 0;
  virtual ssize_t Flistxattr(int fd, char* names, size_t size) = 0;
  virtual int Fsetxattr(int fd, const char* name, const void* value, size_t size, int flags) = 0;
  virtual int Fremovexattr(int fd, const char* name) = 0;
  virtual int Rename(const char* from, const char* to) = 0;
  virtual int Link(const char* from, const char* to) = 0;
  virtual int Unlink(const char* path) = 0;
  virtual int Close(int fd) = 0;
  virtual int SyncFolder(const char* folder) = 0;
};

// The calls of the running system.
TSystemCalls& PosixSystemCalls();

}  // namespace vorna
