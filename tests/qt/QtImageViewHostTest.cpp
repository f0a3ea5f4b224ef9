// The base view painted through the image host: workspace, text area and
// sheet frame in real pixels; a one-step scroll that moves the pixels,
// repaints only the strip and ends as a full repaint would.
#include <gtest/gtest.h>

#include <memory>

#include "FakePrinterBackend.h"
#include "QtTestHelpers.h"
#include "platform/qt/QtImageViewHost.h"
#include "platform/qt/QtServices.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "settings/StyleElements.h"
#include "view/BaseViews.h"

namespace vorna::testing {
namespace {

TColor PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return Rgb(qRed(p), qGreen(p), qBlue(p));
}

class ImageViewHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Services.Metrics = &Screen;
    // An A4 printer at 600 dpi: a sheet of 794 x 1122 screen pixels at 100 %.
    TFakePrinter printer = MakeFakePrinter("A4");
    printer.Mode.PaperSize = kDmPaperA4;
    Backend.Printers = {printer};
    Backend.Current = 0;
    Printer.SetBackend(&Backend);
    Services.PageMetrics = &Metrics;
    Services.Printer = &Printer;
    View = std::make_unique<TBaseView>(Host, Services);
    Host.OnPaint = [this](TCanvas& canvas, const TRect& clip) { View->Paint(canvas, clip); };
    Host.OnResize = [this] { View->Resize(); };
    View->Style()->BeginUpdate();
    View->Style()->SetPaperVisible(true);
    View->Style()->SetRatioValue(50);
    // Hatch patterns line up with the device, not the sheet, so a scrolled
    // hatching differs from a repainted one; the pixel tests leave it out.
    View->Style()->GetViewInfo(kElemPrintRange)->SetDisplayMode(kModeHidden);
    View->Style()->EndUpdate();
    Host.PaintAll();
  }
  void TearDown() override { Host.OnPaint = nullptr; }

  TFakePrinterBackend Backend;
  TLpPrinter Printer;
  qt::TQtSystemMetrics Screen;
  TPageMetrics Metrics;
  TPlatformServices Services;
  qt::TQtImageViewHost Host{500, 700};
  std::unique_ptr<TBaseView> View;
};

TEST_F(ImageViewHostTest, PaintsWorkspaceWhiteTextAreaAndBlackFrame) {
  const QImage& image = Host.Image();
  const TRect sheet = View->GetSheetRect(0);
  ASSERT_EQ(sheet.Width(), 397);  // A4 at 96 dpi and 50 %
  ASSERT_GT(sheet.Left, 2);
  EXPECT_TRUE(Host.Dirty().isEmpty());
  const TColor workspace = Screen.SystemColorValue(kColorAppWorkspace);
  EXPECT_EQ(PixelAt(image, 2, 2), workspace);
  EXPECT_EQ(PixelAt(image, sheet.Left - 1, 300), workspace);
  const int midY = (sheet.Top + sheet.Bottom) / 2, midX = (sheet.Left + sheet.Right) / 2;
  EXPECT_EQ(PixelAt(image, sheet.Left, midY), kClBlack);
  EXPECT_EQ(PixelAt(image, midX, sheet.Top), kClBlack);
  const TRect text = View->GetPageTextRect(0);
  EXPECT_EQ(PixelAt(image, (text.Left + text.Right) / 2, (text.Top + text.Bottom) / 2), kClWhite);
  EXPECT_EQ(PixelAt(image, text.Left, text.Top), kClWhite);
}

TEST_F(ImageViewHostTest, OneScrollStepMovesThePixelsAndRepaintsOnlyTheStrip) {
  const QImage before = Host.Image().copy();
  const int step = View->ScrollStepSize().Y;
  ASSERT_EQ(step, 19);
  ASSERT_TRUE(View->ExecuteCommand(vcScrollUp));
  ASSERT_EQ(View->Offset().Y, -step);
  EXPECT_EQ(Host.LastPainted(), (std::vector<TRect>{{0, 700 - step, 500, 700}}));
  const QImage scrolled = Host.Image().copy();
  EXPECT_EQ(scrolled.copy(0, 0, 500, 700 - step), before.copy(0, step, 500, 700 - step));
  // The strip joins the moved pixels seamlessly.
  Host.PaintAll();
  EXPECT_EQ(MaxChannelDifference(scrolled, Host.Image()), 0);
}

TEST_F(ImageViewHostTest, MarksMoveWithTheScrolledPixels) {
  Host.Invalidate({10, 40, 20, 50});
  Host.ScrollPainted({0, 0, 500, 700}, 0, -30);
  QRegion expected(QRect(10, 10, 10, 10));
  expected += QRect(0, 670, 500, 30);
  EXPECT_EQ(Host.Dirty(), expected);
  // A move of the whole area or more marks all of it.
  Host.ScrollPainted({0, 0, 100, 100}, 100, 0);
  EXPECT_TRUE(Host.Dirty().contains(QRect(0, 0, 100, 100)));
}

}  // namespace
}  // namespace vorna::testing
