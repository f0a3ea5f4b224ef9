// Whole-file reading and crash-safe whole-file writing for the settings
// stores and lists: a file is written beside its target and renamed into
// place, so a failed write never leaves a half-written file behind.
#pragma once

#include <filesystem>
#include <string>

namespace vorna {

// The whole file as bytes. Throws EFileError with the system's message when
// the file is missing or cannot be read (a folder, no permission).
std::string ReadWholeFile(const std::filesystem::path& fileName);

// As ReadWholeFile, but a missing file (or a missing folder on its path) gives
// false and leaves `bytes` empty instead of an error.
bool ReadFileIfExists(const std::filesystem::path& fileName, std::string& bytes);

// Replaces the file's contents with `bytes`: writes a temporary file in the
// same folder, flushes it to disk and renames it over the target. An existing
// file keeps its permissions; a file without write permission for its owner
// counts as read-only and is refused with EACCES, as is one the process may
// not write. On any failure the target is untouched, the temporary file is
// removed and EFileError carries the system's message.
void WriteFileAtomic(const std::filesystem::path& fileName, const std::string& bytes);

// Creates the folder and every missing parent (mode 0700, as for per-user
// configuration). Throws EFileError when a part cannot be created or is not a
// folder.
void EnsureFolder(const std::filesystem::path& folder);

bool FileExists(const std::filesystem::path& fileName);

// True when the file exists and lacks write permission for its owner or for
// this process (the read-only attribute of the platform).
bool IsReadOnlyFile(const std::filesystem::path& fileName);

}  // namespace vorna
