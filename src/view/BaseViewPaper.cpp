// The base view's printer paper: sending the style's paper and orientation to
// the printer and reading the page metrics back; the preview mode.
#include "print/LpPrinterErrors.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "view/BaseViews.h"

namespace vorna {
namespace {

bool Supports(uint32_t fields, TLpSupportedField field) { return (fields >> field & 1u) != 0; }

// A paper list the driver does not give counts as not offering the code.
bool Offers(TLpPrinter& printer, int code) {
  try {
    return printer.HasPaperNumber(code);
  } catch (const ELpPrinter&) {
    return false;
  }
}

}  // namespace

// The metrics always end as those of the printer's paper once a printer with
// paper sizes exists, also when nothing had to change: the default A4 sheet
// set first must never stay behind a printer that holds another paper.
void TBaseView::SyncPrinterPaper(bool force) {
  if (!FStyle) return;
  TPageMetrics& metrics = Metrics();
  TLpPrinter& printer = Printer();
  const bool available = printer.Available();
  const uint32_t fields = available ? printer.GetSupportedFields() : 0;
  const bool paperSizes = Supports(fields, kLpSupportPaperSize);
  const bool orientations = Supports(fields, kLpSupportOrientation);
  const int noted = paperSizes ? printer.GetPaperSizeNumber() : 0;
  const bool notedLandscape = orientations && printer.GetOrientation();
  metrics.InitDefaultPaper(FStyle->GetOrientation());
  if (!available || !paperSizes) return;
  metrics.UpdatePrinterMetrics(printer);

  const int wanted = FStyle->GetPaperSize();
  bool changed = false;
  if (wanted == kUserPaperSize) {
    const TPoint size{metrics.MillimetresToDevice(FStyle->GetPaperWidth()),
                      metrics.MillimetresToDevice(FStyle->GetPaperHeight())};
    if (printer.GetPaperSizeNumber() != kUserPaperSize || printer.GetUserpaperExtent() != size) {
      printer.SetPaperSizeNumber(kUserPaperSize);
      printer.SetpaperExtent(size.X, size.Y);
      changed = true;
    }
  } else if (printer.GetPaperSizeNumber() != wanted && Offers(printer, wanted)) {
    printer.SetPaperSizeNumber(wanted);
    changed = true;
  }
  if (orientations && printer.GetOrientation() != FStyle->GetOrientation()) {
    printer.SetOrientation(FStyle->GetOrientation());
    changed = true;
  }
  // A user-defined size is only recorded in the private copy (in device
  // pixels) and never written back; the printer keeps its own paper.
  if ((changed || force) && wanted != kUserPaperSize &&
      (printer.GetPaperSizeNumber() != noted || (orientations && printer.GetOrientation() != notedLandscape)))
    printer.ApplyChanges();
  metrics.ReadPrinterPaper(printer, wanted == kUserPaperSize);
}

void TBaseView::SetPreview(bool value) {
  if (value == FPreview || !FStyle) return;
  BeginPaintLock();
  FPreview = value;
  if (value) {
    FStyle->SaveState();
    FStyle->MakePrintable(&Metrics(), &Printer());
  } else {
    FStyle->RestoreState();
  }
  Resize();
  EndPaintLock(true);
}

void TBaseView::SetPreviewMode(bool value) {
  FPreviewMode = value;
  SetPreview(value);
  Invalidate();
}

}  // namespace vorna
