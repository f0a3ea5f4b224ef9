// The style options of the command lines and the reading of a style file.
#include "StyleArguments.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string_view>

#include "platform/Files.h"
#include "settings/EditorStyles.h"
#include "settings/IniStorages.h"
#include "settings/StyleChecks.h"
#include "text/TextEncodings.h"

namespace vorna {
namespace {

std::optional<int> ParseWholeInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

enum class TStyleArgument { NotStyle, Taken, Bad };

// Takes "--preset N" or "--style FILE" at args[i], moving i onto its value.
TStyleArgument TakeStyleArgument(const std::vector<std::string>& args, size_t& i, TStyleChoice& choice,
                                 std::string& error) {
  const std::string& arg = args[i];
  if (arg != "--preset" && arg != "--style") return TStyleArgument::NotStyle;
  if (i + 1 >= args.size()) {
    error = arg + " needs a value";
    return TStyleArgument::Bad;
  }
  const std::string& value = args[++i];
  if (arg == "--style") {
    choice.StyleFile = value;
    return TStyleArgument::Taken;
  }
  const auto preset = ParseWholeInt(value);
  if (!preset || !IsPresetIndex(*preset)) {
    error = "--preset must be a number from 0 to " + std::to_string(kPresetCount - 1);
    return TStyleArgument::Bad;
  }
  choice.Preset = *preset;
  choice.PresetGiven = true;
  return TStyleArgument::Taken;
}

}  // namespace

bool WalkArguments(const std::vector<std::string>& args, TStyleChoice& style, std::string& error,
                   const std::function<bool(size_t& i, bool optionsEnded)>& other) {
  bool optionsEnded = false;  // after "--" every argument is a file name
  for (size_t i = 0; i < args.size(); ++i) {
    if (!optionsEnded && args[i] == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded) {
      const TStyleArgument taken = TakeStyleArgument(args, i, style, error);
      if (taken == TStyleArgument::Bad) return false;
      if (taken == TStyleArgument::Taken) continue;
    }
    if (!other(i, optionsEnded)) return false;
  }
  if (style.PresetGiven && !style.StyleFile.empty()) {
    error = "--preset and --style exclude each other";
    return false;
  }
  return true;
}

std::optional<TWindowOptions> ParseWindowArguments(const std::vector<std::string>& args, std::string& error) {
  TWindowOptions options;
  const bool walked = WalkArguments(args, options.Style, error, [&](size_t& i, bool optionsEnded) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--recover") {
      if (i + 1 >= args.size()) {
        error = "--recover needs a recovery FILE";
        return false;
      }
      options.Recover = args[++i];
      return true;
    }
    return TakeFileArgument(arg, optionsEnded, options.File, "opened", error);
  });
  if (!walked) return std::nullopt;
  if (!options.Recover.empty() && !options.File.empty()) {
    error = "--recover opens no FILE besides";
    return std::nullopt;
  }
  return options;
}

bool CheckTextInput(const std::filesystem::path& path, std::string& reason) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) {
    reason = "no such file";
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    reason = "not a regular file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reason = "cannot be read";
    return false;
  }
  // A NUL byte would end the text there: such a file is no text document.
  // UTF-16 (told by its byte-order mark) holds NUL bytes in every ASCII
  // character; its decoded text is checked after loading instead.
  char buffer[1 << 16];
  in.read(buffer, 2);
  if (in.gcount() == 2 && (std::string_view(buffer, 2) == BomBytes(TEncoding::Utf16Le) ||
                           std::string_view(buffer, 2) == BomBytes(TEncoding::Utf16Be)))
    return true;
  in.clear();
  in.seekg(0);
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    if (std::char_traits<char>::find(buffer, static_cast<size_t>(in.gcount()), '\0')) {
      reason = "not a text file (it holds NUL bytes)";
      return false;
    }
  }
  return true;
}

bool LoadStyleFile(TEditorStyle& style, TFileService& files, const std::string& path, std::string& error,
                   std::string& warning) {
  warning.clear();
  std::string reason;
  if (!CheckTextInput(path, reason)) {
    error = path + ": " + reason;
    return false;
  }
  // Read into a copy first: the style changes only when the whole file was read.
  TDataItemPtr<TEditorStyle> loaded = MakeDataItem<TEditorStyle>();
  const std::string& section = style.GetSection();
  try {
    TIniStorage ini(files, path);
    if (!loaded->LoadFromStorage(ini, section)) {
      error = path + ": holds no editor style section [" + section + "]";
      return false;
    }
    for (const std::string& value : UnreadStyleValues(ini, section))
      warning += (warning.empty() ? "" : ", ") + value;
  } catch (const EFileError& e) {
    error = e.what();
    return false;
  }
  loaded->ApplyPreset();
  if (!warning.empty()) warning = path + ": values not understood, their defaults used: " + warning;
  style.Assign(loaded.get());
  return true;
}

bool TakeFileArgument(const std::string& arg, bool optionsEnded, std::string& file, const char* verb,
                      std::string& error) {
  if (!optionsEnded && !arg.empty() && arg[0] == '-') {
    error = "unknown option " + arg;
    return false;
  }
  if (!file.empty()) {
    error = std::string("only one FILE can be ") + verb;
    return false;
  }
  file = arg;
  return true;
}

bool HasCommandOption(const std::vector<std::string>& args, std::string_view option) {
  for (const std::string& a : args) {
    if (a == "--") return false;
    if (a == option) return true;
  }
  return false;
}

int CommandFailure(int status, const std::string& message) {
  std::fprintf(stderr, "vorna-editor: %s\n", message.c_str());
  return status;
}

}  // namespace vorna
