// The main window's PDF export: the save dialog, the headless editor given
// the window's style and text, the progress dialog with its cancel button
// and the messages of a path that cannot be written.
#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <exception>
#include <filesystem>
#include <memory>

#include "MainForms.h"
#include "PageRenders.h"
#include "PdfWrites.h"
#include "platform/MessageBoxes.h"
#include "platform/qt/QtConvert.h"
#include "print/LargePrintJobs.h"
#include "text/Cp932.h"
#include "view/ViewCounts.h"

namespace vorna::app {

std::optional<std::string> AskPdfFileNameInDialog(QWidget* parent, const std::string& suggested) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QString::fromUtf8("PDFファイル (*.pdf)"));
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  const QFileInfo offered(qt::QPath(suggested));
  dialog.setDirectory(offered.absolutePath());
  dialog.selectFile(offered.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::string TVORNAEditorMain::SuggestedPdfPath() const {
  const TEditList& list = View().List();
  std::filesystem::path path(list.GetFileName());
  if (list.IsUntitled()) path = std::filesystem::path(FSaveFolder) / path.filename();
  return path.replace_extension(".pdf").string();
}

void TVORNAEditorMain::FileExportPdfExecute() {
  const std::optional<std::string> path = AskPdfFileName(SuggestedPdfPath());
  if (!path) return;
  const auto report = [this](const std::string& utf8) {
    if (FServices.Boxes) FServices.Boxes->ShowError(Cp932FromUtf8(utf8));
  };
  // The dialog comes with the first sheet, once the job's length is known.
  std::unique_ptr<QProgressDialog> progress;
  const auto shown = [this, &progress](int done, int total) {
    if (total < PdfProgressSheets) return true;
    if (!progress) {
      progress = std::make_unique<QProgressDialog>(QString::fromUtf8("PDFに書き出しています..."),
                                                   QString::fromUtf8("キャンセル"), 0, total, this);
      progress->setWindowModality(Qt::WindowModal);
      progress->setAutoReset(false);
      progress->show();
    }
    progress->setValue(done);
    QApplication::processEvents();
    return !progress->wasCanceled();
  };
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    // The job of --print-pdf on a copy, so the window's view and its printer
    // are left as they are.
    TPageRenderer editor(0, 100);
    editor.CopyEditor(FEditor->EditorStyle(), View().List());
    QApplication::restoreOverrideCursor();
    if (!ConfirmLargePrintJob(FServices.Boxes, PrintedPageCount(editor.View()))) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TPdfWrite written = WritePdf(editor, *path, View().List().GetFileName(), 0, 0, shown);
    QApplication::restoreOverrideCursor();
    if (written.Outcome == TPdfWrite::TOutcome::Unwritable)
      report("PDFを書き出せません: " + *path + "\n" + written.Reason);
    else if (written.Outcome == TPdfWrite::TOutcome::NothingPrinted)
      report("PDFに書き出すページがありません。");
  } catch (const std::exception& error) {
    QApplication::restoreOverrideCursor();
    report(std::string("PDFの書き出しに失敗しました: ") + error.what());
  }
  UpdateActions();
}

}  // namespace vorna::app
