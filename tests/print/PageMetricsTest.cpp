// Page metrics: the A4 defaults without a printer and the values read from a
// fake printer.
#include <gtest/gtest.h>

#include "FakePrinterBackend.h"
#include "platform/SystemMetrics.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"

namespace vorna {
namespace {

using testing::MakeFakePrinter;
using testing::TFakePrinterBackend;

class FakeScreen : public TSystemMetrics {
 public:
  int Dpi = 120;
  int ScreenPixelsPerInch() override { return Dpi; }
  int ScreenWidth() override { return 1920; }
  int ScreenHeight() override { return 1080; }
  int WheelScrollLines() override { return 3; }
  int DragThreshold() override { return 4; }
  int ScrollBarThickness() override { return 16; }
  TColor SystemColorValue(unsigned) override { return kClBlack; }
};

class PageMetricsTest : public ::testing::Test {
 protected:
  void Connect() {
    Backend.Printers = {MakeFakePrinter("Hidden", kPrinterAttributeHidden), MakeFakePrinter("P600"),
                        MakeFakePrinter("P300")};
    Backend.Printers[2].Caps[TDeviceCap::LogPixelsX] = 300;
    Backend.Printers[2].Caps[TDeviceCap::LogPixelsY] = 300;
    Backend.Current = 1;
    Printer.SetBackend(&Backend);
  }
  FakeScreen Screen;
  TFakePrinterBackend Backend;
  TLpPrinter Printer;
  TPageMetrics PageMetrics{&Screen};
};

TEST_F(PageMetricsTest, WithoutPrinterTheA4DefaultsStay) {
  PageMetrics.InitDefaultPaper(false);
  PageMetrics.UpdatePrinterMetrics(Printer);
  PageMetrics.ReadPrinterPaper(Printer, false);
  EXPECT_EQ(PageMetrics.PaperSize, (TPoint{2976, 4209}));
  EXPECT_EQ(PageMetrics.ScreenPaperSize, PageMetrics.PaperSize);
  EXPECT_EQ(PageMetrics.PageExtent, PageMetrics.PaperSize);
  EXPECT_EQ(PageMetrics.DeviceDpi, 360);
  EXPECT_EQ(PageMetrics.LastPrinterIndex, -2);
  PageMetrics.InitDefaultPaper(true);
  EXPECT_EQ(PageMetrics.PaperSize, (TPoint{4209, 2976}));
  EXPECT_EQ(PageMetrics.ScreenPaperSize, (TPoint{4209, 2976}));
  EXPECT_EQ(PageMetrics.PaperOffset, (TPoint{0, 0}));
}

TEST_F(PageMetricsTest, PrinterMetricsComeFromTheDevice) {
  Connect();
  PageMetrics.UpdatePrinterMetrics(Printer);
  EXPECT_EQ(PageMetrics.LastPrinterIndex, 0);
  EXPECT_EQ(PageMetrics.FirstDpi, (TPoint{600, 600}));
  EXPECT_EQ(PageMetrics.DeviceDpi, 600);
  EXPECT_EQ(PageMetrics.ScreenDpi, 120);
  EXPECT_DOUBLE_EQ(PageMetrics.Scale.X, 0.2);
  EXPECT_EQ(PageMetrics.UnprintableSize, (TPoint{200, 200}));
  PageMetrics.ReadPrinterPaper(Printer, false);
  EXPECT_EQ(PageMetrics.DpiRatio, (TPoint{0, 0}));
  EXPECT_EQ(PageMetrics.PaperSize, (TPoint{4960, 7014}));
  EXPECT_EQ(PageMetrics.PageExtent, (TPoint{4760, 6814}));
  EXPECT_EQ(PageMetrics.PaperOffset, (TPoint{100, 100}));
  EXPECT_EQ(PageMetrics.ScreenPaperSize, (TPoint{992, 1403}));  // 1402.8 rounds up

  // Another printer: the first resolution is kept for the ratio.
  Backend.Current = 2;
  PageMetrics.UpdatePrinterMetrics(Printer);
  EXPECT_EQ(PageMetrics.LastPrinterIndex, 1);
  EXPECT_EQ(PageMetrics.FirstDpi, (TPoint{600, 600}));
  EXPECT_EQ(PageMetrics.DeviceDpi, 300);
  PageMetrics.ReadPrinterPaper(Printer, false);
  EXPECT_EQ(PageMetrics.DpiRatio, (TPoint{2, 2}));
}

TEST_F(PageMetricsTest, UserPaperIsTheDeviceModeExtent) {
  Connect();
  PageMetrics.UpdatePrinterMetrics(Printer);
  Printer.SetpaperExtent(PageMetrics.MillimetresToDevice(100), PageMetrics.MillimetresToDevice(148));
  PageMetrics.ReadPrinterPaper(Printer, true);
  EXPECT_EQ(PageMetrics.PaperSize, (TPoint{2362, 3496}));
  EXPECT_EQ(PageMetrics.ScreenPaperSize, (TPoint{472, 699}));
  Printer.SetPaperSizeNumber(kDmPaperA4);
  EXPECT_THROW(PageMetrics.ReadPrinterPaper(Printer, true), ELpPrinterNoUserPaperExtent);
}

TEST_F(PageMetricsTest, UnitConversionsRound) {
  PageMetrics.ScreenDpi = 96;
  EXPECT_DOUBLE_EQ(PageMetrics.PixelsToMillimetres(96), 25.4);
  EXPECT_DOUBLE_EQ(PageMetrics.PixelsToMillimetres(10), 2.65);
  EXPECT_DOUBLE_EQ(PageMetrics.PixelsToMillimetres(0), 0.0);
  EXPECT_EQ(PageMetrics.MillimetresToDevice(210), 2976);
  EXPECT_EQ(PageMetrics.MillimetresToDevice(297), 4209);
  PageMetrics.DeviceDpi = 600;
  EXPECT_EQ(PageMetrics.MillimetresToDevice(25.4), 600);
}

}  // namespace
}  // namespace vorna
