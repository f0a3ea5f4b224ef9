// Hexadecimal digits: every byte round-trips in both cases.
#include "text/HexTexts.h"

#include <gtest/gtest.h>

namespace vorna {
namespace {

TEST(HexTexts, EveryByteRoundTripsInBothCases) {
  for (int b = 0; b < 256; ++b) {
    for (bool upper : {false, true}) {
      std::string s;
      AppendHexByte(s, static_cast<unsigned char>(b), upper);
      ASSERT_EQ(s.size(), 2u);
      EXPECT_EQ(HexDigitValue(s[0]) * 16 + HexDigitValue(s[1]), b) << s;
    }
  }
  std::string s;
  AppendPercentByte(s, 0xAF);
  AppendHexWord(s, 0x0012ABCDu);
  EXPECT_EQ(s, "%AF0012abcd");
  EXPECT_EQ(HexDigitValue('g'), -1);
  EXPECT_EQ(HexDigitValue('/'), -1);
}

// Lock names and recovery checksums written by earlier runs must still match.
TEST(HexTexts, FingerprintsAreTheStandardFnv1a) {
  EXPECT_EQ(Hex64(Fnv1a64("")), "cbf29ce484222325");
  EXPECT_EQ(Hex64(Fnv1a64("a")), "af63dc4c8601ec8c");
}

}  // namespace
}  // namespace vorna
