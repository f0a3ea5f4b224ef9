// Opening the corpus-built novel from disk in each encoding, against the same
// text as CP932 in the same run: reading, telling the encoding, decoding and
// splitting into lines, then the first full layout; and saving it again.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "BenchDocuments.h"
#include "document/EditLists.h"
#include "platform/PosixFiles.h"
#include "text/TextLines.h"

namespace {

using namespace vorna;

size_t HeapBytes() {
  const auto info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

constexpr TFileFormat kFormats[] = {{TEncoding::Cp932},
                                    {TEncoding::Utf8, false, TLineEnd::Lf},
                                    {TEncoding::Utf16Le, true},
                                    {TEncoding::EucJp}};

// The 100 MB text written once per format into a temporary folder.
const std::string& FileOf(int format) {
  static std::string paths[std::size(kFormats)];
  std::string& path = paths[format];
  if (!path.empty()) return path;
  const std::string& text = bench::Text(100);
  if (text.empty()) return path;
  TEditList list(bench::Files(), bench::Messages());
  list.SetText(text);
  std::string bytes;
  TUnheldCharacter problem;
  // EUC-JP lacks a few CP932 characters of the corpus; those lines are left out.
  if (!list.EncodeText(kFormats[format], bytes, problem)) {
    TEditList kept(bench::Files(), bench::Messages());
    std::vector<std::string> lines;
    for (const std::string& line : list.Lines()) {
      std::string one;
      if (TTextEncoder(kFormats[format]).Line(line, 0, true, one, problem)) lines.push_back(line);
    }
    kept.Assign(lines);
    kept.EncodeText(kFormats[format], bytes, problem);
  }
  // The folder goes with the process.
  static const struct TFolder {
    std::filesystem::path Path =
        std::filesystem::temp_directory_path() / ("vorna-bench-" + std::to_string(::getpid()));
    TFolder() { std::filesystem::create_directories(Path); }
    ~TFolder() {
      std::error_code ec;
      std::filesystem::remove_all(Path, ec);
    }
  } folder;
  path = (folder.Path / ("novel-" + std::to_string(format) + ".txt")).string();
  TPosixFiles().WriteFile(path, bytes);
  return path;
}

// Arg: the format (0 CP932, 1 UTF-8 LF, 2 UTF-16 LE, 3 EUC-JP); Arg 2: with the first layout.
void BM_OpenFile(benchmark::State& state) {
  const std::string& path = FileOf(static_cast<int>(state.range(0)));
  if (path.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  TPosixFiles files;
  const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
  double heapPerFile = 0;
  for (auto _ : state) {
    const size_t before = HeapBytes();
    TEditList list(files, bench::Messages());
    list.LoadFromFile(path);
    if (state.range(1)) {
      list.SetWrapInputs({.CapacityCells = 40});
      list.Relayout();
    }
    heapPerFile = static_cast<double>(HeapBytes() - before) / fileBytes;
    benchmark::DoNotOptimize(list.Count());
    if (list.FileFormat().Encoding != kFormats[state.range(0)].Encoding)
      state.SkipWithError("detected wrongly");
  }
  state.SetLabel(EncodingName(kFormats[state.range(0)].Encoding, kFormats[state.range(0)].Bom));
  state.counters["file_MB"] = fileBytes / (1 << 20);
  state.counters["heap_per_file_byte"] = heapPerFile;
}
BENCHMARK(BM_OpenFile)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// Arg: the format. Saving the opened document again (encoding and writing).
void BM_SaveFile(benchmark::State& state) {
  const std::string& path = FileOf(static_cast<int>(state.range(0)));
  if (path.empty()) return state.SkipWithError("corpus folder not found (set VORNA_CORPUS)");
  TPosixFiles files;
  TEditList list(files, bench::Messages());
  list.LoadFromFile(path);
  for (auto _ : state) list.SaveToFile(path + ".saved");
  std::filesystem::remove(path + ".saved");
  state.SetLabel(EncodingName(kFormats[state.range(0)].Encoding, kFormats[state.range(0)].Bom));
}
BENCHMARK(BM_SaveFile)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
