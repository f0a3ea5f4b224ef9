// Developer tool: paints a CP932 text file as the page view shows it under an
// editor preset, through the Qt canvas on images, one PNG per sheet:
//   page-render FILE PRESET OUT-FOLDER [--pages A-B] [--zoom P]
// OUT-FOLDER/page-NNN.png is sheet NNN (from 1) with the workspace gap
// around it; --pages picks the sheets that hold pages A to B. Without paper
// (window mode) one image of the window is written. Exit status: 0 done,
// 1 a file could not be read or written, 2 bad arguments.
#include <QApplication>
#include <QDir>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PageRenders.h"
#include "platform/Files.h"
#include "platform/qt/QtFonts.h"

namespace {

using namespace vorna;

constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 400;
struct TOptions {
  std::string File;
  int Preset = 0;
  std::string OutFolder;
  int FirstPage = 1;  // 1-based
  int LastPage = 0;   // 0: to the end
  int Zoom = 100;     // percent
};

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int Usage(const char* problem) {
  std::fprintf(stderr,
               "page-render: %s\n"
               "usage: page-render FILE PRESET OUT-FOLDER [--pages A-B] [--zoom P]\n"
               "  PRESET 0..%d, pages from 1 (A or A-B), zoom %d..%d percent\n",
               problem, kPresetCount - 1, kMinZoom, kMaxZoom);
  return 2;
}

// The options; nothing after a usage message.
std::optional<TOptions> ParseArguments(int argc, char** argv) {
  std::vector<std::string> positional;
  TOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--pages" || arg == "--zoom") {
      if (i + 1 >= argc) {
        Usage((std::string(arg) + " needs a value").c_str());
        return std::nullopt;
      }
      const std::string_view value = argv[++i];
      if (arg == "--zoom") {
        const auto zoom = ParseInt(value);
        if (!zoom || *zoom < kMinZoom || *zoom > kMaxZoom) {
          Usage("--zoom must be a whole percentage in range");
          return std::nullopt;
        }
        options.Zoom = *zoom;
      } else {
        const size_t dash = value.find('-');
        const auto first = ParseInt(value.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : ParseInt(value.substr(dash + 1));
        if (!first || !last || *first < 1 || *last < *first) {
          Usage("--pages must be A or A-B with 1 <= A <= B");
          return std::nullopt;
        }
        options.FirstPage = *first;
        options.LastPage = *last;
      }
    } else if (arg.starts_with("--")) {
      Usage(("unknown option " + std::string(arg)).c_str());
      return std::nullopt;
    } else {
      positional.emplace_back(arg);
    }
  }
  if (positional.size() != 3) {
    Usage("FILE, PRESET and OUT-FOLDER are needed");
    return std::nullopt;
  }
  const auto preset = ParseInt(positional[1]);
  if (!preset || !IsPresetIndex(*preset)) {
    Usage("PRESET must be a preset number");
    return std::nullopt;
  }
  options.File = positional[0];
  options.Preset = *preset;
  options.OutFolder = positional[2];
  return options;
}

bool SaveImage(const QImage& image, const std::string& folder, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "page-%03d.png", number);
  const QString path = QDir(QString::fromStdString(folder)).filePath(name);
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "page-render: cannot write %s\n", path.toLocal8Bit().constData());
    return false;
  }
  std::printf("%s\t%dx%d\n", path.toLocal8Bit().constData(), image.width(), image.height());
  return true;
}

// Paints every sheet that holds a page of the range.
int RenderSheets(TPageRenderer& renderer, const TOptions& options) {
  const TEditorView& view = renderer.View();
  if (options.FirstPage > view.PageCount()) {
    std::fprintf(stderr, "page-render: %s has %d page(s)\n", options.File.c_str(), view.PageCount());
    return 2;
  }
  const int lastPage = options.LastPage > 0 ? std::min(options.LastPage, view.PageCount()) : view.PageCount();
  for (int sheet = renderer.SheetOfPage(options.FirstPage - 1); sheet <= renderer.SheetOfPage(lastPage - 1);
       ++sheet)
    if (!SaveImage(renderer.RenderSheet(sheet), options.OutFolder, sheet + 1)) return 1;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<TOptions> options = ParseArguments(argc, argv);
  if (!options) return 2;

  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  qt::InstallFontSubstitutions();

  TPageRenderer renderer(options->Preset, options->Zoom);
  try {
    if (!renderer.Services().Files->FileExists(options->File)) {
      std::fprintf(stderr, "page-render: no file %s\n", options->File.c_str());
      return 1;
    }
    renderer.LoadFromFile(options->File);
  } catch (const EFileError& e) {
    std::fprintf(stderr, "page-render: %s: %s\n", e.Path.c_str(), e.Reason.c_str());
    return 1;
  }
  if (!QDir().mkpath(QString::fromStdString(options->OutFolder))) {
    std::fprintf(stderr, "page-render: cannot make the folder %s\n", options->OutFolder.c_str());
    return 1;
  }
  if (renderer.View().PaperMode()) return RenderSheets(renderer, *options);
  return SaveImage(renderer.RenderSheet(0), options->OutFolder, 1) ? 0 : 1;
}
