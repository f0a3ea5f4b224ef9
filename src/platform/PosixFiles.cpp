// Whole-file reads, folders and access checks over POSIX calls.
#include "platform/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace vorna {

namespace {

// Reads everything from an open descriptor; returns 0 or an errno value.
// Hands what `fd` holds to `take` in reads of up to `pieceBytes`; returns 0
// or the errno value of the failure.
int ReadPieces(int fd, size_t pieceBytes, const std::function<void(std::string_view)>& take) {
  std::string buffer(pieceBytes, '\0');
  while (true) {
    ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    take(std::string_view(buffer.data(), static_cast<size_t>(n)));
  }
}

// The whole of `fd`, its expected size reserved at once (no regrowing copies).
int ReadAll(int fd, size_t expectedBytes, std::string& bytes) {
  bytes.reserve(expectedBytes + 1);
  return ReadPieces(fd, 1 << 20, [&bytes](std::string_view piece) { bytes.append(piece); });
}

// Opens `fileName` for reading: the descriptor and its size, or the errno value.
int OpenForReading(const std::filesystem::path& fileName, int& fd, size_t& size) {
  fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    fd = -1;
    return error;
  }
  size = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
  return 0;
}

// Opens and reads the file; returns 0, or the errno value of the failure and
// whether it happened while opening.
int TryRead(const std::filesystem::path& fileName, std::string& bytes, bool& atOpen) {
  bytes.clear();
  atOpen = true;
  int fd = -1;
  size_t size = 0;
  if (int error = OpenForReading(fileName, fd, size)) return error;
  atOpen = false;
  int error = ReadAll(fd, size, bytes);
  ::close(fd);
  if (error != 0) bytes.clear();
  return error;
}

}  // namespace

void RaiseFileError(EFileError::TKind kind, const std::filesystem::path& fileName, int errorCode) {
  throw EFileError(kind, fileName.string(), std::strerror(errorCode));
}

std::string ReadWholeFile(const std::filesystem::path& fileName) {
  std::string bytes;
  bool atOpen = false;
  if (int error = TryRead(fileName, bytes, atOpen)) RaiseFileError(EFileError::TKind::Open, fileName, error);
  return bytes;
}

void ReadFilePieces(const std::filesystem::path& fileName, size_t pieceBytes,
                    const std::function<void(std::string_view)>& piece) {
  int fd = -1;
  size_t size = 0;
  if (int error = OpenForReading(fileName, fd, size))
    RaiseFileError(EFileError::TKind::Open, fileName, error);
  int error = 0;
  try {
    error = ReadPieces(fd, std::max<size_t>(pieceBytes, 1), piece);
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
  if (error) RaiseFileError(EFileError::TKind::Open, fileName, error);
}

bool ReadFileIfExists(const std::filesystem::path& fileName, std::string& bytes) {
  bool atOpen = false;
  int error = TryRead(fileName, bytes, atOpen);
  if (error == 0) return true;
  if (atOpen && (error == ENOENT || error == ENOTDIR)) return false;
  RaiseFileError(EFileError::TKind::Open, fileName, error);
}

void EnsureFolder(const std::filesystem::path& folder) {
  std::filesystem::path prefix;
  for (const auto& part : folder) {
    prefix /= part;
    if (part.empty() || part == prefix.root_path()) continue;
    if (::mkdir(prefix.c_str(), 0700) == 0) continue;
    int error = errno;
    struct stat st;
    if (error == EEXIST) {
      if (::stat(prefix.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
      error = ENOTDIR;
    }
    RaiseFileError(EFileError::TKind::Create, folder, error);
  }
}

bool FileExists(const std::filesystem::path& fileName) {
  struct stat st;
  return ::stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsReadOnlyFile(const std::filesystem::path& fileName) {
  struct stat st;
  if (::stat(fileName.c_str(), &st) != 0) return false;
  return !(st.st_mode & S_IWUSR) || ::faccessat(AT_FDCWD, fileName.c_str(), W_OK, AT_EACCESS) != 0;
}

}  // namespace vorna
