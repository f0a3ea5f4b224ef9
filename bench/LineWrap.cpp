// Throughput of WrapText over every line of a 10 MB corpus text (capacity 40,
// default kinsoku sets, ruby hidden, and with nothing hidden) against only
// splitting the same text into lines, and of BuildHiddenMask on ruby-dense lines.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "BenchCorpus.h"
#include "layout/LineWraps.h"
#include "text/Cp932.h"
#include "text/HiddenMasks.h"

namespace {

using vorna::bench::NeedCorpus;
using vorna::bench::Text;

// Calls `each` with every CR LF separated line of `text`.
template <typename F>
void ForEachLine(std::string_view text, F&& each) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)));
    while (cr && cr + 1 < end && cr[1] != '\n')
      cr = static_cast<const char*>(std::memchr(cr + 1, '\r', static_cast<size_t>(end - cr - 1)));
    const char* lineEnd = cr ? cr : end;
    each(std::string_view(p, static_cast<size_t>(lineEnd - p)));
    p = cr ? cr + 2 : end;
  }
}

vorna::TLayoutSettings WrapSettings() {
  vorna::TLayoutSettings s;
  s.RubiVisible = true;  // ruby shown beside the text: hidden from the cells
  return s;
}

void BM_SplitLines(benchmark::State& state) {
  if (!NeedCorpus(state)) return;
  size_t lines = 0;
  for (auto _ : state) {
    lines = 0;
    size_t bytes = 0;
    ForEachLine(Text(), [&](std::string_view line) {
      bytes += line.size();
      ++lines;
    });
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Text().size()));
}
BENCHMARK(BM_SplitLines)->Unit(benchmark::kMillisecond);

// Wraps every corpus line at 40 cells; with `indent` each line's indent is
// computed first, as the row table does it.
void WrapEveryLine(benchmark::State& state, const vorna::TLayoutSettings& s, bool indent) {
  if (!NeedCorpus(state)) return;
  const vorna::TWrapInputs inputs{40, 0, 0, nullptr};
  std::vector<int> rows;
  size_t rowCount = 0;
  for (auto _ : state) {
    rowCount = 0;
    ForEachLine(Text(), [&](std::string_view line) {
      vorna::WrapText(line, inputs, s, indent ? vorna::GetLineIndent(line, s) : vorna::TLineIndent{}, rows);
      rowCount += rows.size();
    });
    benchmark::DoNotOptimize(rowCount);
  }
  state.counters["rows"] = static_cast<double>(rowCount);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Text().size()));
}

void BM_WrapLines(benchmark::State& state) { WrapEveryLine(state, WrapSettings(), false); }
BENCHMARK(BM_WrapLines)->Unit(benchmark::kMillisecond);

// The same with nothing hidden: what the wrap costs apart from the notation.
void BM_WrapLinesNothingHidden(benchmark::State& state) {
  WrapEveryLine(state, vorna::TLayoutSettings{}, false);
}
BENCHMARK(BM_WrapLinesNothingHidden)->Unit(benchmark::kMillisecond);

void BM_IndentAndWrapLines(benchmark::State& state) { WrapEveryLine(state, WrapSettings(), true); }
BENCHMARK(BM_IndentAndWrapLines)->Unit(benchmark::kMillisecond);

// Corpus lines with at least one reading per 40 bytes.
const std::vector<std::string>& RubyDenseLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> dense;
    const std::string& open = vorna::Cp932Lit("《");
    ForEachLine(Text(), [&](std::string_view line) {
      size_t count = 0;
      for (size_t p = line.find(open); p != std::string_view::npos; p = line.find(open, p + 2)) ++count;
      if (count > 0 && count * 40 >= line.size()) dense.emplace_back(line);
    });
    return dense;
  }();
  return lines;
}

void BM_BuildHiddenMask(benchmark::State& state) {
  if (!NeedCorpus(state)) return;
  const auto& lines = RubyDenseLines();
  size_t bytes = 0;
  for (const auto& line : lines) bytes += line.size();
  for (auto _ : state) {
    for (const auto& line : lines) {
      const vorna::THiddenMask& mask = vorna::BuildHiddenMask(line, true, true, false, {});
      benchmark::DoNotOptimize(mask.Data());
    }
  }
  state.counters["lines"] = static_cast<double>(lines.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_BuildHiddenMask)->Unit(benchmark::kMillisecond);

}  // namespace
