// The main window's counts: the status bar's panels after each change and
// the "文書情報" dialog.
#include "DocumentInfoDialogs.h"
#include "MainForms.h"
#include "StatusCounts.h"
#include "control/EditorControls.h"
#include "control/ViewWidgets.h"
#include "view/ViewCounts.h"

namespace vorna::app {

void TVORNAEditorMain::UpdateStatusCounts() {
  if (FStatusCounts) FStatusCounts->Update(View(), FEditor->ViewWidget().PaintCount());
}

void TVORNAEditorMain::FileInfoExecute() {
  UpdateStatusCounts();
  TDocumentInfo info;
  info.Totals = FStatusCounts->Counts()->Totals();
  info.StylePages = CaretPagePlace(View()).Pages;
  TDocumentInfoDialog dialog(info, this);
  if (RunDocumentInfoDialog)
    RunDocumentInfoDialog(dialog);
  else
    dialog.exec();
}

}  // namespace vorna::app
