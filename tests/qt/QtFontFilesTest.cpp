// Font files built from tables, and the print faces made from them: the
// file's directory and checksums, a cmap that Qt reads back, and a vertical
// font's print face reaching each vertical form from its character.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFont>
#include <QPainterPath>
#include <QtEndian>

#include "QtTestHelpers.h"
#include "platform/qt/QtFontFiles.h"
#include "platform/qt/QtGlyphCache.h"

namespace vorna::qt {
namespace {

TSfntTable Fixed(const char* tag, QByteArray data) {
  return {SfntTag(tag), [data] { return data; }};
}

uint32_t WordAt(const QByteArray& data, qsizetype at) {
  return qFromBigEndian<uint32_t>(reinterpret_cast<const uchar*>(data.constData() + at));
}

TEST(QtFontFiles, DirectoryIsSortedAlignedAndChecksummed) {
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  QByteArray head(54, '\x07');
  ASSERT_TRUE(
      WriteSfnt(out, 0x00010000,
                {Fixed("name", "abcde"), Fixed("head", head), Fixed("GSUB", {}), Fixed("cmap", "xyz")}));
  const QByteArray file = out.data();
  // The empty table is left out; the rest come in tag order, 4-byte aligned.
  ASSERT_EQ(qFromBigEndian<uint16_t>(reinterpret_cast<const uchar*>(file.constData() + 4)), 3);
  EXPECT_EQ(WordAt(file, 12), SfntTag("cmap"));
  EXPECT_EQ(WordAt(file, 28), SfntTag("head"));
  EXPECT_EQ(WordAt(file, 44), SfntTag("name"));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(WordAt(file, 12 + 16 * i + 8) % 4, 0u);
  EXPECT_EQ(file.size() % 4, 0);
  // The whole file sums to the magic number once head's adjustment is set.
  uint32_t sum = 0;
  for (qsizetype at = 0; at < file.size(); at += 4) sum += WordAt(file, at);
  EXPECT_EQ(sum, 0xB1B0AFBAu);
}

TEST(QtFontFiles, QtReadsTheBuiltCmapAndName) {
  QFont font(QStringLiteral("IPAMincho"));
  font.setPixelSize(40);
  const QRawFont face = QRawFont::fromFont(font);
  if (!face.isValid() || face.fontTable("glyf").isEmpty()) GTEST_SKIP() << "IPAMincho not installed";
  const quint32 glyphB = face.glyphIndexesForString(QStringLiteral("B")).front();
  const quint32 glyphA = face.glyphIndexesForString(QStringLiteral("A")).front();
  std::vector<TSfntTable> tables;
  for (const char* tag : {"head", "hhea", "hmtx", "maxp", "OS/2", "post", "glyf", "loca"})
    tables.push_back(Fixed(tag, face.fontTable(tag)));
  // "A" and "B" trade glyphs; "C" and "D" keep consecutive ones (one group).
  const quint32 glyphC = face.glyphIndexesForString(QStringLiteral("C")).front();
  tables.push_back(
      Fixed("cmap", BuildUnicodeCmap({{U'A', glyphB}, {U'B', glyphA}, {U'C', glyphC}, {U'D', glyphC + 1}})));
  tables.push_back(
      Fixed("name", BuildNameTable(QStringLiteral("Test Copy"), QStringLiteral("Regular"), "Test Copy")));
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  ASSERT_TRUE(WriteSfnt(out, 0x00010000, std::move(tables)));
  const QRawFont copy(out.data(), 40);
  ASSERT_TRUE(copy.isValid());
  EXPECT_EQ(copy.familyName(), QStringLiteral("Test Copy"));
  EXPECT_EQ(copy.glyphIndexesForString(QStringLiteral("ABCD")),
            (QList<quint32>{glyphB, glyphA, glyphC, glyphC + 1}));
}

TEST(QtFontFiles, PrintFaceReachesTheVerticalFormsFromTheirCharacters) {
  const auto font = FindFont(QStringLiteral("IPAMincho"), -40, false, false, true);
  const QRawFont& print = font->PrintRaw(0);
  ASSERT_TRUE(print.isValid());
  EXPECT_NE(print.familyName(), font->Raw(0).familyName());
  for (char32_t cp : {U'。', U'、', U'「', U'ー', U'っ', U'―', U'永'}) {
    const TGlyph& drawn = font->Glyph(cp);
    ASSERT_EQ(drawn.Face, TGlyphFace::Primary);
    EXPECT_EQ(print.glyphIndexesForString(QString::fromUcs4(&cp, 1)).front(), drawn.Index) << uint32_t(cp);
  }
  // The vertical forms differ from the horizontal ones the face maps.
  EXPECT_NE(font->Raw(0).glyphIndexesForString(QStringLiteral("。")).front(), font->Glyph(U'。').Index);
  // U+2014 gives way to U+2015, which CP932 holds, on their shared glyph.
  const QList<quint32> dashes = print.glyphIndexesForString(QStringLiteral("\u2014\u2015"));
  EXPECT_NE(dashes[0], dashes[1]);
  // A rotated half-width character keeps its own glyph.
  EXPECT_EQ(print.glyphIndexesForString(QStringLiteral("3")).front(), font->Glyph(U'3').Index);
  // Outlines and sizes are those of the face.
  EXPECT_EQ(print.pixelSize(), font->Raw(0).pixelSize());
  const quint32 bracket = font->Glyph(U'「').Index;
  EXPECT_EQ(print.pathForGlyph(bracket), font->Raw(0).pathForGlyph(bracket));
}

}  // namespace
}  // namespace vorna::qt
