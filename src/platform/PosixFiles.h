// The file service on POSIX and std::filesystem, and the whole-file reading
// it rests on; its saving is platform/FileSaves.h.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/FileSaves.h"
#include "platform/Files.h"
#include "platform/SystemCalls.h"

namespace vorna {

// Throws EFileError for `errorCode` (an errno value): the path and the
// system's own message for it (strerror), Open for failures to read, Create
// for failures to write or to create a folder.
[[noreturn]] void RaiseFileError(EFileError::TKind kind, const std::filesystem::path& fileName,
                                 int errorCode);

// The whole file as bytes. Throws EFileError with the system's message when
// the file is missing or cannot be read (a folder, no permission).
std::string ReadWholeFile(const std::filesystem::path& fileName);

// As ReadWholeFile, but a missing file (or a missing folder on its path) gives
// false and leaves `bytes` empty instead of an error.
bool ReadFileIfExists(const std::filesystem::path& fileName, std::string& bytes);
// Reads the file in pieces of `pieceBytes`, handing each to `piece`; raises
// EFileError(Open).
void ReadFilePieces(const std::filesystem::path& fileName, size_t pieceBytes,
                    const std::function<void(std::string_view)>& piece);

// Creates the folder and every missing parent (mode 0700, as for per-user
// configuration). Throws EFileError when a part cannot be created or is not a
// folder.
void EnsureFolder(const std::filesystem::path& folder);

bool FileExists(const std::filesystem::path& fileName);

// True when the file exists and lacks write permission for its owner or for
// this process (the read-only attribute of the platform).
bool IsReadOnlyFile(const std::filesystem::path& fileName);

// The file service over the functions above. The folders follow the XDG
// rules of platform/XdgFolders.h: the trash is the freedesktop home trash
// ($XDG_DATA_HOME/Trash), the configuration folder $XDG_CONFIG_HOME, the
// documents folder the XDG_DOCUMENTS_DIR of user-dirs.dirs.
class TPosixFiles : public TFileService {
 public:
  // Saving goes through `calls` (not owned), which must outlive the service.
  explicit TPosixFiles(TSystemCalls& calls = PosixSystemCalls()) : FCalls(calls) {}
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  bool PathExists(const std::string& path) override;
  // Read-only: no write permission, or another program holds a write lock.
  TFileAccess CheckAccess(const std::string& path) override;
  std::optional<TFileIdentity> Identity(const std::string& path) override;
  std::string ReadFile(const std::string& path) override;
  std::optional<std::string> ReadFileIfExists(const std::string& path) override;
  // Pieces of 1 MB read one after the other.
  void ReadFileInPieces(const std::string& path, const std::function<void(std::string_view)>& piece) override;
  // SaveFileSafely (platform/FileSaves.h) without a backup.
  void WriteFile(const std::string& path, const std::string& bytes) override;
  // SaveFileSafely with the backup asked for; the one in the trash is a link
  // or a copy of the old file under a name reserved by its info file.
  TSaveReport SaveFile(const std::string& path, const std::string& bytes,
                       const TSaveOptions& options) override;
  bool DeleteFile(const std::string& path) override;
  // Never replaces an existing target; moves across file systems by copying.
  bool MoveFile(const std::string& from, const std::string& to) override;
  bool CreateFolders(const std::string& path) override;
  // Mode 0700 for the folders it creates; an empty path fails with ENOENT.
  void EnsureFolder(const std::string& path) override;
  // False when no home folder (hence no trash) is known.
  bool MoveToTrash(const std::string& path) override;
  // user-dirs.dirs' folder when it exists, else ~/Documents when it exists,
  // else the home folder, else the current directory.
  std::string DocumentsFolder() override;
  std::string ConfigFolder() override;
  std::string CurrentDirectory() override;

 private:
  // A name in the home trash, reserved by its info file (written first).
  struct TTrashEntry {
    std::filesystem::path Info, File;
  };
  std::optional<TTrashEntry> ReserveTrashEntry(const std::string& path);

  TSystemCalls& FCalls;
};

}  // namespace vorna
