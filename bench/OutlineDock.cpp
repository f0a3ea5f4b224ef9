// The outline dock on the main window holding the 100 MB corpus-built
// document in 原稿用紙 (pages of 20 rows): showing it (a full scan and the
// tree), the refresh after one keystroke, and one keystroke with the dock
// shown against one with it hidden.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>

#include "BenchCorpus.h"
#include "MainForms.h"
#include "OutlineDocks.h"
#include "QtBenchApps.h"
#include "control/ControlServices.h"
#include "print/LpPrinters.h"
#include "text/Cp932.h"

namespace {

using namespace vorna;

class TOpenWindow {
 public:
  TOpenWindow() {
    FServices = std::make_unique<control::TQtServiceSet>(&FAccess);
    const std::string path = (std::filesystem::temp_directory_path() / "vorna-outline-bench.txt").string();
    std::ofstream(path, std::ios::binary) << bench::Text(100);
    FWindow = std::make_unique<app::TVORNAEditorMain>(FServices->Services());
    FWindow->ChoosePreset(4);
    FWindow->OpenFromCommandLine(path);
    std::filesystem::remove(path);
    FWindow->resize(1000, 800);
    FWindow->show();
    QApplication::processEvents();
    TEditorView& view = FWindow->View();
    // A paragraph in the middle, between headings.
    int line = view.List().Count() / 2;
    while (line + 1 < view.List().Count() && view.List().Get(line).size() < 200) ++line;
    view.JumpCaret(view.DisplayPosOf({static_cast<int>(view.List().Get(line).size()) + 1, line}));
  }
  app::TVORNAEditorMain& Window() { return *FWindow; }
  app::TOutlineDock& Dock() { return FWindow->OutlineDock(); }
  // Types a character and takes it back (two edits).
  void Keystroke() {
    TEditorView& view = FWindow->View();
    view.TypeText(Cp932Lit("あ"), true);
    view.DeleteBackward(tuCharacter);
  }

 private:
  bool FApplication = (bench::EnsureApplication(), true);
  TLpPrinter FAccess;
  std::unique_ptr<control::TQtServiceSet> FServices;
  std::unique_ptr<app::TVORNAEditorMain> FWindow;
};

TOpenWindow* Opened(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 100)) return nullptr;
  static TOpenWindow window;
  return &window;
}

// Showing the dock: every line scanned, the entries with their pages, the tree built.
void BM_OutlineDockShow(benchmark::State& state) {
  TOpenWindow* opened = Opened(state);
  if (!opened) return;
  for (auto _ : state) {
    opened->Dock().show();
    state.PauseTiming();
    opened->Dock().hide();
    state.ResumeTiming();
  }
  state.counters["entries"] = static_cast<double>(opened->Dock().Entries().size());
}
BENCHMARK(BM_OutlineDockShow)->Unit(benchmark::kMillisecond)->Iterations(3);

// The refresh that follows a keystroke (the items' texts and pages updated).
void BM_OutlineDockRefresh(benchmark::State& state) {
  TOpenWindow* opened = Opened(state);
  if (!opened) return;
  opened->Dock().show();
  for (auto _ : state) {
    state.PauseTiming();
    opened->Keystroke();
    state.ResumeTiming();
    opened->Dock().Refresh();
  }
  opened->Dock().hide();
}
BENCHMARK(BM_OutlineDockRefresh)->Unit(benchmark::kMillisecond);

// Arg: 1 with the dock shown, 0 hidden. One character typed and deleted in
// the window, the outline following at once, the tree later.
void BM_OutlineDockKeystroke(benchmark::State& state) {
  TOpenWindow* opened = Opened(state);
  if (!opened) return;
  opened->Dock().setVisible(state.range(0) == 1);
  for (auto _ : state) opened->Keystroke();
  opened->Dock().hide();
}
BENCHMARK(BM_OutlineDockKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
