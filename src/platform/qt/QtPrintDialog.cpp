// The print dialog on QPrintDialog.
#include "platform/qt/QtPrintDialog.h"

#include <QPrintDialog>
#include <algorithm>

namespace vorna::qt {

bool TQtPrintDialog::Execute(QPrinter& printer, TPrintDialogRequest& request, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                    QAbstractPrintDialog::PrintShowPageSize);
  dialog.setMinMax(request.MinPage, std::max(request.MinPage, request.MaxPage));
  dialog.setFromTo(request.FromPage, request.ToPage);
  dialog.setPrintRange(request.Range == TPrintRange::PageNums ? QAbstractPrintDialog::PageRange
                                                              : QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted) return false;
  switch (dialog.printRange()) {
    case QAbstractPrintDialog::PageRange:
      request.Range = TPrintRange::PageNums;
      request.FromPage = dialog.fromPage();
      request.ToPage = dialog.toPage();
      break;
    case QAbstractPrintDialog::Selection:
      request.Range = TPrintRange::Selection;
      break;
    default:
      request.Range = TPrintRange::AllPages;
      break;
  }
  return true;
}

}  // namespace vorna::qt
