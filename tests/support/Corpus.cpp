// Locating and reading the shared corpus.
#include "Corpus.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vorna::testing {

std::optional<std::filesystem::path> CorpusDir() {
  const char* env = std::getenv("VORNA_CORPUS");
#ifdef VORNA_DEFAULT_CORPUS
  std::filesystem::path dir = env && *env ? env : VORNA_DEFAULT_CORPUS;
#else
  std::filesystem::path dir = env && *env ? env : "../shared/corpus";
#endif
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) return std::nullopt;
  return dir;
}

std::vector<std::filesystem::path> CorpusFiles() {
  std::vector<std::filesystem::path> files;
  auto dir = CorpusDir();
  if (!dir) return files;
  for (const auto& entry : std::filesystem::directory_iterator(*dir))
    if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string CorpusText(size_t bytes) {
  std::string all;
  for (const auto& file : CorpusFiles()) all += ReadFileBytes(file);
  if (all.empty()) return all;
  std::string result;
  result.reserve(bytes + all.size());
  while (result.size() < bytes) result += all;
  size_t cut = result.find("\r\n", bytes);
  if (cut != std::string::npos) result.resize(cut + 2);
  return result;
}

}  // namespace vorna::testing
