// CP932 <-> Unicode conversion at the platform boundary and the literal cache.
#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "text/ShiftJis.h"

namespace vorna {
namespace {

TEST(Cp932, MicrosoftTableDiffersFromJis) {
  EXPECT_EQ(Utf8FromCp932("\x81\x60"), "\xEF\xBD\x9E");  // U+FF5E
  EXPECT_EQ(Utf8FromCp932("\x81\x5F"), "\xEF\xBC\xBC");  // U+FF3C
  EXPECT_EQ(Utf8FromCp932("\x81\x91"), "\xEF\xBF\xA0");  // U+FFE0
  EXPECT_EQ(Cp932FromUtf8("\xEF\xBD\x9E"), "\x81\x60");
  EXPECT_EQ(Cp932FromUtf8("\xE3\x80\x9C"), "\x81\x60");  // U+301C wave dash comes back too
  EXPECT_EQ(Cp932FromUtf8("\xE2\x80\x94"), "\x81\x5C");  // U+2014
}

TEST(Cp932, EveryDoubleByteCodeDecodesOrIsUndefined) {
  int defined = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      std::string utf8 = Utf8FromCp932(std::string_view(bytes, 2));
      ASSERT_FALSE(utf8.empty());
      if (Cp932CodeToUnicode(lead << 8 | trail) != 0) {
        ++defined;
        // Round trip: the code iconv picks for the character decodes to it again.
        std::string back = Cp932FromUtf8(utf8);
        EXPECT_EQ(Utf8FromCp932(back), utf8) << std::hex << lead << trail;
      }
    }
  }
  EXPECT_GT(defined, 7000);
}

TEST(Cp932, BadBytesBecomeReplacementAndNeverFail) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(Utf8FromCp932("\x80"), fffd);
  EXPECT_EQ(Utf8FromCp932("\xA0"), fffd);
  EXPECT_EQ(Utf8FromCp932("\xFD\xFE\xFF"), fffd + fffd + fffd);
  EXPECT_EQ(Utf8FromCp932("a\x82"), "a" + fffd);      // lone lead byte at the end
  EXPECT_EQ(Utf8FromCp932("\x82\x0A"), fffd + "\n");  // lead byte before a control
  EXPECT_EQ(Utf8FromCp932(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(Utf8FromCp932(""), "");
  EXPECT_EQ(Utf8FromCp932("\xB1"), "\xEF\xBD\xB1");  // half-width katakana
}

TEST(Cp932, UnmappableUnicodeBecomesQuestionMark) {
  EXPECT_EQ(Cp932FromUtf8("a\xF0\x9F\x98\x80z"), "a?z");  // emoji
  EXPECT_EQ(Cp932FromUtf8("\xC3\xA9"), "?");              // e-acute
  EXPECT_EQ(Cp932FromUtf8("\xFF\xFE"), "??");             // invalid UTF-8
  EXPECT_EQ(Cp932FromUtf8("\xE3\x81"), "??");             // truncated sequence
}

TEST(Cp932, LiteralsAreConvertedOnceAndCached) {
  const std::string& a = Cp932Lit("《");
  EXPECT_EQ(a, "\x81\x73");
  EXPECT_EQ(&a, &Cp932Lit("《"));
  EXPECT_EQ(Cp932Lit("ファイル").size(), 8u);
  EXPECT_THROW(Cp932Lit("\xF0\x9F\x98\x80"), std::logic_error);
}

TEST(ShiftJis, ByteTypesWalkFromTheStart) {
  // "表" is 0x95 0x5C: its trail byte is a backslash; 0x81 0x81 0x81 ...
  std::string s = "a\x95\x5C\x81\x81\x81";
  EXPECT_EQ(ByteTypeAt(s, 1), TByteType::Single);
  EXPECT_EQ(ByteTypeAt(s, 2), TByteType::Lead);
  EXPECT_EQ(ByteTypeAt(s, 3), TByteType::Trail);
  EXPECT_EQ(ByteTypeAt(s, 4), TByteType::Lead);
  EXPECT_EQ(ByteTypeAt(s, 5), TByteType::Trail);
  EXPECT_EQ(ByteTypeAt(s, 6), TByteType::Lead);  // lone lead byte at the end
  EXPECT_EQ(ByteTypeAt(s, 0), TByteType::Single);
  EXPECT_EQ(ByteTypeAt(s, 7), TByteType::Single);
  EXPECT_EQ(CharLengthAt(s, 2), 2);
  EXPECT_EQ(CharLengthAt(s, 6), 1);
  EXPECT_EQ(PrevCharPos(s, 4), 2);
  EXPECT_EQ(PrevCharPos(s, 2), 1);
  EXPECT_EQ(PrevCharPos(s, 1), 0);
  EXPECT_EQ(PrevCharPos(s, 100), 6);
}

}  // namespace
}  // namespace vorna
