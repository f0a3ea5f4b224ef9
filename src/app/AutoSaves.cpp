// The autosave of the unsaved text: the idle wait, writing and removing the
// recovery file, and the one notice of a folder that cannot be used.
#include "AutoSaves.h"

#include <cstdio>
#include <ctime>

#include "platform/Files.h"
#include "view/EditorViews.h"

namespace vorna::app {

TAutoSaver::TAutoSaver(TEditorView& view, TFileService& files, std::string folder, int idleSeconds,
                       TNotice notice)
    : FView(view), FFolder(files, std::move(folder)), FNotice(std::move(notice)) {
  FIdle.setSingleShot(true);
  SetIdleWait(std::chrono::seconds(idleSeconds));
  connect(&FIdle, &QTimer::timeout, this, [this] { WriteNow(); });
  std::string problem;
  if (!FFolder.Open(problem)) Tell(problem, false);
}

TAutoSaver::~TAutoSaver() {
  if (!FKeep) FFolder.Close();
}

void TAutoSaver::SetIdleWait(std::chrono::milliseconds wait) {
  FIdle.setInterval(wait);
  if (wait.count() <= 0) FIdle.stop();
}

void TAutoSaver::DocumentChanged() {
  if (!FView.List().GetModified()) {
    FIdle.stop();
    FFolder.Remove();
    return;
  }
  if (FIdle.interval() > 0) FIdle.start();
}

bool TAutoSaver::WriteNow(bool quiet) {
  FIdle.stop();
  const TEditList& list = FView.List();
  if (!list.GetModified()) return FFolder.Remove();
  TRecoveryRecord record;
  std::string problem;
  if (!list.CaptureUnsaved(record.Unsaved, problem)) {
    Tell(problem, quiet);
    return false;
  }
  record.Caret = FView.DocPosOf(FView.CaretPos());
  record.SavedAtSeconds = static_cast<long long>(std::time(nullptr));
  // A folder that failed earlier (not yet made, no room) is tried again.
  if (!FFolder.IsOpen() && !FFolder.Open(problem)) {
    Tell(problem, quiet);
    return false;
  }
  try {
    FFolder.Write(record);
  } catch (const EFileError& error) {
    Tell(error.what(), quiet);
    return false;
  }
  return true;
}

void TAutoSaver::Tell(const std::string& problem, bool quiet) {
  if (quiet || FTold || !FNotice) {
    std::fprintf(stderr, "vorna-editor: the unsaved text was not kept: %s\n", problem.c_str());
    return;
  }
  FTold = true;
  // From the event loop: the window may not show yet, and a box shown from
  // inside an edit's notification would run under its feet.
  QTimer::singleShot(0, this, [this, problem] { FNotice(problem); });
}

}  // namespace vorna::app
