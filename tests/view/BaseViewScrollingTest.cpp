// The base view's offset and its events, strip repaints, painting order, the
// mouse, the auto-scroll timer, printer paper synchronisation, and a random
// walk of zooms, resizes, scrolls and style changes that must keep every
// offset inside the scroll range.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ViewFixtures.h"

namespace vorna {
namespace {

using testing::TBaseViewTest;

TEST_F(TBaseViewTest, OffsetEventsAndTheStripThatAScrollUncovers) {
  UsePrinter();
  MakeView(100);
  std::vector<std::string> events;
  View->OnOffsetChanging = [&](TBaseView*) { events.push_back("changing"); };
  View->OnOffsetChange = [&](TBaseView*) { events.push_back("change"); };
  View->OnPainting = [&](TBaseView*) { events.push_back("painting"); };
  View->OnPainted = [&](TBaseView*) { events.push_back("painted"); };
  // Above the first sheet in normal tiling: clamped to y = 0, no events.
  View->SetOffset({0, 50});
  EXPECT_TRUE(events.empty());
  Host.Clear();
  View->ExecuteCommand(vcScrollUp);
  EXPECT_EQ(View->Offset(), (TPoint{0, -38}));
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "painting", "painted", "change"}));
  EXPECT_EQ(Host.Calls, (std::vector<std::string>{"scroll 0,0,1000,800 by 0,-38", "invalidate 0,762,1000,800",
                                                  "update"}));
  // Both axes at once: the whole view is repainted.
  Host.Clear();
  View->SetOffset({-5, -60});
  EXPECT_EQ(View->Offset(), (TPoint{-5, -60}));
  EXPECT_EQ(Host.Calls, (std::vector<std::string>{"invalidate 0,0,1000,800", "update"}));
  // Inside a paint lock nothing is painted or scrolled.
  Host.Clear();
  View->BeginPaintLock();
  View->ScrollBy(0, 10);
  EXPECT_TRUE(Host.Calls.empty());
  View->EndPaintLock(true);
  EXPECT_EQ(Host.Calls, (std::vector<std::string>{"invalidate 0,0,1000,800"}));
}

TEST_F(TBaseViewTest, PaintingFiresItsEventsInOrderAndOnlyWhenSet) {
  UsePrinter();
  MakeView(50);
  Style().BeginUpdate();
  Style().SetPaperLevelDivide(2);
  Style().EndUpdate();
  std::vector<std::string> events;
  View->OnPainting = [&](TBaseView*) { events.push_back("painting"); };
  View->OnPaint = [&](TBaseView*, TCanvas&, int page, const TRect&, const TRect&) {
    events.push_back("paint " + std::to_string(page));
  };
  View->OnPainted = [&](TBaseView*) { events.push_back("painted"); };
  testing::TRecordingCanvas canvas(1000, 800);
  View->Paint(canvas, Host.ClientRect());
  EXPECT_EQ(events, (std::vector<std::string>{"painting", "paint 1", "paint 2", "painted"}));
  // Without handlers painting still runs, and a locked view paints nothing.
  View->OnPainting = View->OnPainted = nullptr;
  View->OnPaint = nullptr;
  canvas.Clear();
  View->Paint(canvas, Host.ClientRect());
  EXPECT_FALSE(canvas.Calls().empty());
  canvas.Clear();
  View->BeginPaintLock();
  View->Paint(canvas, Host.ClientRect());
  EXPECT_EQ(canvas.Calls().size(), 1u);  // only the view's font is selected
  View->EndPaintLock(false);
}

TEST_F(TBaseViewTest, MouseDragThresholdDoubleClickAndAutoScroll) {
  UsePrinter();
  MakeView(100);
  std::vector<std::string> events;
  View->OnMouseDown = [&](TBaseView*, TMouseButton, TShiftState, int, int) { events.push_back("down"); };
  View->OnMouseUp = [&](TBaseView*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
  View->OnClick = [&](TBaseView*) { events.push_back("click"); };
  View->OnDblClick = [&](TBaseView*) { events.push_back("double"); };
  View->MouseDown(TMouseButton::Left, ssLeft, 100, 100);
  EXPECT_EQ(Host.Count("focus"), 1);
  View->MouseMove(ssLeft, 104, 100);  // within the threshold of 4
  EXPECT_EQ(Host.Count("drag"), 0);
  View->MouseMove(ssLeft, 105, 100);
  EXPECT_EQ(Host.Count("drag"), 1);
  View->MouseUp(TMouseButton::Left, 0, 105, 100);
  View->DoubleClick();
  View->MouseDown(TMouseButton::Left, ssLeft, 105, 100);  // swallowed
  View->MouseUp(TMouseButton::Left, 0, 105, 100);
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up", "click", "double", "up"}));

  // The timer runs while a drag is outside; the interval shrinks with distance.
  View->DragOver(true);
  ASSERT_TRUE(View->AutoScrollTimer()->IsActive());
  Host.PointerPos = {500, -40};
  Host.Timers.Advance(100);
  EXPECT_EQ(View->Offset().Y, -38);  // command 1 (above) ran once
  auto& timer = static_cast<testing::TManualTimers::TManualTimer&>(*View->AutoScrollTimer());
  EXPECT_EQ(timer.Interval, 150 - 40);
  Host.PointerPos = {500, -400};
  Host.Timers.Advance(110);
  EXPECT_EQ(timer.Interval, 15);  // at most 90 % faster
  View->DragOver(false);
  EXPECT_FALSE(View->AutoScrollTimer()->IsActive());
  View->EndDrag();
  EXPECT_EQ(Host.Cursor, TCursorShape::Default);
}

TEST_F(TBaseViewTest, PrinterPaperIsSentOnlyWhenItChanged) {
  UsePrinter();
  MakeView(100);
  Backend.Log.clear();
  Style().SetPaperSize(kPaperB5);
  EXPECT_EQ(Backend.Printers[0].Mode.PaperSize, kDmPaperB5);
  EXPECT_EQ(std::count(Backend.Log.begin(), Backend.Log.end(), "setmode"), 1);
  EXPECT_EQ(View->LastPaper().PaperSize, kPaperB5);
  // Another change that leaves the paper alone sends nothing.
  Backend.Log.clear();
  Style().SetMarginLeft(12);
  EXPECT_EQ(std::count(Backend.Log.begin(), Backend.Log.end(), "setmode"), 0);
  // A paper the printer does not offer keeps the printer's paper and its geometry.
  Backend.Printers[0].Caps[TDeviceCap::PhysicalWidth] = 3600;
  Style().SetPaperSize(11);
  EXPECT_EQ(Backend.Printers[0].Mode.PaperSize, kDmPaperB5);
  EXPECT_EQ(Metrics.PaperSize.X, 3600);
  EXPECT_EQ(View->SheetWidth(), 960);  // 3600 x 96 / 360
}

// Zoom, resize, scroll commands and style changes in random order: the offset
// stays inside the scroll range and the visible range inside the sheets.
TEST_F(TBaseViewTest, OffsetsStayInsideTheRangeThroughRandomChanges) {
  UsePrinter();
  MakeView(100);
  std::mt19937 random(12345);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int step = 0; step < 3000; ++step) {
    switch (pick(7)) {
      case 0:
        View->ZoomIn();
        break;
      case 1:
        View->ZoomOut();
        break;
      case 2:
        ResizeHost(pick(1600) - 100, pick(1200) - 100);
        break;
      case 3:
        View->ExecuteCommand(1 + pick(9));
        break;
      case 4:
        View->ScrollBy(pick(4000) - 2000, pick(4000) - 2000);
        break;
      case 5:
        View->SetPages(pick(30));
        break;
      default: {
        Style().BeginUpdate();
        Style().SetPaperTileVertical(pick(2));
        Style().SetPaperTileHReverse(pick(2));
        Style().SetPaperTileVReverse(pick(2));
        Style().SetPaperLevelDivide(1 + pick(3));
        Style().SetRatioValue(std::vector<int>{-2, -1, 0, 50, 100, 200}[pick(6)]);
        Style().EndUpdate();
      }
    }
    const TPoint o = View->Offset(), r = View->ScrollRange();
    const int xLow = Style().GetPaperTileHReverse() ? 0 : -r.X,
              xHigh = Style().GetPaperTileHReverse() ? r.X : 0;
    const int yLow = Style().GetPaperTileVReverse() ? 0 : -r.Y,
              yHigh = Style().GetPaperTileVReverse() ? r.Y : 0;
    ASSERT_TRUE(o.X >= xLow && o.X <= xHigh && o.Y >= yLow && o.Y <= yHigh) << "step " << step;
    ASSERT_TRUE(View->FirstSheet() >= 0 && View->LastSheet() <= View->SheetCount() - 1) << "step " << step;
  }
}

}  // namespace
}  // namespace vorna
