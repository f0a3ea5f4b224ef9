// The base view's paper geometry: sheet sizes from the printer's metrics,
// fit modes and zoom steps, tiling and page division, window mode, hit tests.
#include <gtest/gtest.h>

#include "ViewFixtures.h"
#include "settings/StyleElements.h"

namespace vorna {
namespace {

using testing::TBaseViewTest;

TEST_F(TBaseViewTest, A4SheetSizesFollowThePrinterResolution) {
  MakeView(100);
  // No printer: the 360-dpi A4 default sheet, shown at the screen's resolution
  // (not at its 2976 x 4209 printer pixels).
  EXPECT_EQ(View->SheetWidth(), 794);
  EXPECT_EQ(View->SheetHeight(), 1122);
  Style().SetOrientation(true);
  EXPECT_EQ(View->SheetWidth(), 1122);
  View.reset();
  UsePrinter();
  MakeView(100);
  EXPECT_EQ(View->SheetWidth(), 794);  // 2976 x 96 / 360 = 793.6
  EXPECT_EQ(View->SheetHeight(), 1122);
  EXPECT_EQ(View->SheetOrigin(), (TPoint{(1000 - 794) / 2, 8}));  // vertical tiling centres the sheet
  EXPECT_EQ(View->Extent(), (TPoint{794 + 16, 1122 + 16}));
  const int step = View->MmToPixels(10);
  EXPECT_EQ(step, 38);
  EXPECT_EQ(View->ScrollRange(), (TPoint{794 + 16 - step, 1122 + 16 - step}));
  // The printable area is 60 printer pixels in: 16 screen pixels.
  EXPECT_EQ(View->PrintableRectOfSheet(), (TRect{16, 16, 16 + 762, 16 + 1090}));
}

TEST_F(TBaseViewTest, FitModesAndZoomSteps) {
  UsePrinter();
  MakeView(kRatioFitHeight);
  EXPECT_EQ(View->SheetHeight(), 800 - 16);
  EXPECT_EQ(View->SheetWidth(), 555);  // 784 x 794 / 1122
  View->SetRatioValue(kRatioFitWidth);
  EXPECT_EQ(View->SheetWidth(), 1000 - 16);
  // Fit sheet: a wide window fits the height, a tall one the width.
  View->SetRatioValue(kRatioFitSheet);
  ResizeHost(3000, 600);
  EXPECT_EQ(View->SheetHeight(), 600 - 16);
  ResizeHost(600, 3000);
  EXPECT_EQ(View->SheetWidth(), 600 - 16);

  // Steps of ten points from the zoom in effect, also from a fit mode.
  View->SetRatioValue(195);
  View->ZoomIn();
  EXPECT_EQ(View->GetRatioValue(), 205);
  View->SetRatioValue(25);
  View->ZoomOut();
  EXPECT_EQ(View->GetRatioValue(), 15);
  // At the limits the zoom stays but the view is still laid out and repainted.
  for (int limit : {200, 20}) {
    View->SetRatioValue(limit);
    Host.Clear();
    int ratioEvents = 0;
    View->OnRatioChange = [&](TBaseView*) { ++ratioEvents; };
    limit == 200 ? View->ZoomIn() : View->ZoomOut();
    EXPECT_EQ(View->GetRatioValue(), limit);
    EXPECT_EQ(ratioEvents, 0);
    EXPECT_EQ(Host.Count("invalidate"), 1) << limit;
    View->OnRatioChange = nullptr;
  }
  // Command 7 only stores the fit mode; the next resize applies it.
  View->SetRatioValue(100);
  EXPECT_TRUE(View->ExecuteCommand(vcFitSheet));
  EXPECT_EQ(View->SheetWidth(), 794);
  ResizeHost(600, 3000);
  EXPECT_EQ(View->SheetWidth(), 584);
}

TEST_F(TBaseViewTest, TilingAndPageDivision) {
  UsePrinter();
  MakeView(100);
  Style().BeginUpdate();
  Style().SetPaperLevelDivide(2);
  Style().SetPaperVerticalDivide(2);
  Style().SetPaperTileVertical(false);
  Style().SetPaperTileHReverse(true);
  Style().EndUpdate();
  View->SetPages(5);
  EXPECT_EQ(View->SheetCount(), 2);
  // Sheets run right to left from the right edge; offsets are positive.
  EXPECT_EQ(View->GetSheetRect(0).Left, 1000 - 794 - 8);
  EXPECT_EQ(View->GetSheetRect(1).Right, View->GetSheetRect(0).Left - 8);
  // Page 0 is the right-hand page of sheet 0, page 1 the left-hand one.
  const TRect inner = View->GetPaperMarginRect(View->GetSheetRect(0));
  EXPECT_EQ(View->GetPageRect(0, inner).Right, inner.Right);
  EXPECT_EQ(View->GetPageRect(1, inner).Left, inner.Left);
  EXPECT_EQ(View->GetPageRect(2, inner).Bottom, inner.Bottom);  // second row
  View->ScrollStep(1);
  EXPECT_GT(View->Offset().X, 0);
  // The end brings the last sheet to where the first one starts.
  View->ScrollToEnd();
  EXPECT_EQ(View->Offset().X, View->Extent().X - 794 - 8);
  EXPECT_EQ(View->GetSheetRect(1).Left, 1000 - 794);
  View->ScrollToTop();
  EXPECT_EQ(View->Offset(), (TPoint{0, 0}));
}

TEST_F(TBaseViewTest, WindowModeIsOneSheetThatNeverScrolls) {
  MakeView(100, false);
  EXPECT_EQ(View->GetSheetRect(0), (TRect{0, 0, 1000, 800}));
  EXPECT_EQ(View->GetPageTextRect(0), (TRect{0, 0, 1000, 800}));
  EXPECT_EQ(View->Extent(), (TPoint{0, 0}));
  int events = 0;
  View->OnOffsetChanging = [&](TBaseView*) { ++events; };
  View->ScrollBy(0, -100);
  View->ScrollToEnd();
  EXPECT_EQ(View->Offset(), (TPoint{0, 0}));
  EXPECT_EQ(events, 0);
  View->SetRatioValue(150);
  EXPECT_DOUBLE_EQ(View->Zoom(), 1.5);
}

TEST_F(TBaseViewTest, HitTestNamesPaperPrintableAreaAndText) {
  UsePrinter();
  MakeView(100);
  const TRect sheet = View->GetSheetRect(0);
  const TRect text = View->GetPageTextRect(0);
  EXPECT_EQ(View->HitTest({sheet.Left - 3, sheet.Top + 10}), unsigned{haOutside});
  EXPECT_EQ(View->HitTest({sheet.Left + 2, sheet.Top + 2}), unsigned{haPaper});
  EXPECT_EQ(View->HitTest({sheet.Left + 30, sheet.Top + 30}), unsigned{haPaper | haPrintable});
  EXPECT_EQ(View->HitTest({text.Left + 1, text.Top + 1}), unsigned{haPaper | haPrintable | haText});
}

TEST_F(TBaseViewTest, BadGeometryInputNeverBreaksTheView) {
  UsePrinter();
  MakeView(100);
  // Client areas of nothing and less.
  for (auto [w, h] : {std::pair{0, 0}, {-50, -20}, {1, 1}}) {
    ResizeHost(w, h);
    EXPECT_GE(View->SheetWidth(), 1);
    EXPECT_GE(View->SheetHeight(), 1);
  }
  ResizeHost(1000, 800);
  // Ratios of nothing, below nothing and far too much.
  for (int ratio : {-7, 10000, 0}) {
    View->SetRatioValue(ratio);
    EXPECT_GE(View->SheetWidth(), 1) << ratio;
    EXPECT_LE(View->Extent().Y, 1 << 29) << ratio;
  }
  // Divisions of 0 and 1,000 per axis, margins wider than the paper, many pages.
  Style().BeginUpdate();
  Style().SetPaperLevelDivide(0);
  Style().SetPaperVerticalDivide(1000);
  Style().SetPaperMarginLeft(5000);
  Style().SetMarginTop(-9000);
  Style().EndUpdate();
  EXPECT_EQ(View->PagesPerSheet(), 1000);
  View->SetPages(100000);
  EXPECT_EQ(View->SheetCount(), 100);
  View->ScrollToEnd();
  EXPECT_LE(View->LastPage(), View->PageCount() - 1);
  // No usable metrics: the previous geometry stays.
  const int width = View->SheetWidth();
  Metrics.PaperSize = {0, 0};
  View->Resize();
  EXPECT_EQ(View->SheetWidth(), width);
}

}  // namespace
}  // namespace vorna
