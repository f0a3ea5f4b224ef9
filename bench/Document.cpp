// Loading and laying out a novel-length document, and the cost of one
// keystroke and one line insertion in the middle of it, against a 100 KB
// document in the same run.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>

#include "BenchDocuments.h"
#include "document/EditLists.h"
#include "text/Cp932.h"

namespace {

using namespace vorna;
using vorna::bench::LaidOut;
using vorna::bench::Text;

// Bytes in use on the heap, large blocks the allocator maps on their own included.
size_t HeapBytes() {
  const auto info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Arg: megabytes of text.
void BM_LoadAndLayout(benchmark::State& state) {
  const std::string& text = Text(static_cast<size_t>(state.range(0)));
  if (text.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  int rows = 0, projected = 0;
  bool warned = false;
  double heapPerMb = 0;
  for (auto _ : state) {
    const size_t before = HeapBytes();
    TEditList list(bench::Files(), bench::Messages());
    list.OnRelayoutProgress = [&](TEditList*, int stage, int, bool&) { warned |= stage == rsSlowLayout; };
    list.SetText(text);
    list.SetWrapInputs({.CapacityCells = 40});
    list.Relayout();
    rows = list.RowCount();
    projected = list.FProjectedTime;
    heapPerMb = static_cast<double>(HeapBytes() - before) / (static_cast<double>(text.size()) / (1 << 20));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["rows"] = rows;
  state.counters["projected_s"] = projected;
  state.counters["slow_warning"] = warned;
  state.counters["heap_bytes_per_MB"] = heapPerMb;
}
BENCHMARK(BM_LoadAndLayout)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// Arg: megabytes of text (0 = 100 KB). Typing one character into the middle line.
void BM_TypeCharacter(benchmark::State& state) {
  const std::string& text = Text(static_cast<size_t>(state.range(0)));
  if (text.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  auto list = LaidOut(text);
  // A paragraph of several rows near the middle, so the keystroke re-wraps real text.
  int line = list->Count() / 2;
  while (line + 1 < list->Count() && list->Get(line).size() < 200) ++line;
  const std::string original(list->Get(line));
  const std::string typed =
      original.substr(0, original.size() / 2) + Cp932Lit("あ") + original.substr(original.size() / 2);
  bool flip = false;
  for (auto _ : state) {
    list->Put(line, flip ? original : typed);
    flip = !flip;
  }
  state.counters["lines"] = list->Count();
  state.counters["line_bytes"] = static_cast<double>(original.size());
}
BENCHMARK(BM_TypeCharacter)->Arg(0)->Arg(10)->Unit(benchmark::kMicrosecond);

// Arg: megabytes of text (0 = 100 KB). Inserting a line in the middle and
// deleting it again, alternately; the time is per operation.
void BM_InsertOrDeleteLine(benchmark::State& state) {
  const std::string& text = Text(static_cast<size_t>(state.range(0)));
  if (text.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  auto list = LaidOut(text);
  const int line = list->Count() / 2;
  const std::string inserted = Cp932Lit("「新しい行です。」");
  bool flip = false;
  for (auto _ : state) {
    if (flip) {
      list->Delete(line);
    } else {
      list->Insert(line, inserted);
    }
    flip = !flip;
  }
  state.counters["rows"] = list->RowCount();
}
BENCHMARK(BM_InsertOrDeleteLine)->Arg(0)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
