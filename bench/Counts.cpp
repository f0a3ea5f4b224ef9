// The document's counts in the 100 MB corpus document: their update after
// one keystroke (a typed character, an Enter) against a full recount in the
// same run, and the keystroke itself with and without the counts following.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchDocuments.h"
#include "document/DocumentCounts.h"
#include "document/EditLists.h"
#include "text/Cp932.h"
#include "text/ShiftJis.h"

namespace {

using namespace vorna;

constexpr size_t kMegabytes = 100;

// The first character boundary at or after the middle of `text`.
size_t Middle(const std::string& text) {
  size_t at = 0;
  while (at < text.size() / 2) at += IsDoubleByteAt(text, at) ? 2 : 1;
  return at;
}

// The laid-out document, built once for the whole run, and a paragraph of
// several rows near its middle.
struct TBenchDocument {
  std::unique_ptr<TEditList> List;
  int Line = 0;
  std::string Original, Typed;
};

TBenchDocument* Document(benchmark::State& state) {
  if (!bench::NeedCorpus(state, kMegabytes)) return nullptr;
  static TBenchDocument document = [] {
    TBenchDocument d;
    d.List = bench::LaidOut(bench::Text(kMegabytes));
    d.Line = d.List->Count() / 2;
    while (d.Line + 1 < d.List->Count() && d.List->Get(d.Line).size() < 200) ++d.Line;
    d.Original = d.List->Get(d.Line);
    const size_t half = Middle(d.Original);
    d.Typed = d.Original.substr(0, half) + Cp932Lit("あ") + d.Original.substr(half);
    return d;
  }();
  return &document;
}

// What the counts add to a keystroke: the changed line counted again and the
// totals moved, as the document's change notice asks.
void BM_CountsUpdateAfterCharacter(benchmark::State& state) {
  TBenchDocument* d = Document(state);
  if (!d) return;
  TDocumentCounts counts(*d->List);
  benchmark::DoNotOptimize(counts.Totals());
  for (auto _ : state) {
    counts.LinesReplaced(d->Line, 1, 1);
    benchmark::DoNotOptimize(counts.Totals().Pages);
  }
  state.counters["lines"] = d->List->Count();
  state.counters["line_bytes"] = static_cast<double>(d->Original.size());
}
BENCHMARK(BM_CountsUpdateAfterCharacter)->Unit(benchmark::kMicrosecond);

// An Enter in the middle line and its deletion again, alternately: a line
// inserted into and removed from the per-line counts.
void BM_CountsUpdateAfterEnter(benchmark::State& state) {
  TBenchDocument* d = Document(state);
  if (!d) return;
  TDocumentCounts counts(*d->List);
  benchmark::DoNotOptimize(counts.Totals());
  const size_t half = Middle(d->Original);
  const std::string head = d->Original.substr(0, half), tail = d->Original.substr(half);
  bool split = false;
  for (auto _ : state) {
    split = !split;
    if (split) {
      d->List->Put(d->Line, head);
      d->List->Insert(d->Line + 1, tail);
    } else {
      d->List->Put(d->Line, d->Original);
      d->List->Delete(d->Line + 1);
    }
    benchmark::DoNotOptimize(counts.Totals().Pages);
  }
  if (split) {
    d->List->Put(d->Line, d->Original);
    d->List->Delete(d->Line + 1);
  }
}
BENCHMARK(BM_CountsUpdateAfterEnter)->Unit(benchmark::kMicrosecond);

// The whole document counted again, as after a reset: what the update saves.
void BM_CountsFullRecount(benchmark::State& state) {
  TBenchDocument* d = Document(state);
  if (!d) return;
  TDocumentCounts counts(*d->List);
  for (auto _ : state) {
    counts.Recount();
    benchmark::DoNotOptimize(counts.Totals().Pages);
  }
  state.counters["pages_400"] = static_cast<double>(counts.Totals().Pages);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bench::Text(kMegabytes).size()));
}
BENCHMARK(BM_CountsFullRecount)->Unit(benchmark::kMillisecond)->Iterations(3);

// A typed character and its deletion, alternately, through the document's
// own edit (its rows re-wrapped): Arg 1 with the counts following, 0 without.
void BM_KeystrokeWithCounts(benchmark::State& state) {
  TBenchDocument* d = Document(state);
  if (!d) return;
  std::unique_ptr<TDocumentCounts> counts;
  if (state.range(0)) {
    counts = std::make_unique<TDocumentCounts>(*d->List);
    benchmark::DoNotOptimize(counts->Totals());
  }
  bool flip = false;
  for (auto _ : state) {
    d->List->Put(d->Line, flip ? d->Original : d->Typed);
    flip = !flip;
    if (counts) benchmark::DoNotOptimize(counts->Totals().Pages);
  }
  d->List->Put(d->Line, d->Original);
}
BENCHMARK(BM_KeystrokeWithCounts)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
