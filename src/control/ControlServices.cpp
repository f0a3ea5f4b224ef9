// The Qt services gathered into one bundle.
#include "control/ControlServices.h"

namespace vorna::control {

TQtServiceSet::TQtServiceSet(TLpPrinter* printer, QWidget* dialogParent) : FBoxes(dialogParent) {
  FServices.Canvases = &FCanvases;
  FServices.Metrics = &FScreen;
  FServices.Boxes = &FBoxes;
  FServices.Files = &FFiles;
  FServices.Shell = &FShell;
  FServices.Clipboard = &FClipboard;
  FServices.Timers = &FTimers;
  FServices.Keys = &FKeys;
  FServices.Fonts = &FFonts;
  FServices.PageMetrics = &FPageMetrics;
  FServices.Printer = printer;
}

}  // namespace vorna::control
