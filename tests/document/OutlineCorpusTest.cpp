// The Aozora headings of the corpus texts against an independent scan:
// regular expressions over the text decoded to UTF-8, and the counts by
// level that a scan of the decoded files found.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "document/EditLists.h"
#include "document/Headings.h"

namespace vorna {
namespace {

std::string Visible(std::string text) {
  text = std::regex_replace(text, std::regex("［＃(?:(?!］).)*］"), "");
  text = std::regex_replace(text, std::regex("《(?:(?!》).)*》"), "");
  text = std::regex_replace(text, std::regex("｜"), "");
  return std::regex_replace(text, std::regex("^(?: |　)+|(?: |　)+$"), "");
}

int Level(const std::string& size) { return size == "大" ? 1 : size == "中" ? 2 : 3; }

// "level line title" of every heading, found line by line in UTF-8.
std::vector<std::string> OracleHeadings(const std::vector<std::string>& lines) {
  static const std::regex quoted("［＃「((?:(?!］).)*)」は(?:同行|窓)?(大|中|小)見出し］");
  static const std::regex inline_("［＃((?:同行|窓)?)(大|中|小)見出し］(.*?)［＃\\1\\2見出し終わり］");
  static const std::regex block("［＃ここから((?:同行|窓)?)(大|中|小)見出し］");
  std::vector<std::string> out;
  for (size_t i = 0; i < lines.size(); ++i) {
    // Only short lines name headings here; long ones would overflow std::regex.
    if (lines[i].find("見出し") == std::string::npos) continue;
    std::smatch m;
    if (std::regex_search(lines[i], m, block)) {
      const std::string end = "［＃ここで" + m[1].str() + m[2].str() + "見出し終わり］";
      std::string title;
      size_t first = 0;
      size_t j = i + 1;
      for (; j < lines.size() && lines[j].find(end) == std::string::npos; ++j) {
        if (Visible(lines[j]).empty()) continue;
        if (title.empty()) first = j;
        title += (title.empty() ? "" : "　") + Visible(lines[j]);
      }
      out.push_back(std::to_string(Level(m[2])) + " " + std::to_string(first) + " " + title);
      i = j;
      continue;
    }
    std::map<long, std::string> found;  // by position on the line
    for (std::sregex_iterator it(lines[i].begin(), lines[i].end(), quoted), e; it != e; ++it)
      found[it->position()] =
          std::to_string(Level((*it)[2])) + " " + std::to_string(i) + " " + Visible((*it)[1]);
    for (std::sregex_iterator it(lines[i].begin(), lines[i].end(), inline_), e; it != e; ++it)
      found[it->position()] =
          std::to_string(Level((*it)[2])) + " " + std::to_string(i) + " " + Visible((*it)[3]);
    for (const auto& [at, heading] : found) out.push_back(heading);
  }
  return out;
}

TEST(OutlineCorpusTest, AozoraHeadingsMatchAnIndependentScan) {
  VORNA_REQUIRE_CORPUS();
  // Headings by level, found by a scan of the decoded files.
  const std::map<std::string, std::vector<int>> counts = {{"01_wagahaiwa_nekodearu.txt", {0, 11, 0}},
                                                          {"02_kojiki_gendaigoyaku.txt", {3, 22, 111}},
                                                          {"03_chukiichiran_kinyurei.txt", {15, 22, 8}},
                                                          {"05_yume_juya.txt", {0, 10, 0}},
                                                          {"06_gingatetsudono_yoru.txt", {0, 8, 0}}};
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  int texts = 0;
  for (const auto& path : testing::CorpusFiles()) {
    TEditList list(files, messages);
    TDocumentLayout layout;
    layout.HeadingStrs.clear();  // the annotations alone
    list.ApplyLayoutSettings(layout);
    list.SetText(testing::ReadFileBytes(path));
    std::vector<std::string> ours, utf8Lines;
    std::vector<int> levels(3);
    for (const THeading& h : FindHeadings(list, 0, list.Count() - 1)) {
      ours.push_back(std::to_string(h.Level) + " " + std::to_string(h.Line) + " " + Utf8FromCp932(h.Title));
      ++levels[static_cast<size_t>(h.Level - 1)];
    }
    for (int i = 0; i < list.Count(); ++i) utf8Lines.push_back(Utf8FromCp932(list.Get(i)));
    const std::string name = path.filename().string();
    EXPECT_EQ(ours, OracleHeadings(utf8Lines)) << name;
    const auto expected = counts.find(name);
    EXPECT_EQ(levels, expected == counts.end() ? std::vector<int>(3) : expected->second) << name;
    texts += ours.empty() ? 0 : 1;
  }
  EXPECT_EQ(texts, 5);
}

}  // namespace
}  // namespace vorna
