// TAutoSaver: keeps a window's unsaved text in its recovery file, written
// after a wait of idle following a change and when asked (the program ended
// from outside), and removed once the text is saved, given up or the window
// closes cleanly.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <string>

#include "document/Recoveries.h"

namespace vorna {
class TEditorView;
class TFileService;
}  // namespace vorna

namespace vorna::app {

class TAutoSaver : public QObject {
 public:
  // Tells one problem of the recovery folder (UTF-8).
  using TNotice = std::function<void(const std::string& problem)>;
  // `view` and `files` must outlive the saver. The folder is opened at once;
  // when it cannot be used, `notice` hears it once a run (from the event
  // loop, so not before the window shows), and each later write tries
  // again without a word. `idleSeconds` 0: written only when asked.
  TAutoSaver(TEditorView& view, TFileService& files, std::string folder, int idleSeconds, TNotice notice);
  // A clean end: the recovery file and its lock go, unless KeepOnExit.
  ~TAutoSaver() override;
  TAutoSaver(const TAutoSaver&) = delete;
  TAutoSaver& operator=(const TAutoSaver&) = delete;

  // The text or its modified mark changed: a modified text is written after
  // the idle wait (which each change starts again); an unmodified one (saved,
  // undone to the saved text, replaced) needs no recovery file.
  void DocumentChanged();
  // Writes a modified text now and removes
  // the file of an unmodified one. False when the text could not be kept;
  // the problem is told as for the folder, or with `quiet` only on standard
  // error (the program is ending and shows nothing more).
  bool WriteNow(bool quiet = false);
  // The program ends with the text unsaved: the recovery file stays.
  void KeepOnExit() { FKeep = true; }
  void SetIdleWait(std::chrono::milliseconds wait);
  bool Waiting() const { return FIdle.isActive(); }
  TRecoveryFolder& Folder() { return FFolder; }

 private:
  void Tell(const std::string& problem, bool quiet);

  TEditorView& FView;
  TRecoveryFolder FFolder;
  TNotice FNotice;
  QTimer FIdle;
  bool FKeep = false;
  bool FTold = false;  // one notice a run
};

}  // namespace vorna::app
