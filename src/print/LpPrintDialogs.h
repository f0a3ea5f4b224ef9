// The print dialog: the platform's dialog for the current printer with a page
// range; confirming re-reads the printer the user chose.
#pragma once

#include "platform/PrinterBackend.h"

namespace vorna {

class TLpPrinter;

class TLpPrintDialog {
 public:
  // On `printer`, which must outlive the dialog.
  explicit TLpPrintDialog(TLpPrinter& printer);

  int MinPage = 1;
  int MaxPage = 1;
  int FromPage = 1;
  int ToPage = 1;
  TPrintRange PrintRange = TPrintRange::AllPages;

  // Takes a fresh printer snapshot, shows the dialog and, when the user
  // confirms, stores the choice and resets the printer access. False when
  // cancelled or when no printer layer exists.
  bool Execute();

 private:
  TLpPrinter& FPrinter;
};

}  // namespace vorna
