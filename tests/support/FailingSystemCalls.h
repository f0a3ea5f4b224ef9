// The running system's calls, one of which can be made to fail: the Nth call
// of a chosen kind (or that one and every later one) fails with a chosen
// errno value. Counts the calls of every kind (header only).
#pragma once

#include <array>
#include <cerrno>

#include "platform/SystemCalls.h"

namespace vorna::testing {

enum class TCallKind {
  Open,
  Read,
  Write,
  Fsync,
  Ftruncate,
  Fchmod,
  Fchown,
  Fsetxattr,
  Rename,
  Link,
  Close,
  SyncFolder
};
inline constexpr int kCallKinds = 12;

class TFailingSystemCalls : public TSystemCalls {
 public:
  // Call number `at` (from 1) of `kind` after this fails with `error`, and
  // with `onwards` every later one too; the counts start again.
  void FailAt(TCallKind kind, int at, int error = EIO, bool onwards = false) {
    FKind = kind;
    FAt = at;
    FError = error;
    FOnwards = onwards;
    FCounts = {};
  }
  void FailNothing() { FailAt(TCallKind::Open, 0); }
  int Count(TCallKind kind) const { return FCounts[static_cast<size_t>(kind)]; }

  int Open(const char* path, int flags, mode_t mode) override {
    return Fails(TCallKind::Open) ? -1 : Real().Open(path, flags, mode);
  }
  ssize_t Read(int fd, void* buffer, size_t bytes) override {
    return Fails(TCallKind::Read) ? -1 : Real().Read(fd, buffer, bytes);
  }
  ssize_t Write(int fd, const void* buffer, size_t bytes) override {
    return Fails(TCallKind::Write) ? -1 : Real().Write(fd, buffer, bytes);
  }
  int Fsync(int fd) override { return Fails(TCallKind::Fsync) ? -1 : Real().Fsync(fd); }
  int Ftruncate(int fd, off_t bytes) override {
    return Fails(TCallKind::Ftruncate) ? -1 : Real().Ftruncate(fd, bytes);
  }
  int Fchmod(int fd, mode_t mode) override { return Fails(TCallKind::Fchmod) ? -1 : Real().Fchmod(fd, mode); }
  int Fchown(int fd, uid_t owner, gid_t group) override {
    return Fails(TCallKind::Fchown) ? -1 : Real().Fchown(fd, owner, group);
  }
  ssize_t Listxattr(const char* path, char* names, size_t size) override {
    return Real().Listxattr(path, names, size);
  }
  ssize_t Getxattr(const char* path, const char* name, void* value, size_t size) override {
    return Real().Getxattr(path, name, value, size);
  }
  ssize_t Flistxattr(int fd, char* names, size_t size) override { return Real().Flistxattr(fd, names, size); }
  int Fsetxattr(int fd, const char* name, const void* value, size_t size, int flags) override {
    return Fails(TCallKind::Fsetxattr) ? -1 : Real().Fsetxattr(fd, name, value, size, flags);
  }
  int Fremovexattr(int fd, const char* name) override { return Real().Fremovexattr(fd, name); }
  int Rename(const char* from, const char* to) override {
    return Fails(TCallKind::Rename) ? -1 : Real().Rename(from, to);
  }
  int Link(const char* from, const char* to) override {
    return Fails(TCallKind::Link) ? -1 : Real().Link(from, to);
  }
  int Unlink(const char* path) override { return Real().Unlink(path); }
  // A failed close still releases the descriptor, as on Linux.
  int Close(int fd) override {
    const bool fails = Fails(TCallKind::Close);
    const int result = Real().Close(fd);
    if (!fails) return result;
    errno = FError;
    return -1;
  }
  int SyncFolder(const char* folder) override {
    return Fails(TCallKind::SyncFolder) ? -1 : Real().SyncFolder(folder);
  }

 private:
  static TSystemCalls& Real() { return PosixSystemCalls(); }
  bool Fails(TCallKind kind) {
    const int count = ++FCounts[static_cast<size_t>(kind)];
    if (kind != FKind || FAt < 1 || (FOnwards ? count < FAt : count != FAt)) return false;
    errno = FError;
    return true;
  }

  std::array<int, kCallKinds> FCounts{};
  TCallKind FKind = TCallKind::Open;
  int FAt = 0, FError = EIO;
  bool FOnwards = false;
};

}  // namespace vorna::testing
