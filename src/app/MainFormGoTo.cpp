// The main window's go-to command: the dialog with the document's lines and
// pages, and the jump to the start of a line or page.
#include "MainForms.h"
#include "view/StylePages.h"

namespace vorna::app {

void TVORNAEditorMain::EditGoToExecute() {
  TEditorView& view = View();
  const TDisplayPos caret = view.CaretPos();
  TGoToDialog dialog(view.List().Count(), StylePageCount(view), view.DocPosOf(caret).Y + 1,
                     PageOfRow(view, caret.Row), this);
  const bool accepted = RunGoToDialog ? RunGoToDialog(dialog) : dialog.exec() == QDialog::Accepted;
  if (accepted) GoTo(dialog.Target());
}

bool TVORNAEditorMain::GoTo(const TGoToTarget& target) {
  TEditorView& view = View();
  TDisplayPos to;
  if (target.Kind == TGoToKind::Line) {
    if (target.Number < 1 || target.Number > view.List().Count()) return false;
    to = view.DisplayPosOf({1, target.Number - 1});
  } else {
    if (target.Number < 1 || target.Number > StylePageCount(view)) return false;
    to = {1, FirstRowOfPage(view, target.Number)};
  }
  view.JumpCaret(to);
  FEditor->setFocus();
  return true;
}

}  // namespace vorna::app
