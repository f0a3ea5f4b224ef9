// Saving a whole file so that it stays the file it was (owner, permissions,
// extended attributes and ACLs, hard links) and so that a failure or a crash
// at any moment leaves its old text or its new text on disk.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/Files.h"
#include "platform/SystemCalls.h"

namespace vorna {

// Replaces the contents of `fileName` with `bytes`, every change made through
// `calls`. A symbolic link is followed: the file it points to is saved.
//
// By rename, the usual way: the text goes to a new temporary
// ".NAME.vorna-XXXXXX" beside the file (NAME cut to the folder's name limit),
// which takes the old file's owner and group, permission bits and extended
// attributes (ACLs are the system.posix_acl_* ones; a single attribute the
// system refuses with ENOTSUP, EPERM or EACCES is left out), is synced and
// renamed over the file; then the folder is synced and the temporaries an
// interrupted save of the same file left are removed. When the saver may not
// give the file its old owner or group (EPERM), the save goes on and the
// report says so.
//
// In place, for a file with more than one hard link, in a folder the saver
// may not write, or whose folder refuses the temporary or the rename: first a
// complete synced copy of the old text is made (the backup when one is asked
// for, otherwise a private copy NAME.vorna-kept-XXXXXX in
// $XDG_STATE_HOME/vorna-editor/before-save, or beside the file when no state
// folder is known); then the file is overwritten from its start, cut to
// length and synced, and the private copy removed. Should that fail, the old
// text is written back from the copy; only when that fails too is the copy
// kept, and the error names it in KeptCopy. Without a copy there is no
// overwrite: the error says the copy could not be made. A crash during the
// overwrite leaves the private copy where it is.
//
// `backupPath`, when not empty, receives the old file before anything
// changes: a hard link when saving by rename (the old file then stays whole
// as the backup), a synced copy otherwise or when a link is refused. An older
// file there is replaced only once the new backup is complete. A backup that
// cannot be made (or would be the file itself) is told to `onBackupFailed`
// with the reason, and the save goes on.
//
// Throws EFileError(Create) naming `fileName` as given, never a temporary:
// for a folder (EISDIR), for a file without write permission for its owner
// or for the saver (EACCES), and for any call that fails; the file then holds
// its old text, or, when only the final folder sync failed, its new text.
TSaveReport SaveFileSafely(TSystemCalls& calls, const std::filesystem::path& fileName,
                           const std::string& bytes, const std::filesystem::path& backupPath = {},
                           const std::function<void(const std::string&)>& onBackupFailed = {});

// SaveFileSafely through the running system's calls, without a backup.
void WriteFileAtomic(const std::filesystem::path& fileName, const std::string& bytes);

// A new empty file beside `target` named ".NAME.vorna-XXXXXX", NAME cut so
// that the whole fits the folder's name limit, made exclusively (never an
// existing file, never through a link), mode 0600, open for writing in `fd`.
// Empty, with errno in `error`, when it cannot be made.
std::string MakeTemporaryBeside(TSystemCalls& calls, const std::filesystem::path& target, int& fd,
                                int& error);
std::string MakeTemporaryBeside(const std::filesystem::path& target, int& fd, int& error);

// Removes the temporaries that interrupted writes of `target` left beside it.
void RemoveStaleTemporaries(const std::filesystem::path& target);

}  // namespace vorna
