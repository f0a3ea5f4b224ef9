// The caret on corpus documents of 1, 10 and 100 MB in preset 0 (a 1,000 x
// 800 window), each move with its repaint on a QImage: one row crossed cell
// by cell, a page down and back, to the document's end and back, and the
// position under a random point of the page. Moving to the end is measured
// on all three sizes in one run: its time may grow only with the row
// table's binary search, not with the text.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "BenchCorpus.h"
#include "PageRenders.h"
#include "QtBenchApps.h"

namespace {

using namespace vorna;

std::unique_ptr<TPageRenderer> Document(benchmark::State& state, size_t megabytes) {
  if (!bench::NeedCorpus(state, megabytes)) return nullptr;
  bench::EnsureApplication();
  auto renderer = std::make_unique<TPageRenderer>(0, 100);
  renderer->Host().SetSize(1000, 800);
  renderer->View().List().SetText(bench::Text(megabytes));
  renderer->View().DocumentChanged();
  renderer->Host().PaintAll();  // caches warm
  state.counters["rows"] = renderer->View().List().RowCount();
  return renderer;
}

// The middle of the document, on a row that ends its line and is long.
void PlaceInTheMiddle(TEditorView& view) {
  int row = view.List().RowCount() / 2;
  while (row + 1 < view.List().RowCount() && view.List().RowCellCount(row) < 30) ++row;
  view.SetCaretPos({1, row}, cmAbsolute);
}

// One move of a cell, across the caret row and back again.
void BM_CaretAcrossRow(benchmark::State& state) {
  auto renderer = Document(state, 10);
  if (!renderer) return;
  TEditorView& view = renderer->View();
  PlaceInTheMiddle(view);
  const int cells = view.List().RowCellCount(view.CaretPos().Row);
  int step = 0;
  for (auto _ : state) {
    view.ExecuteCommand(step++ / cells % 2 ? ecCharBack : ecCharForward);
    renderer->Host().Update();
  }
}
BENCHMARK(BM_CaretAcrossRow)->Unit(benchmark::kMicrosecond);

// One page down (RowsPerPage rows), then one up.
void BM_CaretDownPage(benchmark::State& state) {
  auto renderer = Document(state, 10);
  if (!renderer) return;
  TEditorView& view = renderer->View();
  PlaceInTheMiddle(view);
  bool down = true;
  for (auto _ : state) {
    view.ExecuteCommand(down ? ecPageDown : ecPageUp);
    renderer->Host().Update();
    down = !down;
  }
  state.counters["rows_per_page"] = view.RowsPerPage();
}
BENCHMARK(BM_CaretDownPage)->Unit(benchmark::kMicrosecond);

// Arg: megabytes. To the document's end, then back to its start.
void BM_CaretToEnd(benchmark::State& state) {
  auto renderer = Document(state, static_cast<size_t>(state.range(0)));
  if (!renderer) return;
  TEditorView& view = renderer->View();
  bool end = true;
  for (auto _ : state) {
    view.ExecuteCommand(end ? ecDocEnd : ecDocStart);
    renderer->Host().Update();
    end = !end;
  }
}
BENCHMARK(BM_CaretToEnd)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// The caret position under a random point of the page shown.
void BM_PointToPos(benchmark::State& state) {
  auto renderer = Document(state, 10);
  if (!renderer) return;
  TEditorView& view = renderer->View();
  PlaceInTheMiddle(view);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(0, 999), y(0, 799);
  for (auto _ : state) benchmark::DoNotOptimize(view.PointToPos({x(random), y(random)}));
}
BENCHMARK(BM_PointToPos)->Unit(benchmark::kMicrosecond);

}  // namespace
