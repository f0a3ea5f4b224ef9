// The find bar's search over the 100 MB corpus-built document: counting a
// common word with each kind of search against a plain std::string::find
// loop over the same text, the time to the first match from the caret, and
// one 50 MB line (no quadratic step).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "document/DocumentSearches.h"
#include "text/Cp932.h"
#include "text/TextSearches.h"

namespace {

using vorna::bench::NeedCorpus;
using vorna::bench::Text;

constexpr size_t kDocumentMegabytes = 100;
constexpr size_t kLineMegabytes = 50;

// The document of the 100 MB text, not laid out (counting reads lines only).
const vorna::TEditList& Document() {
  static std::unique_ptr<vorna::TEditList> list = [] {
    auto made = std::make_unique<vorna::TEditList>(vorna::bench::Files(), vorna::bench::Messages());
    made->SetText(Text(kDocumentMegabytes));
    return made;
  }();
  return *list;
}

// The 50 MB text as one line.
const std::string& LongLine() {
  static const std::string line = [] {
    std::string text = Text(kLineMegabytes);
    std::erase(text, '\r');
    std::erase(text, '\n');
    return text;
  }();
  return line;
}

const std::string& Word() { return vorna::Cp932Lit("した"); }

void BM_PlainFindLoop100MB(benchmark::State& state) {
  if (!NeedCorpus(state, kDocumentMegabytes)) return;
  const std::string_view text = Text(kDocumentMegabytes);
  const std::string& word = Word();
  size_t count = 0;
  for (auto _ : state) {
    count = 0;
    for (size_t p = text.find(word); p != std::string_view::npos; p = text.find(word, p + word.size()))
      ++count;
    benchmark::DoNotOptimize(count);
  }
  state.counters["matches"] = static_cast<double>(count);
}
BENCHMARK(BM_PlainFindLoop100MB)->Unit(benchmark::kMillisecond);

// Counts over the document's lines with the options given as flags: 1 match
// case, 2 kana alike, 4 width alike, 8 skip notation, 16 regular expression.
void BM_CountMatches100MB(benchmark::State& state) {
  if (!NeedCorpus(state, kDocumentMegabytes)) return;
  const int flags = static_cast<int>(state.range(0));
  const vorna::TSearchOptions options{.MatchCase = (flags & 1) != 0,
                                      .WidthAlike = (flags & 4) != 0,
                                      .KanaAlike = (flags & 2) != 0,
                                      .Regex = (flags & 16) != 0,
                                      .SkipRuby = (flags & 8) != 0,
                                      .SkipAnnotations = (flags & 8) != 0};
  const std::string pattern = flags & 16 ? vorna::Cp932Lit("し[たて]") : Word();
  const vorna::TEditList& list = Document();
  int count = 0;
  for (auto _ : state) {
    const vorna::TTextSearch search(pattern, options);
    count = vorna::CountMatches(list, search);
    benchmark::DoNotOptimize(count);
  }
  state.counters["matches"] = count;
}
BENCHMARK(BM_CountMatches100MB)
    ->ArgName("options")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(6)
    ->Arg(8)
    ->Arg(10)
    ->Arg(16)
    ->Arg(24)
    ->Unit(benchmark::kMillisecond);

// Every match of every line mapped back to bytes, as the view colours them
// (a case-insensitive search of the common word).
void BM_FindAllLines100MB(benchmark::State& state) {
  if (!NeedCorpus(state, kDocumentMegabytes)) return;
  const vorna::TEditList& list = Document();
  std::vector<vorna::TSearchMatch> matches;
  size_t count = 0;
  for (auto _ : state) {
    const vorna::TTextSearch search(Word(), {});
    count = 0;
    for (int line = 0; line < list.Count(); ++line) {
      search.FindAllIn(list.Get(line), matches);
      count += matches.size();
    }
    benchmark::DoNotOptimize(count);
  }
  state.counters["matches"] = static_cast<double>(count);
}
BENCHMARK(BM_FindAllLines100MB)->Unit(benchmark::kMillisecond);

// The same matches from the document at once: runs of lines are scanned
// together, each candidate checked against its line.
void BM_FindAllDocument100MB(benchmark::State& state) {
  if (!NeedCorpus(state, kDocumentMegabytes)) return;
  const vorna::TEditList& list = Document();
  std::vector<vorna::TDocumentMatch> matches;
  for (auto _ : state) {
    const vorna::TTextSearch search(Word(), {});
    matches.clear();
    vorna::FindAllMatches(list, search, [&](const vorna::TDocumentMatch& match) {
      matches.push_back(match);
      return true;
    });
    benchmark::DoNotOptimize(matches.data());
  }
  state.counters["matches"] = static_cast<double>(matches.size());
}
BENCHMARK(BM_FindAllDocument100MB)->Unit(benchmark::kMillisecond);

// From a caret in the middle of the document to the next match of the common
// word, and the worst case: a word that is nowhere, so both passes of the
// wrapping search read the whole document.
void BM_FirstMatchFromCaret(benchmark::State& state) {
  if (!NeedCorpus(state, kDocumentMegabytes)) return;
  const vorna::TEditList& list = Document();
  const std::string pattern = state.range(0) ? vorna::Cp932Lit("ＸＹＺＺＹ") : Word();
  const vorna::TTextPos caret{1, list.Count() / 2 + 1};
  bool found = false;
  for (auto _ : state) {
    const vorna::TTextSearch search(pattern, {});
    found = vorna::FindMatch(list, search, caret, true).Found;
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = found ? 1 : 0;
}
BENCHMARK(BM_FirstMatchFromCaret)->ArgName("absent")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Every match in one 50 MB line: plain, folded, regular expression, skipping notation.
void BM_LongLineFindAll(benchmark::State& state) {
  if (!NeedCorpus(state, kLineMegabytes)) return;
  const int kind = static_cast<int>(state.range(0));
  const vorna::TSearchOptions options{
      .KanaAlike = kind == 1, .Regex = kind == 2, .SkipRuby = kind == 3, .SkipAnnotations = kind == 3};
  const vorna::TTextSearch search(Word(), options);
  size_t count = 0;
  for (auto _ : state) {
    count = search.FindAllIn(LongLine()).size();
    benchmark::DoNotOptimize(count);
  }
  state.counters["matches"] = static_cast<double>(count);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * LongLine().size()));
}
BENCHMARK(BM_LongLineFindAll)->ArgName("kind")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
