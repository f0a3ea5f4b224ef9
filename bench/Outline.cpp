// The outline of a 100 MB document: one keystroke and one line inserted with
// the outline following (its incremental rescan), against the full scan a
// replaced text needs, and the entries with their pages a refresh lists.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "BenchDocuments.h"
#include "document/EditLists.h"
#include "document/Outlines.h"
#include "text/Cp932.h"

namespace {

using namespace vorna;

// A document of `megabytes` MB of the corpus, not laid out (the outline needs no rows).
std::unique_ptr<TEditList> Document(size_t megabytes) {
  auto list = std::make_unique<TEditList>(bench::Files(), bench::Messages());
  list->SetText(bench::Text(megabytes));
  return list;
}

// A paragraph near the middle: typing re-scans real text.
int MiddleParagraph(const TEditList& list) {
  int line = list.Count() / 2;
  while (line + 1 < list.Count() && list.Get(line).size() < 200) ++line;
  return line;
}

void BM_OutlineFullScan(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 100)) return;
  const auto list = Document(100);
  size_t headings = 0;
  for (auto _ : state) headings = FindHeadings(*list, 0, list->Count() - 1).size();
  state.counters["headings"] = static_cast<double>(headings);
  state.counters["lines"] = list->Count();
}
BENCHMARK(BM_OutlineFullScan)->Unit(benchmark::kMillisecond)->Iterations(3);

// Arg: 1 with the outline following, 0 without (the document's own cost).
void BM_OutlineKeystroke(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 100)) return;
  const auto list = Document(100);
  TOutline outline(*list);
  outline.Update();
  if (state.range(0) == 0) list->RemoveLineObserver(&outline);
  const int line = MiddleParagraph(*list);
  const std::string original(list->Get(line));
  const std::string typed = original + Cp932Lit("あ");
  bool flip = false;
  for (auto _ : state) {
    list->Put(line, flip ? original : typed);
    flip = !flip;
  }
  state.counters["headings"] = static_cast<double>(outline.Headings().size());
}
BENCHMARK(BM_OutlineKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Arg as above. A line inserted and deleted in turn: every later heading moves.
void BM_OutlineLineInsert(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 100)) return;
  const auto list = Document(100);
  TOutline outline(*list);
  outline.Update();
  if (state.range(0) == 0) list->RemoveLineObserver(&outline);
  const int line = list->Count() / 2;
  const std::string inserted = Cp932Lit("「新しい行です。」");
  bool flip = false;
  for (auto _ : state) {
    if (flip)
      list->Delete(line);
    else
      list->Insert(line, inserted);
    flip = !flip;
  }
}
BENCHMARK(BM_OutlineLineInsert)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A keystroke in the one line of a 50 MB document: the outline scans the line.
void BM_OutlineKeystrokeInOneLine(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 50)) return;
  std::string line = bench::Text(50);
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  auto list = std::make_unique<TEditList>(bench::Files(), bench::Messages());
  list->SetText(line);
  TOutline outline(*list);
  outline.Update();
  if (state.range(0) == 0) list->RemoveLineObserver(&outline);
  const std::string typed = line + "x";
  bool flip = false;
  for (auto _ : state) {
    list->Put(0, flip ? line : typed);
    flip = !flip;
  }
  state.counters["headings"] = static_cast<double>(outline.Headings().size());
}
BENCHMARK(BM_OutlineKeystrokeInOneLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The entries a refresh lists, with their pages (20 rows a page) and scene numbers.
void BM_OutlineEntries(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 100)) return;
  const auto list = bench::LaidOut(bench::Text(100));
  TOutline outline(*list);
  outline.Update();
  const auto page = [&list](int line) { return list->FirstRowOfLine(line) / 20 + 1; };
  size_t entries = 0;
  for (auto _ : state) entries = OutlineEntries(outline.Headings(), *list, page).size();
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_OutlineEntries)->Unit(benchmark::kMillisecond);

}  // namespace
