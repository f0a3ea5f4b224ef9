// The command-line counts: arguments, the checks of the file and the style,
// and the counts on the headless editor.
#include "StatsCommands.h"

#include <exception>

#include "PageRenders.h"
#include "StyleArguments.h"
#include "document/DocumentCounts.h"
#include "platform/Files.h"
#include "view/ViewCounts.h"

namespace vorna {
bool IsStatsCommand(const std::vector<std::string>& args) { return HasCommandOption(args, "--stats"); }

std::optional<TStatsOptions> ParseStatsArguments(const std::vector<std::string>& args, std::string& error) {
  TStatsOptions options;
  TStyleChoice style;
  const bool walked = WalkArguments(args, style, error, [&](size_t& i, bool optionsEnded) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--stats") return true;
    return TakeFileArgument(arg, optionsEnded, options.File, "counted", error);
  });
  if (!walked) return std::nullopt;
  options.Preset = style.Preset;
  options.StyleFile = style.StyleFile;
  if (options.File.empty()) {
    error = "usage: vorna-editor --stats [--preset N | --style FILE.ini] [--] FILE";
    return std::nullopt;
  }
  return options;
}

int RunStats(const TStatsOptions& options, std::FILE* out) {
  std::string reason;
  if (!CheckTextInput(options.File, reason)) return CommandFailure(kExitFile, options.File + ": " + reason);
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
    // Counts of part of the text would be wrong without a sign of it.
    const TReadOnlyReason readOnly = editor.View().List().ReadOnlyReason();
    if (readOnly == TReadOnlyReason::LostCharacters || readOnly == TReadOnlyReason::NulByte)
      return CommandFailure(kExitFile,
                            options.File + ": its text could not be read whole, so it is not counted");
    TDocumentCounts counts(editor.View().List());
    const TDocumentTotals& totals = counts.Totals();
    const int pages = PrintedPageCount(editor.View());
    std::fprintf(out,
                 "characters: %lld\ncharacters_with_spaces: %lld\nmanuscript_pages_400: %lld\npages: %d\n"
                 "lines: %lld\nparagraphs: %lld\nruby: %lld\n",
                 static_cast<long long>(totals.Characters),
                 static_cast<long long>(totals.CharactersWithSpaces), static_cast<long long>(totals.Pages),
                 pages, static_cast<long long>(totals.Lines), static_cast<long long>(totals.Paragraphs),
                 static_cast<long long>(totals.Rubies));
  } catch (const EFileError& e) {
    return CommandFailure(kExitFile, e.what());
  } catch (const std::exception& e) {
    return CommandFailure(kExitFile, std::string("counting failed: ") + e.what());
  }
  return kExitDone;
}

}  // namespace vorna
