// The EPUB of the corpus novel: every line's markup, the chapters, the
// navigation and package documents, and the container zipped in memory, as
// --export-epub does after reading the file; then 10 MB of the corpus for
// how it grows. Peak memory is the process's.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <string>

#include "BenchDocuments.h"
#include "document/EditLists.h"
#include "export/EpubBooks.h"
#include "export/EpubContainers.h"

namespace {

using namespace vorna;

void Export(benchmark::State& state, const std::string& text) {
  TEditList list(bench::Files(), bench::Messages());
  list.SetText(text);
  TEpubOptions options;
  options.Modified = 1700000000;
  size_t bytes = 0;
  TEpubBook book;
  for (auto _ : state) {
    book = BuildEpubBook(list, options);
    bytes = ZipEpubBook(book).size();
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["epub_KiB"] = static_cast<double>(bytes) / 1024;
  state.counters["chapters"] = book.Chapters;
  state.counters["rubies"] = book.Rubies;
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_EpubNovel(benchmark::State& state) {
  const auto folder = testing::CorpusDir();
  if (!folder) {
    state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
    return;
  }
  Export(state, testing::ReadFileBytes(*folder / "01_wagahaiwa_nekodearu.txt"));
}
BENCHMARK(BM_EpubNovel)->Unit(benchmark::kMillisecond);

void BM_Epub10MB(benchmark::State& state) {
  if (!bench::NeedCorpus(state, 10)) return;
  Export(state, bench::Text(10));
}
BENCHMARK(BM_Epub10MB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
