// The file service on POSIX and std::filesystem, and the whole-file reading
// and crash-safe whole-file writing it rests on: a file is written beside its
// target and renamed into place, so a failed write never leaves a
// half-written file behind.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/Files.h"

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

// Replaces the file's contents with `bytes`: writes a temporary file in the
// same folder, flushes it to disk and renames it over the target. An existing
// file keeps its permissions; a file without write permission for its owner
// counts as read-only and is refused with EACCES, as is one the process may
// not write. On any failure the target is untouched, the temporary file is
// removed and EFileError carries the system's message.
void WriteFileAtomic(const std::filesystem::path& fileName, const std::string& bytes);

// A new empty file beside `target` named ".NAME.vorna-XXXXXX", NAME cut so
// that the whole fits the folder's name limit, made exclusively (mkstemp:
// never an existing file, never through a link) and open for writing in
// `fd`. Empty, with errno in `error`, when it cannot be made.
std::string MakeTemporaryBeside(const std::filesystem::path& target, int& fd, int& error);

// Removes the temporaries that interrupted writes of `target` left beside it.
void RemoveStaleTemporaries(const std::filesystem::path& target);

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
  void WriteFile(const std::string& path, const std::string& bytes) override;
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
};

}  // namespace vorna
