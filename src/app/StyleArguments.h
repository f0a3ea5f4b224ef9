// The style options shared by the window's and the commands' command lines
// (--preset N | --style FILE.ini), the check that a named file holds text,
// the one reader of a style file, and what every command without a window
// shares: its exit statuses, how it is told, how it fails.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorna {

class TEditorStyle;
class TFileService;

struct TStyleChoice {
  int Preset = 0;
  bool PresetGiven = false;
  std::string StyleFile;  // empty: the preset
};

// Walks a command line: "--" ends the options, "--preset N" and "--style
// FILE" go into `style`, and every other argument is handed to
// other(i, optionsEnded), which may move i onto values it takes and returns
// false (with `error` set) to stop. False with `error` when the walk stopped,
// a style option was bad (a missing value, a preset outside 0 .. 27) or both
// --preset and --style were given.
bool WalkArguments(const std::vector<std::string>& args, TStyleChoice& style, std::string& error,
                   const std::function<bool(size_t& i, bool optionsEnded)>& other);

// `vorna-editor [--preset N | --style FILE.ini] [FILE | --recover RECOVERY]`.
struct TWindowOptions {
  TStyleChoice Style;
  std::string File;     // empty: a new document
  std::string Recover;  // a recovery file to restore instead of FILE
};
std::optional<TWindowOptions> ParseWindowArguments(const std::vector<std::string>& args, std::string& error);

// A readable regular file holding text (no NUL byte, UTF-16 told by its
// byte-order mark excepted): false with the reason otherwise.
bool CheckTextInput(const std::filesystem::path& path, std::string& reason);

// Reads the editor style of the INI file `path` (section "Style") into
// `style` in one change bracket; a preset number in the file builds that
// preset. A file that is missing, no text or holds no such section leaves
// `style` untouched: false with `error` ("PATH: reason"). Values that do not
// convert take their defaults and are named in `warning`.
bool LoadStyleFile(TEditorStyle& style, TFileService& files, const std::string& path, std::string& error,
                   std::string& warning);

// The argument that is no option of the command: an unknown option (before
// "--") or the one FILE, which `verb` names in the error when a second comes
// ("only one FILE can be printed"). False with `error` set.
bool TakeFileArgument(const std::string& arg, bool optionsEnded, std::string& file, const char* verb,
                      std::string& error);

// The exit statuses of the commands without a window: done, a file that
// cannot be read or written, bad arguments or a bad style.
constexpr int kExitDone = 0, kExitFile = 1, kExitUsage = 2;
// `option` names the command: it stands before any "--" (after it, it would
// be a file's name).
bool HasCommandOption(const std::vector<std::string>& args, std::string_view option);
// Writes "vorna-editor: MESSAGE" to standard error and returns `status`.
int CommandFailure(int status, const std::string& message);

}  // namespace vorna
