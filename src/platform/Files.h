// File-system services: existence and access tests, reading, safe writing,
// delete, move, folders, the trash and the well-known folders. Paths are
// native (UTF-8) strings. Every file access of the core goes through here.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace vorna {

// A file could not be read or written. Reason is the system's text (UTF-8).
class EFileError : public std::runtime_error {
 public:
  enum class TKind { Open, Create };
  EFileError(TKind kind, std::string path, std::string reason)
      : std::runtime_error(path + ": " + reason),
        Kind(kind),
        Path(std::move(path)),
        Reason(std::move(reason)) {}
  TKind Kind;
  std::string Path;
  std::string Reason;
  // Where the file's old text is kept when the file itself may no longer
  // hold it whole (an overwrite in place that failed and could not be undone).
  std::string KeptCopy;
};

// What a save does besides writing the new text: a backup of the old file.
struct TSaveOptions {
  enum class TBackup { None, File, Trash };
  TBackup Backup = TBackup::None;
  std::string BackupPath;  // with File: where the backup goes (an older one there is replaced)
  // Told the reason when the backup cannot be made; the save goes on.
  std::function<void(const std::string& reason)> OnBackupFailed;
};

// How a save that succeeded went.
struct TSaveReport {
  bool OwnerKept = true;    // false: the file now belongs to the user who saved it
  bool BackupMade = false;  // the backup asked for is there
  bool InPlace = false;     // the file was overwritten rather than replaced
};

// Result of the access check of a path.
enum class TFileAccess : int {
  NoAccess = -1,  // cannot be opened at all
  ReadWrite = 0,  // can be opened for reading and writing, nobody else holds a lock
  ReadOnly = 1,   // read-only permission, or in use (locked) by another program
  Missing = 2,    // no file at the path
};

// What tells one version of a file on disk from another: the file it is
// (device and inode) and its size and modification time when last looked at.
// A change by another program, or a replace by rename, changes it.
struct TFileIdentity {
  unsigned long long Device = 0;
  unsigned long long Inode = 0;
  long long SizeBytes = 0;
  long long ModifiedNs = 0;  // nanoseconds since the epoch
  bool operator==(const TFileIdentity&) const = default;
};

class TFileService {
 public:
  virtual ~TFileService() = default;
  // True for an existing regular file (not a folder).
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // True for anything at the path: a file, a folder, or a FIFO, device or
  // socket, which are neither.
  virtual bool PathExists(const std::string& path) { return FileExists(path) || FolderExists(path); }
  virtual TFileAccess CheckAccess(const std::string& path) = 0;
  // The identity of the regular file at `path` (links followed); nullopt when
  // there is none or it cannot be looked at.
  virtual std::optional<TFileIdentity> Identity(const std::string& path) {
    (void)path;
    return std::nullopt;
  }
  // Whole file as bytes; throws EFileError(Open).
  virtual std::string ReadFile(const std::string& path) = 0;
  // As ReadFile, but a missing file (or a missing folder on its path) gives
  // nullopt; any other failure (a folder, no permission) still throws.
  virtual std::optional<std::string> ReadFileIfExists(const std::string& path) = 0;
  // The file's bytes handed to `piece` in order, in pieces of any size, so
  // that a large file is never held whole; throws EFileError(Open), also
  // after some pieces were handed out. By default one piece: ReadFile.
  virtual void ReadFileInPieces(const std::string& path, const std::function<void(std::string_view)>& piece) {
    piece(ReadFile(path));
  }
  // Replaces the file's contents with `bytes` so that a failed write leaves
  // the old file intact (a temporary renamed into place, or an overwrite
  // behind a synced copy); throws EFileError(Create).
  virtual void WriteFile(const std::string& path, const std::string& bytes) = 0;
  // Writes `bytes` as WriteFile does, after the backup `options` asks for.
  // An implementation keeps the file what it was (owner, permissions,
  // attributes, links) and never moves the old file away: a failure leaves
  // it under its name. By default the backup is a copy through ReadFile and
  // WriteFile, and the trash is not available.
  virtual TSaveReport SaveFile(const std::string& path, const std::string& bytes,
                               const TSaveOptions& options) {
    TSaveReport report;
    if (options.Backup != TSaveOptions::TBackup::None && FileExists(path)) {
      std::string failure;
      try {
        if (options.Backup == TSaveOptions::TBackup::Trash)
          failure = "the trash is not available";
        else
          WriteFile(options.BackupPath, ReadFile(path));
      } catch (const EFileError& error) {
        failure = error.Reason;
      }
      report.BackupMade = failure.empty();
      if (!failure.empty() && options.OnBackupFailed) options.OnBackupFailed(failure);
    }
    WriteFile(path, bytes);
    return report;
  }
  // These report failure by their result and never throw.
  virtual bool DeleteFile(const std::string& path) = 0;
  virtual bool MoveFile(const std::string& from, const std::string& to) = 0;
  // Creates the folder and every missing parent; true when it exists after.
  virtual bool CreateFolders(const std::string& path) = 0;
  // As CreateFolders, for folders private to the user (the configuration),
  // but throws EFileError(Create) with the system's reason when a part
  // cannot be created or is a file.
  virtual void EnsureFolder(const std::string& path) = 0;
  // Moves the file to the desktop's trash (freedesktop trash on Linux).
  virtual bool MoveToTrash(const std::string& path) = 0;
  // The user's documents folder, the per-user configuration folder and the
  // current directory, without a trailing separator. ConfigFolder is empty
  // when the platform knows none (no home folder at all).
  virtual std::string DocumentsFolder() = 0;
  virtual std::string ConfigFolder() = 0;
  virtual std::string CurrentDirectory() = 0;
};

}  // namespace vorna
