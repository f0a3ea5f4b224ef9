// Starts the main window as the program does, on FILE when one is named,
// and prints the seconds from the program's start to the first painted page;
// scripts/bench-startup runs it under /usr/bin/time for the peak memory, taken
// after the status bar's counts, which follow the first page. The
// full layouts the window ran and its rows go to standard error.
//   startup-probe [FILE]
#include <QApplication>
#include <chrono>
#include <cstdio>

#include "MainForms.h"
#include "control/ControlServices.h"
#include "control/EditorControls.h"
#include "control/ViewWidgets.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtPrinterBackend.h"
#include "print/LpPrinters.h"

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  if (argc > 2) {
    std::fprintf(stderr, "usage: startup-probe [FILE]\n");
    return 2;
  }
  QApplication app(argc, argv);
  vorna::qt::InstallFontSubstitutions();
  vorna::qt::TQtPrinterBackend printer;
  vorna::TLpPrinter access;
  access.SetBackend(&printer);
  {
    vorna::control::TQtServiceSet services(&access);
    vorna::app::TVORNAEditorMain window(services.Services());
    window.show();
    const vorna::control::TViewWidget& view = window.Editor().ViewWidget();
    // The shown window may paint its empty page at once; the page counted is
    // the first one painted after the file was read and laid out
    // (a long layout may paint its progress while the file is read).
    if (argc == 2) window.OpenFromCommandLine(argv[1]);
    const int shownPaints = argc == 2 ? view.PaintCount() : 0;
    while (view.PaintCount() <= shownPaints) QApplication::processEvents(QEventLoop::AllEvents, 5);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%.3f\n", elapsed.count());
    // The status bar counts a long text whole after its first page: the
    // peak memory includes that.
    const auto counted = std::chrono::steady_clock::now() + std::chrono::milliseconds(700);
    while (std::chrono::steady_clock::now() < counted) QApplication::processEvents(QEventLoop::AllEvents, 50);
    // Full layouts the window ran (1 for an opened file laid out once), and its rows.
    const vorna::TEditorView& editor = window.Editor().EditorView();
    std::fprintf(stderr, "layouts %d rows %d\n", editor.LayoutCount(), editor.List().RowCount());
  }
  return 0;
}
