// The find bar's search: each option, the character-boundary rule, hidden
// notation, regular expressions mapped back to CP932 bytes, bad patterns.
#include "text/TextSearches.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "text/Cp932.h"
#include "text/UserCodes.h"

namespace vorna {
namespace {

using testing::Sj;
using Matches = std::vector<TSearchMatch>;

Matches Find(std::string_view pattern, std::string_view line, TSearchOptions options = {}) {
  const TTextSearch search(Sj(pattern), options);
  EXPECT_EQ(search.Error(), "");
  const Matches matches = search.FindAllIn(Sj(line));
  EXPECT_EQ(search.CountIn(Sj(line)), static_cast<int>(matches.size()));
  return matches;
}

TSearchOptions Regex(bool matchCase = true) { return {.MatchCase = matchCase, .Regex = true}; }

TEST(TextSearch, PlainMatchesAreNonOverlappingByteRanges) {
  EXPECT_EQ(Find("東京", "東京と東京"), (Matches{{1, 4}, {7, 4}}));
  EXPECT_EQ(Find("ーー", "ーーーーー"), (Matches{{1, 4}, {5, 4}}));
  EXPECT_EQ(Find("x", "abc"), Matches{});
}

TEST(TextSearch, NeverMatchesAcrossACharacterBoundary) {
  // "です" is 82 C5 82 B7; "ﾅす" is C5 82 B7, the trail of "で" and all of "す".
  const std::string line = Sj("です");
  const std::string pattern = Sj("ﾅす");
  ASSERT_NE(line.find(pattern), std::string::npos);
  for (const TSearchOptions& options : {TSearchOptions{.MatchCase = true}, TSearchOptions{},
                                        TSearchOptions{.WidthAlike = true, .KanaAlike = true}, Regex()})
    EXPECT_TRUE(TTextSearch(pattern, options).FindAllIn(line).empty());
  // A pattern that ends in a lead byte would end inside the next character.
  const TTextSearch lead(Sj("で") + "\x82", {.MatchCase = true});
  EXPECT_TRUE(lead.FindAllIn(line).empty());
  // A start on a trail byte moves past it.
  const std::string trail = Sj("Aア") + "A";  // "ア" is 83 41
  EXPECT_EQ(TTextSearch("A", {.MatchCase = true}).FindIn(trail, 3), (TSearchMatch{4, 1}));
}

TEST(TextSearch, CaseFoldsAsciiAndFullWidthLatinEachWithinItsWidth) {
  EXPECT_EQ(Find("abc", "ABC aBc"), (Matches{{1, 3}, {5, 3}}));
  EXPECT_EQ(Find("ａｂ", "ＡＢ ab"), (Matches{{1, 4}}));
  EXPECT_EQ(Find("abc", "ABC", {.MatchCase = true}), Matches{});
  EXPECT_EQ(Find("αβ", "ΑΒ"), (Matches{{1, 4}}));
}

TEST(TextSearch, WidthAlikeMapsEachMatchBackToItsOwnBytes) {
  const TSearchOptions width{.MatchCase = true, .WidthAlike = true};
  EXPECT_EQ(Find("abc", "xａｂｃyabc", width), (Matches{{2, 6}, {9, 3}}));
  EXPECT_EQ(Find("！１", "!1！１", width), (Matches{{1, 2}, {3, 4}}));
  EXPECT_EQ(Find("カナ", "ｶﾅ カナ", width), (Matches{{1, 2}, {4, 4}}));
  // A voiced half-width katakana is one character with its mark.
  EXPECT_EQ(Find("ガ", "ｶﾞガ", width), (Matches{{1, 2}, {3, 2}}));
  EXPECT_EQ(Find("ｶ", "ｶﾞ", width), Matches{});
  EXPECT_EQ(Find("パン", "ﾊﾟﾝ", width), (Matches{{1, 3}}));
  EXPECT_EQ(Find("ｶ", "カ"), Matches{});
}

TEST(TextSearch, KanaAlikeJoinsHiraganaAndKatakana) {
  EXPECT_EQ(Find("とうきょう", "トウキョウ", {.KanaAlike = true}), (Matches{{1, 10}}));
  EXPECT_EQ(Find("とうきょう", "トウキョウ"), Matches{});
  EXPECT_EQ(Find("が", "ｶﾞが", {.WidthAlike = true, .KanaAlike = true}), (Matches{{1, 2}, {3, 2}}));
}

TEST(TextSearch, HiddenNotationIsLeftOutOfTheSearchedText) {
  const TSearchOptions skip{.SkipRuby = true, .SkipAnnotations = true};
  const std::string ruby = "｜東京《とうきょう》都";
  EXPECT_EQ(Find("東京", ruby, skip), (Matches{{3, 4}}));
  // Across the hidden reading the match covers it.
  EXPECT_EQ(Find("京都", ruby, skip), (Matches{{5, 18}}));
  EXPECT_EQ(Find("京都", ruby), Matches{});
  // A pattern with notation of its own is looked for as written.
  EXPECT_EQ(Find("東京《とうきょう》", ruby, skip), (Matches{{3, 18}}));
  EXPECT_EQ(Find("とうきょう", ruby, skip), Matches{});
  EXPECT_EQ(Find("春夏", "春［＃「春」に傍点］夏", skip), (Matches{{1, 22}}));
  EXPECT_EQ(Find("春夏", "春［＃「春」に傍点］夏", {.SkipRuby = true}), Matches{});
  // Folding and regular expressions see the same visible text.
  EXPECT_EQ(Find("キョウト", ruby, {.KanaAlike = true, .SkipRuby = true}), Matches{});
  EXPECT_EQ(Find("京.", ruby, {.Regex = true, .SkipRuby = true}), (Matches{{5, 18}}));
}

TEST(TextSearch, RegexOffsetsAreCp932Bytes) {
  EXPECT_EQ(Find("東.+?京", "ab東の京cd東京東x京", Regex()), (Matches{{3, 6}, {11, 9}}));
  EXPECT_EQ(Find("[ぁ-ん]+", "漢字かなカナ", Regex()), (Matches{{5, 4}}));
  EXPECT_EQ(Find("ｶ.", "ｱｶｻﾀ", Regex()), (Matches{{2, 2}}));
  EXPECT_EQ(Find("abc", "xABCabc", Regex(false)), (Matches{{2, 3}, {5, 3}}));
  EXPECT_EQ(Find("ａ", "Ａ", Regex(false)), (Matches{{1, 2}}));
  // A user-defined code is the character it stands for.
  std::string line = "a";
  ASSERT_TRUE(AppendCharacterCode(line, U'\U00020BB7'));
  line += "b";
  const TTextSearch any("a.b", Regex());
  EXPECT_EQ(any.FindAllIn(line), (Matches{{1, 4}}));
  EXPECT_EQ(TTextSearch("\\x{20BB7}", Regex()).FindAllIn(line), (Matches{{2, 2}}));
}

TEST(TextSearch, RegexFoldedLiteralsKeepThePatternsStructure) {
  const TSearchOptions width{.MatchCase = true, .WidthAlike = true, .Regex = true};
  // "＊" folds to "*" as a literal, never as a quantifier.
  EXPECT_EQ(Find("ａ＊", "aaa a* ａ＊", width), (Matches{{5, 2}, {8, 4}}));
  EXPECT_EQ(Find("\\ａ", "a", width), (Matches{{1, 1}}));
  EXPECT_EQ(Find("か+", "カかｶ", {.WidthAlike = true, .KanaAlike = true, .Regex = true}), (Matches{{1, 5}}));
}

TEST(TextSearch, EmptyRegexMatchesStepAsPythonsFinditer) {
  EXPECT_EQ(Find("a*", "baac", Regex()), (Matches{{1, 0}, {2, 2}, {4, 0}, {5, 0}}));
  EXPECT_EQ(Find("^", "", Regex()), (Matches{{1, 0}}));
  EXPECT_EQ(Find("$", "あ", Regex()), (Matches{{3, 0}}));
}

TEST(TextSearch, FindInStartsAtThePositionGiven) {
  const TTextSearch search(Sj("あ"), {});
  const std::string line = Sj("あいあ");
  EXPECT_EQ(search.FindIn(line, 1), (TSearchMatch{1, 2}));
  EXPECT_EQ(search.FindIn(line, 3), (TSearchMatch{5, 2}));
  EXPECT_EQ(search.FindIn(line, 7), std::nullopt);
  // Lookbehind sees the text before the start.
  const TTextSearch behind(Sj("(?<=い)あ"), Regex());
  EXPECT_EQ(behind.FindIn(line, 5), (TSearchMatch{5, 2}));
  std::vector<TSearchMatch> groups;
  const TTextSearch grouped(Sj("(い)(x)?(あ)"), Regex());
  EXPECT_EQ(grouped.FindIn(line, 1, groups), (TSearchMatch{3, 4}));
  EXPECT_EQ(groups, (Matches{{3, 4}, {3, 2}, {0, 0}, {5, 2}}));
}

TEST(TextSearch, BadInputsGiveAMessageAndNoMatches) {
  const TTextSearch empty("", {});
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.Error(), "");
  EXPECT_TRUE(empty.FindAllIn("abc").empty());
  EXPECT_TRUE(TTextSearch("", Regex()).FindAllIn("abc").empty());

  const TTextSearch bad(Sj("あ(い"), Regex());
  EXPECT_FALSE(bad.CanMatch());
  EXPECT_EQ(bad.Error().rfind(Sj("正規表現が正しくありません: missing closing parenthesis"), 0), 0u)
      << Utf8FromCp932(bad.Error());
  EXPECT_NE(bad.Error().find(Sj("4 文字目")), std::string::npos) << Utf8FromCp932(bad.Error());
  EXPECT_TRUE(bad.FindAllIn(Sj("あ(い")).empty());
  EXPECT_TRUE(TTextSearch("$1", Regex()).CanMatch());
}

TEST(TextSearch, CatastrophicBacktrackingStopsWithAReason) {
  const TTextSearch search("(a+)+$", Regex());
  const std::string line = std::string(5000, 'a') + "b";
  EXPECT_TRUE(search.FindAllIn(line).empty());
  EXPECT_TRUE(search.Stopped());
  EXPECT_EQ(search.Error().rfind(Sj("検索が複雑すぎます"), 0), 0u);
  // Stopped for good: later lines are not tried at the limit's cost.
  EXPECT_EQ(search.CountIn("aaa"), 0);
}

TEST(TextSearch, AMegabytePatternIsHandled) {
  std::string pattern;
  while (pattern.size() < (1u << 20)) pattern += Sj("いろはにほへと");
  const std::string line = "x" + pattern + "y";
  EXPECT_EQ(TTextSearch(pattern, {}).FindAllIn(line), (Matches{{2, static_cast<int>(pattern.size())}}));
  EXPECT_EQ(TTextSearch(pattern, {.KanaAlike = true}).CountIn(line), 1);
  const TTextSearch regex(pattern, Regex());
  if (regex.CanMatch())
    EXPECT_EQ(regex.CountIn(line), 1);
  else
    EXPECT_NE(regex.Error(), "");
}

// Lines scanned together must give each line's own matches: none across a
// line end, none at a trail byte after a line that ends in a lone lead byte.
TEST(TextSearch, PackedLinesMatchAsEachLineAlone) {
  std::mt19937 rng(20261210);
  const std::string some =
      "\x81\x82\x9F\xE0\x40\xA0\xB1"
      "at";
  for (int round = 0; round < 1500; ++round) {
    std::string bytes;
    std::vector<uint32_t> ends(rng() % 6);
    for (uint32_t& end : ends) {
      for (size_t n = rng() % (round % 3 ? 8 : 90); n > 0; --n) bytes += some[rng() % some.size()];
      end = static_cast<uint32_t>(bytes.size());
    }
    std::string pattern;
    for (size_t n = 1 + rng() % (round % 5 ? 3 : 40); n > 0; --n) pattern += some[rng() % some.size()];
    const TSearchOptions options{.MatchCase = round % 4 != 0, .Regex = round % 7 == 0};
    const TTextSearch search(pattern, options);
    std::vector<std::pair<size_t, TSearchMatch>> packed, alone;
    search.ForEachMatchInLines({bytes, ends}, [&](size_t line, const TSearchMatch& m) {
      packed.emplace_back(line, m);
      return true;
    });
    for (size_t i = 0, begin = 0; i < ends.size(); begin = ends[i++])
      for (const TSearchMatch& m : search.FindAllIn(std::string_view(bytes).substr(begin, ends[i] - begin)))
        alone.emplace_back(i, m);
    SCOPED_TRACE(::testing::PrintToString(pattern) + " in " + ::testing::PrintToString(bytes));
    EXPECT_EQ(packed, alone);
    EXPECT_EQ(search.CountInLines({bytes, ends}), static_cast<int>(alone.size()));
  }
}

}  // namespace
}  // namespace vorna
