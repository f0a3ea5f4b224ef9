// Character classes, class compatibility, URL and mail sets, word ranges.
#include "text/CharClasses.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <vector>

#include "TestSupport.h"
#include "text/Cp932.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

using testing::Sj;

std::string CodeBytes(unsigned code) {
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

TEST(CharClasses, RepresentativeCharacterOfEveryClass) {
  struct TCase {
    const char* Utf8;
    int Class;
  };
  const TCase cases[] = {
      {"0", 1},   {"9", 1},   {"a", 2},   {"Z", 2},  {"!", 3},   {"\\", 3},  {"~", 3},   {"-", 3},
      {"_", 3},   {"｡", 3},   {"｢", 3},   {"･", 3},  {"ｱ", 4},   {"ｦ", 4},   {"ｰ", 4},   {"ﾞ", 4},
      {"ﾟ", 4},   {"０", 5},  {"９", 5},  {"Ａ", 6}, {"ｚ", 6},  {"α", 6},   {"Ω", 6},   {"Ж", 6},
      {"ё", 6},   {"Ⅳ", 6},   {"、", 7},  {"。", 7}, {"「", 7},  {"！", 7},  {"￥", 7},  {"・", 7},
      {"゛", 7},  {"①", 7},   {"※", 7},   {"─", 7},  {"ア", 8},  {"ヴ", 8},  {"ヶ", 8},  {"ー", 8},
      {"ヽ", 8},  {"あ", 9},  {"ん", 9},  {"ゝ", 9}, {"漢", 10}, {"々", 10}, {"＿", 10}, {"〆", 10},
      {"〇", 10}, {"仝", 10}, {"纊", 10}, {" ", 12}, {"　", 13},
  };
  for (const TCase& c : cases) EXPECT_EQ(GetCharClass(Sj(c.Utf8)), c.Class) << c.Utf8;
}

TEST(CharClasses, ControlsUndefinedAndUserDefinedCodesHaveNoClass) {
  for (const char* s :
       {"\t", "\r", "\x7F", "\x80", "\xA0", "\xFD", "\xFF", "\xF0\x40", "\x85\x40", "\x82\x7F"})
    EXPECT_EQ(GetCharClass(s), 0) << ::testing::PrintToString(s);
}

// Class that a character of a well-known Unicode block must have; -1 when
// the block sets no expectation.
int ExpectedClass(char32_t u) {
  if (u == 0 || (u >= 0xE000 && u <= 0xF8FF)) return 0;  // undefined, user-defined
  if ((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF)) return 10;
  if (u >= 0x3041 && u <= 0x3093) return 9;
  if (u >= 0x30A1 && u <= 0x30F6) return 8;
  if (u >= 0xFF66 && u <= 0xFF9F) return 4;
  if ((u >= 0xFF21 && u <= 0xFF3A) || (u >= 0xFF41 && u <= 0xFF5A)) return 6;
  if (u >= 0xFF10 && u <= 0xFF19) return 5;
  if (u >= 0x2500 && u <= 0x257F) return 7;
  if (u > 0x20 && u < 0x7F) return u >= '0' && u <= '9' ? 1 : std::isalpha(static_cast<int>(u)) ? 2 : 3;
  return -1;
}

// Cross-checks the generated table against iconv's decoding of every code.
TEST(CharClasses, TableAgreesWithUnicodeBlocks) {
  int checked = 0;
  for (unsigned code = 0; code < 0x10000; ++code) {
    const unsigned lead = code >> 8, trail = code & 0xFF;
    if (code >= 0x100 && (!IsLeadByte(static_cast<unsigned char>(lead)) || trail < 0x40 || trail > 0xFC))
      continue;
    if (code < 0x100 && IsLeadByte(static_cast<unsigned char>(code))) continue;
    const int cls = GetCharClass(CodeBytes(code));
    ASSERT_TRUE(cls >= 0 && cls <= 13) << code;
    const int expected = ExpectedClass(Cp932CodeToUnicode(code));
    if (expected < 0) continue;
    ++checked;
    EXPECT_EQ(cls, expected) << std::hex << code;
  }
  EXPECT_GT(checked, 9000);
}

TEST(CharClasses, LongerStringsAreDecidedByTheLastCharacterThatMatches) {
  EXPECT_EQ(GetCharClass(Sj("a漢")), 10);
  EXPECT_EQ(GetCharClass(Sj("漢a")), 2);
  EXPECT_EQ(GetCharClass("a\t"), 2);  // TAB matches no rule
  EXPECT_EQ(GetCharClass("\t\t"), 0);
  EXPECT_EQ(GetCharClass("1\x80"), 1);
  EXPECT_EQ(GetCharClass(""), 0);
  EXPECT_EQ(GetCharClass("\x82"), 0);      // lone lead byte
  EXPECT_EQ(GetCharClass("a\x82"), 2);     // lone lead byte after a letter
  EXPECT_EQ(GetCharClass("\x82\x20"), 0);  // lead byte with an invalid trail
  EXPECT_EQ(GetCharClass(std::string("\0", 1)), 0);
}

TEST(CharClasses, CompatibilityIsNotSymmetric) {
  EXPECT_TRUE(IsClassCompatible(1, 2));
  EXPECT_FALSE(IsClassCompatible(2, 1));
  for (int a : {1, 3, 5, 6, 7})
    for (int b : {1, 2, 3, 5, 7}) EXPECT_TRUE(IsClassCompatible(a, b)) << a << "," << b;
  EXPECT_TRUE(IsClassCompatible(5, 10));
  EXPECT_TRUE(IsClassCompatible(10, 5));
  EXPECT_FALSE(IsClassCompatible(10, 1));
  EXPECT_FALSE(IsClassCompatible(9, 10));
  EXPECT_FALSE(IsClassCompatible(6, 6 + 100));
  for (int a = -1; a <= 14; ++a) EXPECT_TRUE(IsClassCompatible(a, a));
  EXPECT_FALSE(IsClassCompatible(-5, 3));
  EXPECT_FALSE(IsClassCompatible(1 << 20, 3));
}

TEST(CharClasses, UrlAndMailCharacters) {
  EXPECT_TRUE(IsUrlChar(""));
  EXPECT_TRUE(IsMailChar(""));
  EXPECT_TRUE(IsUrlChar("https://example.com/a_b-c~d?e=f&g#h"));
  EXPECT_FALSE(IsMailChar("https://example.com/"));
  EXPECT_TRUE(IsMailChar("a.b-c_d@example.com"));
  EXPECT_FALSE(IsUrlChar("a b"));
  EXPECT_FALSE(IsUrlChar(Sj("ａ")));
  EXPECT_FALSE(IsUrlChar("\x82"));
  EXPECT_FALSE(IsMailChar("a+b"));
  EXPECT_FALSE(IsUrlChar(std::string("a\0", 2)));
}

TEST(WordRanges, PositionsOutsideTheText) {
  const std::string s = Sj("漢字");
  EXPECT_EQ(WordRange(s, 0, wmSameClass), (TWordRange{0, 0}));
  EXPECT_EQ(WordRange(s, -7, wmSameClass), (TWordRange{0, 0}));
  EXPECT_EQ(WordRange(s, 5, wmSameClass), (TWordRange{5, 5}));
  EXPECT_EQ(WordRange(s, 1000, wmCompatible), (TWordRange{5, 5}));
  EXPECT_EQ(WordRange("", 1, wmSameClass), (TWordRange{1, 1}));
  EXPECT_EQ(WordAt(s, 0, wmSameClass), "");
  EXPECT_EQ(WordAt(s, 5, wmSameClass), "");
}

TEST(WordRanges, ModesOverSmallTexts) {
  struct TCase {
    const char* Utf8;
    int Pos;  // 1-based byte position in the CP932 text
    int Mode;
    const char* Word;
  };
  const TCase cases[] = {
      {"漢字かなカナ", 1, wmSameClass, "漢字"},
      {"漢字かなカナ", 2, wmSameClass, "漢字"},  // trail byte steps back
      {"漢字かなカナ", 5, wmSameClass, "かな"},
      {"漢字かなカナ", 10, wmSameClass, "カナ"},
      {"漢字かなカナ", 12, wmSameClass, "カナ"},
      {"1a", 1, wmCompatible, "1a"},
      {"1a", 2, wmCompatible, "a"},
      {"abc123 def", 2, wmSameClass, "abc"},
      {"abc123 def", 5, wmSameClass, "123"},
      {"abc123 def", 7, wmSameClass, " "},
      {"abc123 def", 5, wmCompatible, "abc123"},
      {"abc123 def", 2, wmCompatible, "abc"},
      {"２０２６年", 3, wmCompatible, "２０２６年"},  // full-width digits join kanji
      {"年２０", 1, wmCompatible, "年２０"},
      {"見てhttp://a.jp/x?y=1。", 8, wmUrl, "http://a.jp/x?y=1"},
      {"見てhttp://a.jp/x?y=1。", 1, wmUrl, ""},  // a double-byte origin is no URL
      {"宛先a.b@c.jp」", 6, wmMail, "a.b@c.jp"},
      {"x~y@z", 3, wmMail, "y@z"},
      {"x~y@z", 2, wmMail, ""},
      {"x~y@z", 3, wmUrl, "x~y@z"},
      {"ﾃｽﾄﾞ語", 3, wmSameClass, "ﾃｽﾄﾞ"},
      {"ａｂ１２", 1, wmSameClass, "ａｂ"},
      {"ａｂ１２", 5, wmCompatible, "１２"},
      {"ａｂ１２", 1, wmCompatible, "ａｂ１２"},
  };
  for (const TCase& c : cases) {
    const std::string text = Sj(c.Utf8);
    EXPECT_EQ(WordAt(text, c.Pos, c.Mode), Sj(c.Word)) << c.Utf8 << " @" << c.Pos << " mode " << c.Mode;
  }
}

TEST(WordRanges, BadBytesAndUnknownMode) {
  EXPECT_EQ(WordRange("ab\x82", 3, wmSameClass), (TWordRange{3, 4}));  // lone lead byte at the end
  EXPECT_EQ(WordRange("ab\x82", 2, wmSameClass), (TWordRange{1, 3}));
  EXPECT_EQ(WordRange("a\x82\x20z", 3, wmSameClass), (TWordRange{2, 4}));  // invalid pair stays whole
  EXPECT_EQ(WordRange("abc", 2, 9), (TWordRange{2, 2}));
  EXPECT_EQ(WordRange("abc", 2, -1), (TWordRange{2, 2}));
}

// The straightforward algorithm: byte types by walking from the start, and a
// character-by-character walk in both directions.
TWordRange ReferenceWordRange(std::string_view text, int pos, int mode) {
  const int size = static_cast<int>(text.size());
  if (pos <= 0) return {0, 0};
  if (pos > size) return {size + 1, size + 1};
  if (ByteTypeAt(text, pos) == TByteType::Trail) --pos;
  auto charAt = [&](int p) {
    return text.substr(static_cast<size_t>(p - 1), static_cast<size_t>(CharLengthAt(text, p)));
  };
  const std::string_view origin = charAt(pos);
  const int k = GetCharClass(origin);
  auto passes = [&](std::string_view d) {
    switch (mode) {
      case wmSameClass:
        return GetCharClass(d) == k;
      case wmUrl:
        return IsUrlChar(origin) && IsUrlChar(d);
      case wmMail:
        return IsMailChar(origin) && IsMailChar(d);
      case wmCompatible:
        return IsClassCompatible(k, GetCharClass(d));
    }
    return false;
  };
  int end = pos;
  while (end <= size && passes(charAt(end))) end += CharLengthAt(text, end);
  if (end == pos) return {pos, pos};
  int start = pos;
  while (int prev = PrevCharPos(text, start)) {
    if (!passes(charAt(prev))) break;
    start = prev;
  }
  return {start, end};
}

TEST(WordRanges, MatchTheReferenceOnRandomBytes) {
  // Bytes drawn mostly from the lead-byte ranges, so that long runs of
  // ambiguous bytes and lone lead bytes occur often.
  const std::string alphabet = Sj("漢字亜あア ａ１") + "a1 .:/@\x81\x88\x9F\xE0\xFC\x40\x7F\xA0\xB1\xDE\xFD";
  std::mt19937 rng(20261208);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 40);
    for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
    for (int pos = -1; pos <= length + 2; ++pos)
      for (int mode = 0; mode < 4; ++mode)
        ASSERT_EQ(WordRange(text, pos, mode), ReferenceWordRange(text, pos, mode))
            << ::testing::PrintToString(text) << " @" << pos << " mode " << mode;
  }
}

TEST(WordRanges, CorpusLinesNeverSplitACharacter) {
  VORNA_REQUIRE_CORPUS();
  const std::string text = testing::CorpusText(1 << 20);
  size_t lines = 0;
  for (size_t from = 0; from < text.size() && lines < 3000; ++lines) {
    size_t eol = text.find("\r\n", from);
    if (eol == std::string::npos) eol = text.size();
    const std::string_view line(text.data() + from, eol - from);
    from = eol + 2;
    const int size = static_cast<int>(line.size());
    std::vector<bool> boundary(line.size() + 2, false);  // 1-based character starts, and size + 1
    for (int p = 1; p <= size; p += CharLengthAt(line, p)) boundary[p] = true;
    boundary[size + 1] = true;
    for (int mode = 0; mode < 4; ++mode) {
      for (int pos = 1; pos <= size; ++pos) {
        const TWordRange r = WordRange(line, pos, mode);
        const int origin = boundary[pos] ? pos : pos - 1;
        ASSERT_LE(r.Start, origin);
        ASSERT_GE(r.End, r.Start);
        if (mode == wmSameClass || mode == wmCompatible) {
          ASSERT_GT(r.End, pos);
        }
        ASSERT_TRUE(boundary[r.Start]) << r.Start;
        ASSERT_TRUE(boundary[r.End]) << r.End;
      }
    }
  }
  EXPECT_GT(lines, 100u);
}

}  // namespace
}  // namespace vorna
