// File services on POSIX and std::filesystem; the trash and the documents
// folder through Qt.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/qt/QtConvert.h"
#include "platform/qt/QtServices.h"

namespace vorna::qt {
namespace fs = std::filesystem;

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

// Closes a descriptor on every way out.
struct TFd {
  int Fd = -1;
  ~TFd() {
    if (Fd >= 0) ::close(Fd);
  }
};

}  // namespace

bool TQtFiles::FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

bool TQtFiles::FolderExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

TFileAccess TQtFiles::CheckAccess(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return TFileAccess::Missing;
  // No write permission for anyone stands for the read-only attribute.
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return TFileAccess::ReadOnly;
  TFd rw{::open(path.c_str(), O_RDWR | O_CLOEXEC)};
  if (rw.Fd >= 0) {
    // Another program holding a lock on the file counts as "in use".
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(rw.Fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK) return TFileAccess::ReadOnly;
    return S_ISDIR(st.st_mode) ? TFileAccess::ReadOnly : TFileAccess::ReadWrite;
  }
  TFd ro{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  return ro.Fd >= 0 ? TFileAccess::ReadOnly : TFileAccess::NoAccess;
}

std::string TQtFiles::ReadFile(const std::string& path) {
  TFd fd{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (fd.Fd < 0) throw EFileError(EFileError::TKind::Open, path, SystemReason(errno));
  struct stat st {};
  if (::fstat(fd.Fd, &st) == 0 && S_ISDIR(st.st_mode))
    throw EFileError(EFileError::TKind::Open, path, SystemReason(EISDIR));
  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.Fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EFileError(EFileError::TKind::Open, path, SystemReason(errno));
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return bytes;
}

void TQtFiles::WriteFile(const std::string& path, const std::string& bytes) {
  if (path.empty()) throw EFileError(EFileError::TKind::Create, path, SystemReason(ENOENT));
  std::string temp = path + ".XXXXXX";
  TFd fd{::mkstemp(temp.data())};
  if (fd.Fd < 0) throw EFileError(EFileError::TKind::Create, path, SystemReason(errno));
  auto fail = [&](int error) {
    ::unlink(temp.c_str());
    throw EFileError(EFileError::TKind::Create, path, SystemReason(error));
  };
  // The new file keeps the permissions of the one it replaces; a new file gets
  // the usual ones less the umask.
  struct stat old {};
  mode_t mode;
  if (::stat(path.c_str(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) fail(EISDIR);
    mode = old.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd.Fd, mode);
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd.Fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd.Fd) != 0) fail(errno);
  int closed = ::close(fd.Fd);
  fd.Fd = -1;
  if (closed != 0) fail(errno);
  if (::rename(temp.c_str(), path.c_str()) != 0) fail(errno);
}

bool TQtFiles::DeleteFile(const std::string& path) { return !path.empty() && ::unlink(path.c_str()) == 0; }

bool TQtFiles::MoveFile(const std::string& from, const std::string& to) {
  // Like the platform's move: never replaces an existing target.
  std::error_code ec;
  if (from.empty() || to.empty() || fs::exists(to, ec) || !fs::exists(from, ec)) return false;
  fs::rename(from, to, ec);
  if (!ec) return true;
  if (ec != std::errc::cross_device_link) return false;
  ec.clear();
  fs::copy(from, to, fs::copy_options::recursive, ec);
  if (ec) return false;
  fs::remove_all(from, ec);
  return !ec;
}

bool TQtFiles::CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  fs::create_directories(path, ec);
  return fs::is_directory(path, ec);
}

bool TQtFiles::MoveToTrash(const std::string& path) {
  return !path.empty() && QFile::moveToTrash(QPath(path));
}

std::string TQtFiles::DocumentsFolder() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
  return dir.toStdString();
}

std::string TQtFiles::CurrentDirectory() {
  std::error_code ec;
  return fs::current_path(ec).string();
}

}  // namespace vorna::qt
