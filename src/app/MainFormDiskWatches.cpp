// The main window and the file on disk: the file watched for changes by
// other programs (asking to read it again, as one undoable change), a
// deleted file told, saving over a changed file asked first, the lock that
// tells a second window, and the notices of a read-only document.
#include <QEvent>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <filesystem>

#include "MainForms.h"
#include "NoticeBars.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/qt/QtConvert.h"
#include "text/Cp932.h"

#include <unistd.h>

namespace vorna::app {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

// "ファイル "name"" as the notices begin.
QString FileWords(const std::string& path) {
  return U("ファイル \"") + qt::QPath(std::filesystem::path(path).filename().string()) + U("\" ");
}

// The file may be made writable by this user: it is the user's (or the user
// is root) and its file system is not mounted read-only.
bool MayMakeWritable(const std::string& path) {
  const QFileInfo info(qt::QPath(path));
  if (!info.isFile()) return false;
  if (::geteuid() != 0 && info.ownerId() != ::geteuid()) return false;
  return !QStorageInfo(info.absolutePath()).isReadOnly();
}

}  // namespace

void TVORNAEditorMain::BuildDiskWatch() {
  AskReload = [this](const QString& text) {
    return AskTwoWay(this, QMessageBox::Question, text, U("再読み込み"), U("編集中の文書を残す"));
  };
  AskOverwriteChanged = [this](const QString& text) {
    return AskTwoWay(this, QMessageBox::Warning, text, U("上書き保存"), U("キャンセル"));
  };
  // Editors that save by rename, and our own saves, replace the file: a
  // burst of events is looked at once, after it settles.
  FDiskCheck.setSingleShot(true);
  FDiskCheck.setInterval(150);
  connect(&FDiskCheck, &QTimer::timeout, this, [this] { CheckDiskFile(); });
  connect(&FWatcher, &QFileSystemWatcher::fileChanged, this, [this] { FDiskCheck.start(); });
  connect(&FWatcher, &QFileSystemWatcher::directoryChanged, this, [this] { FDiskCheck.start(); });
}

void TVORNAEditorMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FDiskCheck.start();
}

void TVORNAEditorMain::WatchFile() {
  const TEditList& list = View().List();
  const QStringList old = FWatcher.files() + FWatcher.directories();
  if (!old.isEmpty()) FWatcher.removePaths(old);
  if (list.IsUntitled()) return;
  const QString path = qt::QPath(list.GetFileName());
  // The folder too: a file replaced or deleted leaves the file's watch.
  const QString folder = QFileInfo(path).absolutePath();
  if (QFileInfo(folder).isDir()) FWatcher.addPath(folder);
  if (QFileInfo(path).exists()) FWatcher.addPath(path);
}

void TVORNAEditorMain::DocumentFileChanged() {
  TEditList& list = View().List();
  FAskedIdentity.reset();
  FGoneTold = false;
  FNotices->Hide(TNoticeKind::OnDisk);
  WatchFile();
  // The lock follows the document's name.
  const std::string path = list.IsUntitled() ? std::string() : list.GetFileName();
  if (path != FLockedPath) {
    FLockedPath = path;
    FNotices->Hide(TNoticeKind::OpenElsewhere);
    FLock.Release();
    if (!path.empty() && FLock.Take(LockFolder, path) == TLockResult::HeldElsewhere)
      FNotices->Show(TNoticeKind::OpenElsewhere,
                     FileWords(path) + U("はほかのウィンドウでも開かれています。"
                                         "一方で保存した変更は、もう一方に再読み込みを尋ねます。"));
  }
  ShowReadOnlyNotice();
}

void TVORNAEditorMain::ShowReadOnlyNotice() {
  TEditList& list = View().List();
  FNotices->Hide(TNoticeKind::ReadOnly);
  const std::string path = list.GetFileName();
  switch (list.ReadOnlyReason()) {
    case TReadOnlyReason::NotWritable:
      if (MayMakeWritable(path)) {
        FNotices->Show(TNoticeKind::ReadOnly,
                       FileWords(path) + U("には書き込みの許可がないため、読み取り専用で開きました。"),
                       U("読み取り専用を解除"), [this] { MakeDocumentWritable(); });
      } else {
        FNotices->Show(TNoticeKind::ReadOnly,
                       FileWords(path) + U("には書き込みの許可がないため（読み取り専用の"
                                           "ディスクまたはほかの人のファイル）、"
                                           "読み取り専用で開きました。"));
      }
      return;
    case TReadOnlyReason::NulByte:
      FNotices->Show(TNoticeKind::ReadOnly,
                     FileWords(path) + U("は先頭から ") + QString::number(list.NulOffsetBytes()) +
                         U(" バイトの位置に NUL 文字があります。その前までを読み取り専用で開きました。"));
      return;
    case TReadOnlyReason::LostCharacters:
      FNotices->Show(TNoticeKind::ReadOnly,
                     FileWords(path) + U("には外字の領域に空きがなく表せない文字があるため、"
                                         "読み取り専用で開きました。"));
      return;
    case TReadOnlyReason::None:
      break;
  }
  if (FEditor->EditorStyle().GetReadOnly())
    FNotices->Show(TNoticeKind::ReadOnly, U("このスタイルは読み取り専用です。"), U("読み取り専用を解除"),
                   [this] {
                     FEditor->SetReadOnly(false);
                     UpdateActions();
                   });
}

void TVORNAEditorMain::MakeDocumentWritable() {
  TEditList& list = View().List();
  const QString path = qt::QPath(list.GetFileName());
  if (!QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner)) {
    if (FServices.Boxes)
      FServices.Boxes->ShowError(FileErrorText(
          EFileError(EFileError::TKind::Create, list.GetFileName(), "書き込みを許可できませんでした")));
    ShowReadOnlyNotice();
    return;
  }
  list.ClearReadOnly();
  // The permission change is the user's own: not a change to ask about.
  list.RememberDiskIdentity();
  UpdateActions();
}

void TVORNAEditorMain::CheckDiskFile() {
  if (FCheckingDisk) return;
  FCheckingDisk = true;
  TEditList& list = View().List();
  const std::string path = list.GetFileName();
  switch (list.DiskState()) {
    case TDiskState::Unchanged:
      break;
    case TDiskState::Deleted:
      if (!FGoneTold) {
        FGoneTold = true;
        list.SetModified(true);
        FNotices->Show(TNoticeKind::OnDisk, FileWords(path) + U("はディスクから削除されました。"
                                                                "保存すると同じ名前で作り直します。"));
      }
      break;
    case TDiskState::Changed: {
      const std::optional<TFileIdentity> now =
          FServices.Files ? FServices.Files->Identity(path) : std::nullopt;
      if (!now) {
        // A folder or a device in its place: nothing to read again.
        if (!FGoneTold) {
          FGoneTold = true;
          list.SetModified(true);
          FNotices->Show(TNoticeKind::OnDisk, FileWords(path) + U("は通常のファイルではなくなりました。"
                                                                  "別の名前で保存してください。"));
        }
        break;
      }
      if (FAskedIdentity == now) break;  // asked about this version already
      FAskedIdentity = now;
      FGoneTold = false;
      FNotices->Hide(TNoticeKind::OnDisk);
      const QString question =
          qt::QPath(path) + U("\n\nディスク上のファイルが変更されました。再読み込みしますか？");
      if (AskReload && AskReload(question)) ReloadDocument();
      break;
    }
  }
  WatchFile();
  FCheckingDisk = false;
}

bool TVORNAEditorMain::ReloadDocument() {
  if (!FServices.Files || !FServices.Boxes) return false;
  TEditList& list = View().List();
  TEditList read(*FServices.Files, *FServices.Boxes);
  const std::string path = list.GetFileName();
  if (!ReportingFileErrors([&] { read.LoadFromFile(path); }) || !read.DiskIdentity()) return false;
  TEditorView& view = View();
  const TTextPos caret = view.DocPosOf(view.CaretPos());
  const std::string text = read.GetText();
  // One edit of the whole text: undo brings the editor's text back.
  TReplaceRequest request;
  request.RangeStart = view.DisplayPosOf({1, 0});
  const int last = list.Count() - 1;
  request.RangeEnd = view.DisplayPosOf({static_cast<int>(list.Get(last).size()) + 1, last});
  request.Verbatim = true;
  request.Text = text;
  view.ReplaceText(request);
  list.AdoptFileState(read);
  list.SetModified(false);  // the text is the file's: the save point
  // The caret stays near where it was, without a jump of its own to undo.
  const int line = std::min(caret.Y, list.Count() - 1);
  view.Undo().Lock();
  view.SetCaretPos(view.DisplayPosOf({std::min(caret.X, static_cast<int>(list.Get(line).size()) + 1), line}));
  view.Undo().Unlock();
  FAskedIdentity.reset();
  FLineEndsUnified = false;
  UpdateFileFormat();
  ShowReadOnlyNotice();
  UpdateCaption();
  return true;
}

bool TVORNAEditorMain::ConfirmOverwriteChanged(const std::string& path) {
  TEditList& list = View().List();
  if (!path.empty() && path != list.GetFileName()) return true;
  if (list.DiskState() != TDiskState::Changed) return true;
  // A folder in the file's place is no text to overwrite: the save says why it fails.
  if (!FServices.Files || !FServices.Files->Identity(list.GetFileName())) return true;
  const QString question = FileWords(list.GetFileName()) +
                           U("は読み込んだ後にほかのプログラムによって変更されています。上書きしますか？");
  return AskOverwriteChanged && AskOverwriteChanged(question);
}

}  // namespace vorna::app
