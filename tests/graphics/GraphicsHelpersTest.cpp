// Rectangle arithmetic, colour mixing, message boxes, Delay and the
// supersampled text output over the shared platform doubles.
#include <gtest/gtest.h>

#include <algorithm>

#include "PlatformDoubles.h"
#include "RecordingCanvas.h"
#include "graphics/Colors.h"
#include "graphics/Fills.h"
#include "graphics/MessageDialogs.h"
#include "graphics/Rects.h"
#include "graphics/SmoothText.h"
#include "platform/PlatformServices.h"
#include "platform/SystemMetrics.h"

namespace vorna {
namespace {

using testing::TFakeMessageBoxes;
using testing::TFakeShell;
using testing::TManualTimers;
using testing::TRecordingCanvas;

class FaceColours : public TSystemMetrics {
 public:
  int ScreenPixelsPerInch() override { return 96; }
  int ScreenWidth() override { return 800; }
  int ScreenHeight() override { return 600; }
  int WheelScrollLines() override { return 3; }
  int DragThreshold() override { return 4; }
  int ScrollBarThickness() override { return 16; }
  TColor SystemColorValue(unsigned index) override {
    return index == kColorBtnFace ? Rgb(200, 100, 50) : kClBlack;
  }
};

// A message loop during which 7 ms pass.
class SlowShell : public TFakeShell {
 public:
  explicit SlowShell(TManualTimers& timers) : FTimers(timers) {}
  void ProcessMessages() override {
    TFakeShell::ProcessMessages();
    FTimers.Advance(7);
  }

 private:
  TManualTimers& FTimers;
};

bool Has(const std::vector<std::string>& calls, const std::string& line) {
  return std::find(calls.begin(), calls.end(), line) != calls.end();
}

class GraphicsTest : public ::testing::Test {
 protected:
  FaceColours Metrics;
  TFakeMessageBoxes Boxes;
  TManualTimers Timers;
  SlowShell Shell{Timers};
  TPlatformServices Services = MakeServices();
  const TPlatformServices None{};

 private:
  TPlatformServices MakeServices() {
    TPlatformServices services;
    services.Metrics = &Metrics;
    services.Boxes = &Boxes;
    services.Timers = &Timers;
    services.Shell = &Shell;
    return services;
  }
};

std::string Text(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

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
    EXPECT_EQ(RectInside(c.A, c.B), c.Inside) << Text(c.A);
    EXPECT_EQ(RectStrictlyInside(c.A, c.B), c.Strictly) << Text(c.A);
    EXPECT_EQ(RectsIntersect(c.A, c.B), c.Meet) << Text(c.A);
  }
  EXPECT_FALSE(RectNotEmpty(MakeRect(5, 5, 4, 9)));
  EXPECT_TRUE(PointInRect({10, 10}, a));  // edges included
  EXPECT_FALSE(PointInRect({11, 0}, a));
}

TEST_F(GraphicsTest, BlendRoundsHalvesToEvenAndStaysInRange) {
  TSystemMetrics* m = &Metrics;
  EXPECT_EQ(BlendColor(Rgb(0, 0, 0), Rgb(255, 255, 255), 0.5, m), Rgb(128, 128, 128));  // 127.5 -> 128
  EXPECT_EQ(BlendColor(Rgb(2, 0, 0), Rgb(255, 0, 0), 0.5, m), Rgb(128, 0, 0));          // 126.5 -> 126
  EXPECT_EQ(BlendColor(Rgb(10, 20, 30), Rgb(110, 0, 30), 0.25, m), Rgb(35, 15, 30));
  EXPECT_EQ(BlendColor(Rgb(100, 100, 100), Rgb(200, 0, 100), 2.0, m), Rgb(255, 0, 100));
  EXPECT_EQ(BlendColor(Rgb(1, 2, 3), Rgb(4, 5, 6), 0, m), Rgb(1, 2, 3));
  EXPECT_EQ(HalfTone(Rgb(100, 0, 255), true, m), Rgb(178, 128, 255));
  EXPECT_EQ(HalfTone(Rgb(100, 0, 255), false, m), Rgb(50, 0, 127));  // -127.5 -> -128
  // System colours are resolved by the platform first.
  EXPECT_EQ(HalfTone(SystemColor(kColorBtnFace), false, m), Rgb(100, 50, 25));
  EXPECT_EQ(ResolveSystemColor(SystemColor(kColorBtnFace), nullptr), kClBlack);
  EXPECT_EQ(ResolveSystemColor(Rgb(1, 2, 3), nullptr), Rgb(1, 2, 3));
}

TEST_F(GraphicsTest, GradientResolvesSystemColoursAndHandlesDegenerateSizes) {
  TRecordingCanvas canvas;
  GradientFill(canvas, {0, 0, 4, 2}, SystemColor(kColorBtnFace), kClBlack, false, &Metrics);
  const std::vector<std::string> expected = {"Brush 3264C8 Solid", "FillRect 0,0,1,2",   "Brush 264B96 Solid",
                                             "FillRect 1,0,2,2",   "Brush 193264 Solid", "FillRect 2,0,3,2",
                                             "Brush 0C1932 Solid", "FillRect 3,0,4,2",   "Brush 000000 Solid",
                                             "FillRect 4,0,5,2"};
  EXPECT_EQ(canvas.Calls(), expected);
  canvas.Clear();
  GradientFill(canvas, {10, 0, 10, 2}, kClWhite, kClBlack, false, &Metrics);  // no width: one stripe
  EXPECT_EQ(canvas.Calls(), (std::vector<std::string>{"Brush FFFFFF Solid", "FillRect 10,0,11,2"}));
  canvas.Clear();
  GradientFill(canvas, {10, 0, 5, 2}, kClWhite, kClBlack, false, &Metrics);
  EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(GraphicsTest, MessageBoxesGoToThePlatform) {
  ShowInfo(Services, "saved");
  ShowError(Services, "failed");
  Boxes.Answer = TMessageResult::Yes;
  EXPECT_EQ(AskYesNoCancel(Services, "save?"), TMessageResult::Yes);
  EXPECT_EQ(Boxes.Shown,
            (std::vector<std::string>{"beep", "info saved", "beep!", "error failed", "beep", "ask save?"}));
  EXPECT_EQ(AskYesNoCancel(None, "save?"), TMessageResult::Cancel);
}

TEST_F(GraphicsTest, DelayRunsTheMessageLoopUntilTheTimeHasPassed) {
  Timers.Now = 0xFFFFFFF0u;  // the wait crosses the counter's wrap
  Delay(Services, 30);
  EXPECT_EQ(Shell.MessagePumps, 5);
  Delay(Services, 0);
  EXPECT_EQ(Shell.MessagePumps, 5);
}

TEST_F(GraphicsTest, SmoothTextDrawsLargeAndReusesItsBitmaps) {
  TSmoothTextBitmaps bitmaps;
  TRecordingCanvas canvas(40, 40);
  canvas.SetFont({"@IPAMincho", -10, false, false, false, false, Rgb(1, 2, 3)});
  canvas.SetBrush(Rgb(9, 9, 9), TBrushStyle::Solid);
  canvas.Clear();
  const int advances[] = {8, 8};
  SmoothTextOut(bitmaps, canvas, {0, 0, 40, 40}, {10, 10, 20, 30}, true, nullptr, "ab", advances, 2, 12, 11);
  EXPECT_EQ(canvas.Calls(), (std::vector<std::string>{"CreateBitmap 0x0", "CreateBitmap 0x0",
                                                      "DrawBitmap 10,10 11x21 transparent"}));

  // A second call only resizes; the large text is drawn clipped and opaque
  // with the advances given, the height scaled and the "@" face vertical.
  canvas.Clear();
  std::vector<std::string> large;
  TRect largeRect{0, 0, 18, 63};  // (5 + 1) x 3 by (20 + 1) x 3
  auto capture = [&](TCanvas& big, const TRect& rect, std::string_view, std::span<const int>, int factor,
                     TPoint) {
    auto& recorder = static_cast<TRecordingCanvas&>(big);
    large = recorder.Calls();
    recorder.Clear();
    EXPECT_EQ(rect, largeRect) << factor;
  };
  SmoothTextOut(bitmaps, canvas, {0, 0, 15, 40}, {10, 10, 20, 30}, false, capture, "ab", advances, 3, 12, 11);
  EXPECT_EQ(canvas.Calls(), std::vector<std::string>{"DrawBitmap 10,10 6x21"});
  EXPECT_TRUE(Has(large, "Font @IPAMincho -30 030201 esc2700"));
  EXPECT_TRUE(Has(large, "Brush 090909 Solid"));
  EXPECT_TRUE(Has(large, "FillRect 0,0,18,63"));
  EXPECT_TRUE(Has(large, "ExtTextOut 6,3 opaque|clipped 0,0,18,63 \"ab\" [8,8]"));

  largeRect = {0, 0, 11, 21};
  SmoothTextOut(bitmaps, canvas, {0, 0, 40, 40}, {10, 10, 20, 30}, false, capture, "ab", {}, 0, 12,
                11);  // factor 1
  EXPECT_TRUE(Has(large, "TextRect 0,0,11,21 2,1 \"ab\""));
  EXPECT_TRUE(Has(large, "Font @IPAMincho -10 030201 esc2700"));

  // Another painter's bitmaps are its own, made on its own canvas.
  TSmoothTextBitmaps others;
  TRecordingCanvas other(40, 40);
  SmoothTextOut(others, other, {0, 0, 40, 40}, {10, 10, 20, 30}, true, nullptr, "ab", advances, 2, 12, 11);
  EXPECT_EQ(std::count(other.Calls().begin(), other.Calls().end(), "CreateBitmap 0x0"), 2);
}

}  // namespace
}  // namespace vorna
