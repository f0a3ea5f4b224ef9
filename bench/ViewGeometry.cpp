// The editor view's geometry and layout on the 10 MB corpus document (preset
// 0 in a 1,000 x 800 window and the manuscript preset 4), and painting the
// paper of one sheet on a QImage through the image host.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "BenchCorpus.h"
#include "PageRenders.h"
#include "QtBenchApps.h"

namespace {

using namespace vorna;

constexpr int kClientWidth = 1000;
constexpr int kClientHeight = 800;

using bench::EnsureApplication;

// A renderer holding the 10 MB document under `preset`, laid out in a
// 1,000 x 800 client area; null when the corpus is absent.
std::unique_ptr<TPageRenderer> LargeDocument(benchmark::State& state, int preset) {
  if (!bench::NeedCorpus(state)) return nullptr;
  EnsureApplication();
  auto renderer = std::make_unique<TPageRenderer>(preset, 100);
  renderer->Host().SetSize(kClientWidth, kClientHeight);
  renderer->View().List().SetText(bench::Text());
  renderer->View().DocumentChanged();
  return renderer;
}

// Arg: preset. The geometry step alone, on the laid-out document.
void BM_CalcGeometry(benchmark::State& state) {
  auto renderer = LargeDocument(state, static_cast<int>(state.range(0)));
  if (!renderer) return;
  TEditorView& view = renderer->View();
  const TRect client = renderer->Host().ClientRect();
  for (auto _ : state) view.CalcGeometry(client);
  state.counters["chars_per_row"] = view.CharsPerRow();
}
BENCHMARK(BM_CalcGeometry)->Arg(0)->Arg(4)->Unit(benchmark::kMicrosecond);

// Arg: preset. Taking the 10 MB text and its full layout (geometry, wrapping
// of every line, page count), as after loading it: setting the text resets
// the document, which runs the view's forced layout.
void BM_FullLayout(benchmark::State& state) {
  auto renderer = LargeDocument(state, static_cast<int>(state.range(0)));
  if (!renderer) return;
  TEditorView& view = renderer->View();
  for (auto _ : state) view.List().SetText(bench::Text());
  state.counters["rows"] = view.List().RowCount();
  state.counters["pages"] = view.PageCount();
  state.counters["layouts"] = view.LayoutCount();
}
BENCHMARK(BM_FullLayout)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// Arg: preset. DocumentChanged on a document already laid out with the same
// inputs: what a second forced layout costs.
void BM_RepeatedForcedLayout(benchmark::State& state) {
  auto renderer = LargeDocument(state, static_cast<int>(state.range(0)));
  if (!renderer) return;
  for (auto _ : state) renderer->View().DocumentChanged();
}
BENCHMARK(BM_RepeatedForcedLayout)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

// Painting the paper of one visible sheet (back, hatching, frames, header and
// footer) of an empty document at preset 5, 100 %.
void BM_PaintPaperSheet(benchmark::State& state) {
  EnsureApplication();
  TPageRenderer renderer(5, 100);
  renderer.SetText("");
  renderer.RenderSheet(0);  // glyph caches warm
  for (auto _ : state) renderer.Host().PaintAll();
  const QImage& image = renderer.Host().Image();
  state.counters["width_px"] = image.width();
  state.counters["height_px"] = image.height();
}
BENCHMARK(BM_PaintPaperSheet)->Unit(benchmark::kMicrosecond);

}  // namespace
