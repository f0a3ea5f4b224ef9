// The line splitter: pieces between breaks, lines, the NUL cut, joining.
#include "text/TextLines.h"

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorna {
namespace {

using Views = std::vector<std::string_view>;
using Lines = std::vector<std::string>;

TEST(TextLines, PiecesAndLinesAtEveryKindOfBreak) {
  struct TCase {
    std::string Text;
    Views Pieces;
    Lines Expected;
  };
  const TCase cases[] = {
      {"", {""}, {}},
      {"a", {"a"}, {"a"}},
      {"a\r\nb", {"a", "b"}, {"a", "b"}},
      {"a\r\n", {"a", ""}, {"a"}},
      {"a\rb\nc", {"a", "b", "c"}, {"a", "b", "c"}},
      {"a\n\rb", {"a", "", "b"}, {"a", "", "b"}},  // LF CR is two breaks
      {"\r\n\r\n", {"", "", ""}, {"", ""}},
      {"a\r", {"a", ""}, {"a"}},
      {std::string("x\0y\nz", 5), {std::string_view("x\0y", 3), "z"}, {std::string("x\0y", 3), "z"}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(SplitAtLineBreaks(c.Text), c.Pieces) << c.Text;
    EXPECT_EQ(SplitLines(c.Text), c.Expected) << c.Text;
  }
}

TEST(TextLines, NulEndsTheTextAndJoinRoundTrips) {
  EXPECT_EQ(TextBeforeNul(std::string_view("ab\0cd", 5)), "ab");
  EXPECT_EQ(TextBeforeNul("abc"), "abc");
  const Lines lines{"", "a", "\x82\xA0", ""};
  EXPECT_EQ(JoinLines(lines), "\r\na\r\n\x82\xA0\r\n\r\n");
  EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
  EXPECT_TRUE(HasLineBreak("a\rb"));
  EXPECT_FALSE(HasLineBreak("ab"));
}

}  // namespace
}  // namespace vorna

namespace vorna {
namespace {

// Fed in pieces of any size, the splitter gives what SplitLines gives for the
// text before its NUL, and knows whether the whole text ended with CR LF.
TEST(LineSplitter, AnyChunkingGivesTheLinesOfTheWholeText) {
  std::mt19937 random(20261209);
  const char alphabet[] = {'a', '\r', '\n', '\r', '\x82', '\0', 'b'};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 12);
    // A NUL (and the text after it) in every fourth text only.
    for (int i = 0; i < length; ++i) text += alphabet[random() % (round % 4 == 0 ? 7 : 5)];
    TLineSplitter splitter;
    std::vector<std::string> lines;
    const auto add = [&lines](std::string_view line) { lines.emplace_back(line); };
    for (size_t at = 0; at < text.size();) {
      const size_t n = std::min<size_t>(text.size() - at, 1 + random() % 4);
      splitter.Feed(std::string_view(text).substr(at, n), add);
      at += n;
    }
    splitter.Finish(add);
    EXPECT_EQ(lines, SplitLines(TextBeforeNul(text))) << round;
    const bool crLf =
        text.size() >= 2 && text.substr(text.size() - 2) == "\r\n" && text.find('\0') == std::string::npos;
    EXPECT_EQ(splitter.EndsWithCrLf(), crLf) << round;
  }
}

}  // namespace
}  // namespace vorna
