// Character classes and word ranges over a 10 MB CP932 text, against a plain
// walk over the characters of the same text as the baseline.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "BenchCorpus.h"
#include "text/CharClasses.h"
#include "text/ShiftJis.h"

namespace {

using vorna::bench::NeedCorpus;
using vorna::bench::Text;

// The text's lines (without CR LF), as the layout sees them.
const std::vector<std::string_view>& Lines() {
  static const std::vector<std::string_view> lines = [] {
    std::vector<std::string_view> out;
    const std::string_view text = Text();
    for (size_t from = 0; from < text.size();) {
      size_t eol = text.find("\r\n", from);
      if (eol == std::string_view::npos) eol = text.size();
      out.push_back(text.substr(from, eol - from));
      from = eol + 2;
    }
    return out;
  }();
  return lines;
}

int64_t CharacterCount() {
  static const int64_t count = [] {
    int64_t n = 0;
    const std::string_view text = Text();
    for (size_t i = 0; i < text.size(); i += vorna::IsDoubleByteAt(text, i) ? 2 : 1) ++n;
    return n;
  }();
  return count;
}

void Report(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * CharacterCount());
  state.counters["chars"] = static_cast<double>(CharacterCount());
}

// Baseline: steps over every character and sums its bytes.
void BM_CharacterWalk(benchmark::State& state) {
  if (!NeedCorpus(state)) return;
  const std::string_view text = Text();
  for (auto _ : state) {
    unsigned sum = 0;
    for (size_t i = 0; i < text.size();) {
      size_t len = vorna::IsDoubleByteAt(text, i) ? 2 : 1;
      sum += static_cast<unsigned char>(text[i]);
      i += len;
    }
    benchmark::DoNotOptimize(sum);
  }
  Report(state);
}
BENCHMARK(BM_CharacterWalk)->Unit(benchmark::kMillisecond);

void BM_GetCharClass(benchmark::State& state) {
  if (!NeedCorpus(state)) return;
  const std::string_view text = Text();
  for (auto _ : state) {
    unsigned sum = 0;
    for (size_t i = 0; i < text.size();) {
      size_t len = vorna::IsDoubleByteAt(text, i) ? 2 : 1;
      sum += static_cast<unsigned>(vorna::GetCharClass(text.substr(i, len)));
      i += len;
    }
    benchmark::DoNotOptimize(sum);
  }
  Report(state);
}
BENCHMARK(BM_GetCharClass)->Unit(benchmark::kMillisecond);

// Steps word by word over every line, as word-wise caret movement does.
void WordSteps(benchmark::State& state, int mode) {
  if (!NeedCorpus(state)) return;
  int64_t words = 0;
  for (auto _ : state) {
    words = 0;
    for (std::string_view line : Lines()) {
      const int end = static_cast<int>(line.size()) + 1;
      for (int pos = 1; pos < end; ++words) pos = vorna::WordRange(line, pos, mode).End;
    }
    benchmark::DoNotOptimize(words);
  }
  Report(state);
  state.counters["words"] = static_cast<double>(words);
}

void BM_WordRangeSameClass(benchmark::State& state) { WordSteps(state, vorna::wmSameClass); }
BENCHMARK(BM_WordRangeSameClass)->Unit(benchmark::kMillisecond);

void BM_WordRangeCompatible(benchmark::State& state) { WordSteps(state, vorna::wmCompatible); }
BENCHMARK(BM_WordRangeCompatible)->Unit(benchmark::kMillisecond);

}  // namespace
