// Painting the text of one full manuscript page (preset 4, twenty rows of
// twenty squares, corpus text dense in ruby) on a QImage, warm and cold, and
// repainting the rows a typed character touches, against the platform
// benchmark's 800-cell vertical page as the floor, all in one run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "BenchCorpus.h"
#include "PageRenders.h"
#include "QtBenchApps.h"
#include "VerticalPages.h"
#include "platform/qt/QtGlyphCache.h"

namespace {

using namespace vorna;

constexpr int kRowsShown = 20;

using bench::EnsureApplication;

// Preset 4 over 80 KB of the corpus's novel text (past the header of its
// first file, where ruby stands every few lines) in a window of twenty rows.
std::unique_ptr<TPageRenderer> ManuscriptPage(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 0)) return nullptr;
  EnsureApplication();
  auto renderer = std::make_unique<TPageRenderer>(4, 100);
  const std::string& text = bench::Text(0);
  const size_t from = text.find("\r\n", 20000) + 2;
  renderer->SetText(std::string_view(text).substr(from));
  TEditorView& view = renderer->View();
  const int width = kRowsShown * view.LinePitch();
  const int height =
      view.LineInfoWidth() + view.TextLeftMarginPx() + (view.CharsPerRow() + 3) * view.CellPitch();
  renderer->Host().SetSize(width, height);
  renderer->Host().PaintAll();  // caches warm
  // VORNA_BENCH_IMAGE=FILE.png keeps the page measured, to look at.
  if (const char* file = std::getenv("VORNA_BENCH_IMAGE")) renderer->Host().Image().save(file, "PNG");
  state.counters["cells_per_row"] = view.CharsPerRow();
  state.counters["rows_shown"] = static_cast<double>(width) / view.LinePitch();
  return renderer;
}

void BM_FloorVerticalPageWarm(benchmark::State& state) {
  EnsureApplication();
  QPainter painter(&bench::Page());
  bench::DrawPage(painter);
  for (auto _ : state) bench::DrawPage(painter);
}
BENCHMARK(BM_FloorVerticalPageWarm)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PaintManuscriptPageWarm(benchmark::State& state) {
  auto renderer = ManuscriptPage(state);
  if (!renderer) return;
  for (auto _ : state) renderer->Host().PaintAll();
}
BENCHMARK(BM_PaintManuscriptPageWarm)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Cold: the row cache and the glyph caches emptied before every paint.
void BM_PaintManuscriptPageCold(benchmark::State& state) {
  auto renderer = ManuscriptPage(state);
  if (!renderer) return;
  for (auto _ : state) {
    renderer->View().InvalidateRowCache();
    qt::ClearFontCache();
    renderer->Host().PaintAll();
  }
}
BENCHMARK(BM_PaintManuscriptPageCold)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A character typed on the page's fifth row, then the repaint of that row and
// the rows after it (what the view marks); the typing and its undo are not timed.
void BM_RepaintAfterTyping(benchmark::State& state) {
  auto renderer = ManuscriptPage(state);
  if (!renderer) return;
  TEditorView& view = renderer->View();
  const std::string typed = "\x82\xA0";  // "あ"
  const TDisplayPos at{3, 4};
  view.SetCaretPos(at);
  renderer->Host().PaintAll();
  for (auto _ : state) {
    state.PauseTiming();
    TReplaceRequest insert;
    insert.RangeStart = insert.RangeEnd = insert.InsertAt = at;
    insert.Text = typed;
    view.ReplaceText(insert);
    state.ResumeTiming();
    renderer->Host().Update();
    state.PauseTiming();
    TReplaceRequest remove;
    remove.RangeStart = at;
    remove.RangeEnd = {at.Column + 2, at.Row};
    view.ReplaceText(remove);
    renderer->Host().Update();
    state.ResumeTiming();
  }
  double area = 0;
  for (const TRect& r : renderer->Host().LastPainted()) area += static_cast<double>(r.Width()) * r.Height();
  state.counters["painted_px"] = area;
}
BENCHMARK(BM_RepaintAfterTyping)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
