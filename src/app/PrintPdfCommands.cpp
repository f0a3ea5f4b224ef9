// The command-line PDF printing: arguments, checks of the input and output
// files, the style, the page range, and the job on the headless editor.
#include "PrintPdfCommands.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "PageRenders.h"
#include "PdfWrites.h"
#include "StyleArguments.h"
#include "platform/Files.h"
#include "print/LargePrintJobs.h"
#include "view/ViewCounts.h"

namespace vorna {
namespace {

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The file's permissions forbid writing it.
}  // namespace

bool IsPrintPdfCommand(const std::vector<std::string>& args) { return HasCommandOption(args, "--print-pdf"); }

std::optional<TPrintPdfOptions> ParsePrintPdfArguments(const std::vector<std::string>& args,
                                                       std::string& error) {
  TPrintPdfOptions options;
  TStyleChoice style;
  const bool walked = WalkArguments(args, style, error, [&](size_t& i, bool optionsEnded) {
    const std::string& arg = args[i];
    const bool takesValue = !optionsEnded && (arg == "--print-pdf" || arg == "--pages");
    if (takesValue && i + 1 >= args.size()) {
      error = arg + " needs a value";
      return false;
    }
    if (takesValue && arg == "--print-pdf") {
      options.Output = args[++i];
    } else if (takesValue && arg == "--pages") {
      const std::string& value = args[++i];
      const size_t dash = value.find('-');
      const auto first = ParseInt(std::string_view(value).substr(0, dash));
      const auto last =
          dash == std::string::npos ? first : ParseInt(std::string_view(value).substr(dash + 1));
      if (!first || !last || *first < 1 || *last < *first) {
        error = "--pages must be A or A-B with 1 <= A <= B";
        return false;
      }
      options.FirstPage = *first;
      options.LastPage = *last;
    } else {
      return TakeFileArgument(arg, optionsEnded, options.File, "printed", error);
    }
    return true;
  });
  if (!walked) return std::nullopt;
  options.Preset = style.Preset;
  options.StyleFile = style.StyleFile;
  if (options.Output.empty() || options.File.empty()) {
    error = "usage: vorna-editor --print-pdf OUT.pdf [--preset N | --style FILE.ini] [--pages A-B] [--] FILE";
    return std::nullopt;
  }
  return options;
}

int RunPrintPdf(const TPrintPdfOptions& options) {
  std::string reason;
  if (!CheckTextInput(options.File, reason)) return CommandFailure(kExitFile, options.File + ": " + reason);
  if (!CheckPdfOutput(options.Output, reason))
    return CommandFailure(kExitFile, options.Output + ": " + reason);

  try {
    TPageRenderer editor(options.Preset, 100);
    if (!options.StyleFile.empty()) {
      std::string warning;
      if (!LoadStyleFile(editor.Style(), editor.Files(), options.StyleFile, reason, warning))
        return CommandFailure(kExitUsage, reason);
      if (!warning.empty()) std::fprintf(stderr, "vorna-editor: %s\n", warning.c_str());
      editor.View().StyleChanged();
    }
    editor.LoadFromFile(options.File);
    // Not the whole text: more characters outside CP932 than free codes (some
    // would print as "〓"; the reason was written above) or cut at a NUL. A
    // file only the user cannot write is printed as it is.
    const TReadOnlyReason readOnly = editor.View().List().ReadOnlyReason();
    if (readOnly == TReadOnlyReason::LostCharacters || readOnly == TReadOnlyReason::NulByte)
      return CommandFailure(kExitFile,
                            options.File + ": its text could not be read whole, so it is not printed");
    // The page count of the printed layout decides what the range may ask.
    const int pages = PrintedPageCount(editor.View());
    if (options.FirstPage > pages || options.LastPage > pages)
      return CommandFailure(kExitUsage, "--pages " + std::to_string(options.FirstPage) + "-" +
                                            std::to_string(options.LastPage) + ": the document has " +
                                            std::to_string(pages) + (pages == 1 ? " page" : " pages"));
    // A long job says its length first and then its progress in tenths, so
    // a huge file is not a silent wait that ends in a huge PDF.
    const int printed =
        options.FirstPage > 0 ? std::min(options.LastPage, pages) - options.FirstPage + 1 : pages;
    TPdfProgress progress;
    if (printed > kLargePrintJobPages) {
      std::fprintf(stderr, "vorna-editor: printing %s pages to %s\n", GroupedCount(printed).c_str(),
                   options.Output.c_str());
      progress = [tenths = std::optional<TTenthsProgress>()](int done, int total) mutable {
        if (!tenths) tenths.emplace(total);
        if (const int percent = tenths->Next(done); percent >= 0)
          std::fprintf(stderr, "vorna-editor: %d%% printed (%s of %s sheets)\n", percent,
                       GroupedCount(done).c_str(), GroupedCount(total).c_str());
        return true;
      };
    }
    const TPdfWrite written =
        WritePdf(editor, options.Output, options.File, options.FirstPage, options.LastPage, progress);
    if (written.Outcome == TPdfWrite::TOutcome::NothingPrinted)
      return CommandFailure(kExitFile, "nothing was printed (no printer or an empty range)");
    if (written.Outcome != TPdfWrite::TOutcome::Written)
      return CommandFailure(kExitFile, options.Output + ": " + written.Reason);
  } catch (const EFileError& e) {
    return CommandFailure(kExitFile, e.what());
  } catch (const std::exception& e) {
    return CommandFailure(kExitFile, std::string("printing failed: ") + e.what());
  }
  return kExitDone;
}

}  // namespace vorna
