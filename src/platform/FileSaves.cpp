// Saves by temporary and rename, or in place behind a synced copy of the old
// text, keeping the file's owner, permissions and extended attributes.
#include "platform/FileSaves.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <string_view>
#include <vector>

#include "platform/PosixFiles.h"
#include "platform/XdgFolders.h"

namespace vorna {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryMark = ".vorna-";
constexpr std::string_view kKeptMark = ".vorna-kept-";
constexpr size_t kRandomLetters = 6;
constexpr size_t kCopyPieceBytes = 1 << 20;

fs::path FolderOf(const fs::path& file) {
  fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// lead + NAME + mark, NAME cut so that the random letters still fit the
// folder's name limit.
std::string NamePrefix(const fs::path& folder, std::string_view lead, std::string name,
                       std::string_view mark) {
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const size_t room =
      (limit > 0 ? static_cast<size_t>(limit) : 255) - lead.size() - mark.size() - kRandomLetters;
  if (name.size() > room) name.resize(room);
  return std::string(lead) + name + std::string(mark);
}

std::string TemporaryPrefix(const fs::path& target) {
  return NamePrefix(FolderOf(target), ".", target.filename().string(), kTemporaryMark);
}

// Fresh letters on every call, also in a forked child, so that a child and
// its parent never race for the same name.
std::string RandomLetters() {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device device;
  std::string letters(kRandomLetters, 'X');
  for (char& c : letters) c = kLetters[device() % (sizeof kLetters - 1)];
  return letters;
}

// Makes `folder`/prefix+XXXXXX with `make` (which returns 0 or -1 and errno),
// drawing new letters while the name is taken; 0 or the errno value.
template <class TMake>
int MakeUnique(const fs::path& folder, const std::string& prefix, std::string& path, TMake make) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = (folder / (prefix + RandomLetters())).string();
    if (make(path.c_str()) == 0) return 0;
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int CreateExclusive(TSystemCalls& calls, const fs::path& folder, const std::string& prefix, std::string& path,
                    int& fd) {
  return MakeUnique(folder, prefix, path, [&](const char* name) {
    fd = calls.Open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    return fd >= 0 ? 0 : -1;
  });
}

// A descriptor closed on every way out; Close() reports the close's failure.
class TOpenFile {
 public:
  TOpenFile(TSystemCalls& calls, int fd) : FCalls(calls), FFd(fd) {}
  ~TOpenFile() { Close(); }
  TOpenFile(const TOpenFile&) = delete;
  TOpenFile& operator=(const TOpenFile&) = delete;
  int Fd() const { return FFd; }
  int Close() {
    const int fd = FFd;
    FFd = -1;
    return fd < 0 || FCalls.Close(fd) == 0 ? 0 : errno;
  }

 private:
  TSystemCalls& FCalls;
  int FFd;
};

int WriteAll(TSystemCalls& calls, int fd, const char* data, size_t bytes) {
  while (bytes > 0) {
    const ssize_t n = calls.Write(fd, data, bytes);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += n;
    bytes -= static_cast<size_t>(n);
  }
  return 0;
}

// Copies what `from` holds after its offset to `to`; 0 or the errno value.
int CopyAll(TSystemCalls& calls, int from, int to, off_t& copiedBytes) {
  std::vector<char> buffer(kCopyPieceBytes);
  copiedBytes = 0;
  while (true) {
    const ssize_t n = calls.Read(from, buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    if (const int error = WriteAll(calls, to, buffer.data(), static_cast<size_t>(n))) return error;
    copiedBytes += n;
  }
}

mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Errors that say this system or this user cannot have a given attribute.
bool AttributeRefused(int error) { return error == ENOTSUP || error == EPERM || error == EACCES; }

// An attribute list or value, asked for again when it grew in between.
template <class TGet>
int ReadSized(TGet get, std::vector<char>& out) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    const ssize_t size = get(nullptr, 0);
    if (size < 0) return errno;
    out.resize(static_cast<size_t>(size));
    if (size == 0) return 0;
    const ssize_t got = get(out.data(), out.size());
    if (got >= 0) {
      out.resize(static_cast<size_t>(got));
      return 0;
    }
    if (errno != ERANGE) return errno;
  }
  return ERANGE;
}

std::vector<std::string> AttributeNames(const std::vector<char>& list) {
  std::vector<std::string> names;
  for (size_t at = 0; at < list.size();) {
    const size_t end = std::find(list.begin() + at, list.end(), '\0') - list.begin();
    if (end > at) names.emplace_back(list.data() + at, end - at);
    at = end + 1;
  }
  return names;
}

// Gives `to` exactly the extended attributes of the file at `from`.
int CopyAttributes(TSystemCalls& calls, const fs::path& from, int to) {
  std::vector<char> list;
  const int listed =
      ReadSized([&](char* names, size_t size) { return calls.Listxattr(from.c_str(), names, size); }, list);
  if (listed != 0) return AttributeRefused(listed) ? 0 : listed;
  const std::vector<std::string> names = AttributeNames(list);
  // What the new file took from its folder (a default ACL) and the old one
  // lacks would change who may read it.
  std::vector<char> own;
  if (ReadSized([&](char* ownNames, size_t size) { return calls.Flistxattr(to, ownNames, size); }, own) == 0)
    for (const std::string& name : AttributeNames(own))
      if (std::find(names.begin(), names.end(), name) == names.end()) calls.Fremovexattr(to, name.c_str());
  std::vector<char> value;
  for (const std::string& name : names) {
    int error = ReadSized(
        [&](char* data, size_t size) { return calls.Getxattr(from.c_str(), name.c_str(), data, size); },
        value);
    if (error == 0 && calls.Fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0) error = errno;
    if (error != 0 && error != ENODATA && !AttributeRefused(error)) return error;
  }
  return 0;
}

// Gives the new file `fd` the owner, group, permission bits and extended
// attributes of `old`; 0 or the errno value of a failure that stops the
// save. `ownerKept` turns false when the saver may not set the owner or group.
int KeepAttributes(TSystemCalls& calls, const fs::path& old, const struct stat& oldStat, int fd,
                   bool& ownerKept) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return errno;
  if (now.st_uid != oldStat.st_uid || now.st_gid != oldStat.st_gid) {
    if (calls.Fchown(fd, oldStat.st_uid, oldStat.st_gid) != 0) {
      if (errno != EPERM) return errno;
      ownerKept = false;
      // The group alone is allowed to a saver who is one of its members.
      if (now.st_gid != oldStat.st_gid && calls.Fchown(fd, static_cast<uid_t>(-1), oldStat.st_gid) != 0 &&
          errno != EPERM)
        return errno;
    }
  }
  // After the owner: a change of owner clears the set-id bits and file capabilities.
  if (calls.Fchmod(fd, oldStat.st_mode & 07777) != 0) return errno;
  return CopyAttributes(calls, old, fd);
}

// Unless `error` is set already: syncs and closes the temporary `file` and
// renames it to `target`. The temporary is removed on any failure.
int SyncAndRename(TSystemCalls& calls, TOpenFile& file, const std::string& temporary, const fs::path& target,
                  int error) {
  if (error == 0 && calls.Fsync(file.Fd()) != 0) error = errno;
  if (const int closed = file.Close(); error == 0) error = closed;
  if (error == 0 && calls.Rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) calls.Unlink(temporary.c_str());
  return error;
}

// The rename is durable only once the folder is on disk too.
int SyncFolderOf(TSystemCalls& calls, const fs::path& file) {
  return calls.SyncFolder(FolderOf(file).c_str()) == 0 ? 0 : errno;
}

// Copies the file at `file` into the open `fd`, with the file's attributes
// when `attributes` (a backup) and without (a private copy).
int CopyInto(TSystemCalls& calls, const fs::path& file, const struct stat& st, int fd, bool attributes) {
  const int in = calls.Open(file.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (in < 0) return errno;
  TOpenFile source(calls, in);
  off_t copied = 0;
  bool ownerKept = true;
  int error = CopyAll(calls, in, fd, copied);
  if (error == 0 && attributes) error = KeepAttributes(calls, file, st, fd, ownerKept);
  return error;
}

// The backup by copy: complete and synced before it replaces an older one.
int CopyBackup(TSystemCalls& calls, const fs::path& file, const struct stat& st, const fs::path& backup) {
  int fd = -1, error = 0;
  const std::string temporary = MakeTemporaryBeside(calls, backup, fd, error);
  if (temporary.empty()) return error;
  TOpenFile copy(calls, fd);
  error = SyncAndRename(calls, copy, temporary, backup, CopyInto(calls, file, st, fd, true));
  RemoveStaleTemporaries(backup);
  return error != 0 ? error : SyncFolderOf(calls, backup);
}

// The backup by hard link, for saves by rename: the old file itself stays.
// The link waits under a temporary name of the backup until the file is
// replaced, so that a failed save leaves no second link to the file (which
// would make the next save overwrite it, backup and all).
int LinkAside(TSystemCalls& calls, const fs::path& file, const fs::path& backup, std::string& link) {
  return MakeUnique(FolderOf(backup), TemporaryPrefix(backup), link,
                    [&](const char* name) { return calls.Link(file.c_str(), name); });
}

int PutLinkInPlace(TSystemCalls& calls, const std::string& link, const fs::path& backup) {
  int error = calls.Rename(link.c_str(), backup.c_str()) == 0 ? 0 : errno;
  if (error != 0) calls.Unlink(link.c_str());
  // A rename onto another link of the same file does nothing and leaves the link.
  RemoveStaleTemporaries(backup);
  return error != 0 ? error : SyncFolderOf(calls, backup);
}

// A complete synced copy of the old text only this save uses, in the state
// folder or, when that cannot be made, beside the file; its path in `copy`.
int MakePrivateCopy(TSystemCalls& calls, const fs::path& file, const struct stat& st, std::string& copy) {
  fs::path folder = FolderOf(file);
  if (const std::string state = ProgramStateFolder(); !state.empty()) {
    try {
      EnsureFolder(fs::path(state) / "before-save");
      folder = fs::path(state) / "before-save";
    } catch (const EFileError&) {
    }
  }
  int fd = -1;
  const std::string prefix = NamePrefix(folder, "", file.filename().string(), kKeptMark);
  if (const int error = CreateExclusive(calls, folder, prefix, copy, fd)) return error;
  TOpenFile out(calls, fd);
  int error = CopyInto(calls, file, st, fd, false);
  if (error == 0 && calls.Fsync(fd) != 0) error = errno;
  if (const int closed = out.Close(); error == 0) error = closed;
  if (error == 0) error = SyncFolderOf(calls, copy);
  if (error != 0) calls.Unlink(copy.c_str());
  return error;
}

// Writes what `source` gives over the file's own bytes from its start, cuts
// the file to that length and syncs it. `touched`: the file was opened, so a
// failure may have changed it.
template <class TSource>
int Overwrite(TSystemCalls& calls, const fs::path& file, TSource source, bool& touched) {
  const int fd = calls.Open(file.c_str(), O_WRONLY | O_CLOEXEC, 0);
  touched = fd >= 0;
  if (fd < 0) return errno;
  TOpenFile out(calls, fd);
  off_t length = 0;
  int error = source(fd, length);
  if (error == 0 && calls.Ftruncate(fd, length) != 0) error = errno;
  if (error == 0 && calls.Fsync(fd) != 0) error = errno;
  if (const int closed = out.Close(); error == 0) error = closed;
  return error;
}

bool SamePath(const fs::path& a, const fs::path& b) {
  std::error_code ec, ec2;
  const fs::path one = fs::weakly_canonical(a, ec), other = fs::weakly_canonical(b, ec2);
  return !ec && !ec2 && one == other;
}

[[noreturn]] void RaiseNoCopy(const fs::path& requested, int error) {
  throw EFileError(
      EFileError::TKind::Create, requested.string(),
      std::string("上書きする前に元の内容を控えておけませんでした（") + std::strerror(error) + "）");
}

}  // namespace

std::string MakeTemporaryBeside(TSystemCalls& calls, const fs::path& target, int& fd, int& error) {
  std::string path;
  error = CreateExclusive(calls, FolderOf(target), TemporaryPrefix(target), path, fd);
  return error == 0 ? path : std::string();
}

std::string MakeTemporaryBeside(const fs::path& target, int& fd, int& error) {
  return MakeTemporaryBeside(PosixSystemCalls(), target, fd, error);
}

void RemoveStaleTemporaries(const fs::path& target) {
  const std::string prefix = TemporaryPrefix(target);
  std::error_code ec;
  for (fs::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() == prefix.size() + kRandomLetters && name.compare(0, prefix.size(), prefix) == 0 &&
        it->is_regular_file(ec))
      fs::remove(it->path(), ec);
  }
}

TSaveReport SaveFileSafely(TSystemCalls& calls, const fs::path& requested, const std::string& bytes,
                           const fs::path& backupPath,
                           const std::function<void(const std::string&)>& onBackupFailed) {
  fs::path fileName = requested;
  std::error_code ec;
  // Writing through a symbolic link replaces the file it points to, not the link.
  if (fs::is_symlink(fileName, ec)) {
    const fs::path target = fs::canonical(fileName, ec);
    if (!ec) fileName = target;
  }
  struct stat st {};
  const bool exists = ::stat(fileName.c_str(), &st) == 0;
  if (exists) {
    if (S_ISDIR(st.st_mode)) RaiseFileError(EFileError::TKind::Create, requested, EISDIR);
    if (!(st.st_mode & S_IWUSR) || ::faccessat(AT_FDCWD, fileName.c_str(), W_OK, AT_EACCESS) != 0)
      RaiseFileError(EFileError::TKind::Create, requested, EACCES);
  }
  const fs::path folder = FolderOf(fileName);
  TSaveReport report;
  bool backupWanted = exists && !backupPath.empty();
  if (backupWanted && SamePath(backupPath, fileName)) {
    if (onBackupFailed) onBackupFailed("the backup would be the file itself");
    backupWanted = false;
  }
  const auto backupFailed = [&](int error) {
    if (onBackupFailed) onBackupFailed(std::strerror(error));
  };
  // Replacing the file would cut its other links off, or cannot be done in a
  // folder the saver may not write: such a file is written in place.
  if (!exists || (st.st_nlink == 1 && ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0)) {
    std::string link;
    if (backupWanted) {
      int error = LinkAside(calls, fileName, backupPath, link);
      if (error != 0) {
        link.clear();
        error = CopyBackup(calls, fileName, st, backupPath);
      }
      if (error != 0) backupFailed(error);
      report.BackupMade = error == 0;
    }
    int fd = -1, error = 0;
    const std::string temporary = MakeTemporaryBeside(calls, fileName, fd, error);
    if (!temporary.empty()) {
      TOpenFile file(calls, fd);
      error = WriteAll(calls, fd, bytes.data(), bytes.size());
      if (error == 0)
        error = exists ? KeepAttributes(calls, fileName, st, fd, report.OwnerKept)
                       : (calls.Fchmod(fd, DefaultFileMode()) == 0 ? 0 : errno);
      error = SyncAndRename(calls, file, temporary, fileName, error);
      if (error == 0) {
        if (const int placed = link.empty() ? 0 : PutLinkInPlace(calls, link, backupPath)) {
          backupFailed(placed);
          report.BackupMade = false;
        }
        if (const int synced = SyncFolderOf(calls, fileName))
          RaiseFileError(EFileError::TKind::Create, requested, synced);
        RemoveStaleTemporaries(fileName);
        return report;
      }
    }
    if (!link.empty()) calls.Unlink(link.c_str());
    // A folder that refuses the temporary or the rename (a sticky folder
    // keeps other users' files) still lets a writable file be overwritten.
    if (!exists || (error != EACCES && error != EPERM))
      RaiseFileError(EFileError::TKind::Create, requested, error);
    backupWanted = report.BackupMade;  // a failed backup is not tried (and reported) again
    report = TSaveReport{};
  }

  report.InPlace = true;
  std::string copy;
  if (backupWanted) {
    if (const int error = CopyBackup(calls, fileName, st, backupPath)) {
      backupFailed(error);
    } else {
      copy = backupPath.string();
      report.BackupMade = true;
    }
  }
  if (copy.empty())
    if (const int error = MakePrivateCopy(calls, fileName, st, copy)) RaiseNoCopy(requested, error);
  bool touched = false;
  const int error = Overwrite(
      calls, fileName,
      [&](int fd, off_t& length) {
        length = static_cast<off_t>(bytes.size());
        return WriteAll(calls, fd, bytes.data(), bytes.size());
      },
      touched);
  if (error != 0) {
    // The old text goes back from the copy; only a copy that is still needed stays.
    const auto restore = [&](int fd, off_t& length) {
      const int in = calls.Open(copy.c_str(), O_RDONLY | O_CLOEXEC, 0);
      if (in < 0) return errno;
      TOpenFile source(calls, in);
      return CopyAll(calls, in, fd, length);
    };
    const int restored = touched ? Overwrite(calls, fileName, restore, touched) : 0;
    if (restored == 0 && !report.BackupMade) calls.Unlink(copy.c_str());
    EFileError failure(EFileError::TKind::Create, requested.string(), std::strerror(error));
    if (restored != 0) failure.KeptCopy = copy;
    throw failure;
  }
  if (!report.BackupMade) calls.Unlink(copy.c_str());
  RemoveStaleTemporaries(fileName);
  return report;
}

void WriteFileAtomic(const fs::path& fileName, const std::string& bytes) {
  SaveFileSafely(PosixSystemCalls(), fileName, bytes);
}

}  // namespace vorna
