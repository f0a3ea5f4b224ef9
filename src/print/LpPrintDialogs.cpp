// The print dialog over the printer backend.
#include "print/LpPrintDialogs.h"

#include <algorithm>

#include "print/LpPrinters.h"

namespace vorna {

TLpPrintDialog::TLpPrintDialog(TLpPrinter& printer) : FPrinter(printer) {}

bool TLpPrintDialog::Execute() {
  TPrinterBackend* backend = FPrinter.Backend();
  if (!backend) return false;
  // The installed printers may have changed since the last look.
  FPrinter.Refresh();
  TPrintDialogRequest request;
  request.MinPage = std::max(1, MinPage);
  request.MaxPage = std::max(request.MinPage, MaxPage);
  request.FromPage = std::clamp(FromPage, request.MinPage, request.MaxPage);
  request.ToPage = std::clamp(ToPage, request.FromPage, request.MaxPage);
  request.Range = PrintRange;
  if (!backend->ExecutePrintDialog(request)) return false;
  FromPage = request.FromPage;
  ToPage = request.ToPage;
  PrintRange = request.Range;
  FPrinter.Reset();
  return true;
}

}  // namespace vorna
