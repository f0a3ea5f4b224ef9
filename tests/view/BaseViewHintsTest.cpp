// The view's hint: the request that reaches the host with its show time and
// layout defaults, and the hint window's size rules, wrapping and painting
// on the recording canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ViewFixtures.h"
#include "platform/SystemMetrics.h"
#include "text/Cp932.h"
#include "view/BaseViewHints.h"

namespace vorna {
namespace {

using testing::TBaseViewTest;
using testing::TRecordingCanvas;
using TLines = std::vector<std::string>;

class TWideScreen : public TSystemMetrics {
 public:
  int ScreenPixelsPerInch() override { return 96; }
  int ScreenWidth() override { return 1280; }
  int ScreenHeight() override { return 1024; }
  int WheelScrollLines() override { return 3; }
  int DragThreshold() override { return 4; }
  int ScrollBarThickness() override { return 16; }
  TColor SystemColorValue(unsigned) override { return kClBlack; }
};

// A view with a hint text of its own, which may turn the hint vertical.
class THintingView : public TBaseView {
 public:
  using TBaseView::TBaseView;
  void GetHintInfo(std::string& text, TPoint& at) override {
    text = Text;
    at.X += 1;
    if (Vertical) FHintData.Vertical = true;
  }
  std::string Text;
  bool Vertical = false;
};

TEST_F(TBaseViewTest, HintRequestShowsTheTextLowerForASecondAByte) {
  TWideScreen screen;
  Services.Metrics = &screen;
  THintingView view(Host, Services);
  // The base view has no hint of its own.
  TBaseView plain(Host, Services);
  Host.Clear();
  plain.HintRequested({10, 20});
  EXPECT_TRUE(Host.Calls.empty());

  view.Text = "12345";
  view.HintRequested({10, 20});
  EXPECT_EQ(Host.Calls.back(), "hint 12345 at 11,40 for 5000");
  TBaseViewHintData defaults;
  defaults.MaxWidthPx = 1280;
  EXPECT_EQ(view.HintData(), defaults);
  // What an override changed is reset at the next request.
  view.Vertical = true;
  view.HintRequested({0, 0});
  EXPECT_TRUE(view.HintData().Vertical);
  view.Vertical = false;
  view.HintRequested({0, 0});
  EXPECT_EQ(view.HintData(), defaults);
}

TEST(BaseViewHintWindowTest, RectangleRulesForBothDirections) {
  TRecordingCanvas canvas;
  TBaseViewHintWindow window(canvas);
  TBaseViewHintData data;  // margin 2, spacing 3
  // 36 x 12 of text and margins, 2 wider and 2 lower.
  EXPECT_EQ(window.CalcHintRect(1000, Cp932Lit("あいう"), data), (TRect{0, 0, 42, 18}));
  data.Vertical = true;  // a column 12 wide and 36 long, 3 wider
  EXPECT_EQ(window.CalcHintRect(1000, Cp932Lit("あいう"), data), (TRect{0, 0, 19, 40}));
  EXPECT_EQ(canvas.Font().Escapement, kVerticalEscapement);
}

TEST(BaseViewHintWindowTest, WrapsAtTheSmallerWidthWithAHungFullStop) {
  TRecordingCanvas canvas;
  TBaseViewHintWindow window(canvas);
  TBaseViewHintData data;
  data.MaxWidthPx = 40;  // three characters inside the margins
  const std::string& text = Cp932Lit("あいう。えおか");
  EXPECT_EQ(window.CalcHintRect(1000, text, data), (TRect{0, 0, 54, 33}));
  EXPECT_EQ(window.LineBreaks(), (std::vector<size_t>{0, 8}));
  // The platform's limit counts when it is the smaller one.
  EXPECT_EQ(window.CalcHintRect(28, text, data).Bottom, 4 * 12 + 3 * 3 + 4 + 2);
  EXPECT_EQ(window.LineBreaks(), (std::vector<size_t>{0, 4, 8, 12}));
  EXPECT_EQ(window.CalcHintRect(0, text, data).Bottom, 33);

  canvas.Clear();
  window.CalcHintRect(1000, text, data);
  window.Paint(canvas, {0, 0, 54, 33});
  EXPECT_EQ(canvas.Calls(),
            (TLines{"Font  -12 000000", "Brush sys24 Solid", "FillRect 0,0,54,33", "Font  -12 000000",
                    "TextRect 0,0,54,33 2,2 \"あいう。\"", "TextRect 0,0,54,33 2,17 \"えおか\""}));
}

}  // namespace
}  // namespace vorna
