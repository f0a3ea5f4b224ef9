// TQtServiceSet: one owner of every Qt platform service, handing out the
// bundle that the editor control, its view and the window share.
#pragma once

#include <memory>

#include "platform/PlatformServices.h"
#include "platform/PosixFiles.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtServices.h"
#include "print/PageMetrics.h"

class QWidget;

namespace vorna {
class TLpPrinter;
}

namespace vorna::control {

class TQtServiceSet {
 public:
  // Needs a QApplication. The bundle hands on `printer`, the program's one
  // printer access (not owned; null: no printer). Message boxes are parented
  // to `dialogParent`.
  explicit TQtServiceSet(TLpPrinter* printer = nullptr, QWidget* dialogParent = nullptr);
  TQtServiceSet(const TQtServiceSet&) = delete;
  TQtServiceSet& operator=(const TQtServiceSet&) = delete;

  const TPlatformServices& Services() const { return FServices; }
  qt::TQtSystemMetrics& Screen() { return FScreen; }
  // The printer's page metrics (read them once a printer backend is set).
  TPageMetrics& PageMetrics() { return FPageMetrics; }

 private:
  TPosixFiles FFiles;
  qt::TQtMessageBoxes FBoxes;
  qt::TQtSystemMetrics FScreen;
  qt::TQtCanvasFactory FCanvases{FScreen};
  qt::TQtTimers FTimers;
  qt::TQtFontList FFonts;
  qt::TQtKeyState FKeys;
  qt::TQtClipboard FClipboard;
  qt::TQtShell FShell;
  TPageMetrics FPageMetrics{&FScreen};
  TPlatformServices FServices;
};

}  // namespace vorna::control
