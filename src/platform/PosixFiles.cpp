// Whole-file reads and temp-then-rename writes over POSIX calls.
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

int WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return 0;
}

mode_t DefaultFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
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

void WriteFileAtomic(const std::filesystem::path& requested, const std::string& bytes) {
  std::filesystem::path fileName = requested;
  std::error_code ec;
  // Writing through a symbolic link replaces the file it points to, not the link.
  if (std::filesystem::is_symlink(fileName, ec)) {
    auto target = std::filesystem::canonical(fileName, ec);
    if (!ec) fileName = target;
  }
  mode_t mode = DefaultFileMode();
  struct stat st;
  if (::stat(fileName.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) RaiseFileError(EFileError::TKind::Create, requested, EISDIR);
    if (!(st.st_mode & S_IWUSR) || ::access(fileName.c_str(), W_OK) != 0)
      RaiseFileError(EFileError::TKind::Create, requested, EACCES);
    mode = st.st_mode & 07777;
  }
  int fd = -1, error = 0;
  const std::string pattern = MakeTemporaryBeside(fileName, fd, error);
  if (pattern.empty()) RaiseFileError(EFileError::TKind::Create, requested, error);
  error = WriteAll(fd, bytes);
  if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(pattern.c_str(), fileName.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(pattern.c_str());
    RaiseFileError(EFileError::TKind::Create, requested, error);
  }
  // The rename is durable only once the folder is on disk too.
  std::filesystem::path folder = fileName.parent_path();
  if (folder.empty()) folder = ".";
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  RemoveStaleTemporaries(fileName);
}

namespace {

constexpr std::string_view kTemporaryMark = ".vorna-";
constexpr size_t kTemporaryRandom = 6;  // mkstemp's XXXXXX

// ".NAME" as temporaries of `target` begin, NAME cut to the folder's limit.
std::string TemporaryPrefix(const std::filesystem::path& target) {
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const size_t room =
      (limit > 0 ? static_cast<size_t>(limit) : 255) - 1 - kTemporaryMark.size() - kTemporaryRandom;
  std::string name = target.filename().string();
  if (name.size() > room) name.resize(room);
  std::string prefix = ".";
  prefix += name;
  prefix += kTemporaryMark;
  return prefix;
}

}  // namespace

std::string MakeTemporaryBeside(const std::filesystem::path& target, int& fd, int& error) {
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string pattern = (folder / (TemporaryPrefix(target) + std::string(kTemporaryRandom, 'X'))).string();
  fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    error = errno;
    return {};
  }
  return pattern;
}

void RemoveStaleTemporaries(const std::filesystem::path& target) {
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const std::string prefix = TemporaryPrefix(target);
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() == prefix.size() + kTemporaryRandom && name.compare(0, prefix.size(), prefix) == 0 &&
        it->is_regular_file(ec))
      std::filesystem::remove(it->path(), ec);
  }
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
  return !(st.st_mode & S_IWUSR) || ::access(fileName.c_str(), W_OK) != 0;
}

}  // namespace vorna
