// The program entry: printing to PDF without a window when asked, the editor
// otherwise (`vorna-editor [--preset N] [FILE]`).
#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "PrintPdfCommands.h"
#include "control/ControlServices.h"
#include "control/EditorControls.h"
#include "platform/Files.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtPrinterBackend.h"
#include "print/LpPrinters.h"

namespace {

// The editor control in a window of its own, on the file named (or an
// untitled document).
int RunEditor(int argc, char** argv, const std::vector<std::string>& args) {
  int preset = 0;
  std::string file;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--preset" && i + 1 < args.size()) {
      preset = std::atoi(args[++i].c_str());
      if (!vorna::IsPresetIndex(preset)) {
        std::fprintf(stderr, "vorna-editor: --preset must be a number from 0 to %d\n",
                     vorna::kPresetCount - 1);
        return 2;
      }
    } else {
      file = args[i];
    }
  }
  QApplication app(argc, argv);
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
    vorna::control::TEditor editor(nullptr, services.Services());
    editor.SetStyleIndex(preset);
    try {
      editor.OpenFile(file.empty() ? vorna::TEditList::NewDocumentName() : file, false);
    } catch (const vorna::EFileError& e) {
      std::fprintf(stderr, "vorna-editor: %s\n", e.what());
    }
    const std::string& name = editor.EditorView().List().GetFileName();
    editor.setWindowTitle(QFileInfo(vorna::qt::QPath(name)).fileName());
    editor.resize(900, 700);
    editor.show();
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
  return RunEditor(argc, argv, args);
}
