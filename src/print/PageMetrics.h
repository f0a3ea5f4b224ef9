// The page metrics of the printer (sheet, printable area and offset in device
// pixels, device and screen resolution, the sheet in screen pixels) and the
// operations that take them from a printer access object. Each view's services
// hold their own set, so a preview and a print job never see each other's
// values.
#pragma once

#include "platform/Geometry.h"

namespace vorna {

class TLpPrinter;
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
constexpr int kDefaultScreenDpi = 96;

// The values are plain fields (read by the page view, written by the
// operations below); a default-constructed set is the A4 sheet at 360 dpi on
// a 96 dpi screen. Copies keep the screen source.
class TPageMetrics {
 public:
  // `screen` gives the screen's pixels per inch when the printer metrics are
  // read (not owned; null keeps ScreenDpi as it is).
  explicit TPageMetrics(TSystemMetrics* screen = nullptr) : FScreen(screen) {}

  int DeviceDpi = kDefaultDeviceDpi;
  int ScreenDpi = kDefaultScreenDpi;
  TPoint FirstDpi{0, 0};  // (0, 0) = no printer seen yet
  TPoint DpiRatio{0, 0};
  int LastPrinterIndex = -2;
  TPointF Scale{static_cast<double>(kDefaultScreenDpi) / kDefaultDeviceDpi,
                static_cast<double>(kDefaultScreenDpi) / kDefaultDeviceDpi};
  TPoint PaperSize{kDefaultPaperWidth, kDefaultPaperHeight};
  TPoint PageExtent{kDefaultPaperWidth, kDefaultPaperHeight};
  TPoint PaperOffset{0, 0};
  TPoint UnprintableSize{0, 0};
  TPoint ScreenPaperSize{kDefaultPaperWidth, kDefaultPaperHeight};

  // The A4 default sheet at 360 dpi, turned when landscape.
  void InitDefaultPaper(bool landscape);
  // Resolution, scale and unprintable size of `printer`'s current printer;
  // nothing without an available printer. A device reporting no resolution
  // keeps the previous DeviceDpi.
  void UpdatePrinterMetrics(TLpPrinter& printer);
  // Sheet, printable area and offset of `printer`'s current printer; with
  // userPaper the sheet is the device mode's user extent (kept in device
  // pixels there, raising ELpPrinterNoUserPaperExtent when the printer holds
  // none). Nothing without an available printer.
  void ReadPrinterPaper(TLpPrinter& printer, bool userPaper);
  // Screen pixels in millimetres, rounded to two decimals (96 dpi when
  // ScreenDpi is not positive).
  double PixelsToMillimetres(double pixels) const;
  // Millimetres in device pixels, rounded to the nearest integer.
  int MillimetresToDevice(double mm) const;

 private:
  TSystemMetrics* FScreen;
};

}  // namespace vorna
