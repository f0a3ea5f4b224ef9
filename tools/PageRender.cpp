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
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/EditLists.h"
#include "platform/PlatformServices.h"
#include "platform/PosixFiles.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtImageViewHost.h"
#include "platform/qt/QtPrinterBackend.h"
#include "platform/qt/QtServices.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "settings/EditorStyles.h"
#include "view/BaseViews.h"

namespace {

using namespace vorna;

constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 400;
constexpr int kWindowWidth = 800;  // the client area in window mode
constexpr int kWindowHeight = 600;

// Messages go to standard error; questions are answered with Cancel.
class TConsoleMessages : public TMessageBoxes {
 public:
  void Beep(TBeep) override {}
  void ShowInfo(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  TMessageResult AskYesNoCancel(const std::string&) override { return TMessageResult::Cancel; }
};

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

// The view the tool paints. The document is unused until the editor view
// takes the base view's place here.
std::unique_ptr<TBaseView> MakeView(TViewHost& host, const TPlatformServices& services, TEditorStyle& style,
                                    TEditList& /*document*/) {
  return std::make_unique<TBaseView>(host, services, &style);
}

// Makes the "PDF file" printer current, so the page metrics are its A4 sheet.
void SelectPdfPrinter(qt::TQtPrinterBackend& backend) {
  LpPrinter.SetBackend(&backend);
  for (int i = 0; i < LpPrinter.Info().Count(); ++i)
    if (LpPrinter.Info().Names(i) == qt::kPdfPrinterName) backend.SetPrinterIndex(i);
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

// Paints every sheet that holds a page of the range, each at the place of
// sheet 0 in a client area of one sheet with its gaps.
int RenderSheets(TBaseView& view, qt::TQtImageViewHost& host, const TOptions& options) {
  host.SetSize(view.SheetWidth() + 2 * kSheetGap, view.SheetHeight() + 2 * kSheetGap);
  const int perSheet = view.PagesPerSheet();
  if (options.FirstPage > view.PageCount()) {
    std::fprintf(stderr, "page-render: %s has %d page(s)\n", options.File.c_str(), view.PageCount());
    return 2;
  }
  const int lastPage = options.LastPage > 0 ? std::min(options.LastPage, view.PageCount()) : view.PageCount();
  const TRect home = view.GetSheetRect(0);
  for (int sheet = (options.FirstPage - 1) / perSheet; sheet <= (lastPage - 1) / perSheet; ++sheet) {
    const TRect at = view.GetSheetRect(sheet);
    view.BeginPaintLock();
    view.SetOffset({view.Offset().X + home.Left - at.Left, view.Offset().Y + home.Top - at.Top});
    view.EndPaintLock(false);
    host.PaintAll();
    if (!SaveImage(host.Image(), options.OutFolder, sheet + 1)) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<TOptions> options = ParseArguments(argc, argv);
  if (!options) return 2;

  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  qt::InstallFontSubstitutions();

  TPosixFiles files;
  TConsoleMessages messages;
  auto style = MakeDataItem<TEditorStyle>();
  style->SetDefaultIndex(options->Preset);
  style->ApplyPreset();
  style->SetRatioValue(options->Zoom);

  TEditList document(files, messages);
  document.ApplyStyle(style.get());
  try {
    if (!files.FileExists(options->File)) {
      std::fprintf(stderr, "page-render: no file %s\n", options->File.c_str());
      return 1;
    }
    document.LoadFromFile(options->File);
  } catch (const EFileError& e) {
    std::fprintf(stderr, "page-render: %s: %s\n", e.Path.c_str(), e.Reason.c_str());
    return 1;
  }
  if (!QDir().mkpath(QString::fromStdString(options->OutFolder))) {
    std::fprintf(stderr, "page-render: cannot make the folder %s\n", options->OutFolder.c_str());
    return 1;
  }

  qt::TQtSystemMetrics screen;
  qt::TQtCanvasFactory canvases(screen);
  qt::TQtTimers timers;
  qt::TQtFontList fonts;
  qt::TQtPrinterBackend printer;
  SelectPdfPrinter(printer);
  TPageMetrics pageMetrics(&screen);
  pageMetrics.UpdatePrinterMetrics();
  pageMetrics.ReadPrinterPaper(false);
  TPlatformServices services;
  services.Canvases = &canvases;
  services.Metrics = &screen;
  services.Boxes = &messages;
  services.Files = &files;
  services.Timers = &timers;
  services.Fonts = &fonts;
  services.PageMetrics = &pageMetrics;

  int result = 0;
  {
    qt::TQtImageViewHost host(kWindowWidth, kWindowHeight, screen.ScreenPixelsPerInch());
    std::unique_ptr<TBaseView> view = MakeView(host, services, *style, document);
    host.OnPaint = [&](TCanvas& canvas, const TRect& clip) { view->Paint(canvas, clip); };
    host.OnResize = [&] { view->Resize(); };
    view->StyleChanged();  // a shared style is applied by its owner
    if (view->PaperMode()) {
      result = RenderSheets(*view, host, *options);
    } else {
      host.PaintAll();
      if (!SaveImage(host.Image(), options->OutFolder, 1)) result = 1;
    }
    host.OnPaint = nullptr;
    host.OnResize = nullptr;
  }
  LpPrinter.SetBackend(nullptr);
  return result;
}
