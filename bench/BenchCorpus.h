// The corpus texts the benchmarks share, built once per size.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "Corpus.h"

namespace vorna::bench {

// A text built from the corpus: `megabytes` MB, or 100 KB for 0. Empty when
// the corpus is absent.
inline const std::string& Text(size_t megabytes = 10) {
  static std::string texts[128];
  std::string& text = texts[megabytes % 128];
  if (text.empty()) text = megabytes ? testing::CorpusText(megabytes << 20) : testing::CorpusText(100 << 10);
  return text;
}

// False, with the benchmark skipped and the reason shown, when the corpus is absent.
inline bool NeedCorpus(benchmark::State& state, size_t megabytes = 10) {
  if (!Text(megabytes).empty()) return true;
  state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  return false;
}

}  // namespace vorna::bench
