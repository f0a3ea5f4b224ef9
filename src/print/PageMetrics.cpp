// The page metrics and their updates from the printer access.
#include "print/PageMetrics.h"

#include <cmath>

#include "platform/SystemMetrics.h"
#include "print/LpPrinters.h"

namespace vorna {

void TPageMetrics::InitDefaultPaper(bool landscape) {
  PaperSize = landscape ? TPoint{kDefaultPaperHeight, kDefaultPaperWidth}
                        : TPoint{kDefaultPaperWidth, kDefaultPaperHeight};
  PaperOffset = {0, 0};
  PageExtent = PaperSize;
  ScreenPaperSize = PaperSize;
  DeviceDpi = kDefaultDeviceDpi;
  FirstDpi = {0, 0};
}

void TPageMetrics::UpdatePrinterMetrics(TLpPrinter& printer) {
  if (!printer.Available()) return;
  int index = printer.GetIndex();
  TPoint dpi = printer.GetPixelsPerInch();
  if (index != LastPrinterIndex) {
    LastPrinterIndex = index;
    if (FirstDpi == TPoint{0, 0}) FirstDpi = dpi;
  }
  // A device that reports no resolution keeps the previous one rather than
  // dividing by zero.
  if (dpi.X > 0) DeviceDpi = dpi.X;
  if (FScreen) {
    int screen = FScreen->ScreenPixelsPerInch();
    if (screen > 0) ScreenDpi = screen;
  }
  double scale = static_cast<double>(ScreenDpi) / DeviceDpi;
  Scale = {scale, scale};
  TPoint paper = printer.GetPaperExtent();
  TPoint page = printer.GetPageExtent();
  UnprintableSize = {paper.X - page.X, paper.Y - page.Y};
}

void TPageMetrics::ReadPrinterPaper(TLpPrinter& printer, bool userPaper) {
  if (!printer.Available()) return;
  TPoint dpi = printer.GetPixelsPerInch();
  auto ratio = [](int first, int now) { return first == now || now <= 0 ? 0 : first / now; };
  DpiRatio = {ratio(FirstDpi.X, dpi.X), ratio(FirstDpi.Y, dpi.Y)};
  PaperSize = userPaper ? printer.GetUserpaperExtent() : printer.GetPaperExtent();
  PageExtent = printer.GetPageExtent();
  PaperOffset = printer.GetOffset();
  ScreenPaperSize = {static_cast<int>(std::lround(PaperSize.X * Scale.X)),
                     static_cast<int>(std::lround(PaperSize.Y * Scale.Y))};
}

double TPageMetrics::PixelsToMillimetres(double pixels) const {
  int dpi = ScreenDpi > 0 ? ScreenDpi : kDefaultScreenDpi;
  return std::round(pixels * 25.4 / dpi * 100.0) / 100.0;
}

int TPageMetrics::MillimetresToDevice(double mm) const {
  return static_cast<int>(std::lround(mm * DeviceDpi / 25.4));
}

}  // namespace vorna
