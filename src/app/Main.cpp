// The program entry: printing to PDF, counting or an EPUB without a window when asked, otherwise
// the main window (`vorna-editor [--preset N | --style FILE.ini] [FILE |
// --recover RECOVERY]`) with the user's preferences, its recovery files and
// the termination signals that keep its unsaved text, and what the window
// needs: the program's one printer access on the Qt printer backend, the page
// metrics of the screen and Qt's translations.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "EpubCommands.h"
#include "MainForms.h"
#include "PrintPdfCommands.h"
#include "QtTranslations.h"
#include "StatsCommands.h"
#include "StyleArguments.h"
#include "TerminationSignals.h"
#include "control/ControlServices.h"
#include "document/Recoveries.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtPrinterBackend.h"
#include "print/LpPrinters.h"
#include "settings/EditorStyles.h"

namespace {

int RunMainWindow(char** argv, const std::vector<std::string>& args) {
  std::string error;
  const std::optional<vorna::TWindowOptions> options = vorna::ParseWindowArguments(args, error);
  if (!options) {
    std::fprintf(
        stderr,
        "vorna-editor: %s\nusage: vorna-editor [--preset N | --style FILE.ini] [FILE | --recover RECOVERY]\n"
        "       "
        "vorna-editor --print-pdf OUT.pdf [--preset N | --style FILE.ini] [--pages A-B] FILE\n"
        "       vorna-editor --stats [--preset N | --style FILE.ini] FILE\n"
        "       vorna-editor --export-epub OUT.epub [--title T] [--author A] [--preset N | --style FILE.ini] "
        "FILE\n",
        error.c_str());
    return 2;
  }
  // Qt would take "--style FILE" for its own widget style: it sees only the
  // program's name, the options are ours.
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("vorna-editor"));
  QApplication::setApplicationDisplayName(QString::fromUtf8("ＶＯＲＮＡ Editor"));
  QApplication::setDesktopFileName(QStringLiteral("vorna-editor"));
  // Qt's dialogs and buttons speak the user's language where Qt has it.
  vorna::app::InstallQtTranslations();
  vorna::qt::InstallFontSubstitutions();
  vorna::qt::TQtPrinterBackend printer;
  vorna::TLpPrinter access;
  access.SetBackend(&printer);
  // Without a printer queue the pages are those of the PDF printer.
  if (printer.PrinterIndex() < 0)
    for (int i = 0; i < access.Info().Count(); ++i)
      if (access.Info().Names(i) == vorna::qt::kPdfPrinterName) printer.SetPrinterIndex(i);
  int status = 0;
  {
    vorna::control::TQtServiceSet services(&access);
    services.PageMetrics().UpdatePrinterMetrics(access);
    services.PageMetrics().ReadPrinterPaper(access, false);
    // A style file is read before the window opens: a bad one ends the run
    // as it ends printing.
    auto fileStyle = vorna::MakeDataItem<vorna::TEditorStyle>();
    if (!options->Style.StyleFile.empty()) {
      std::string warning;
      if (!vorna::LoadStyleFile(*fileStyle, *services.Services().Files, options->Style.StyleFile, error,
                                warning)) {
        std::fprintf(stderr, "vorna-editor: %s\n", error.c_str());
        return 2;
      }
      if (!warning.empty()) std::fprintf(stderr, "vorna-editor: %s\n", warning.c_str());
    }
    vorna::app::TVORNAEditorMain window(services.Services());
    window.StartWithPreferences();
    window.StartRecovery(vorna::DefaultRecoveryFolder());
    const vorna::app::TTerminationSignals endings([&window](int) { window.EndKeepingText(); });
    if (options->Style.PresetGiven)
      window.ChoosePreset(options->Style.Preset);
    else if (!options->Style.StyleFile.empty())
      window.UseStyle(*fileStyle);
    // Shown before the file is read, so the text is laid out once, at the
    // window's own width (a hidden window's view is a few cells wide).
    window.ShowWindow();
    if (!options->Recover.empty())
      window.RecoverFile(options->Recover);
    else if (!options->File.empty())
      window.OpenFromCommandLine(options->File);
    // What windows that are gone left is offered over the shown window; a
    // window restoring one file leaves the rest to the window that started it.
    if (options->Recover.empty()) QTimer::singleShot(0, &window, [&window] { window.OfferRecoveries(); });
    status = app.exec();
  }
  return status;
}

// A command run without a window: without a display the offscreen platform serves.
int RunHeadless(char** argv, const std::function<int()>& run) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qtArgc = 1;  // "--style" is ours, not Qt's
  QApplication app(qtArgc, argv);
  vorna::qt::InstallFontSubstitutions();
  return run();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  if (vorna::IsPrintPdfCommand(args)) {
    const auto options = vorna::ParsePrintPdfArguments(args, error);
    if (!options) {
      std::fprintf(stderr, "vorna-editor: %s\n", error.c_str());
      return 2;
    }
    return RunHeadless(argv, [&] { return vorna::RunPrintPdf(*options); });
  }
  if (vorna::IsExportEpubCommand(args)) {
    const auto options = vorna::ParseExportEpubArguments(args, error);
    if (!options) {
      std::fprintf(stderr, "vorna-editor: %s\n", error.c_str());
      return 2;
    }
    return vorna::RunExportEpub(*options);  // no display needed
  }
  if (vorna::IsStatsCommand(args)) {
    const auto options = vorna::ParseStatsArguments(args, error);
    if (!options) {
      std::fprintf(stderr, "vorna-editor: %s\n", error.c_str());
      return 2;
    }
    return RunHeadless(argv, [&] { return vorna::RunStats(*options, stdout); });
  }
  return RunMainWindow(argv, args);
}
