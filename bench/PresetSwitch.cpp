// Switching the main window's preset (StyleIndex 0 -> 4 -> 0) with the 10 MB
// corpus-built document open, up to the repainted window, against one full
// layout of the same document in the same window ("FullLayout"): the ratio
// of the two is the figure to read.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "BenchCorpus.h"
#include "MainForms.h"
#include "QtBenchApps.h"
#include "control/ControlServices.h"
#include "control/ViewWidgets.h"
#include "platform/qt/QtPrinterBackend.h"
#include "print/LpPrinters.h"

namespace {

using namespace vorna;

// The window with the 10 MB document, shown and painted once; one for the
// program, as opening the file costs more than what is measured.
class TOpenWindow {
 public:
  TOpenWindow() {
    FAccess.SetBackend(&FPrinter);
    for (int i = 0; i < FAccess.Info().Count(); ++i)
      if (FAccess.Info().Names(i) == qt::kPdfPrinterName) FPrinter.SetPrinterIndex(i);
    FServices = std::make_unique<control::TQtServiceSet>(&FAccess);
    FServices->PageMetrics().UpdatePrinterMetrics(FAccess);
    FServices->PageMetrics().ReadPrinterPaper(FAccess, false);
    const std::string path = (std::filesystem::temp_directory_path() / "vorna-preset-bench.txt").string();
    std::ofstream(path, std::ios::binary) << bench::Text(10);
    FWindow = std::make_unique<app::TVORNAEditorMain>(FServices->Services());
    FWindow->OpenFromCommandLine(path);
    std::filesystem::remove(path);
    FWindow->show();
    WaitForPaint();
  }
  ~TOpenWindow() { FWindow.reset(); }
  app::TVORNAEditorMain& Window() { return *FWindow; }
  // Runs the event loop until the view has painted again.
  void WaitForPaint() {
    control::TViewWidget& view = FWindow->Editor().ViewWidget();
    const int painted = view.PaintCount();
    while (view.PaintCount() == painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }

 private:
  // The printer object needs the application first.
  bool FApplication = (bench::EnsureApplication(), true);
  qt::TQtPrinterBackend FPrinter;
  TLpPrinter FAccess;
  std::unique_ptr<control::TQtServiceSet> FServices;
  std::unique_ptr<app::TVORNAEditorMain> FWindow;
};

TOpenWindow* Opened(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 10)) return nullptr;
  static TOpenWindow window;
  return &window;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// One iteration: to preset 4 and back to 0, each up to the repainted window.
void BM_PresetSwitch(benchmark::State& state) {
  TOpenWindow* opened = Opened(state);
  if (!opened) return;
  control::TEditor& editor = opened->Window().Editor();
  double toPaper = 0, toWindow = 0;
  const int before = editor.EditorView().LayoutCount();
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    editor.SetStyleIndex(4);
    opened->WaitForPaint();
    const auto middle = std::chrono::steady_clock::now();
    editor.SetStyleIndex(0);
    opened->WaitForPaint();
    toPaper += Seconds(middle - start);
    toWindow += Seconds(std::chrono::steady_clock::now() - middle);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["to_4_s"] = toPaper / n;
  state.counters["to_0_s"] = toWindow / n;
  state.counters["layouts"] = editor.EditorView().LayoutCount() - before;
}
BENCHMARK(BM_PresetSwitch)->Iterations(3)->Unit(benchmark::kMillisecond);

// The baseline: the view lays the whole document out again under preset 0.
void BM_FullLayout(benchmark::State& state) {
  TOpenWindow* opened = Opened(state);
  if (!opened) return;
  TEditorView& view = opened->Window().View();
  const int before = view.LayoutCount();
  for (auto _ : state) view.DocumentChanged();
  state.counters["layouts"] = view.LayoutCount() - before;
  state.counters["lines"] = view.List().Count();
  state.counters["rows"] = view.List().RowCount();
}
BENCHMARK(BM_FullLayout)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
