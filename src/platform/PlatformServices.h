// The bundle of platform services handed to whatever paints, measures, asks
// or stores: a view on the screen and one on the printer each get their own,
// so nothing reaches them through process-wide state.
#pragma once

namespace vorna {

class TCanvasFactory;
class TClipboard;
class TFileService;
class TFontList;
class TKeyState;
class TLpPrinter;  // print/LpPrinters.h
class TMessageBoxes;
class TPageMetrics;  // print/PageMetrics.h
class TShell;
class TSystemMetrics;
class TTimers;

// Non-owning pointers; the owner (the program, a test) keeps the services
// alive as long as anything holds the bundle. A null service means "none":
// each user documents what it then does (system colours resolve to black,
// message boxes stay silent, page metrics keep the A4 defaults, no printer is
// available, ...).
struct TPlatformServices {
  TCanvasFactory* Canvases = nullptr;
  TSystemMetrics* Metrics = nullptr;  // screen metrics and system colours
  TMessageBoxes* Boxes = nullptr;
  TFileService* Files = nullptr;
  TShell* Shell = nullptr;
  TClipboard* Clipboard = nullptr;
  TTimers* Timers = nullptr;
  TKeyState* Keys = nullptr;
  TFontList* Fonts = nullptr;
  TPageMetrics* PageMetrics = nullptr;
  // The printer access: one per program, so the window's views and its print
  // dialogs share the current printer and its paper.
  TLpPrinter* Printer = nullptr;
};

}  // namespace vorna
