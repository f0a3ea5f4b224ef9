// The page metrics and their updates from the current printer.
#include "print/PageMetrics.h"

#include <cmath>

#include "platform/SystemMetrics.h"
#include "print/LpPrinters.h"

namespace vorna {

TPageMetrics PageMetrics;

namespace {
TSystemMetrics* ScreenSource = nullptr;
}  // namespace

void SetPageMetricsScreen(TSystemMetrics* metrics) { ScreenSource = metrics; }

void InitDefaultPaper(bool landscape) {
  TPageMetrics& m = PageMetrics;
  m.PaperSize = landscape ? TPoint{kDefaultPaperHeight, kDefaultPaperWidth}
                          : TPoint{kDefaultPaperWidth, kDefaultPaperHeight};
  m.PaperOffset = {0, 0};
  m.PageExtent = m.PaperSize;
  m.ScreenPaperSize = m.PaperSize;
  m.DeviceDpi = kDefaultDeviceDpi;
  m.FirstDpi = {0, 0};
}

void UpdatePrinterMetrics() {
  if (!LpPrinter.Available()) return;
  TPageMetrics& m = PageMetrics;
  int index = LpPrinter.GetIndex();
  TPoint dpi = LpPrinter.GetPixelsPerInch();
  if (index != m.LastPrinterIndex) {
    m.LastPrinterIndex = index;
    if (m.FirstDpi == TPoint{0, 0}) m.FirstDpi = dpi;
  }
  // A device that reports no resolution keeps the previous one rather than
  // dividing by zero.
  if (dpi.X > 0) m.DeviceDpi = dpi.X;
  if (ScreenSource) {
    int screen = ScreenSource->ScreenPixelsPerInch();
    if (screen > 0) m.ScreenDpi = screen;
  }
  double scale = static_cast<double>(m.ScreenDpi) / m.DeviceDpi;
  m.Scale = {scale, scale};
  TPoint paper = LpPrinter.GetPaperExtent();
  TPoint page = LpPrinter.GetPageExtent();
  m.UnprintableSize = {paper.X - page.X, paper.Y - page.Y};
}

void ReadPrinterPaper(bool userPaper) {
  if (!LpPrinter.Available()) return;
  TPageMetrics& m = PageMetrics;
  TPoint dpi = LpPrinter.GetPixelsPerInch();
  auto ratio = [](int first, int now) { return first == now || now <= 0 ? 0 : first / now; };
  m.DpiRatio = {ratio(m.FirstDpi.X, dpi.X), ratio(m.FirstDpi.Y, dpi.Y)};
  m.PaperSize = userPaper ? LpPrinter.GetUserpaperExtent() : LpPrinter.GetPaperExtent();
  m.PageExtent = LpPrinter.GetPageExtent();
  m.PaperOffset = LpPrinter.GetOffset();
  m.ScreenPaperSize = {static_cast<int>(std::lround(m.PaperSize.X * m.Scale.X)),
                       static_cast<int>(std::lround(m.PaperSize.Y * m.Scale.Y))};
}

double PixelsToMillimetres(double pixels) {
  int dpi = PageMetrics.ScreenDpi > 0 ? PageMetrics.ScreenDpi : 96;
  return std::round(pixels * 25.4 / dpi * 100.0) / 100.0;
}

int MillimetresToDevice(double mm) {
  return static_cast<int>(std::lround(mm * PageMetrics.DeviceDpi / 25.4));
}

}  // namespace vorna
