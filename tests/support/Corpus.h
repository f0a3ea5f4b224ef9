// Access to the shared corpus of public-domain CP932 texts that tests and
// benchmarks may read. The folder comes from VORNA_CORPUS (default
// ../shared/corpus beside the checkout); it is absent on a user's machine.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorna::testing {

// The corpus folder when it exists and holds .txt files.
std::optional<std::filesystem::path> CorpusDir();

// Every .txt file of the corpus, sorted by name; empty when absent.
std::vector<std::filesystem::path> CorpusFiles();

std::string ReadFileBytes(const std::filesystem::path& path);

// The corpus texts concatenated (CR LF kept) and repeated until the result
// holds at least `bytes` bytes, cut at a line end. Empty when absent.
std::string CorpusText(size_t bytes);

}  // namespace vorna::testing
