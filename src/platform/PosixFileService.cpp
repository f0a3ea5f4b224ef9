// The file service on POSIX: access checks, moves, folders, the freedesktop
// home trash and the XDG documents and configuration folders.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "platform/PosixFiles.h"
#include "platform/XdgFolders.h"
#include "text/HexTexts.h"

namespace vorna {
namespace fs = std::filesystem;

namespace {

// Closes a descriptor on every way out.
struct TFd {
  int Fd = -1;
  ~TFd() {
    if (Fd >= 0) ::close(Fd);
  }
};

// Percent-encodes a path for the Path= line of a .trashinfo file.
std::string TrashInfoPath(const std::string& path) {
  std::string out;
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      AppendPercentByte(out, c);
    }
  }
  return out;
}

// The XDG_DOCUMENTS_DIR line of user-dirs.dirs, with $HOME expanded.
std::string UserDirsDocuments() {
  const std::string config = XdgConfigHome();
  if (config.empty()) return {};
  std::ifstream in(fs::path(config) / "user-dirs.dirs");
  std::string line;
  while (std::getline(in, line)) {
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (!value.empty() && value.back() == '"') value.pop_back();
    if (value.rfind("$HOME", 0) == 0) value = HomeFolder() + value.substr(5);
    return value;
  }
  return {};
}

}  // namespace

bool TPosixFiles::FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

bool TPosixFiles::FolderExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

bool TPosixFiles::PathExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec);
}

std::optional<TFileIdentity> TPosixFiles::Identity(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return TFileIdentity{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
                       static_cast<long long>(st.st_size),
                       static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

TFileAccess TPosixFiles::CheckAccess(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return TFileAccess::Missing;
  // No write permission stands for the read-only attribute.
  if (IsReadOnlyFile(path)) return TFileAccess::ReadOnly;
  TFd rw{::open(path.c_str(), O_RDWR | O_CLOEXEC)};
  if (rw.Fd >= 0) {
    // Another program holding a lock on the file counts as "in use".
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(rw.Fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK) return TFileAccess::ReadOnly;
    return TFileAccess::ReadWrite;
  }
  TFd ro{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  return ro.Fd >= 0 ? TFileAccess::ReadOnly : TFileAccess::NoAccess;
}

std::string TPosixFiles::ReadFile(const std::string& path) { return ReadWholeFile(path); }

void TPosixFiles::ReadFileInPieces(const std::string& path,
                                   const std::function<void(std::string_view)>& piece) {
  ReadFilePieces(path, 1 << 20, piece);
}

std::optional<std::string> TPosixFiles::ReadFileIfExists(const std::string& path) {
  std::string bytes;
  if (!vorna::ReadFileIfExists(path, bytes)) return std::nullopt;
  return bytes;
}

void TPosixFiles::WriteFile(const std::string& path, const std::string& bytes) {
  if (path.empty()) RaiseFileError(EFileError::TKind::Create, path, ENOENT);
  SaveFileSafely(FCalls, path, bytes);
}

TSaveReport TPosixFiles::SaveFile(const std::string& path, const std::string& bytes,
                                  const TSaveOptions& options) {
  if (path.empty()) RaiseFileError(EFileError::TKind::Create, path, ENOENT);
  if (options.Backup == TSaveOptions::TBackup::None || !FileExists(path))
    return SaveFileSafely(FCalls, path, bytes);
  if (options.Backup == TSaveOptions::TBackup::File)
    return SaveFileSafely(FCalls, path, bytes, options.BackupPath, options.OnBackupFailed);
  const std::optional<TTrashEntry> entry = ReserveTrashEntry(path);
  if (!entry) {
    if (options.OnBackupFailed) options.OnBackupFailed("the trash cannot be used");
    return SaveFileSafely(FCalls, path, bytes);
  }
  TSaveReport report;
  try {
    report = SaveFileSafely(FCalls, path, bytes, entry->File, options.OnBackupFailed);
  } catch (const EFileError&) {
    if (!FileExists(entry->File.string())) ::unlink(entry->Info.c_str());
    throw;
  }
  if (!report.BackupMade) ::unlink(entry->Info.c_str());
  return report;
}

bool TPosixFiles::DeleteFile(const std::string& path) { return !path.empty() && ::unlink(path.c_str()) == 0; }

bool TPosixFiles::MoveFile(const std::string& from, const std::string& to) {
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

bool TPosixFiles::CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  fs::create_directories(path, ec);
  return fs::is_directory(path, ec);
}

void TPosixFiles::EnsureFolder(const std::string& path) {
  if (path.empty()) RaiseFileError(EFileError::TKind::Create, path, ENOENT);
  vorna::EnsureFolder(path);
}

bool TPosixFiles::MoveToTrash(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !fs::exists(fs::symlink_status(path, ec))) return false;
  const std::optional<TTrashEntry> entry = ReserveTrashEntry(path);
  if (!entry) return false;
  if (MoveFile(fs::absolute(path, ec).string(), entry->File.string())) return true;
  ::unlink(entry->Info.c_str());
  return false;
}

std::optional<TPosixFiles::TTrashEntry> TPosixFiles::ReserveTrashEntry(const std::string& path) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(path, ec);
  const std::string dataHome = XdgDataHome();
  if (dataHome.empty()) return std::nullopt;
  const fs::path trash = fs::path(dataHome) / "Trash";
  if (!CreateFolders((trash / "files").string()) || !CreateFolders((trash / "info").string()))
    return std::nullopt;
  const std::string name = absolute.filename().string();
  const std::string stem = absolute.stem().string();
  const std::string extension = absolute.extension().string();
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[32];
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  // The info file is created exclusively first: it reserves the name.
  for (int counter = 1; counter < 10000; ++counter) {
    const std::string candidate = counter == 1 ? name : stem + "." + std::to_string(counter) + extension;
    const fs::path info = trash / "info" / (candidate + ".trashinfo");
    TFd fd{::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)};
    if (fd.Fd < 0) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    const std::string text =
        "[Trash Info]\nPath=" + TrashInfoPath(absolute.string()) + "\nDeletionDate=" + date + "\n";
    if (::write(fd.Fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()))
      return TTrashEntry{info, trash / "files" / candidate};
    ::unlink(info.c_str());
    return std::nullopt;
  }
  return std::nullopt;
}

std::string TPosixFiles::DocumentsFolder() {
  std::string documents = UserDirsDocuments();
  if (!documents.empty() && FolderExists(documents)) return documents;
  const std::string home = HomeFolder();
  if (home.empty()) return CurrentDirectory();
  const std::string fallback = (fs::path(home) / "Documents").string();
  return FolderExists(fallback) ? fallback : home;
}

std::string TPosixFiles::ConfigFolder() { return XdgConfigHome(); }

std::string TPosixFiles::CurrentDirectory() {
  std::error_code ec;
  return fs::current_path(ec).string();
}

}  // namespace vorna
