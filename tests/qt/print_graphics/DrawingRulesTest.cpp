// The drawing helpers' pixel rules on a QImage canvas: line ends, doubled and
// dotted lines, frames, band and gradient fills, bevels, arrow heads and the
// reduction of supersampled text.
#include <gtest/gtest.h>

#include "QtTestHelpers.h"
#include "graphics/Colors.h"
#include "graphics/Fills.h"
#include "graphics/Lines.h"
#include "graphics/Marks.h"
#include "graphics/SmoothText.h"

namespace vorna {
namespace {

// A white image with a canvas and a black one-pixel pen.
struct TRaster : testing::TImageCanvas {
  TRaster(int width, int height) : TImageCanvas(width, height) {
    Canvas->SetPen(kClBlack, TPenStyle::Solid, 1);
  }
};

const TRect kClip{5, 5, 15, 15};

TEST(LineRules, VerticalLineEndsOnePastTheClipBottomHorizontalAtTheRight) {
  TRaster r(20, 20);
  VLine(*r.Canvas, 3, 0, 4, false, kClip);    // entirely above: nothing
  VLine(*r.Canvas, 3, 16, 19, false, kClip);  // entirely below: nothing
  VLine(*r.Canvas, 8, 2, 18, false, kClip);   // crosses both edges
  VLine(*r.Canvas, 10, 7, 9, false, kClip);   // inside: last pixel left out
  HLine(*r.Canvas, 0, 19, 8, false, kClip);
  HLine(*r.Canvas, 0, 3, 12, false, kClip);  // entirely left: nothing
  EXPECT_EQ(r.Column(3, 0, 19), std::string(20, '.'));
  EXPECT_EQ(r.Column(8, 0, 19), ".....###########....");   // 5..15
  EXPECT_EQ(r.Column(10, 0, 19), ".......##...........");  // row 8 is the HLine
  EXPECT_EQ(r.Row(8, 0, 19), ".....##########.....");      // 5..14
  EXPECT_EQ(r.Row(12, 0, 4), ".....");
}

TEST(LineRules, LinesBesideTheClipAreSkippedByTheirPenWidth) {
  TRaster r(30, 30);
  const TRect clip{10, 10, 20, 20};
  r.Canvas->SetPen(kClBlack, TPenStyle::Solid, 1);
  VLine(*r.Canvas, 9, 12, 14, false, clip);
  EXPECT_EQ(r.Column(9, 12, 13), "..");
  r.Canvas->SetPen(kClBlack, TPenStyle::Solid, 4);
  VLine(*r.Canvas, 8, 12, 14, false, clip);  // widened by 2 it reaches the clip
  EXPECT_TRUE(r.Ink(8, 12));
}

TEST(LineRules, DoubledLinesLieTwicePenWidthApart) {
  TRaster r(30, 30);
  VLine(*r.Canvas, 2, 0, 5, true, {0, 0, 30, 30});
  HLine(*r.Canvas, 10, 20, 2, true, {0, 0, 30, 30});
  EXPECT_EQ(r.Row(3, 0, 6), "..#.#..");
  EXPECT_EQ(r.Column(15, 0, 6), "..#.#..");
  TRaster wide(30, 30);
  wide.Canvas->SetPen(kClBlack, TPenStyle::Solid, 2);
  VLine(*wide.Canvas, 10, 0, 20, true, {0, 0, 30, 30});
  EXPECT_TRUE(wide.Ink(10, 5));
  EXPECT_TRUE(wide.Ink(14, 5));
  EXPECT_FALSE(wide.Ink(12, 5));
}

TEST(LineRules, DottedOnePixelPenSetsEveryOtherPixel) {
  TRaster r(20, 20);
  r.Canvas->SetPen(Rgb(255, 0, 0), TPenStyle::Dot, 1);
  HLine(*r.Canvas, 0, 10, 4, false, {0, 0, 20, 20});
  VLine(*r.Canvas, 15, 0, 8, false, {0, 0, 20, 20});
  EXPECT_EQ(r.Row(4, 0, 10), "#.#.#.#.#..");
  EXPECT_EQ(r.Column(15, 0, 8), ".#.#.#.#.");
  EXPECT_EQ(r.Pixel(0, 4), Rgb(255, 0, 0));
  // A repaint of part of the line continues the same pattern.
  TRaster part(20, 20);
  part.Canvas->SetPen(kClBlack, TPenStyle::Dot, 1);
  HLine(*part.Canvas, 0, 10, 4, false, {3, 0, 20, 20});
  EXPECT_EQ(part.Row(4, 0, 10), "....#.#.#..");
}

TEST(LineRules, FrameIncludesItsRightAndBottomCornerWithThinPens) {
  TRaster r(20, 20);
  FrameRect(*r.Canvas, {4, 4, 10, 8}, {0, 0, 20, 20}, false);
  EXPECT_EQ(r.Row(4, 3, 11), ".#######.");
  EXPECT_EQ(r.Row(8, 3, 11), ".#######.");
  EXPECT_EQ(r.Column(10, 3, 9), ".#####.");
  EXPECT_EQ(r.Row(6, 3, 11), ".#.....#.");
  TRaster d(20, 20);
  FrameRect(*d.Canvas, {6, 6, 12, 12}, {0, 0, 20, 20}, true);
  EXPECT_EQ(d.Row(9, 3, 15), ".#.#.....#.#.");
}

TEST(FillRules, BandLeavesTheInnerRectangleAlone) {
  TRaster r(20, 20);
  r.Canvas->SetBrush(kClBlack, TBrushStyle::Solid);
  FillBand(*r.Canvas, {2, 2, 12, 12}, {5, 5, 9, 9}, {0, 0, 20, 10});
  EXPECT_EQ(r.Row(3, 0, 13), "..##########..");
  EXPECT_EQ(r.Row(6, 0, 13), "..###....###..");
  EXPECT_EQ(r.Column(6, 0, 12), "..###....#...");  // clip ends at 10
  EXPECT_EQ(r.Canvas->PenColor(), kClBlack);
  EXPECT_EQ(r.Canvas->PenWidth(), 1);
}

TEST(FillRules, EmptyInnerFillsTheVisibleOuter) {
  TRaster r(20, 20);
  r.Canvas->SetBrush(kClBlack, TBrushStyle::Solid);
  FillBand(*r.Canvas, {2, 2, 12, 12}, {7, 7, 7, 9}, {4, 0, 20, 20});
  EXPECT_EQ(r.Row(7, 0, 13), "....########..");
  TRaster none(20, 20);
  none.Canvas->SetBrush(kClBlack, TBrushStyle::Solid);
  FillBand(*none.Canvas, {4, 4, 6, 6}, {2, 2, 12, 12}, {0, 0, 20, 20});  // strictly inside inner
  FillBand(*none.Canvas, {2, 2, 12, 12}, {}, {15, 15, 20, 20});          // misses the clip
  EXPECT_EQ(none.Row(5, 0, 19), std::string(20, '.'));
  FillClipped(*none.Canvas, {0, 0, 10, 10}, {8, 8, 20, 20}, Rgb(0, 0, 255));
  EXPECT_EQ(none.Pixel(9, 9), Rgb(0, 0, 255));
  EXPECT_EQ(none.Pixel(7, 9), kClWhite);
}

TEST(FillRules, GradientOfTenPixelsPaintsElevenStripes) {
  TRaster r(20, 6);
  GradientFill(*r.Canvas, {2, 1, 12, 5}, Rgb(0, 0, 0), Rgb(200, 100, 50), false, nullptr);
  EXPECT_EQ(r.Pixel(2, 2), Rgb(0, 0, 0));
  EXPECT_EQ(r.Pixel(12, 2), Rgb(200, 100, 50));
  EXPECT_EQ(r.Pixel(7, 2), Rgb(100, 50, 25));
  EXPECT_EQ(r.Pixel(13, 2), kClWhite);
  EXPECT_EQ(r.Pixel(1, 2), kClWhite);
  for (int x = 2; x <= 12; ++x) EXPECT_EQ(r.Pixel(x, 1), r.Pixel(x, 4)) << x;
  TRaster v(6, 20);
  GradientFill(*v.Canvas, {0, 0, 6, 4}, Rgb(255, 255, 255), Rgb(0, 0, 0), true, nullptr);
  EXPECT_EQ(v.Pixel(3, 4), kClBlack);
  EXPECT_EQ(v.Pixel(3, 2), Rgb(127, 127, 127));  // 255 - 127.5 rounds to even
}

TEST(MarkRules, BevelShadesFromTheBrushColour) {
  TRaster r(20, 20);
  r.Canvas->SetBrush(Rgb(128, 128, 128), TBrushStyle::Solid);
  DrawBevel(*r.Canvas, {2, 2, 12, 12}, {0, 0, 20, 20}, true, nullptr);
  EXPECT_EQ(r.Pixel(5, 2), Rgb(224, 224, 224));  // outer top
  EXPECT_EQ(r.Pixel(5, 3), Rgb(192, 192, 192));  // inner top
  EXPECT_EQ(r.Pixel(2, 5), Rgb(224, 224, 224));
  EXPECT_EQ(r.Pixel(5, 11), Rgb(32, 32, 32));  // outer bottom
  EXPECT_EQ(r.Pixel(5, 10), Rgb(64, 64, 64));
  EXPECT_EQ(r.Pixel(11, 5), Rgb(32, 32, 32));
  EXPECT_EQ(r.Pixel(6, 6), kClWhite);
  TRaster sunk(20, 20);
  sunk.Canvas->SetBrush(Rgb(128, 128, 128), TBrushStyle::Solid);
  DrawBevel(*sunk.Canvas, {2, 2, 12, 12}, {0, 0, 20, 20}, false, nullptr);
  EXPECT_EQ(sunk.Pixel(5, 2), Rgb(32, 32, 32));
  EXPECT_EQ(sunk.Pixel(5, 11), Rgb(224, 224, 224));
}

TEST(MarkRules, ArrowHeadsPointAtTheirEdge) {
  // 13 x 13: three pixel pairs, shaft on row (column) 6, one pixel in.
  const TRect box{0, 0, 13, 13};
  TRaster left(13, 13);
  DrawArrowMark(*left.Canvas, box, box, kArrowLeft);
  EXPECT_EQ(left.Row(6, 0, 12), ".###########.");
  EXPECT_EQ(left.Row(5, 0, 12), "..#..........");
  EXPECT_EQ(left.Row(3, 0, 12), "....#........");
  EXPECT_EQ(left.Row(9, 0, 12), "....#........");
  EXPECT_EQ(left.Row(2, 0, 12), ".............");
  TRaster right(13, 13);
  DrawArrowMark(*right.Canvas, box, box, kArrowRight);
  EXPECT_EQ(right.Row(7, 0, 12), "..........#..");
  EXPECT_EQ(right.Row(4, 0, 12), ".........#...");
  TRaster up(13, 13);
  DrawArrowMark(*up.Canvas, box, box, kArrowUp);
  EXPECT_EQ(up.Column(6, 0, 12), ".###########.");
  EXPECT_EQ(up.Row(2, 0, 12), ".....###.....");
  EXPECT_EQ(up.Row(4, 0, 12), "...#..#..#...");
  TRaster down(13, 13);
  DrawArrowMark(*down.Canvas, box, {0, 0, 13, 9}, kArrowDown);  // the head is clipped away
  EXPECT_EQ(down.Column(6, 0, 12), ".########....");
  EXPECT_EQ(down.Row(10, 0, 12), ".............");
  TRaster small(7, 5);
  DrawArrowMark(*small.Canvas, {0, 0, 7, 5}, {0, 0, 7, 5}, kArrowLeft);  // at least two pairs
  EXPECT_EQ(small.Column(3, 0, 4), "#.#.#");
}

TEST(MarkRules, SunkenEdgeUsesTheSystemShades) {
  TRaster r(20, 20);
  r.Canvas->SetBrush(Rgb(1, 2, 3), TBrushStyle::Solid);
  DrawSunkenEdge(*r.Canvas, {2, 2, 12, 12});
  EXPECT_EQ(r.Pixel(5, 2), qt::SystemColorFromPalette(kColorBtnShadow));
  EXPECT_EQ(r.Pixel(5, 3), qt::SystemColorFromPalette(kColor3DDkShadow));
  EXPECT_EQ(r.Pixel(11, 5), qt::SystemColorFromPalette(kColorBtnHighlight));
  EXPECT_EQ(r.Pixel(10, 5), qt::SystemColorFromPalette(kColor3DLight));
  EXPECT_EQ(r.Pixel(6, 6), kClWhite);
  EXPECT_EQ(r.Canvas->BrushColor(), Rgb(1, 2, 3));
}

TEST(SmoothText, BlockWithOneBlackColumnReducesTo191) {
  qt::TQtBitmap large(8, 4), small(2, 1);
  large.Canvas().SetBrush(kClWhite, TBrushStyle::Solid);
  large.Canvas().FillRect({0, 0, 8, 4});
  large.Canvas().SetBrush(kClBlack, TBrushStyle::Solid);
  large.Canvas().FillRect({1, 0, 2, 4});
  large.Canvas().FillRect({4, 0, 8, 4});
  ReduceBitmap(large, small, 4);
  EXPECT_EQ(small.ScanLine(0)[0] & 0xFFFFFF, 0xBFBFBFu);
  EXPECT_EQ(small.ScanLine(0)[1] & 0xFFFFFF, 0u);
}

TEST(SmoothText, ExtraPaintIsReducedOntoTheCanvas) {
  TSmoothTextBitmaps bitmaps;
  TRaster r(20, 20);
  r.Canvas->SetBrush(kClWhite, TBrushStyle::Solid);
  int calls = 0;
  auto stroke = [&](TCanvas& big, const TRect& rect, std::string_view, std::span<const int>, int factor,
                    TPoint origin) {
    ++calls;
    EXPECT_EQ(factor, 4);
    EXPECT_EQ(rect, (TRect{0, 0, 24, 24}));  // (5 + 1) x 4
    EXPECT_EQ(origin, (TPoint{8, 4}));
    big.SetBrush(kClBlack, TBrushStyle::Solid);
    big.FillRect({origin.X, 0, origin.X + 1, rect.Bottom});
  };
  SmoothTextOut(bitmaps, *r.Canvas, {0, 0, 20, 20}, {10, 10, 15, 15}, false, stroke, "", {}, 4, 12, 11);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(r.Pixel(12, 12), Rgb(191, 191, 191));
  EXPECT_EQ(r.Pixel(11, 12), kClWhite);
  EXPECT_EQ(r.Pixel(15, 15), kClWhite);  // the extra row and column are drawn too
  SmoothTextOut(bitmaps, *r.Canvas, {0, 0, 5, 5}, {10, 10, 15, 15}, false, stroke, "", {}, 4, 12, 11);
  EXPECT_EQ(calls, 1);  // no overlap with the clip
}

TEST(SmoothText, TextIsDrawnSmoothedInsideItsRectangle) {
  TSmoothTextBitmaps bitmaps;
  TRaster r(60, 40);
  r.Canvas->SetFont({"IPAGothic", -20});
  r.Canvas->SetTextColor(kClBlack);
  r.Canvas->SetBrush(kClWhite, TBrushStyle::Solid);
  SmoothTextOut(bitmaps, *r.Canvas, {0, 0, 60, 40}, {5, 5, 45, 35}, true, nullptr, "AB", {}, 4, 8, 8);
  int ink = 0, grey = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      TColor c = r.Pixel(x, y);
      if (c == kClWhite) continue;
      ++ink;
      if (RedOf(c) > 40 && RedOf(c) < 215) ++grey;
      EXPECT_TRUE(x >= 5 && x <= 45 && y >= 5 && y <= 35) << x << "," << y;
    }
  EXPECT_GT(ink, 20);
  EXPECT_GT(grey, 5);  // edges are averaged
}

}  // namespace
}  // namespace vorna
