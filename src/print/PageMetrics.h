// The process-wide page metrics of the printer (sheet, printable area and
// offset in device pixels, device and screen resolution, the sheet in screen
// pixels) and the operations that take them from `LpPrinter`.
#pragma once

#include "platform/Geometry.h"

namespace vorna {

class TSystemMetrics;

struct TPointF {
  double X = 0;
  double Y = 0;
  friend bool operator==(const TPointF&, const TPointF&) = default;
};

// An A4 sheet (210 mm x 297 mm) at 360 dpi: the geometry without a printer.
constexpr int kDefaultPaperWidth = 2976;
constexpr int kDefaultPaperHeight = 4209;
constexpr int kDefaultDeviceDpi = 360;

struct TPageMetrics {
  int DeviceDpi = kDefaultDeviceDpi;
  int ScreenDpi = 96;
  TPoint FirstDpi{0, 0};  // (0, 0) = no printer seen yet
  TPoint DpiRatio{0, 0};
  int LastPrinterIndex = -2;
  TPointF Scale{96.0 / kDefaultDeviceDpi, 96.0 / kDefaultDeviceDpi};
  TPoint PaperSize{kDefaultPaperWidth, kDefaultPaperHeight};
  TPoint PageExtent{kDefaultPaperWidth, kDefaultPaperHeight};
  TPoint PaperOffset{0, 0};
  TPoint UnprintableSize{0, 0};
  TPoint ScreenPaperSize{kDefaultPaperWidth, kDefaultPaperHeight};
};

// The one set of metrics of the process.
extern TPageMetrics PageMetrics;

// Where the screen's pixels per inch come from (not owned; null keeps 96).
void SetPageMetricsScreen(TSystemMetrics* metrics);

// The A4 default sheet at 360 dpi, turned when landscape.
void InitDefaultPaper(bool landscape);
// Resolution, scale and unprintable size of the current printer (when one
// is available).
void UpdatePrinterMetrics();
// Sheet, printable area and offset of the current printer; with userPaper the
// sheet is the device mode's user extent (kept in device pixels there).
void ReadPrinterPaper(bool userPaper);
// Screen pixels in millimetres, rounded to two decimals.
double PixelsToMillimetres(double pixels);
// Millimetres in device pixels, rounded to the nearest integer.
int MillimetresToDevice(double mm);

}  // namespace vorna
