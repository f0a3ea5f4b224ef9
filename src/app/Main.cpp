// The program entry: printing to PDF without a window when asked, otherwise
// the main window (`vorna-editor [FILE]`), with the global objects it needs:
// the printer access on the Qt printer backend, the page metrics of the
// screen and Qt's translations.
#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "MainForms.h"
#include "PrintPdfCommands.h"
#include "QtTranslations.h"
#include "control/ControlServices.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtPrinterBackend.h"
#include "print/LpPrinters.h"

namespace {

int RunMainWindow(int argc, char** argv, const std::vector<std::string>& args) {
  if (args.size() > 1) {
    std::fprintf(stderr,
                 "usage: vorna-editor [FILE]\n       vorna-editor --print-pdf OUT.pdf [--preset N | --style "
                 "FILE.ini] [--pages A-B] FILE\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vorna-editor"));
  QApplication::setApplicationDisplayName(QString::fromUtf8("ＶＯＲＮＡ Editor"));
  QApplication::setDesktopFileName(QStringLiteral("vorna-editor"));
  // Qt's dialogs and buttons speak the user's language where Qt has it.
  vorna::app::InstallQtTranslations();
  vorna::qt::InstallFontSubstitutions();
  vorna::qt::TQtPrinterBackend printer;
  vorna::LpPrinter.SetBackend(&printer);
  // Without a printer queue the pages are those of the PDF printer.
  if (printer.PrinterIndex() < 0)
    for (int i = 0; i < vorna::LpPrinter.Info().Count(); ++i)
      if (vorna::LpPrinter.Info().Names(i) == vorna::qt::kPdfPrinterName) printer.SetPrinterIndex(i);
  int status = 0;
  {
    vorna::control::TQtServiceSet services;
    services.PageMetrics().UpdatePrinterMetrics();
    services.PageMetrics().ReadPrinterPaper(false);
    vorna::app::TVORNAEditorMain window(services.Services());
    if (!args.empty()) window.OpenFromCommandLine(args.front());
    // Centred on the screen, as the window is laid down.
    if (const QScreen* screen = window.screen())
      window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    status = app.exec();
  }
  vorna::LpPrinter.SetBackend(nullptr);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (vorna::IsPrintPdfCommand(args)) {
    std::string error;
    const auto options = vorna::ParsePrintPdfArguments(args, error);
    if (!options) {
      std::fprintf(stderr, "vorna-editor: %s\n", error.c_str());
      return 2;
    }
    // No window is shown: without a display the offscreen platform serves.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    vorna::qt::InstallFontSubstitutions();
    return vorna::RunPrintPdf(*options);
  }
  return RunMainWindow(argc, argv, args);
}
