// The line splitter: pieces between breaks, lines, the NUL cut, joining.
#include "text/TextLines.h"

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
