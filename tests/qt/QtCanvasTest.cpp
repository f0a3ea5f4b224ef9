// The Qt canvas: device-context line and rectangle rules, fills, clipping,
// scrolling, bitmaps, text options, measuring and bad input.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <vector>

#include "QtTestHelpers.h"
#include "TestSupport.h"
#include "platform/qt/QtConvert.h"
#include "text/UserCodes.h"

namespace vorna::testing {
namespace {

bool Black(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 100; }

TEST(QtCanvas, LinesLeaveOutTheirLastPixel) {
  TImageCanvas c(20, 20);
  c.Canvas->SetPen(kClBlack, TPenStyle::Solid, 1);
  c.Canvas->MoveTo(2, 3);
  c.Canvas->LineTo(8, 3);
  TPoint pts[] = {{2, 10}, {2, 15}, {6, 15}};
  c.Canvas->Polyline(pts, 3);
  const QImage& img = c.Done();
  for (int x = 2; x < 8; ++x) EXPECT_TRUE(Black(img, x, 3)) << x;
  EXPECT_FALSE(Black(img, 8, 3));
  EXPECT_FALSE(Black(img, 1, 3));
  for (int y = 10; y <= 15; ++y) EXPECT_TRUE(Black(img, 2, y)) << y;
  for (int x = 3; x < 6; ++x) EXPECT_TRUE(Black(img, x, 15)) << x;
  EXPECT_FALSE(Black(img, 6, 15));
}

// Solid one-pixel lines along the axes are filled, not stroked: the pixels
// must be the pen's, in every direction, under a clip, and with the clip
// left as it was by the text drawn in between.
TEST(QtCanvas, AxisLinesMatchThePenAndKeepTheClip) {
  const TRect clip{3, 2, 17, 18};
  const TPoint ends[][2] = {{{5, 0}, {5, 19}},   {{9, 19}, {9, 1}},  {{0, 6}, {19, 6}},
                            {{19, 11}, {1, 11}}, {{14, 4}, {14, 5}}, {{2, 15}, {3, 15}}};
  TImageCanvas c(20, 20);
  QImage expected(20, 20, QImage::Format_RGB32);
  expected.fill(Qt::white);
  QPainter reference(&expected);
  reference.setClipRect(qt::ToQRect(clip));
  QPen pen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap);
  pen.setCosmetic(true);
  reference.setPen(pen);
  c.Canvas->SetClipRect(clip);
  c.Canvas->SetPen(kClBlack, TPenStyle::Solid, 1);
  for (const auto& line : ends) {
    c.Canvas->MoveTo(line[0].X, line[0].Y);
    c.Canvas->LineTo(line[1].X, line[1].Y);
    // The last pixel is left out, as a device context's line does.
    const int dx = (line[1].X > line[0].X) - (line[1].X < line[0].X);
    const int dy = (line[1].Y > line[0].Y) - (line[1].Y < line[0].Y);
    reference.drawLine(QPoint(line[0].X, line[0].Y), QPoint(line[1].X - dx, line[1].Y - dy));
    // White on white: only its clip is left on the painter.
    c.Canvas->SetTextColor(kClWhite);
    c.Canvas->ExtTextOut(15, 16, kEtoClipped, {15, 16, 17, 18}, "x", {});
  }
  reference.end();
  EXPECT_EQ(c.Done(), expected);
}

TEST(QtCanvas, RectangleOutlineLiesInsideAndFillsWithTheBrush) {
  TImageCanvas c(20, 20);
  c.Canvas->SetPen(kClBlack, TPenStyle::Solid, 1);
  c.Canvas->SetBrush(Rgb(255, 0, 0), TBrushStyle::Solid);
  c.Canvas->Rectangle({2, 2, 10, 8});
  const QImage& img = c.Done();
  EXPECT_TRUE(Black(img, 2, 2));
  EXPECT_TRUE(Black(img, 9, 7));
  EXPECT_FALSE(Black(img, 10, 7));
  EXPECT_FALSE(Black(img, 9, 8));
  EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(QtCanvas, RectangleWithoutPenIsOnePixelSmaller) {
  TImageCanvas c(20, 20);
  c.Canvas->SetPen(kClBlack, TPenStyle::Clear, 1);
  c.Canvas->SetBrush(kClBlack, TBrushStyle::Solid);
  c.Canvas->Rectangle({2, 2, 10, 8});
  const QImage& img = c.Done();
  EXPECT_TRUE(Black(img, 8, 6));
  EXPECT_FALSE(Black(img, 9, 6));
  EXPECT_FALSE(Black(img, 8, 7));
}

TEST(QtCanvas, FillsSolidHatchedAndClear) {
  TImageCanvas c(40, 40);
  c.Canvas->SetBrush(Rgb(0, 0, 255), TBrushStyle::Solid);
  c.Canvas->FillRect({0, 0, 10, 10});
  c.Canvas->SetBrush(kClBlack, TBrushStyle::DiagCross);
  c.Canvas->FillRect({10, 0, 40, 30});
  c.Canvas->SetBrush(kClBlack, TBrushStyle::Clear);
  c.Canvas->FillRect({0, 30, 40, 40});
  const QImage& img = c.Done();
  EXPECT_EQ(img.pixel(9, 9), qRgb(0, 0, 255));
  EXPECT_EQ(img.pixel(10, 10) | img.pixel(0, 10), img.pixel(0, 10));  // outside stays white
  int inked = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 10; x < 40; ++x) inked += Black(img, x, y);
  EXPECT_GT(inked, 30);   // hatch lines
  EXPECT_LT(inked, 450);  // but not solid: the paper shows through
  EXPECT_EQ(InkBox(img, 250, QRect(0, 30, 40, 10)), QRect());
}

TEST(QtCanvas, SystemColoursResolveThroughThePalette) {
  TImageCanvas c(4, 4);
  c.Canvas->SetBrush(SystemColor(kColorHighlight), TBrushStyle::Solid);
  c.Canvas->FillRect({0, 0, 4, 4});
  EXPECT_EQ(c.Done().pixel(1, 1), QGuiApplication::palette().color(QPalette::Highlight).rgb());
}

TEST(QtCanvas, ClipRectanglesIncludingEmptyAndInverted) {
  TImageCanvas c(20, 20);
  EXPECT_EQ(c.Canvas->ClipRect(), (TRect{0, 0, 20, 20}));
  c.Canvas->SetBrush(kClBlack, TBrushStyle::Solid);
  c.Canvas->SetClipRect({5, 5, 10, 10});
  c.Canvas->FillRect({0, 0, 20, 20});
  for (TRect bad : {TRect{8, 8, 8, 12}, TRect{15, 15, 3, 3}}) {
    c.Canvas->SetClipRect(bad);
    EXPECT_TRUE(c.Canvas->ClipRect().IsEmpty());
    c.Canvas->FillRect({0, 0, 20, 20});
    c.Canvas->SetPixel(16, 16, kClBlack);
    c.Canvas->TextOut(0, 0, "x");
  }
  c.Canvas->ResetClip();
  EXPECT_EQ(c.Canvas->ClipRect(), (TRect{0, 0, 20, 20}));
  EXPECT_EQ(InkBox(c.Done()), QRect(5, 5, 5, 5));
}

TEST(QtCanvas, ScrollMovesImagePixelsAndReportsTheUncoveredStrip) {
  TImageCanvas c(40, 40);
  c.Canvas->SetPixel(10, 10, kClBlack);
  TRect uncovered = c.Canvas->ScrollRect({0, 0, 40, 40}, 5, -3);
  EXPECT_EQ(uncovered, (TRect{0, 0, 40, 40}));  // both directions: the bounding box
  c.Canvas->SetPixel(10, 10, kClWhite);
  EXPECT_EQ(c.Canvas->ScrollRect({0, 0, 40, 40}, 0, 4), (TRect{0, 0, 40, 4}));
  EXPECT_EQ(c.Canvas->ScrollRect({0, 0, 40, 40}, 0, 0), TRect{});
  EXPECT_EQ(c.Canvas->ScrollRect({0, 0, 40, 40}, 100, 0), (TRect{0, 0, 40, 40}));
  EXPECT_EQ(InkBox(c.Done()), QRect(15, 11, 1, 1));
}

TEST(QtCanvas, ScrollOnAWidgetGoesThroughItsHandler) {
  TImageCanvas c(40, 40);
  TRect seen;
  int dy = 0;
  c.Canvas->SetScrollHandler([&](const TRect& area, int, int y) {
    seen = area;
    dy = y;
  });
  EXPECT_EQ(c.Canvas->ScrollRect({0, 10, 40, 40}, 0, -6), (TRect{0, 34, 40, 40}));
  EXPECT_EQ(seen, (TRect{0, 10, 40, 40}));
  EXPECT_EQ(dy, -6);
}

TEST(QtCanvas, WidgetScrollingSurvivesTheWidget) {
  TImageCanvas c(40, 40);
  auto* widget = new QWidget;
  widget->resize(40, 40);
  qt::AttachWidgetScrolling(*c.Canvas, widget);
  EXPECT_EQ(c.Canvas->ScrollRect({0, 0, 40, 40}, 3, 0), (TRect{0, 0, 3, 40}));
  delete widget;
  EXPECT_EQ(c.Canvas->ScrollRect({0, 0, 40, 40}, 0, 3), (TRect{0, 0, 40, 3}));
}

TEST(QtCanvas, BitmapsDrawCopyStretchAndKeyOutTheirBottomLeftColour) {
  TImageCanvas c(40, 40);
  auto bitmap = c.Canvas->CreateBitmap(4, 4);
  bitmap->Canvas().SetBrush(Rgb(0, 255, 0), TBrushStyle::Solid);
  bitmap->Canvas().FillRect({0, 0, 4, 4});
  bitmap->Canvas().SetPixel(1, 1, kClBlack);
  EXPECT_EQ(bitmap->ScanLine(1)[1] & 0xFFFFFF, 0u);
  EXPECT_EQ(bitmap->ScanLine(0)[0] & 0xFFFFFF, 0x00FF00u);
  // Drawing again after reading pixels works.
  bitmap->Canvas().SetPixel(2, 2, kClBlack);
  c.Canvas->DrawBitmap(0, 0, *bitmap, false);
  c.Canvas->DrawBitmap(10, 0, *bitmap, true);
  c.Canvas->CopyRect({20, 20, 28, 28}, *bitmap, {0, 0, 4, 4});
  const QImage& img = c.Done();
  EXPECT_EQ(img.pixel(0, 0), qRgb(0, 255, 0));
  EXPECT_EQ(img.pixel(10, 0), qRgb(255, 255, 255));  // green keyed out
  EXPECT_EQ(img.pixel(11, 1), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(22, 22), qRgb(0, 0, 0));  // pixel (1, 1) doubled
  EXPECT_EQ(img.pixel(23, 23), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(20, 20), qRgb(0, 255, 0));
}

TEST(QtCanvas, BitmapSizesAtTheExtremes) {
  TImageCanvas c(10, 10);
  auto empty = c.Canvas->CreateBitmap(0, 0);
  EXPECT_EQ(empty->Width(), 0);
  empty->Canvas().FillRect({0, 0, 5, 5});
  empty->Canvas().TextOut(0, 0, "abc");
  c.Canvas->DrawBitmap(0, 0, *empty, true);
  c.Canvas->CopyRect({0, 0, 5, 5}, *empty, {0, 0, 5, 5});
  auto huge = c.Canvas->CreateBitmap(20000, 20000);
  EXPECT_EQ(huge->Width(), 0);
  EXPECT_FALSE(huge->SetSize(20000, 20000));
  EXPECT_TRUE(huge->SetSize(-5, 3));
  EXPECT_TRUE(huge->SetSize(8, 8));
  EXPECT_EQ(huge->Width(), 8);
  EXPECT_EQ(InkBox(c.Done()), QRect());
}

// A screen whose resolution the test sets.
class TScreenAt : public TSystemMetrics {
 public:
  int Dpi = 96;
  int ScreenPixelsPerInch() override { return Dpi; }
  int ScreenWidth() override { return 800; }
  int ScreenHeight() override { return 600; }
  int WheelScrollLines() override { return 3; }
  int DragThreshold() override { return 4; }
  int ScrollBarThickness() override { return 16; }
  TColor SystemColorValue(unsigned) override { return kClBlack; }
};

TEST(QtCanvasFactory, BitmapsTakeTheScreenResolutionWhenMade) {
  TScreenAt screen;
  qt::TQtCanvasFactory factory(screen);
  screen.Dpi = 144;
  auto bitmap = factory.CreateBitmap(6, 4);
  screen.Dpi = 72;
  auto later = factory.CreateBitmap(3, 3);
  EXPECT_EQ(bitmap->Canvas().PixelsPerInch(), 144);
  EXPECT_EQ(later->Canvas().PixelsPerInch(), 72);
  EXPECT_EQ(factory.CreateBitmap(-1, 3)->Width(), 0);
  // The bitmap's own canvas measures and draws.
  bitmap->Canvas().SetFont(TestFont("IPAGothic", -24, false));
  EXPECT_GT(bitmap->Canvas().TextWidth("abc"), 0);
  bitmap->Canvas().SetBrush(Rgb(0, 0, 255), TBrushStyle::Solid);
  bitmap->Canvas().FillRect({0, 0, 6, 4});
  EXPECT_EQ(bitmap->ScanLine(3)[5] & 0xFFFFFF, 0x0000FFu);
}

TEST(QtCanvas, ExtTextOutOpaqueAndClipped) {
  TImageCanvas c(200, 60);
  c.Canvas->SetFont(TestFont("ＭＳ ゴシック", -20, false));
  c.Canvas->SetBrush(Rgb(255, 255, 0), TBrushStyle::Solid);
  // The opaque fill comes even without text.
  c.Canvas->ExtTextOut(10, 10, kEtoOpaque, {10, 10, 40, 30}, "", {});
  c.Canvas->ExtTextOut(100, 10, kEtoClipped, {100, 10, 130, 30}, Sj("漢字ABC"), {});
  const QImage& img = c.Done();
  EXPECT_EQ(img.pixel(39, 29), qRgb(255, 255, 0));
  EXPECT_EQ(img.pixel(10, 10), qRgb(255, 255, 0));
  EXPECT_EQ(img.pixel(40, 15), qRgb(255, 255, 255));
  QRect ink = InkBox(img, 100, QRect(60, 0, 140, 60));
  EXPECT_LE(ink.right(), 129);
  EXPECT_GE(ink.left(), 100);
}

TEST(QtCanvas, AdvancesArePerByteAndAShortArrayFallsBack) {
  for (bool vertical : {false, true}) {
    TFontSpec font = TestFont("ＭＳ ゴシック", -20, vertical);
    std::string text = Sj("漢a漢");
    // Explicit advances: 漢 = 15 + 15, a = 40, 漢 natural (the array stops).
    const int advances[] = {15, 15, 40};
    int x = vertical ? 30 : 0;
    auto at = [&](TCanvas& canvas, int pen, const std::string& s) {
      canvas.TextOut(vertical ? x : pen, vertical ? pen : 0, s);
    };
    TImageCanvas c(200, 200);
    c.Canvas->SetFont(font);
    c.Canvas->ExtTextOut(x, 0, kEtoNone, {}, text, advances);
    QImage img = c.Done();
    TImageCanvas d(200, 200);
    d.Canvas->SetFont(font);
    at(*d.Canvas, 0, Sj("漢"));
    at(*d.Canvas, 30, "a");
    at(*d.Canvas, 70, Sj("漢"));
    EXPECT_EQ(MaxChannelDifference(img, d.Done()), 0) << vertical;
  }
}

TEST(QtCanvas, MeasuringInBothDirections) {
  TImageCanvas c(10, 10);
  c.Canvas->SetFont(TestFont("ＭＳ ゴシック", -20, false));
  EXPECT_EQ(c.Canvas->TextWidth(Sj("あいう")), 60);
  EXPECT_EQ(c.Canvas->TextWidth("abc"), 30);  // monospaced Gothic: half the em
  EXPECT_EQ(c.Canvas->TextWidth(""), 0);
  int height = c.Canvas->TextHeight("x");
  EXPECT_GE(height, 20);
  EXPECT_LE(height, 24);
  EXPECT_EQ(c.Canvas->FontHeight(), height);
  c.Canvas->SetFont(TestFont("ＭＳ Ｐゴシック", -20, false));
  EXPECT_LT(c.Canvas->TextWidth("iii"), c.Canvas->TextWidth("WWW"));  // proportional
  c.Canvas->SetFont(TestFont("@ＭＳ ゴシック", -20, true));
  EXPECT_EQ(c.Canvas->TextWidth(Sj("あいう")), 60);
  EXPECT_EQ(c.Canvas->TextWidth("abc"), 30);
  // A positive height is the cell height.
  c.Canvas->SetFont(TestFont("ＭＳ 明朝", 30, false));
  EXPECT_NEAR(c.Canvas->TextHeight(""), 30, 1);
}

TEST(QtCanvas, LatinFacesFallBackForJapanese) {
  TImageCanvas c(300, 40);
  c.Canvas->SetFont(TestFont("Times New Roman", -20, false));
  c.Canvas->TextOut(0, 0, Sj("Aあ"));
  auto glyphs = c.Canvas->LastGlyphs();
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_FALSE(glyphs[0].Fallback);
  EXPECT_TRUE(glyphs[1].Fallback);
  EXPECT_NE(InkBox(c.Done(), 160, QRect(20, 0, 280, 40)), QRect());
}

TEST(QtCanvas, BadInputIsDrawnOrIgnoredWithoutCrashing) {
  TImageCanvas c(300, 300);
  for (int height :
       {0, -1, 1, -5000, 5000, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
    TFontSpec f = TestFont("ＭＳ 明朝", height, height % 2 == 0);
    c.Canvas->SetFont(f);
    EXPECT_GT(c.Canvas->TextHeight(""), 0) << height;
    c.Canvas->TextOut(150, 10, Sj("字a"));
  }
  c.Canvas->SetFont(TestFont("No Such Face At All", -16, false));
  EXPECT_EQ(c.Canvas->TextWidth(Sj("字")), 16);
  c.Canvas->SetFont(TestFont("", -16, true));
  c.Canvas->TextOut(100, 0, Sj("字"));
  // Undecodable bytes draw a visible box in both directions.
  for (bool vertical : {false, true}) {
    TImageCanvas bad(100, 100);
    bad.Canvas->SetFont(TestFont("ＭＳ 明朝", -24, vertical));
    std::string bytes = "\x80\xA0\xFD\xFE\xFF\x82";
    EXPECT_GT(bad.Canvas->TextWidth(bytes), 0);
    bad.Canvas->TextOut(vertical ? 60 : 2, 2, bytes);
    EXPECT_NE(InkBox(bad.Done()), QRect()) << vertical;
  }
  c.Canvas->ExtTextOut(0, 0, kEtoOpaque, {5, 5, 1, 1}, "", {});
  c.Canvas->ExtTextOut(0, 0, kEtoClipped, {5, 5, 1, 1}, "abc", {});
  c.Canvas->TextRect({10, 10, 5, 5}, 0, 0, "abc");
  c.Canvas->Polyline(nullptr, 5);
  c.Canvas->SetPen(kClBlack, TPenStyle::Solid, -3);
  EXPECT_EQ(c.Canvas->PenWidth(), 1);
}

TEST(QtCanvas, TextUnderAPainterTransformIsNotLeftOut) {
  // A printer or a scrolled widget may move the painter's origin; glyphs are
  // culled against what shows, not against raw device coordinates.
  for (bool vertical : {false, true}) {
    TImageCanvas c(100, 100);
    c.Painter.translate(-300, -300);
    c.Canvas->SetFont(TestFont("ＭＳ 明朝", -20, vertical));
    c.Canvas->TextOut(vertical ? 380 : 310, 310, Sj("字字"));
    EXPECT_NE(InkBox(c.Done()), QRect()) << vertical;
  }
}

TEST(QtCanvas, HundredKilobytesOfTextInOneCall) {
  std::string text;
  while (text.size() < 100 * 1024) text += Sj("日本語のテキストとLatin text, ");
  for (bool vertical : {false, true}) {
    TImageCanvas c(400, 400);
    c.Canvas->SetFont(TestFont("ＭＳ 明朝", -16, vertical));
    std::vector<int> advances(text.size() / 2, 8);
    c.Canvas->ExtTextOut(vertical ? 390 : 0, 0, kEtoClipped, {0, 0, 400, 400}, text, advances);
    EXPECT_GT(c.Canvas->TextWidth(text), 100 * 1024 * 6);
    EXPECT_NE(InkBox(c.Done()), QRect());
  }
}

// Pixels whose channels differ widely: coloured, not grey ink.
int ColouredPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      const int hi = std::max({qRed(p), qGreen(p), qBlue(p)}), lo = std::min({qRed(p), qGreen(p), qBlue(p)});
      n += hi - lo > 80;
    }
  return n;
}

TEST(QtCanvas, UserDefinedCodesDrawTheCharactersTheyStandFor) {
  for (bool vertical : {false, true}) {
    // The emoji in its colours, from the colour emoji font.
    TImageCanvas emoji(80, 80);
    emoji.Canvas->SetFont(TestFont(vertical ? "@ＭＳ 明朝" : "ＭＳ 明朝", -32, vertical));
    const std::string smile = Cp932TextFromUtf8("😀");
    ASSERT_EQ(smile.size(), 2u);
    EXPECT_NEAR(emoji.Canvas->TextWidth(smile), 32, 4) << vertical;
    emoji.Canvas->TextOut(vertical ? 60 : 10, 10, smile);
    ASSERT_EQ(emoji.Canvas->LastGlyphs().size(), 1u);
    EXPECT_TRUE(emoji.Canvas->LastGlyphs()[0].Colour);
    EXPECT_FALSE(emoji.Canvas->LastGlyphs()[0].Rotated);
    EXPECT_GT(ColouredPixels(emoji.Done()), 200) << vertical;

    // An ideograph beyond the BMP, in ink, inside its cell.
    TImageCanvas kanji(80, 80);
    kanji.Canvas->SetFont(TestFont(vertical ? "@ＭＳ 明朝" : "ＭＳ 明朝", -32, vertical));
    kanji.Canvas->TextOut(vertical ? 60 : 10, 10, Cp932TextFromUtf8("𠮷"));
    ASSERT_EQ(kanji.Canvas->LastGlyphs().size(), 1u);
    EXPECT_TRUE(kanji.Canvas->LastGlyphs()[0].Extra);
    EXPECT_FALSE(kanji.Canvas->LastGlyphs()[0].Colour);
    const QRect ink = InkBox(kanji.Done());
    EXPECT_TRUE((vertical ? QRect(24, 8, 38, 36) : QRect(8, 8, 36, 40)).contains(ink)) << vertical;
    EXPECT_GT(ink.width(), 20);
  }
}

TEST(QtCanvas, VariationSelectorsAndFormatCharactersDrawNothing) {
  TImageCanvas c(80, 80);
  c.Canvas->SetFont(TestFont("ＭＳ 明朝", -32, false));
  c.Canvas->TextOut(10, 10,
                    Cp932TextFromUtf8("\xEF\xB8\x8F\xE2\x80\x8D\xF3\xA0\x84\x80"));  // VS16, ZWJ, VS17
  EXPECT_TRUE(c.Canvas->LastGlyphs().empty());
  EXPECT_EQ(InkBox(c.Done()), QRect());
}

}  // namespace
}  // namespace vorna::testing
