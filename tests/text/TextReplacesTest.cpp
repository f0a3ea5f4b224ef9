// Replacing matches in a line: group references, line breaks, the range
// limit, and matches over hidden notation left alone.
#include "text/TextReplaces.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

using testing::Sj;

TLineReplacement Replace(std::string_view pattern, std::string_view with, std::string_view line,
                         TSearchOptions options = {}, int from = 1, int to = INT_MAX) {
  const TTextSearch search(Sj(pattern), options);
  const TReplacement replacement(Sj(with), search);
  EXPECT_EQ(replacement.Error(), "") << Utf8FromCp932(replacement.Error());
  return ReplaceInLine(Sj(line), search, replacement, from, to);
}

TEST(TextReplace, PlainReplacementIsLiteral) {
  const TLineReplacement r = Replace("猫", "$1\\n犬", "猫と猫");
  EXPECT_EQ(r.Text, Sj("$1\\n犬と$1\\n犬"));
  EXPECT_EQ(r.Count, 2);
}

TEST(TextReplace, RegexGroupsTakeTheLinesOwnBytes) {
  const TSearchOptions regex{.Regex = true};
  EXPECT_EQ(Replace("(\\w+)@(?<host>\\w+)", "${host}:$1:$0:$$", "a@b", regex).Text, "b:a:a@b:$");
  EXPECT_EQ(Replace("(x)?y", "[$1]", "y", regex).Text, "[]");
  // Folding finds "ＡＢ" for "ab", yet the group gives the bytes as written.
  EXPECT_EQ(Replace("(ab)", "<$1>", "ＡＢ", {.WidthAlike = true, .Regex = true}).Text, Sj("<ＡＢ>"));
  // "ソ" ends in 0x5C, which is no backslash there.
  EXPECT_EQ(Replace("ソ", "ソ\\\\表", "ソ", regex).Text, Sj("ソ\\表"));
  const TLineReplacement lines = Replace("、", "\\n", "あ、い、う", regex);
  EXPECT_EQ(lines.Text, Sj("あ\r\nい\r\nう"));
  EXPECT_EQ(lines.Count, 2);
  EXPECT_EQ(Replace("^", "　", "本文", regex).Text, Sj("　本文"));
}

TEST(TextReplace, AMissingGroupIsRefusedWithAReason) {
  const TTextSearch search("(a)", {.Regex = true});
  const TReplacement bad("$2", search);
  EXPECT_FALSE(bad.Ok());
  EXPECT_NE(bad.Error().find("$2"), std::string::npos);
  EXPECT_FALSE(TReplacement("${nope}", search).Ok());
  const TLineReplacement r = ReplaceInLine("aaa", search, bad);
  EXPECT_EQ(r.Text, "aaa");
  EXPECT_EQ(r.Count, 0);
}

TEST(TextReplace, OnlyMatchesInsideTheRangeAreReplaced) {
  // "ab ab ab": the second match lies in bytes 4 .. 5.
  const TLineReplacement r = Replace("ab", "X", "ab ab ab", {}, 4, 6);
  EXPECT_EQ(r.Text, "ab X ab");
  EXPECT_EQ(r.Count, 1);
  EXPECT_EQ(Replace("ab", "X", "ab ab ab", {}, 4, 5).Count, 0);
}

TEST(TextReplace, MatchesOverHiddenNotationAreLeftAlone) {
  const TSearchOptions skip{.SkipRuby = true};
  const TLineReplacement base = Replace("東京", "大阪", "｜東京《とうきょう》都", skip);
  EXPECT_EQ(base.Text, Sj("｜大阪《とうきょう》都"));
  const TLineReplacement across = Replace("京都", "X", "｜東京《とうきょう》都、京都", skip);
  EXPECT_EQ(across.Text, Sj("｜東京《とうきょう》都、X"));
  EXPECT_EQ(across.Count, 1);
  EXPECT_EQ(across.Skipped, 1);
  // An empty match after a hidden "｜" would put text into the ruby's base.
  const TLineReplacement start =
      Replace("^", "　", "｜東京《とうきょう》", {.Regex = true, .SkipRuby = true});
  EXPECT_EQ(start.Text, Sj("｜東京《とうきょう》"));
  EXPECT_EQ(start.Skipped, 1);
}

TEST(TextReplace, AStoppedSearchLeavesTheLineAsItWas) {
  // The two "x" match before the limit stops the search on the "a" run.
  const TTextSearch search("x|(a+)+$", {.Regex = true});
  const std::string line = "xx" + std::string(3000, 'a') + "b";
  const TLineReplacement r = ReplaceInLine(line, search, TReplacement("y", search));
  EXPECT_TRUE(search.Stopped());
  EXPECT_TRUE(r.Text == line);
  EXPECT_EQ(r.Count, 0);
}

}  // namespace
}  // namespace vorna
