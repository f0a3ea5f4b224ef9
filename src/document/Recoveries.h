// Recovery files: a document's unsaved text kept under the XDG state folder
// while its window runs, so that it outlives SIGTERM, a logout or a crash.
// The file format, and the folder of such files with the locks that tell a
// live window's file from one whose window is gone.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/EditLists.h"
#include "platform/ProcessLocks.h"

namespace vorna {

class TFileService;

struct TRecoveryRecord {
  TUnsavedText Unsaved;
  TTextPos Caret;                // where the caret was
  long long SavedAtSeconds = 0;  // when the record was taken, since the epoch
};

// The bytes of a recovery file: the line "VORNA-RECOVERY 1", header lines
// "key=value" (UTF-8; the path with "%", control bytes and DEL as %XX), an
// empty line, then the text as it is. The header holds the text's length
// and checksum, so a cut or damaged file is told from a whole one.
std::string RecoveryFileBytes(const TRecoveryRecord& record);
// Reads RecoveryFileBytes back. False with `problem` (UTF-8, one phrase)
// when `bytes` are no recovery file, are cut short or damaged; `record` is
// then unspecified.
bool ParseRecoveryFile(std::string_view bytes, TRecoveryRecord& record, std::string& problem);

// ProgramStateFolder()/recovery ($XDG_STATE_HOME/vorna-editor/recovery);
// empty when no home folder is known.
std::string DefaultRecoveryFolder();

// A recovery file whose window is gone, locked for this window while it is
// offered. A damaged or unreadable one has no record and says why.
struct TRecoveryOffer {
  std::string Path;
  std::optional<TRecoveryRecord> Record;
  std::string Problem;  // UTF-8, when there is no record
  std::unique_ptr<TProcessLock> Lock;
};

// The folder of recovery files. Each window has its own file NAME.recovery
// and holds the lock of NAME.recovery.lock beside it for its whole life; a
// recovery file whose lock can be taken belongs to a window that is gone.
// Every write replaces the file atomically (TFileService::WriteFile).
class TRecoveryFolder {
 public:
  // `files` must outlive the folder; `folder` is a native path.
  TRecoveryFolder(TFileService& files, std::string folder);
  TRecoveryFolder(const TRecoveryFolder&) = delete;
  TRecoveryFolder& operator=(const TRecoveryFolder&) = delete;
  // Releases this window's lock; its files stay (Close removes them).
  ~TRecoveryFolder();

  // Creates the folder and takes this window's lock under a name no other
  // window uses. False with `problem` (UTF-8) when either cannot be done;
  // Write then throws and FindOrphans still reads what it can.
  bool Open(std::string& problem);
  bool IsOpen() const { return FLock != nullptr; }
  const std::string& Folder() const { return FFolder; }
  // This window's recovery file; empty until Open succeeds.
  const std::string& FilePath() const { return FPath; }
  // Replaces this window's recovery file; throws EFileError(Create), also
  // when the folder is not open.
  void Write(const TRecoveryRecord& record);
  // Removes this window's recovery file; false when one stays behind.
  bool Remove();
  // The window closed cleanly: its recovery and lock files are removed and
  // the lock released.
  void Close();

  // The recovery files of windows that are gone, oldest record first, then
  // the damaged ones; each locked for this window until it is discarded or
  // its offer is dropped. This window's own file is never among them. Lock
  // files of windows that are gone and left no recovery file are removed.
  std::vector<TRecoveryOffer> FindOrphans();
  // The recovery file at `path` (any folder) as FindOrphans would offer it;
  // without a record when a live window holds it or it cannot be read.
  TRecoveryOffer Claim(const std::string& path);
  // Deletes an offered file and its lock file; false with `problem` when the
  // recovery file stays.
  bool Discard(TRecoveryOffer& offer, std::string& problem);

 private:
  std::optional<TRecoveryOffer> Offer(const std::string& path, bool reportHeld);

  TFileService& FFiles;
  std::string FFolder;
  std::string FPath;
  std::unique_ptr<TProcessLock> FLock;
};

}  // namespace vorna
