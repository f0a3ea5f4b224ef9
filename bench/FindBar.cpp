// What a keystroke in the find bar costs on the 100 MB corpus document in a
// 1,000 x 800 window (preset 0): the search compiled and set on the view,
// the first match from the caret selected and the window repainted with the
// matches coloured; the count the bar takes in slices, whole and per slice;
// the same keystroke on a document of one 50 MB line; and a 1 MB pattern.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "BenchCorpus.h"
#include "FindBars.h"
#include "PageRenders.h"
#include "QtBenchApps.h"
#include "document/MatchCounts.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"

namespace {

using namespace vorna;

constexpr size_t kDocumentMegabytes = 100;
constexpr size_t kLineMegabytes = 50;

// The window over `text` with the caret in the middle of its rows, painted once.
std::unique_ptr<TPageRenderer> Window(const std::string& text) {
  bench::EnsureApplication();
  auto renderer = std::make_unique<TPageRenderer>(0, 100);
  renderer->Host().SetSize(1000, 800);
  TEditorView& view = renderer->View();
  view.List().SetText(text);
  view.DocumentChanged();
  view.SetCaretPos({5, view.List().RowCount() / 2}, cmAbsolute);
  renderer->Host().PaintAll();
  return renderer;
}

TPageRenderer& Shared100MB() {
  static std::unique_ptr<TPageRenderer> window = Window(bench::Text(kDocumentMegabytes));
  return *window;
}

// The 50 MB text as one line.
std::string OneLine() {
  std::string text = bench::Text(kLineMegabytes);
  std::erase(text, '\r');
  std::erase(text, '\n');
  return text;
}

// One keystroke: the pattern grows from "し" to "した" and back, found from
// the selection's start as the bar does, then the repaint.
void Keystroke(benchmark::State& state, TPageRenderer& window, const std::string& longer) {
  TEditorView& view = window.View();
  const std::string shorter = longer.substr(0, 2);
  bool grow = true;
  int found = 0;
  for (auto _ : state) {
    auto search = std::make_shared<const TTextSearch>(grow ? longer : shorter, view.SearchOptionsFor({}));
    view.SetSearch(search);
    found += view.FindWithSearch(true, true).Found ? 1 : 0;
    window.Host().Update();
    grow = !grow;
  }
  state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

// Arg 0: a common word (found near the caret); 1: a word that is nowhere,
// so the wrapping search reads the whole document before saying so.
void BM_KeystrokeToFirstMatch100MB(benchmark::State& state) {
  if (!bench::NeedCorpus(state, kDocumentMegabytes)) return;
  Keystroke(state, Shared100MB(), Cp932Lit(state.range(0) ? "しＸＹＺ" : "した"));
}
BENCHMARK(BM_KeystrokeToFirstMatch100MB)->ArgName("absent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The bar's count of the common word: every slice of the event loop, and the
// longest one.
void BM_CountInSlices100MB(benchmark::State& state) {
  if (!bench::NeedCorpus(state, kDocumentMegabytes)) return;
  const TEditList& list = Shared100MB().View().List();
  const auto search = std::make_shared<const TTextSearch>(Cp932Lit("した"), TSearchOptions{});
  double longestMs = 0;
  int slices = 0, count = 0;
  for (auto _ : state) {
    TMatchCounter counter;
    counter.Start(list, search);
    slices = 0;
    bool done = false;
    while (!done) {
      const auto start = std::chrono::steady_clock::now();
      done = counter.Step(app::TFindBar::kCountSliceBytes);
      const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      longestMs = std::max(longestMs, took.count());
      ++slices;
    }
    count = counter.Count();
  }
  state.counters["matches"] = count;
  state.counters["slices"] = slices;
  state.counters["longest_slice_ms"] = longestMs;
}
BENCHMARK(BM_CountInSlices100MB)->Unit(benchmark::kMillisecond);

// One 50 MB line: the keystroke (the repaint searches the whole line once
// for the rows it shows), and the count, which cannot be cut inside a line.
void BM_KeystrokeOnOneLine50MB(benchmark::State& state) {
  if (!bench::NeedCorpus(state, kLineMegabytes)) return;
  const auto window = Window(OneLine());
  Keystroke(state, *window, Cp932Lit("した"));
}
BENCHMARK(BM_KeystrokeOnOneLine50MB)->Unit(benchmark::kMillisecond);

// The colouring alone on the 50 MB line: the cell styles of 40 rows in its
// middle after a new search, with the notation shown as written and hidden
// from the cells (painting such a line with ruby shown is left out: drawing
// its ruby walks the line's rows, whatever is searched).
void BM_ColouringOneLine50MB(benchmark::State& state) {
  if (!bench::NeedCorpus(state, kLineMegabytes)) return;
  bench::EnsureApplication();
  TPageRenderer window(0, 100);
  window.Host().SetSize(1000, 800);
  TEditorView& view = window.View();
  if (state.range(0)) {
    for (const int element : {kElemRubi, kElemFootNote})
      view.EditorStyle()->GetViewInfo(element)->SetDisplayMode(kModeShown);
    view.ApplyStyle();
  }
  view.List().SetText(OneLine());
  view.DocumentChanged();
  const int middle = view.List().RowCount() / 2;
  int coloured = 0;
  for (auto _ : state) {
    view.SetSearch(std::make_shared<const TTextSearch>(Cp932Lit("した"), view.SearchOptionsFor({})));
    coloured = 0;
    for (int row = middle; row < middle + 40; ++row)
      for (const TCellStatus& cell : view.GetRowPaintInfo(row).Cells) coloured += cell.Style == kElemFind;
  }
  state.counters["coloured_cells"] = coloured;
  state.counters["ruby_hidden"] = view.List().Layout().Wrap.RubiVisible;
}
BENCHMARK(BM_ColouringOneLine50MB)->ArgName("hidden")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CountOneLine50MB(benchmark::State& state) {
  if (!bench::NeedCorpus(state, kLineMegabytes)) return;
  static const std::string line = OneLine();
  const TTextSearch search(Cp932Lit("した"), {});
  int count = 0;
  for (auto _ : state) {
    count = search.CountIn(line);
    benchmark::DoNotOptimize(count);
  }
  state.counters["matches"] = count;
}
BENCHMARK(BM_CountOneLine50MB)->Unit(benchmark::kMillisecond);

// A pasted 1 MB pattern: compiled, then the first match from the caret
// (none: the whole document is read) and the count.
void BM_MegabytePattern100MB(benchmark::State& state) {
  if (!bench::NeedCorpus(state, kDocumentMegabytes)) return;
  TEditorView& view = Shared100MB().View();
  std::string pattern = bench::Text(2).substr(0, size_t{1} << 20);
  std::erase(pattern, '\r');
  std::erase(pattern, '\n');
  int count = 0;
  for (auto _ : state) {
    auto search = std::make_shared<const TTextSearch>(pattern, view.SearchOptionsFor({}));
    view.SetSearch(search);
    benchmark::DoNotOptimize(view.FindWithSearch(true, true).Found);
    TMatchCounter counter;
    counter.Start(view.List(), search);
    while (!counter.Step(app::TFindBar::kCountSliceBytes)) {
    }
    count = counter.Count();
  }
  state.counters["matches"] = count;
}
BENCHMARK(BM_MegabytePattern100MB)->Unit(benchmark::kMillisecond);

}  // namespace
