// Rectangle arithmetic, colour mixing, message boxes, Delay and the
// supersampled text output over in-memory doubles.
#include <gtest/gtest.h>

#include "GraphicsFakes.h"
#include "graphics/Colors.h"
#include "graphics/Fills.h"
#include "graphics/GraphicsPlatforms.h"
#include "graphics/MessageDialogs.h"
#include "graphics/Rects.h"
#include "graphics/SmoothText.h"

namespace vorna {
namespace {

using namespace vorna::testing::gfx;

class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetGraphicsServices({&Metrics, &Boxes, &Timers, &Shell}); }
  void TearDown() override {
    SetGraphicsServices({});
    ReleaseSmoothTextBitmaps();
  }
  TFakeMetrics Metrics;
  TFakeBoxes Boxes;
  TFakeTimers Timers;
  TFakeShell Shell;
};

TEST(Rects, ArithmeticAndTests) {
  constexpr TRect a = MakeRect(0, 0, 10, 10);
  EXPECT_EQ(InflateRectBy(a, 2), MakeRect(-2, -2, 12, 12));
  EXPECT_EQ(OffsetRectBy(a, 3, -1), MakeRect(3, -1, 13, 9));
  EXPECT_EQ(IntersectRects(a, MakeRect(5, 6, 20, 20)), MakeRect(5, 6, 10, 10));
  struct Case {
    TRect A, B;
    bool Inside, Strictly, Meet;
  };
  const Case cases[] = {
      {{2, 2, 5, 5}, a, true, true, true},
      {a, a, true, false, true},  // equal: inside, not strictly
      {{0, 0, 10, 11}, a, false, false, true},
      {{10, 0, 20, 10}, a, false, false, false},  // touching edges do not meet
      {{3, 3, 3, 8}, a, true, true, false},       // empty
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RectInside(c.A, c.B), c.Inside) << TMemoryCanvas::Text(c.A);
    EXPECT_EQ(RectStrictlyInside(c.A, c.B), c.Strictly) << TMemoryCanvas::Text(c.A);
    EXPECT_EQ(RectsIntersect(c.A, c.B), c.Meet) << TMemoryCanvas::Text(c.A);
  }
  EXPECT_FALSE(RectNotEmpty(MakeRect(5, 5, 4, 9)));
  EXPECT_TRUE(PointInRect({10, 10}, a));  // edges included
  EXPECT_FALSE(PointInRect({11, 0}, a));
  EXPECT_TRUE(IsWindowsXP());
}

TEST_F(GraphicsTest, BlendRoundsHalvesToEvenAndStaysInRange) {
  EXPECT_EQ(BlendColor(Rgb(0, 0, 0), Rgb(255, 255, 255), 0.5), Rgb(128, 128, 128));  // 127.5 -> 128
  EXPECT_EQ(BlendColor(Rgb(2, 0, 0), Rgb(255, 0, 0), 0.5), Rgb(128, 0, 0));          // 126.5 -> 126
  EXPECT_EQ(BlendColor(Rgb(10, 20, 30), Rgb(110, 0, 30), 0.25), Rgb(35, 15, 30));
  EXPECT_EQ(BlendColor(Rgb(100, 100, 100), Rgb(200, 0, 100), 2.0), Rgb(255, 0, 100));
  EXPECT_EQ(BlendColor(Rgb(1, 2, 3), Rgb(4, 5, 6), 0), Rgb(1, 2, 3));
  EXPECT_EQ(HalfTone(Rgb(100, 0, 255), true), Rgb(178, 128, 255));
  EXPECT_EQ(HalfTone(Rgb(100, 0, 255), false), Rgb(50, 0, 127));  // -127.5 -> -128
  // System colours are resolved by the platform first.
  EXPECT_EQ(HalfTone(SystemColor(kColorBtnFace), false), Rgb(100, 50, 25));
  SetGraphicsServices({});
  EXPECT_EQ(ResolveSystemColor(SystemColor(kColorBtnFace)), kClBlack);
  EXPECT_EQ(ResolveSystemColor(Rgb(1, 2, 3)), Rgb(1, 2, 3));
}

TEST_F(GraphicsTest, GradientResolvesSystemColoursAndHandlesDegenerateSizes) {
  TMemoryCanvas canvas(20, 4);
  GradientFill(canvas, {0, 0, 4, 2}, SystemColor(kColorBtnFace), kClBlack, false);
  EXPECT_EQ(canvas.At(0, 0), 0xC86432u);  // (200, 100, 50) as 0xRRGGBB
  EXPECT_EQ(canvas.At(4, 1), 0u);
  canvas.Log.clear();
  GradientFill(canvas, {10, 0, 10, 2}, kClWhite, kClBlack, false);  // no width: one stripe
  EXPECT_EQ(canvas.Log, std::vector<std::string>{"fill 10,0,11,2"});
  canvas.Log.clear();
  GradientFill(canvas, {10, 0, 5, 2}, kClWhite, kClBlack, false);
  EXPECT_TRUE(canvas.Log.empty());
}

TEST_F(GraphicsTest, MessageBoxesGoToThePlatform) {
  ShowInfo("saved");
  ShowError("failed");
  Boxes.Answer = TMessageResult::Yes;
  EXPECT_EQ(AskYesNoCancel("save?"), TMessageResult::Yes);
  EXPECT_EQ(Boxes.Log, (std::vector<std::string>{"info saved", "error failed", "ask save?"}));
  SetGraphicsServices({});
  EXPECT_EQ(AskYesNoCancel("save?"), TMessageResult::Cancel);
}

TEST_F(GraphicsTest, DelayRunsTheMessageLoopUntilTheTimeHasPassed) {
  Delay(30);  // 7 ms per reading, across the counter's wrap
  EXPECT_EQ(Shell.Loops, 5);
  Shell.Loops = 0;
  Delay(0);
  EXPECT_EQ(Shell.Loops, 0);
}

TEST_F(GraphicsTest, SmoothTextDrawsLargeAndReusesItsBitmaps) {
  TMemoryCanvas canvas(40, 40);
  canvas.SetFont({"@IPAMincho", -10, false, false, false, false, Rgb(1, 2, 3)});
  canvas.SetBrush(Rgb(9, 9, 9), TBrushStyle::Solid);
  const int advances[] = {8, 8};
  SmoothTextOut(canvas, {0, 0, 40, 40}, {10, 10, 20, 30}, true, nullptr, "ab", advances, 2, 12, 11);
  EXPECT_EQ(canvas.BitmapsCreated, 2);
  EXPECT_EQ(canvas.Log.back(), "bitmap 10,10 11x21 transparent");
  EXPECT_EQ(canvas.At(15, 15), 0x090909u);  // the brush, reduced

  // A second call only resizes; the large text is drawn clipped and opaque
  // with the advances given, the height scaled and the "@" face vertical.
  TMemoryCanvas* large = nullptr;
  auto capture = [&](TCanvas& big, const TRect&, std::string_view, std::span<const int>, int, TPoint) {
    large = static_cast<TMemoryCanvas*>(&big);
  };
  SmoothTextOut(canvas, {0, 0, 15, 40}, {10, 10, 20, 30}, false, capture, "ab", advances, 3, 12, 11);
  EXPECT_EQ(canvas.BitmapsCreated, 2);
  ASSERT_NE(large, nullptr);
  ASSERT_GE(large->Log.size(), 2u);
  EXPECT_EQ(large->Log[0], "fill 0,0,18,63");
  EXPECT_EQ(large->Log[1], "exttext 6,3 o3 0,0,18,63 ab [8 8 ] h-30 e2700 c" + std::to_string(Rgb(1, 2, 3)));
  EXPECT_EQ(canvas.Log.back(), "bitmap 10,10 6x21");

  large->Log.clear();
  SmoothTextOut(canvas, {0, 0, 40, 40}, {10, 10, 20, 30}, false, capture, "ab", {}, 0, 12, 11);  // factor 1
  EXPECT_EQ(large->Log[1], "textrect 0,0,11,21 2,1 ab");
}

}  // namespace
}  // namespace vorna
