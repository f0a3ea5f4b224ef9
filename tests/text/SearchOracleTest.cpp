// The match set of every corpus file, for patterns of each kind and option,
// against an independent count by Python over the decoded text
// (search_oracle.py). Skipped without the corpus or python3.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolders.h"
#include "TestSupport.h"
#include "text/Cp932.h"
#include "text/TextSearches.h"

namespace vorna {
namespace {

using testing::Sj;

struct TOraclePattern {
  const char* Pattern;  // UTF-8
  const char* Options;  // search_oracle.py's letters
};

// Each kind the find bar offers: plain words, a word whose ruby reading lies
// inside it, a pattern made of one character's trail byte and the next
// character (it must never match), each option, regular expressions.
const TOraclePattern kPatterns[] = {
    {"の", ""},           {"吾輩は", "n"},    {"ﾅす", "c"},       {"3", "w"},
    {"w", "w"},           {"Ｍ", "cw"},       {"ねこ", "k"},      {"マグラ", "kw"},
    {"《", "n"},          {"水準", "a"},      {"つくり", "na"},   {"「[^」]*」", "r"},
    {"[一-龠]{4,}", "r"}, {"(?<=。)「", "r"}, {"^　", "rn"},      {"(です|ます)。$", "r"},
    {"ね[こコ]", "rk"},   {"[a-z]+", "r"},    {"[Ａ-Ｚ]+", "rw"}, {"$", "r"},
};

TSearchOptions OptionsOf(std::string_view letters) {
  const auto has = [&](char c) { return letters.find(c) != std::string_view::npos; };
  return {.MatchCase = has('c'),
          .WidthAlike = has('w'),
          .KanaAlike = has('k'),
          .Regex = has('r'),
          .SkipRuby = has('n'),
          .SkipAnnotations = has('a')};
}

uint64_t Fnv(std::string_view bytes, uint64_t hash) {
  for (const unsigned char b : bytes) {
    hash ^= b;
    hash *= 0x100000001B3ull;
  }
  return hash;
}

std::string Quoted(const std::string& s) {
  std::string out = "'";
  for (const char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

TEST(SearchOracle, MatchSetsEqualPythonsOverTheDecodedCorpus) {
  VORNA_REQUIRE_CORPUS();
  if (std::system("command -v python3 >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "python3 not found; test skipped";
  testing::TTempFolder folder;
  {
    std::ofstream patterns(folder.Path("patterns.tsv"), std::ios::binary);
    for (size_t k = 0; k < std::size(kPatterns); ++k)
      patterns << k << '\t' << kPatterns[k].Options << '\t' << kPatterns[k].Pattern << '\n';
  }
  std::string command = "python3 " + Quoted(VORNA_SEARCH_ORACLE) + " " + Quoted(folder.Path("patterns.tsv"));
  for (const auto& file : testing::CorpusFiles()) command += " " + Quoted(file.string());
  command += " > " + Quoted(folder.Path("oracle.txt"));
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  // file and pattern index -> count and hash
  std::map<std::pair<std::string, size_t>, std::pair<long, std::string>> expected;
  std::ifstream oracle(folder.Path("oracle.txt"));
  std::string file, count, hash;
  size_t index;
  while (oracle >> std::ws && std::getline(oracle, file, '\t') && oracle >> index >> count >> hash)
    expected[{file, index}] = {std::stol(count), hash};

  long boundaryBytes = 0;
  for (const auto& path : testing::CorpusFiles()) {
    const std::string text = testing::ReadFileBytes(path);
    boundaryBytes += static_cast<long>(text.find(Sj("ﾅす")) != std::string::npos);
    const std::vector<std::string> lines = SplitLines(text);
    for (size_t k = 0; k < std::size(kPatterns); ++k) {
      const TTextSearch search(Sj(kPatterns[k].Pattern), OptionsOf(kPatterns[k].Options));
      ASSERT_EQ(search.Error(), "") << kPatterns[k].Pattern;
      long matches = 0;
      uint64_t h = 0xCBF29CE484222325ull;
      for (size_t line = 0; line < lines.size(); ++line)
        for (const TSearchMatch& m : search.FindAllIn(lines[line])) {
          h = Fnv(std::to_string(line) + ":" + std::to_string(m.Start) + ":" + std::to_string(m.LengthBytes) +
                      ";",
                  h);
          ++matches;
        }
      char hex[17];
      std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
      const auto it = expected.find({path.string(), k});
      ASSERT_NE(it, expected.end()) << path << " " << kPatterns[k].Pattern;
      EXPECT_EQ(matches, it->second.first)
          << path.filename() << " " << kPatterns[k].Pattern << " " << kPatterns[k].Options;
      EXPECT_EQ(hex, it->second.second)
          << path.filename() << " " << kPatterns[k].Pattern << " " << kPatterns[k].Options;
    }
  }
  // The boundary pattern's bytes do occur; only never as characters.
  EXPECT_GT(boundaryBytes, 0);
}

}  // namespace
}  // namespace vorna
