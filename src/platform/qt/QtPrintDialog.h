// The platform print dialog (QPrintDialog) with a page range, run on the
// application's printer object.
#pragma once

#include <QPrinter>

#include "platform/PrinterBackend.h"

class QWidget;

namespace vorna::qt {

class TQtPrintDialog {
 public:
  // Shows the dialog for `printer`; true when the user confirmed, the request
  // then holds the chosen range. The printer keeps the chosen device, paper
  // and output file.
  static bool Execute(QPrinter& printer, TPrintDialogRequest& request, QWidget* parent);
};

}  // namespace vorna::qt
