// The find bar's work over a document: counting, stepping with wrapping, a
// match across a row break, and replace-all (checked against Python over a
// corpus-built document).
#include "document/DocumentSearches.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "PlatformDoubles.h"
#include "TempFolders.h"
#include "TestSupport.h"
#include "document/EditLists.h"

namespace vorna {
namespace {

using testing::Sj;

struct DocumentSearchesTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};

  DocumentSearchesTest() { list.ApplyLayoutSettings(TDocumentLayout{}); }
  void Load(std::string_view text, int capacity = 40) {
    list.SetText(text);
    list.SetWrapInputs({.CapacityCells = capacity});
    list.Relayout();
  }
  // The document's text after replacing lines FirstLine .. LastLine with Text.
  std::string Applied(const TReplaceAllResult& r) {
    if (r.FirstLine < 0) return list.GetText();
    std::vector<std::string> lines = list.Lines();
    std::string text;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
      if (i > 0 && i <= r.FirstLine) text += "\r\n";
      if (i == r.FirstLine) text += r.Text;
      if (i > r.LastLine) text += "\r\n" + lines[static_cast<size_t>(i)];
      if (i < r.FirstLine) text += lines[static_cast<size_t>(i)];
    }
    return text;
  }
};

TEST_F(DocumentSearchesTest, StepsForwardAndBackwardWithWrapping) {
  Load("ab ab\r\nxx\r\nAb");
  const TTextSearch search("ab", {});
  EXPECT_EQ(CountMatches(list, search), 3);
  const auto at = [](int x, int y) { return TDocumentMatch{{x, y}, 2}; };
  EXPECT_EQ(FindMatch(list, search, {2, 0}, true).Match, at(4, 0));
  const TFindResult wrapped = FindMatch(list, search, {2, 2}, true);
  EXPECT_EQ(wrapped.Match, at(1, 0));
  EXPECT_TRUE(wrapped.Wrapped);
  EXPECT_FALSE(FindMatch(list, search, {2, 2}, true, false).Found);
  // Backward: the last match that starts before the position.
  EXPECT_EQ(FindMatch(list, search, {4, 0}, false).Match, at(1, 0));
  EXPECT_EQ(FindMatch(list, search, {1, 2}, false).Match, at(4, 0));
  const TFindResult back = FindMatch(list, search, {1, 0}, false);
  EXPECT_EQ(back.Match, at(1, 2));
  EXPECT_TRUE(back.Wrapped);
  // The only match, passed from just after its start, is found again by wrapping.
  const TTextSearch once("xx", {});
  EXPECT_TRUE(FindMatch(list, once, {2, 1}, true).Wrapped);
  EXPECT_FALSE(FindMatch(list, TTextSearch("zz", {}), {1, 0}, true).Found);
}

// Over many blocks of lines, with a stop part-way: each line's own matches
// with their line numbers, and no more once found says stop.
TEST_F(DocumentSearchesTest, FindAllMatchesGivesEveryLinesMatchesInOrder) {
  std::string text;
  // Some lines end in a lone lead byte; in others "ab" follows one.
  for (int i = 0; i < 3000; ++i)
    text += i % 7 == 0 ? "ab\x82\r\n" : (i % 3 ? "ab" : "b\x82") + std::string(i % 5, 'a') + "ab\r\n";
  Load(text);
  const TTextSearch search("ab", {.MatchCase = true});
  std::vector<TDocumentMatch> all, expected;
  FindAllMatches(list, search, [&](const TDocumentMatch& m) { return all.push_back(m), true; });
  for (int y = 0; y < list.Count(); ++y)
    for (const TSearchMatch& m : search.FindAllIn(list.Get(y)))
      expected.push_back({{m.Start, y}, m.LengthBytes});
  EXPECT_EQ(all, expected);
  EXPECT_EQ(CountMatches(list, search), static_cast<int>(expected.size()));
  std::vector<TDocumentMatch> first;
  FindAllMatches(list, search,
                 [&](const TDocumentMatch& m) { return first.push_back(m), first.size() < 1500; });
  EXPECT_EQ(first, std::vector<TDocumentMatch>(expected.begin(), expected.begin() + 1500));
}

TEST_F(DocumentSearchesTest, AMatchAcrossARowBreakIsFound) {
  Load(Sj("いろはにほへと"), 8);  // four characters to a row
  const TFindResult found = FindMatch(list, TTextSearch(Sj("にほ"), {}), {1, 0}, true);
  ASSERT_TRUE(found.Found);
  EXPECT_NE(list.DocToDisplay(found.Match.Start).Row, list.DocToDisplay({found.Match.End().X - 2, 0}).Row);
}

TEST_F(DocumentSearchesTest, ReplaceAllGivesTheChangedLinesOnly) {
  Load("a\r\nxa\r\nb\r\nab\r\nc");
  const TTextSearch search("a", {});
  const TReplacement with("[\r\n]", search);
  const TReplaceAllResult all = ReplaceAllMatches(list, search, with);
  EXPECT_EQ(all.FirstLine, 0);
  EXPECT_EQ(all.LastLine, 3);
  EXPECT_EQ(all.Count, 3);
  EXPECT_EQ(Applied(all), "[\r\n]\r\nx[\r\n]\r\nb\r\n[\r\n]b\r\nc");
  // A selection: from the second byte of line 1 to the end of line 3's first byte.
  const TReplaceAllResult part = ReplaceAllMatches(list, search, with, {2, 1}, TTextPos{2, 3});
  EXPECT_EQ(Applied(part), "a\r\nx[\r\n]\r\nb\r\n[\r\n]b\r\nc");
  EXPECT_EQ(ReplaceAllMatches(list, search, with, {3, 1}, TTextPos{1, 3}).FirstLine, -1);
  const TTextSearch stops("x|(a+)+$", {.Regex = true});
  Load("x\r\n" + std::string(3000, 'a') + "b");
  const TReplaceAllResult none = ReplaceAllMatches(list, stops, TReplacement("y", stops));
  EXPECT_EQ(none.FirstLine, -1);
  EXPECT_NE(stops.Error(), "");
}

TEST_F(DocumentSearchesTest, ReplaceAllOnACorpusDocumentEqualsPythons) {
  VORNA_REQUIRE_CORPUS();
  if (std::system("command -v python3 >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "python3 not found; test skipped";
  list.SetText(testing::CorpusText(10 << 20));
  testing::TTempFolder folder;
  testing::WriteBytes(folder.Path("in.txt"), list.GetText());
  const std::string python =
      "import re,sys\n"
      "t=open(sys.argv[1],'rb').read().decode('cp932')\n"
      "open(sys.argv[2],'wb').write(t.replace('\u306e','\u30ce').encode('cp932'))\n"
      "open(sys.argv[3],'wb').write(re.sub('\u300c(.*?)\u300d',r'\u300e\\1\u300f',t).encode('cp932'))\n";
  testing::WriteBytes(folder.Path("replace.py"), python);
  const std::string command = "python3 " + folder.Path("replace.py") + " " + folder.Path("in.txt") + " " +
                              folder.Path("word.txt") + " " + folder.Path("groups.txt");
  ASSERT_EQ(std::system(command.c_str()), 0);

  const TTextSearch word(Sj("の"), {});
  const TReplaceAllResult words = ReplaceAllMatches(list, word, TReplacement(Sj("ノ"), word));
  EXPECT_GT(words.Count, 100000);
  EXPECT_TRUE(Applied(words) == testing::ReadBytes(folder.Path("word.txt")));
  const TTextSearch quotes(Sj("「(.*?)」"), {.Regex = true});
  const TReplaceAllResult quoted = ReplaceAllMatches(list, quotes, TReplacement(Sj("『$1』"), quotes));
  EXPECT_GT(quoted.Count, 10000);
  EXPECT_TRUE(Applied(quoted) == testing::ReadBytes(folder.Path("groups.txt")));
}

}  // namespace
}  // namespace vorna
