// Typing into the middle of the 1,000 x 800 window (preset 0) of a 100 KB and
// a 100 MB corpus document in one run: one character, one Enter and a 1 KB
// paste through TypeText, each with its undo record and the repaint of the
// touched rows on a QImage. The 100 KB document is the baseline: the large
// one may cost only what its row table's searches add.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchCorpus.h"
#include "BenchDocuments.h"
#include "PageRenders.h"
#include "QtBenchApps.h"

namespace {

using namespace vorna;

// Arg: megabytes, 0 for 100 KB.
std::unique_ptr<TPageRenderer> MiddleOf(benchmark::State& state) {
  const size_t megabytes = static_cast<size_t>(state.range(0));
  if (!bench::NeedCorpus(state, megabytes)) return nullptr;
  bench::EnsureApplication();
  auto renderer = std::make_unique<TPageRenderer>(0, 100);
  renderer->Host().SetSize(1000, 800);
  TEditorView& view = renderer->View();
  view.List().SetText(bench::Text(megabytes));
  view.DocumentChanged();
  int row = view.List().RowCount() / 2;
  while (row + 1 < view.List().RowCount() && view.List().RowCellCount(row) < 30) ++row;
  view.SetCaretPos({5, row}, cmAbsolute);
  renderer->Host().PaintAll();
  state.counters["rows"] = view.List().RowCount();
  return renderer;
}

void Type(benchmark::State& state, const std::string& text) {
  auto renderer = MiddleOf(state);
  if (!renderer) return;
  for (auto _ : state) {
    renderer->View().TypeText(text, true);
    renderer->Host().Update();
  }
}

void BM_TypeCharacter(benchmark::State& state) { Type(state, "\x82\xa0"); }
BENCHMARK(BM_TypeCharacter)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_TypeEnter(benchmark::State& state) { Type(state, "\r\n"); }
BENCHMARK(BM_TypeEnter)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_PasteKilobyte(benchmark::State& state) {
  auto renderer = MiddleOf(state);
  if (!renderer) return;
  const std::string paste = bench::KilobyteOf(bench::Text(0));
  for (auto _ : state) {
    renderer->View().TypeText(paste, false);
    renderer->Host().Update();
  }
}
BENCHMARK(BM_PasteKilobyte)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
