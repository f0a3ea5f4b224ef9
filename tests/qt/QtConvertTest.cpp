// Characters CP932 cannot hold crossing the Qt boundary: user-defined codes
// both ways, surrogate pairs, the folded wave dash kept apart.
#include <gtest/gtest.h>

#include "platform/qt/QtConvert.h"
#include "text/UserCodes.h"

namespace vorna::testing {
namespace {

using qt::Cp932FromQString;
using qt::QStringFromCp932;

unsigned CodeAt(const std::string& bytes, size_t i) {
  return static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1]);
}

TEST(QtConvertUserCodes, CharactersCp932LacksRoundTrip) {
  const QString texts[] = {
      QString::fromUtf8("😀"),
      QString::fromUtf8("𠮷野家"),
      QString::fromUtf8("〜"),
      QString::fromUtf8("e\xCC\x81"),           // e + combining acute
      QString::fromUtf8("葛\xF3\xA0\x84\x80"),  // + variation selector 17
      QString::fromUtf8("‖−👨‍👩‍👧"),
      QString(QChar(0)) + QStringLiteral("a"),
  };
  for (const QString& text : texts) {
    const std::string bytes = Cp932FromQString(text);
    EXPECT_EQ(bytes.find('?'), std::string::npos) << text.toStdString();
    EXPECT_EQ(QStringFromCp932(bytes), text) << text.toStdString();
    // The process-wide table: the same character, the same code, whichever way in.
    EXPECT_EQ(bytes, Cp932TextFromUtf8(text.toStdString())) << text.toStdString();
  }
  // The wave dash takes a code of its own, not the folded 0x8160 of U+FF5E.
  const std::string wave = Cp932FromQString(QString::fromUtf8("〜"));
  ASSERT_EQ(wave.size(), 2u);
  EXPECT_TRUE(IsUserDefinedCode(CodeAt(wave, 0)));
  EXPECT_EQ(Cp932FromQString(QString::fromUtf8("～")), "\x81\x60");
}

TEST(QtConvertUserCodes, RawBytesAndLoneSurrogatesShowAsReplacement) {
  std::string bytes;
  ASSERT_TRUE(AppendCharacterCode(bytes, kRawByteBase + 0x80));
  ASSERT_TRUE(AppendCharacterCode(bytes, kLoneSurrogateBase + 0xDC00));
  EXPECT_EQ(QStringFromCp932(bytes), QString(2, QChar(0xFFFD)));
  // A lone surrogate from Qt keeps its unit rather than turning into U+FFFD.
  const std::string lone = Cp932FromQString(QString(QChar(0xD83D)) + QStringLiteral("x"));
  ASSERT_EQ(lone.size(), 3u);
  EXPECT_EQ(UserCodeCharacter(CodeAt(lone, 0)), kLoneSurrogateBase + 0xD83D);
}

}  // namespace
}  // namespace vorna::testing
