// Case, kana and width conversions of CP932 text.
#include "text/TextConversions.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "text/Cp932.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

using testing::Sj;

struct TCase {
  int Kind;
  const char* From;
  const char* To;
};

TEST(TextConversions, EachKind) {
  const TCase cases[] = {
      {ckUpperCase, "abc xyz 123 ｱ", "ABC XYZ 123 ｱ"},
      {ckUpperCase, "ａｂｃαωжёⅳ", "ＡＢＣΑΩЖЁⅣ"},
      {ckUpperCase, "あア漢ぁ", "あア漢ぁ"},  // no case outside the alphabets
      {ckLowerCase, "ABC Zz", "abc zz"},
      {ckLowerCase, "ＡＺΣЯЁⅩ\u212B", "ａｚσяёⅹ\u212B"},  // å is not in CP932
      {ckHiragana, "カタカナ・ガッコウ", "かたかな・がっこう"},
      {ckHiragana, "ヴヵヶヽヾー", "ヴヵヶゝゞー"},  // ゔゕゖ are not in CP932
      {ckHiragana, "ｶﾀｶﾅ", "ｶﾀｶﾅ"},                  // half-width katakana stays
      {ckKatakana, "ひらがなゝゞぁゎ", "ヒラガナヽヾァヮ"},
      {ckKatakana, "ｶﾀｶﾅ漢abc", "ｶﾀｶﾅ漢abc"},
      {ckFullWidth, "Hello, World! 1+1=2", "Ｈｅｌｌｏ，　Ｗｏｒｌｄ！　１＋１＝２"},
      {ckFullWidth, "\"'\\~-_", "”’￥～－＿"},
      {ckFullWidth, "ｶﾞｷﾞｸﾞﾊﾟﾋﾟｳﾞﾂﾞ", "ガギグパピヴヅ"},
      {ckFullWidth, "ｱﾞﾜﾞﾏﾟﾞﾟ", "ア゛ワ゛マ゜゛゜"},  // no combined form in CP932
      {ckFullWidth, "｡｢｣､･ｰｦｧｯ", "。「」、・ーヲァッ"},
      {ckFullWidth, "ﾞｶ", "゛カ"},
      {ckFullWidth, "かな漢字Ａ", "かな漢字Ａ"},
      {ckHalfWidth, "Ｈｅｌｌｏ，　Ｗｏｒｌｄ！", "Hello, World!"},
      {ckHalfWidth, "”’￥＼～－＿", "\"'\\\\~-_"},
      {ckHalfWidth, "ガギグパピヴヅバ", "ｶﾞｷﾞｸﾞﾊﾟﾋﾟｳﾞﾂﾞﾊﾞ"},
      {ckHalfWidth, "。「」、・ー゛゜", "｡｢｣､･ｰﾞﾟ"},
      {ckHalfWidth, "ヰヱヮヵヶ", "ヰヱヮヵヶ"},  // no half-width forms
      {ckHalfWidth, "ひらがな漢字“‘", "ひらがな漢字“‘"},
      {ckHalfWidth, "αＡ１", "αA1"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Utf8FromCp932(ConvertText(Sj(c.From), c.Kind)), c.To) << "kind " << c.Kind << ": " << c.From;
}

TEST(TextConversions, UnknownKindAndBadBytesPassThrough) {
  const std::string text = Sj("abｱあア");
  EXPECT_EQ(ConvertText(text, -1), text);
  EXPECT_EQ(ConvertText(text, 6), text);
  EXPECT_EQ(ConvertText("", ckUpperCase), "");
  for (int kind = 0; kind <= 5; ++kind) {
    EXPECT_EQ(ConvertText("\x80\xA0\xFD\xFF", kind), "\x80\xA0\xFD\xFF");
    EXPECT_EQ(ConvertText("\x82", kind), "\x82");
    EXPECT_EQ(ConvertText("\x82\x20", kind), "\x82\x20");  // lead byte keeps its (invalid) trail
    EXPECT_EQ(ConvertText("\x85\x40", kind), "\x85\x40");  // undefined code
    EXPECT_EQ(ConvertText("\xF0\x40", kind), "\xF0\x40");  // user-defined character
    EXPECT_EQ(ConvertText(std::string("a\0b", 3), ckUpperCase), std::string("A\0B", 3));
  }
  EXPECT_EQ(ConvertText("x\xB6", ckFullWidth), Sj("ｘカ"));            // half-width kana at the end
  EXPECT_EQ(ConvertText("\xB6\x82", ckFullWidth), Sj("カ") + "\x82");  // before a lone lead byte
}

std::string CodeBytes(unsigned code) {
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::vector<std::string> EveryCharacter() {
  std::vector<std::string> chars;
  for (unsigned b = 0x20; b < 0x100; ++b)
    if (!IsLeadByte(static_cast<unsigned char>(b)) && Cp932CodeToUnicode(b)) chars.push_back(CodeBytes(b));
  for (unsigned code = 0x8140; code <= 0xFCFC; ++code)
    if (IsLeadByte(static_cast<unsigned char>(code >> 8)) && Cp932CodeToUnicode(code))
      chars.push_back(CodeBytes(code));
  return chars;
}

TEST(TextConversions, RoundTripsOverEveryCharacter) {
  int widthPairs = 0, kanaPairs = 0, casePairs = 0;
  for (const std::string& ch : EveryCharacter()) {
    SCOPED_TRACE(::testing::PrintToString(ch));
    const std::string half = ConvertText(ch, ckHalfWidth);
    const std::string full = ConvertText(ch, ckFullWidth);
    if (half != ch) {
      ++widthPairs;
      // Both yen forms share 0x5C, whose full-width form is "￥".
      const std::string back = ConvertText(half, ckFullWidth);
      const char32_t u =
          Cp932CodeToUnicode(static_cast<unsigned char>(ch[0]) << 8 | static_cast<unsigned char>(ch[1]));
      if (u == 0xFF3C)  // "＼" shares 0x5C with the yen sign
        EXPECT_EQ(back, Sj("￥"));
      else if (u == 0xFF02 || u == 0xFF07)  // ＂＇ come back as the quotation marks
        EXPECT_EQ(back, Sj(u == 0xFF02 ? "”" : "’"));
      else
        EXPECT_EQ(back, ch);
    }
    if (full != ch) {
      EXPECT_EQ(ConvertText(full, ckHalfWidth), ch);
    }
    // Conversions are idempotent.
    EXPECT_EQ(ConvertText(half, ckHalfWidth), half);
    EXPECT_EQ(ConvertText(full, ckFullWidth), full);
    const std::string kata = ConvertText(ch, ckKatakana);
    if (kata != ch) {
      ++kanaPairs;
      EXPECT_EQ(ConvertText(kata, ckHiragana), ch);
    }
    const std::string upper = ConvertText(ch, ckUpperCase);
    if (upper != ch) {
      ++casePairs;
      EXPECT_EQ(upper.size(), ch.size());
      // Same character, though possibly another of its codes (NEC and IBM).
      EXPECT_EQ(Utf8FromCp932(ConvertText(upper, ckLowerCase)), Utf8FromCp932(ConvertText(ch, ckLowerCase)));
    }
  }
  EXPECT_EQ(kanaPairs, 85);  // ぁ..ん and ゝゞ
  EXPECT_GT(widthPairs, 180);
  EXPECT_GE(casePairs, 26 + 26 + 24 + 33 + 10);
}

}  // namespace
}  // namespace vorna
