// Vertical writing on the Qt canvas: vertical forms, rotated half-width
// characters, placement in the cell, identical pixels on every drawing path,
// and the reference images.
#include <gtest/gtest.h>

#include <QDir>
#include <cstdlib>

#include "QtTestHelpers.h"
#include "TestSupport.h"

namespace vorna::testing {
namespace {

using qt::TQtCanvas;
using qt::TQtFont;

const char* const kMincho = "ＭＳ 明朝";

std::vector<TQtCanvas::TDrawnGlyph> GlyphsOf(const std::string& text, bool vertical) {
  TImageCanvas c(600, 600);
  c.Canvas->SetFont(TestFont(vertical ? "@ＭＳ 明朝" : kMincho, -32, vertical));
  c.Canvas->TextOut(vertical ? 150 : 10, 10, text);
  return c.Canvas->LastGlyphs();
}

TEST(QtVerticalText, FullWidthCharactersTakeTheFontsVerticalForms) {
  // Each of these has a vertical alternate in the IPA fonts.
  const char* withAlternate[] = {"「", "」", "ー", "、", "。", "（", "）", "『", "』", "…"};
  for (const char* ch : withAlternate) {
    auto vertical = GlyphsOf(Sj(ch), true);
    auto horizontal = GlyphsOf(Sj(ch), false);
    ASSERT_EQ(vertical.size(), 1u) << ch;
    ASSERT_EQ(horizontal.size(), 1u) << ch;
    EXPECT_FALSE(vertical[0].Rotated) << ch;
    EXPECT_NE(vertical[0].Index, horizontal[0].Index) << ch << " kept its horizontal form";
  }
}

TEST(QtVerticalText, SidewaysMarksWithoutAVerticalFormAreRotated) {
  // The IPA fonts have no vertical form of these; they lie sideways instead.
  for (const char* ch : {"－", "：", "＜", "≒"}) {
    auto vertical = GlyphsOf(Sj(ch), true);
    ASSERT_EQ(vertical.size(), 1u) << ch;
    EXPECT_TRUE(vertical[0].Rotated) << ch;
  }
  auto kanji = GlyphsOf(Sj("＋"), true);
  ASSERT_EQ(kanji.size(), 1u);
  EXPECT_FALSE(kanji[0].Rotated);
}

TEST(QtVerticalText, MixedLineUprightAndRotated) {
  std::string text = Sj("「」ー、。（）ABC１２");
  auto vertical = GlyphsOf(text, true);
  auto horizontal = GlyphsOf(text, false);
  ASSERT_EQ(vertical.size(), 12u);
  ASSERT_EQ(horizontal.size(), 12u);
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_FALSE(vertical[i].Rotated) << i;
    EXPECT_NE(vertical[i].Index, horizontal[i].Index) << i;
  }
  for (size_t i = 7; i < 10; ++i) {
    EXPECT_TRUE(vertical[i].Rotated) << "half-width " << i;
    EXPECT_EQ(vertical[i].Index, horizontal[i].Index) << i;
  }
  for (size_t i = 10; i < 12; ++i) EXPECT_FALSE(vertical[i].Rotated) << "full-width digit " << i;
}

// Ink of one character drawn alone in a vertical cell whose top-right is (x, y).
QRect InkOf(const std::string& ch, int& cellHeight, bool vertical = true) {
  TImageCanvas c(200, 200);
  c.Canvas->SetFont(TestFont("@ＭＳ 明朝", -64, vertical));
  cellHeight = c.Canvas->TextHeight(ch);
  c.Canvas->TextOut(150, 40, ch);
  return InkBox(c.Done());
}

TEST(QtVerticalText, CommaAndFullStopSitUpperRight) {
  for (const char* ch : {"、", "。"}) {
    int cell = 0;
    QRect ink = InkOf(Sj(ch), cell);
    ASSERT_FALSE(ink.isNull()) << ch;
    // The em box spans x 150 - cell .. 150 and y 40 .. 104.
    double centreX = 150 - cell / 2.0;
    EXPECT_GT(ink.center().x(), centreX) << ch;
    EXPECT_LT(ink.center().y(), 40 + 32) << ch;
  }
}

TEST(QtVerticalText, HalfWidthLiesRotatedInsideTheCell) {
  int cell = 0;
  QRect l = InkOf("l", cell);
  ASSERT_FALSE(l.isNull());
  // An upright "l" is tall and thin; rotated clockwise it lies along the column.
  EXPECT_GT(l.width(), 2 * l.height());
  int cellH = 0;
  QRect hl = InkOf("l", cellH, false);
  EXPECT_GT(hl.height(), 2 * hl.width());
  // Latin with descenders stays inside the column (left of x, right of x - cell).
  QRect g = InkOf("gjpqy", cell);
  EXPECT_GE(g.left(), 150 - cell);
  EXPECT_LE(g.right(), 150);
  EXPECT_GE(g.top(), 40);
}

TEST(QtVerticalText, TextRunsDownFromTheReferencePoint) {
  TImageCanvas c(200, 400);
  c.Canvas->SetFont(TestFont("@ＭＳ 明朝", -32, true));
  std::string text = Sj("漢字漢字");
  EXPECT_EQ(c.Canvas->TextWidth(text), 4 * 32);
  c.Canvas->TextOut(100, 20, text);
  QRect ink = InkBox(c.Done());
  EXPECT_GE(ink.top(), 20);
  EXPECT_LE(ink.bottom(), 20 + 4 * 32);
  EXPECT_GT(ink.height(), 3 * 32);
  EXPECT_LE(ink.right(), 100);
  EXPECT_GE(ink.left(), 100 - c.Canvas->TextHeight(text));
}

// The line of the pixel-identity and reference tests.
const char* const kLine = "「縦書き」ー、。（テスト）ABC１２…";

QImage DrawWhole(const std::string& text, bool vertical) {
  TImageCanvas c(vertical ? 48 : 560, vertical ? 560 : 48);
  c.Canvas->SetFont(TestFont(vertical ? "@ＭＳ 明朝" : kMincho, -24, vertical));
  c.Canvas->TextOut(vertical ? 40 : 4, 4, text);
  return c.Done();
}

QImage DrawOneByOne(const std::string& text, bool vertical) {
  TImageCanvas c(vertical ? 48 : 560, vertical ? 560 : 48);
  c.Canvas->SetFont(TestFont(vertical ? "@ＭＳ 明朝" : kMincho, -24, vertical));
  int pen = 4;
  for (size_t i = 0; i < text.size();) {
    size_t len =
        (static_cast<unsigned char>(text[i]) >= 0x81 && static_cast<unsigned char>(text[i]) <= 0x9F) ||
                static_cast<unsigned char>(text[i]) >= 0xE0
            ? 2
            : 1;
    std::string ch = text.substr(i, len);
    if (vertical)
      c.Canvas->TextOut(40, pen, ch);
    else
      c.Canvas->TextOut(pen, 4, ch);
    pen += c.Canvas->TextWidth(ch);
    i += len;
  }
  return c.Done();
}

TEST(QtVerticalText, OneGlyphAtATimeOneRunAndUncachedGiveTheSamePixels) {
  std::string text = Sj(kLine);
  for (bool vertical : {true, false}) {
    QImage run = DrawWhole(text, vertical);
    QImage single = DrawOneByOne(text, vertical);
    TQtFont::SetCachingEnabled(false);
    QImage uncached = DrawWhole(text, vertical);
    TQtFont::SetCachingEnabled(true);
    QImage cachedAgain = DrawWhole(text, vertical);
    EXPECT_EQ(MaxChannelDifference(run, single), 0) << vertical;
    EXPECT_EQ(MaxChannelDifference(run, uncached), 0) << vertical;
    EXPECT_EQ(MaxChannelDifference(run, cachedAgain), 0) << vertical;
    EXPECT_FALSE(InkBox(run).isNull());
  }
}

// Compares with tests/data/<name>; VORNA_UPDATE_REFERENCES=1 rewrites it.
void CheckReference(const QImage& image, const char* name) {
  QString path = QDir(QString::fromStdString(TestDataDir())).filePath(QString::fromLatin1(name));
  if (std::getenv("VORNA_UPDATE_REFERENCES")) {
    ASSERT_TRUE(image.save(path)) << path.toStdString();
    return;
  }
  QImage reference(path);
  ASSERT_FALSE(reference.isNull()) << "missing reference " << path.toStdString();
  ASSERT_EQ(reference.size(), image.size());
  // Small per-pixel tolerance for rasteriser differences between builds.
  EXPECT_LE(MaxChannelDifference(reference, image), 48) << name;
  EXPECT_LT(CompareBlocks(reference, image, 4).Mean, 1.0) << name;
}

TEST(QtVerticalText, VerticalLineMatchesReference) {
  CheckReference(DrawWhole(Sj(kLine), true), "vertical_line.png");
}

TEST(QtVerticalText, HorizontalLineMatchesReference) {
  CheckReference(DrawWhole(Sj(kLine), false), "horizontal_line.png");
}

TEST(QtVerticalText, ItalicSlantsAlongTheColumn) {
  // "一" is a stroke across the column; slanted along the column its right end
  // falls lower, so its ink grows taller while its width stays.
  TFontSpec font = TestFont("@ＭＳ 明朝", -64, true);
  TImageCanvas plain(200, 200), italic(200, 200);
  plain.Canvas->SetFont(font);
  font.Italic = true;
  italic.Canvas->SetFont(font);
  plain.Canvas->TextOut(150, 40, Sj("一"));
  italic.Canvas->TextOut(150, 40, Sj("一"));
  QRect a = InkBox(plain.Done()), b = InkBox(italic.Done());
  ASSERT_FALSE(a.isNull());
  ASSERT_FALSE(b.isNull());
  EXPECT_LE(std::abs(a.width() - b.width()), 3);
  EXPECT_GT(b.height(), a.height() + 4);
  // The right end is the lower one.
  QRect rightEnd = InkBox(italic.Image, 160, QRect(b.right() - 3, 0, 4, 200));
  QRect leftEnd = InkBox(italic.Image, 160, QRect(b.left(), 0, 4, 200));
  EXPECT_GT(rightEnd.center().y(), leftEnd.center().y());
}

}  // namespace
}  // namespace vorna::testing
