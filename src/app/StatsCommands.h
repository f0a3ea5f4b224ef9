// The counts of a text file from the command line, without a window:
//   vorna-editor --stats [--preset N | --style FILE.ini] FILE
// one "name: value" line each on standard output.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace vorna {

struct TStatsOptions {
  std::string File;
  int Preset = 0;
  std::string StyleFile;  // an INI file holding an editor style; empty: the preset
};

// True when the arguments (without the program name) ask for the counts.
bool IsStatsCommand(const std::vector<std::string>& args);

// The options, or nothing with `error` saying what is wrong.
std::optional<TStatsOptions> ParseStatsArguments(const std::vector<std::string>& args, std::string& error);

// Writes to `out`, in this order: characters, characters_with_spaces,
// manuscript_pages_400, pages (as the style prints them), lines,
// paragraphs, ruby. Returns the exit status of --print-pdf: 0 done, 1 the
// file could not be read (or not whole), 2 a bad style. Messages go to
// standard error; nothing is written to `out` on a failure. Needs a
// QApplication.
int RunStats(const TStatsOptions& options, std::FILE* out);

}  // namespace vorna
