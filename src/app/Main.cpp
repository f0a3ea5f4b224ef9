// The program entry: printing to PDF without a window when asked, the editor
// window otherwise.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "PrintPdfCommands.h"
#include "platform/qt/QtFonts.h"

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
  std::fprintf(stderr, "vorna-editor: the editor window is not built yet; --print-pdf prints a file\n");
  return 2;
}
