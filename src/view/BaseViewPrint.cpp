// The print job: the view switches to the printer's canvas, lays its sheets
// out at the printer's resolution and paints the asked sheets with the same
// loop that paints the screen, one printer page a sheet.
#include <algorithm>
#include <exception>

#include "print/LargePrintJobs.h"
#include "print/LpPrintDialogs.h"
#include "print/LpPrinters.h"
#include "view/BaseViews.h"

namespace vorna {

bool TBaseView::Print(const std::string& title, const TPrintPageRange& range) {
  if (!Printer().Available() || !FStyle) return false;
  // Whatever happens, the view ends up on the screen with its screen layout.
  struct TBackToScreen {
    TBaseView& View;
    ~TBackToScreen() {
      View.SetPrinting(false);
      try {
        View.Resize();
      } catch (const std::exception&) {
        // The screen layout asks the printer again; a printer gone away
        // leaves the screen's geometry as the next resize makes it.
      }
      View.Invalidate();
    }
  } backToScreen{*this};
  SetPrinting(true);
  SyncPrinterPaper(true);
  const TPoint extent = Printer().GetPaperExtent();
  CalcPrintGeometry({0, 0, extent.X, extent.Y});

  const int perSheet = PagesPerSheet();
  int firstPage = 0, firstSheet = 0;
  if (range.FromPage > 0) {
    firstPage = range.FromPage - 1;
    firstSheet = firstPage / perSheet;
  } else if (range.FromSheet > 0) {
    firstSheet = range.FromSheet - 1;
    firstPage = firstSheet * perSheet;
  }
  int lastPage = FPageCount - 1, lastSheet = FSheetCount - 1;
  if (range.ToPage > 0) {
    lastPage = range.ToPage - 1;
    lastSheet = lastPage / perSheet;
  } else if (range.ToSheet > 0) {
    lastSheet = range.ToSheet - 1;
    lastPage = range.ToSheet * perSheet - 1;
  }
  // Sheets past the document's last are not printed (blank pages).
  lastSheet = std::min(lastSheet, FSheetCount - 1);
  if (firstSheet > lastSheet || firstSheet < 0) return false;
  FFirstSheet = firstSheet;
  FLastSheet = lastSheet;
  FFirstPage = firstPage;
  FLastPage = std::min(lastPage, FPageCount - 1);

  TLpPrintJob job(Printer(), title);
  PaintSheets({0, 0, extent.X, extent.Y});
  return true;
}

bool TBaseView::RunPrintCommand(const std::string& title, bool ctrlHeld) {
  if (!Printer().Available() || !FStyle) return false;
  struct TLeavePreview {
    TBaseView& View;
    bool Entered;
    ~TLeavePreview() {
      if (Entered) View.SetPreview(false);
    }
  } leave{*this, !PaperMode() && !ctrlHeld && !FPreview};
  if (leave.Entered) SetPreview(true);
  TLpPrintDialog dialog(Printer());
  dialog.MinPage = 1;
  dialog.MaxPage = std::max(FPageCount, 1);
  dialog.FromPage = 1;
  dialog.ToPage = dialog.MaxPage;
  if (!dialog.Execute()) return false;
  Invalidate();
  const int pages = dialog.PrintRange == TPrintRange::PageNums
                        ? std::min(dialog.ToPage, FPageCount) - dialog.FromPage + 1
                        : FPageCount;
  if (!ConfirmLargePrintJob(FServices.Boxes, pages)) return false;
  switch (dialog.PrintRange) {
    case TPrintRange::AllPages:
      return Print(title);
    case TPrintRange::PageNums:
      return Print(title, {.FromPage = dialog.FromPage, .ToPage = dialog.ToPage});
    case TPrintRange::Selection:
      break;
  }
  return false;
}

}  // namespace vorna
