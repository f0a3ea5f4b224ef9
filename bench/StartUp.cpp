// The main window from its construction to its first painted page: with an
// empty document, and with a 10 MB and a 100 MB corpus-built document named
// on the command line (written to a temporary file first). "peak_MB" is the
// process's peak resident memory after the run: run one size alone
// (--benchmark_filter=StartUp/100) to read it for that size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "BenchCorpus.h"
#include "MainForms.h"
#include "QtBenchApps.h"
#include "control/ControlServices.h"
#include "control/ViewWidgets.h"
#include "platform/qt/QtPrinterBackend.h"
#include "print/LpPrinters.h"

namespace {

using namespace vorna;

// Arg: megabytes of text, 0 for an empty document.
void BM_StartUp(benchmark::State& state) {
  const size_t megabytes = static_cast<size_t>(state.range(0));
  if (megabytes && !bench::NeedCorpus(state, megabytes)) return;
  bench::EnsureApplication();
  qt::TQtPrinterBackend printer;
  TLpPrinter access;
  access.SetBackend(&printer);
  const std::string path = (std::filesystem::temp_directory_path() / "vorna-startup-bench.txt").string();
  if (megabytes) {
    std::ofstream(path, std::ios::binary) << bench::Text(megabytes);
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
  }
  for (auto _ : state) {
    control::TQtServiceSet services(&access);
    app::TVORNAEditorMain window(services.Services());
    if (megabytes) window.OpenFromCommandLine(path);
    window.show();
    control::TViewWidget& view = window.Editor().ViewWidget();
    while (view.PaintCount() == 0) QApplication::processEvents(QEventLoop::AllEvents, 5);
    state.PauseTiming();
    window.close();
    state.ResumeTiming();
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
  if (megabytes) std::filesystem::remove(path);
}
BENCHMARK(BM_StartUp)->Arg(0)->Arg(10)->Arg(100)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
