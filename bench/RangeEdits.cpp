// Range edits on a novel-length document: a 1 KB multi-line paste inserted in
// the middle and deleted again, against a 100 KB document in the same run, and
// the scan rate of a search for a word the document does not hold.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchDocuments.h"
#include "document/EditResults.h"
#include "text/Cp932.h"
#include "text/ShiftJis.h"
#include "text/TextUtils.h"

namespace {

using namespace vorna;
using vorna::bench::LaidOut;
using vorna::bench::Text;

// Arg: megabytes (0 = 100 KB). Pasting 1 KB of lines into the middle of a
// paragraph and deleting it again, alternately; the time is per operation.
void BM_PasteOrDelete(benchmark::State& state) {
  const std::string& text = Text(static_cast<size_t>(state.range(0)));
  if (text.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  auto list = LaidOut(text);
  const std::string paste = bench::KilobyteOf(text);
  int line = list->Count() / 2;
  while (line + 1 < list->Count() && list->Get(line).size() < 100) ++line;
  const TDisplayPos at = list->DocToDisplay({1, line});
  TEditResult result;
  bool inserted = false;
  for (auto _ : state) {
    if (inserted) {
      list->DeleteRange(result.InsertStart, result.CaretPos, result, false);
    } else {
      list->InsertText(at, paste, result, false);
    }
    inserted = !inserted;
  }
  state.counters["rows"] = list->RowCount();
  state.counters["paste_bytes"] = static_cast<double>(paste.size());
  state.counters["paste_lines"] = static_cast<double>(SplitText(paste, "\r\n").size());
}
BENCHMARK(BM_PasteOrDelete)->Arg(0)->Arg(10)->Unit(benchmark::kMicrosecond);

// Arg: megabytes. A forward search from the top for a word the text lacks.
void BM_FindAbsentWord(benchmark::State& state) {
  const std::string& text = Text(static_cast<size_t>(state.range(0)));
  if (text.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  auto list = LaidOut(text);
  const std::string word = Cp932Lit("ＶＯＲＮＡ語彙");
  if (text.find(word) != std::string::npos)
    return state.SkipWithError("the search word occurs in the corpus");
  TDisplayPos found;
  for (auto _ : state) {
    list->FindText(word, {1, 0}, found, 1, true);
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FindAbsentWord)->Arg(10)->Unit(benchmark::kMillisecond);

// Arg: megabytes. Deleting the first half of the document in one range: every
// line of the range is deleted on its own, so the cost grows with the lines
// deleted times the rows behind them.
void BM_DeleteFirstHalf(benchmark::State& state) {
  const std::string& text = Text(static_cast<size_t>(state.range(0)));
  if (text.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  int lines = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto list = LaidOut(text);
    const TDisplayPos end = list->DocToDisplay({1, list->Count() / 2});
    lines = list->Count() / 2;
    TEditResult result;
    state.ResumeTiming();
    list->DeleteRange({1, 0}, end, result, false);
  }
  state.counters["lines_deleted"] = lines;
}
BENCHMARK(BM_DeleteFirstHalf)->Arg(1)->Arg(2)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
