// Printing a text file to PDF from the command line, without a window:
//   vorna-editor --print-pdf OUT.pdf [--preset N | --style FILE.ini] [--pages A-B] FILE
// through the same view, print job and Qt PDF printer as the print command.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorna {

struct TPrintPdfOptions {
  std::string Output;
  std::string File;
  int Preset = 0;
  std::string StyleFile;  // an INI file holding an editor style; empty: the preset
  int FirstPage = 0;      // 1-based; 0: from the first
  int LastPage = 0;       // 0: to the last
};

// True when the arguments (without the program name) ask for printing to PDF.
bool IsPrintPdfCommand(const std::vector<std::string>& args);

// The options, or nothing with `error` saying what is wrong.
std::optional<TPrintPdfOptions> ParsePrintPdfArguments(const std::vector<std::string>& args,
                                                       std::string& error);

// Prints and returns the exit status: 0 printed, 1 a file could not be read
// or written or the printer failed, 2 bad arguments (a preset, a style file
// or a page range that does not fit). Messages go to standard error. The PDF
// is written beside the output under a temporary name and renamed into
// place when complete, so a failure never leaves a partial file at OUT.pdf.
// Needs a QApplication.
int RunPrintPdf(const TPrintPdfOptions& options);

}  // namespace vorna
