// Throughput of FindAll over a 10 MB CP932 text against a plain
// std::string_view::find loop over the same text.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchCorpus.h"
#include "text/Cp932.h"
#include "text/StrSrch.h"

namespace {

using vorna::bench::NeedCorpus;
using vorna::bench::Text;

void BM_PlainFindLoop(benchmark::State& state) {
  if (!NeedCorpus(state)) return;
  const std::string_view text = Text();
  const std::string& marker = vorna::Cp932Lit("《");
  size_t count = 0;
  for (auto _ : state) {
    count = 0;
    for (size_t p = text.find(marker); p != std::string_view::npos; p = text.find(marker, p + marker.size()))
      ++count;
    benchmark::DoNotOptimize(count);
  }
  state.counters["matches"] = static_cast<double>(count);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_PlainFindLoop)->Unit(benchmark::kMillisecond);

void BM_FindAllMarker(benchmark::State& state) {
  if (!NeedCorpus(state)) return;
  const std::string& marker = vorna::Cp932Lit("《");
  size_t count = 0;
  for (auto _ : state) {
    auto positions = vorna::FindAll(marker, Text());
    count = positions.size();
    benchmark::DoNotOptimize(positions.data());
  }
  state.counters["matches"] = static_cast<double>(count);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Text().size());
}
BENCHMARK(BM_FindAllMarker)->Unit(benchmark::kMillisecond);

void BM_FindAllIgnoreCaseWord(benchmark::State& state) {
  if (!NeedCorpus(state)) return;
  size_t count = 0;
  for (auto _ : state) {
    auto positions = vorna::FindAll("aozora", Text(), vorna::faIgnoreCase);
    count = positions.size();
    benchmark::DoNotOptimize(positions.data());
  }
  state.counters["matches"] = static_cast<double>(count);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Text().size());
}
BENCHMARK(BM_FindAllIgnoreCaseWord)->Unit(benchmark::kMillisecond);

}  // namespace
