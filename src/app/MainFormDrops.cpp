// Files dropped on the main window: the first is opened through the save
// prompt; the others are named in a notice as not opened. Drops that carry
// no local file (text, addresses) are refused and change nothing.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "MainForms.h"
#include "NoticeBars.h"
#include "platform/MessageBoxes.h"
#include "platform/qt/QtConvert.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths.push_back(url.toLocalFile().toStdString());
  return paths;
}

}  // namespace

void TVORNAEditorMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TVORNAEditorMain::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = LocalFiles(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  OpenDroppedFiles(paths);
}

void TVORNAEditorMain::OpenDroppedFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  FNotices->Hide(TNoticeKind::Dropped);
  const std::string path = QFileInfo(qt::QPath(paths.front())).absoluteFilePath().toStdString();
  // The document ignores a name that is no file: the user is told why here.
  const char* reason = nullptr;
  if (FServices.Files && !FServices.Files->FileExists(path))
    reason = FServices.Files->FolderExists(path) ? "Is a directory"
             : FServices.Files->PathExists(path) ? "Not a regular file"
                                                 : "No such file";
  if (reason) {
    if (FServices.Boxes)
      FServices.Boxes->ShowError(FileErrorText(EFileError(EFileError::TKind::Open, path, reason)));
    return;
  }
  if (!ConfirmSave()) return;
  OpenDocument(path);
  if (paths.size() > 1 && View().List().GetFileName() == path)
    FNotices->Show(TNoticeKind::Dropped,
                   QString::fromUtf8("%1 個のファイルがドロップされました。開いたのは最初の %2 だけで、"
                                     "ほかの %3 個は開いていません。")
                       .arg(paths.size())
                       .arg(QFileInfo(qt::QPath(path)).fileName())
                       .arg(paths.size() - 1));
}

}  // namespace vorna::app
