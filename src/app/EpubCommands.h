// Exporting a text file as an EPUB 3 book from the command line, without a
// window and without a display:
//   vorna-editor --export-epub OUT.epub [--title T] [--author A]
//                [--preset N | --style FILE.ini] FILE
// The style gives the writing direction and the heading marks.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorna {

struct TEpubExportOptions {
  std::string Output;
  std::string File;
  std::optional<std::string> Title;   // not given: the text's first line
  std::optional<std::string> Author;  // not given: its second line; given empty: none
  int Preset = 0;
  std::string StyleFile;  // an INI file holding an editor style; empty: the preset
};

// True when the arguments (without the program name) ask for an EPUB.
bool IsExportEpubCommand(const std::vector<std::string>& args);

// The options, or nothing with `error` saying what is wrong.
std::optional<TEpubExportOptions> ParseExportEpubArguments(const std::vector<std::string>& args,
                                                           std::string& error);

// Writes the book and returns the exit status of --print-pdf: 0 written, 1 a
// file could not be read (or not whole) or the book not written, 2 a bad
// style. Messages go to standard error. The book is written under a
// temporary name beside OUT.epub and renamed into place when complete, so a
// failure leaves no partial file; OUT.epub may not be FILE itself.
int RunExportEpub(const TEpubExportOptions& options);

}  // namespace vorna
