// Preloaded into a saving program: fails with EIO the call of the kind named
// by VORNA_FAIL_CALL ("write", "fsync", "rename", "fchown" or "dirfsync", an
// fsync of a folder) whose count is VORNA_FAIL_AT, and creates the file
// VORNA_FAIL_MARK when it does. Writes to the standard streams do not count.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

template <class TFunction>
TFunction Next(const char* name) {
  return reinterpret_cast<TFunction>(::dlsym(RTLD_NEXT, name));
}

bool Fails(const char* kind) {
  static int count = 0;
  const char* chosen = std::getenv("VORNA_FAIL_CALL");
  const char* at = std::getenv("VORNA_FAIL_AT");
  if (!chosen || !at || std::strcmp(chosen, kind) != 0 || ++count != std::atoi(at)) return false;
  if (const char* mark = std::getenv("VORNA_FAIL_MARK"))
    ::close(::open(mark, O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
  errno = EIO;
  return true;
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* buffer, size_t bytes) {
  static const auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
  return fd > 2 && Fails("write") ? -1 : real(fd, buffer, bytes);
}

int fsync(int fd) {
  static const auto real = Next<int (*)(int)>("fsync");
  struct stat st {};
  const bool folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
  return Fails(folder ? "dirfsync" : "fsync") ? -1 : real(fd);
}

int rename(const char* from, const char* to) {
  static const auto real = Next<int (*)(const char*, const char*)>("rename");
  return Fails("rename") ? -1 : real(from, to);
}

int fchown(int fd, uid_t owner, gid_t group) {
  static const auto real = Next<int (*)(int, uid_t, gid_t)>("fchown");
  return Fails("fchown") ? -1 : real(fd, owner, group);
}

}  // extern "C"
