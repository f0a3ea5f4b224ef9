// Number formatting, padding, abbreviation, tabs, splitting and list items.
#include "text/TextUtils.h"

#include <gtest/gtest.h>

#include <climits>

#include "TestSupport.h"

namespace vorna {
namespace {

using testing::Sj;

TEST(TextUtils, FormatNumber) {
  struct TCase {
    long long N;
    int Width, Fill;
    bool Plus, Thousands, PadRight;
    const char* Expected;
  };
  const TCase cases[] = {
      {-1234567, 0, 0, false, true, false, "-1,234,567"},
      {1234567, 0, 0, false, true, false, "1,234,567"},
      {123, 0, 0, false, true, false, "123"},
      {1234, 0, 0, false, true, false, "1,234"},
      {-123, 0, 0, false, true, false, "-123"},
      {42, 5, 0, false, false, false, "   42"},
      {42, 5, 1, false, false, false, "00042"},
      {-42, 5, 1, false, false, false, "-0042"},  // zeros after the sign
      {-42, 5, 0, false, false, false, "  -42"},
      {42, 5, 0, false, false, true, "42   "},
      {42, 5, 0, true, false, false, "+   42"},  // the plus sign is outside the width
      {0, 0, 0, true, false, false, "+0"},
      {-1, 3, 0, true, false, false, " -1"},
      {12345, 3, 1, false, false, false, "12345"},
      {5, -10, 1, false, false, false, "5"},
      {LLONG_MIN, 0, 0, false, true, false, "-9,223,372,036,854,775,808"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(FormatNumber(c.N, c.Width, c.Fill, c.Plus, c.Thousands, c.PadRight), c.Expected) << c.Expected;
  EXPECT_EQ(FormatNumber(1, INT_MAX, 0, false, false, false).size(),
            static_cast<size_t>(kMaxGeneratedTextBytes));
}

TEST(TextUtils, FullWidthNumber) {
  EXPECT_EQ(FullWidthNumber(0), Sj("０"));
  EXPECT_EQ(FullWidthNumber(1209), Sj("１２０９"));
  EXPECT_EQ(FullWidthNumber(-35), Sj("－３５"));
  EXPECT_EQ(FullWidthNumber(LLONG_MIN), Sj("－９２２３３７２０３６８５４７７５８０８"));
}

TEST(TextUtils, IndentAndRepeat) {
  EXPECT_EQ(Indent(3, false), "   ");
  EXPECT_EQ(Indent(4, true), Sj("　　"));
  EXPECT_EQ(Indent(5, true), Sj("　　 "));
  EXPECT_EQ(Indent(0, true), "");
  EXPECT_EQ(Indent(-4, false), "");
  EXPECT_EQ(Indent(INT_MAX, false).size(), static_cast<size_t>(kMaxGeneratedTextBytes));
  EXPECT_EQ(Repeat(Sj("あ"), 3), Sj("あああ"));
  EXPECT_EQ(Repeat("ab", 0), "");
  EXPECT_EQ(Repeat("ab", -3), "");
  EXPECT_EQ(Repeat("", 1000), "");
  EXPECT_EQ(Repeat("abc", INT_MAX).size(), static_cast<size_t>(kMaxGeneratedTextBytes / 3 * 3));
}

TEST(TextUtils, Abbreviate) {
  std::string kanji;
  for (int i = 0; i < 21; ++i) kanji += Sj("字");
  EXPECT_EQ(Abbreviate(kanji, 20, false), kanji.substr(0, 20));
  EXPECT_EQ(Abbreviate(kanji, 19, false), kanji.substr(0, 18));
  EXPECT_EQ(Abbreviate(kanji, 19, true), kanji.substr(0, 18) + "...");
  EXPECT_EQ(Abbreviate(kanji, 42, true), kanji);  // nothing cut, no ellipsis
  EXPECT_EQ(Abbreviate(kanji, 1000, true), kanji);
  EXPECT_EQ(Abbreviate(kanji, 1, true), "...");
  EXPECT_EQ(Abbreviate(kanji, 0, true), "");
  EXPECT_EQ(Abbreviate(kanji, -5, true), "");
  EXPECT_EQ(Abbreviate("abcdef", 3, true), "abc...");
  // 0x82 0x81: the second byte lies in the lead range but is a trail byte.
  EXPECT_EQ(Abbreviate("\x82\x81\x82\x81", 2, false), "\x82\x81");
  EXPECT_EQ(Abbreviate("a\x82", 2, false), "a\x82");  // the whole text, nothing cut
  EXPECT_EQ(Abbreviate("", 3, true), "");
}

TEST(TextUtils, EscapeLineBreaks) {
  EXPECT_EQ(EscapeLineBreaks("a\r\nb\r\n"), "a\\nb\\n");
  EXPECT_EQ(EscapeLineBreaks("a\rb\nc\n\r"), "a\rb\nc\n\r");  // only CR LF pairs
  EXPECT_EQ(EscapeLineBreaks(Sj("行\r\n")), Sj("行") + "\\n");
  EXPECT_EQ(EscapeLineBreaks(""), "");
}

TEST(TextUtils, ExpandTabs) {
  EXPECT_EQ(ExpandTabs("ab\tc", 4, '.'), "ab..c");
  EXPECT_EQ(ExpandTabs("\t", 4, ' '), "    ");
  EXPECT_EQ(ExpandTabs("abcd\tx", 4, '-'), "abcd----x");
  EXPECT_EQ(ExpandTabs("\t\t", 3, '*'), "******");
  EXPECT_EQ(ExpandTabs(Sj("あ\tい"), 4, ' '), Sj("あ  い"));  // columns count bytes
  EXPECT_EQ(ExpandTabs("a\tb", 0, '.'), "a.b");               // width below 1 counts as 1
  EXPECT_EQ(ExpandTabs("a\tb", -3, '.'), "a.b");
  EXPECT_EQ(ExpandTabs("\t", INT_MAX, ' ').size(), static_cast<size_t>(kMaxTabWidth));
}

TEST(TextUtils, SplitAndJoin) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitText("a,b,,c", ","), (V{"a", "b", "", "c"}));
  EXPECT_EQ(SplitText(",a,", ","), (V{"", "a", ""}));
  EXPECT_EQ(SplitText("abc", ","), (V{"abc"}));
  EXPECT_EQ(SplitText("abc", ""), (V{"abc"}));
  EXPECT_EQ(SplitText("", ","), V{});
  EXPECT_EQ(SplitText("a--b----c", "--"), (V{"a", "b", "", "c"}));
  // "ｱ" (0xB1) after a lead byte is a trail byte and no separator.
  EXPECT_EQ(SplitText("\x83\xB1x\xB1y", "\xB1"), (V{"\x83\xB1x", "y"}));
  EXPECT_EQ(SplitText(Sj("一、二、三"), Sj("、")), (V{Sj("一"), Sj("二"), Sj("三")}));
  for (const char* text : {"a,b,,c", ",", "", ",,x,"}) EXPECT_EQ(JoinText(SplitText(text, ","), ","), text);
  EXPECT_EQ(JoinText({}, ","), "");
  EXPECT_EQ(JoinText({"a"}, ","), "a");
}

TEST(TextUtils, ListItemNumbers) {
  struct TCase {
    const char* Line;
    const char* Same;
    const char* Next;
  };
  const TCase cases[] = {
      {"1. first", "1.", "2."},
      {"9 nine", "9 ", "10 "},
      {"(12) twelve", "(12) ", "(13) "},
      {"a)3", "", ""},  // the prefix is one byte
      {"#007.", "#7.", "#8."},
      {"99", "", ""},    // digits up to the end of the line
      {"text", "", ""},  // no digits
      {"", "", ""},
      {"1)", "1)", "2)"},      // the line ends before any separator
      {"1abcdefg", "1", "2"},  // rest of the line longer than 6 bytes
      {"1abcdef.", "1", "2"},  // separator of 7 bytes
      {"1abcd. x", "1abcd.", "2abcd."},
      {"1abcdefghi", "1", "2"},  // no separator within 8 bytes
      {"１．全角", "１．", "２．"},
      {"９　項目", "９　", "１０　"},
      {"・１９）", "", ""},  // a double-byte first character is no prefix
      {" ３.", " ３.", " ４."},
      {"-1-2", "-1-2", "-2-2"},
      {"x99999999999999999999999. ", "x99999999999999999999999.", "x100000000000000000000000."},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ListItemNumber(Sj(c.Line)), Sj(c.Same)) << c.Line;
    EXPECT_EQ(NextListItemNumber(Sj(c.Line)), Sj(c.Next)) << c.Line;
  }
  EXPECT_EQ(NextListItemNumber("5\x82"), "6\x82");  // a lone lead byte at the end
  EXPECT_EQ(NextListItemNumber("\x82"), "");
}

}  // namespace
}  // namespace vorna
