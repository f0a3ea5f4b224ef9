// The command-line EPUB export: arguments, checks of the input and output
// files, the style, and the book of the document read without a view.
#include "EpubCommands.h"

#include <cstdio>
#include <exception>

#include "PageRenders.h"
#include "StyleArguments.h"
#include "document/DocumentLayouts.h"
#include "document/EditLists.h"
#include "export/EpubBooks.h"
#include "export/EpubContainers.h"
#include "platform/Files.h"
#include "platform/PosixFiles.h"
#include "settings/EditorStyles.h"

namespace vorna {
bool IsExportEpubCommand(const std::vector<std::string>& args) {
  return HasCommandOption(args, "--export-epub");
}

std::optional<TEpubExportOptions> ParseExportEpubArguments(const std::vector<std::string>& args,
                                                           std::string& error) {
  TEpubExportOptions options;
  TStyleChoice style;
  const bool walked = WalkArguments(args, style, error, [&](size_t& i, bool optionsEnded) {
    const std::string& arg = args[i];
    const bool takesValue =
        !optionsEnded && (arg == "--export-epub" || arg == "--title" || arg == "--author");
    if (takesValue && i + 1 >= args.size()) {
      error = arg + " needs a value";
      return false;
    }
    if (takesValue && arg == "--export-epub") {
      options.Output = args[++i];
    } else if (takesValue && arg == "--title") {
      options.Title = args[++i];
    } else if (takesValue) {
      options.Author = args[++i];
    } else {
      return TakeFileArgument(arg, optionsEnded, options.File, "exported", error);
    }
    return true;
  });
  if (!walked) return std::nullopt;
  options.Preset = style.Preset;
  options.StyleFile = style.StyleFile;
  if (options.Output.empty() || options.File.empty()) {
    error =
        "usage: vorna-editor --export-epub OUT.epub [--title T] [--author A] [--preset N | --style FILE.ini] "
        "[--] FILE";
    return std::nullopt;
  }
  return options;
}

int RunExportEpub(const TEpubExportOptions& options) {
  std::string reason;
  if (!CheckTextInput(options.File, reason)) return CommandFailure(kExitFile, options.File + ": " + reason);
  if (!CheckEpubOutput(options.Output, options.File, reason))
    return CommandFailure(kExitFile, options.Output + ": " + reason);
  try {
    TPosixFiles files;
    TConsoleMessages messages;
    auto style = MakeDataItem<TEditorStyle>();
    style->SetDefaultIndex(options.Preset);
    style->ApplyPreset();
    if (!options.StyleFile.empty()) {
      std::string warning;
      if (!LoadStyleFile(*style, files, options.StyleFile, reason, warning))
        return CommandFailure(kExitUsage, reason);
      if (!warning.empty()) std::fprintf(stderr, "vorna-editor: %s\n", warning.c_str());
    }
    // The book needs the lines and the heading marks, not the rows.
    TEditList list(files, messages);
    list.ApplyLayoutSettings(LayoutFromStyle(*style));
    list.LoadFromFile(options.File);
    const TReadOnlyReason readOnly = list.ReadOnlyReason();
    if (readOnly == TReadOnlyReason::LostCharacters || readOnly == TReadOnlyReason::NulByte)
      return CommandFailure(kExitFile,
                            options.File + ": its text could not be read whole, so it is not exported");
    TEpubOptions book;
    book.Title = options.Title;
    book.Author = options.Author;
    book.Vertical = style->GetVertical();
    WriteEpubFile(options.Output, ZipEpubBook(BuildEpubBook(list, book)));
  } catch (const EFileError& e) {
    return CommandFailure(kExitFile, e.what());
  } catch (const std::exception& e) {
    return CommandFailure(kExitFile, std::string("the EPUB export failed: ") + e.what());
  }
  return kExitDone;
}

}  // namespace vorna
