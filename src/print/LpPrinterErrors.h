// The printer-access exceptions; every message names the class and the
// operation that failed.
#pragma once

#include <stdexcept>
#include <string>

namespace vorna {

class ELpPrinter : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// No available (not hidden) printer exists.
class ELpPrinterNoPrinter : public ELpPrinter {
 public:
  using ELpPrinter::ELpPrinter;
};

// The application's current printer is a hidden one.
class ELpPrinterIllegalIndex : public ELpPrinter {
 public:
  using ELpPrinter::ELpPrinter;
};

// The driver does not honour the field the operation needs.
class ELpPrinterNotSupported : public ELpPrinter {
 public:
  using ELpPrinter::ELpPrinter;
};

// The driver gave no paper list.
class ELpPrinterNoInfo : public ELpPrinter {
 public:
  using ELpPrinter::ELpPrinter;
};

// The device mode holds no user-defined paper extent.
class ELpPrinterNoUserPaperExtent : public ELpPrinter {
 public:
  using ELpPrinter::ELpPrinter;
};

namespace lp_messages {
inline constexpr const char* kNoPrinter = "TLpPrinter.CheckNoPrinter: No Printer";
inline constexpr const char* kIllegalIndex = "TLpPrinter.GetIndex: Printers.PrinterIndex is Illegal";
inline constexpr const char* kGetPaperSizeNotSupported =
    "TLpPrinter.GetPaperSizeNumber: PaperSize is not Supported";
inline constexpr const char* kSetPaperSizeNotSupported =
    "TLpPrinter.SetPaperSizeNumber: PaperSize is not Supported";
inline constexpr const char* kHasPaperNotSupported = "TLpPrinter.HasPaperNumber: PaperSize is not Supported";
inline constexpr const char* kHasPaperNoInfo = "TLpPrinter.HasPapserSizeNumber: No PaperSize Info Available";
inline constexpr const char* kPaperNamesNotSupported =
    "TLpPrinter.GetPaperSizeNames: PaperSize is not Supported";
inline constexpr const char* kPaperNamesNoInfo = "TLpPrinter.GetPaperSizeNames: No Papersize Info Available";
inline constexpr const char* kGetOrientationNotSupported =
    "TLpPrinter.GetOrientation: Orientation is not Supported";
inline constexpr const char* kSetOrientationNotSupported =
    "TLpPrinter.SetOrientation: Orientation is not Supported";
inline constexpr const char* kNoUserPaperExtent =
    "TLpPrinter.GetUserpaperExtent: Cannot Get User paper Extent";
inline constexpr const char* kSetExtentNotSupported = "TLpPrinter.SetpaperExtent: PaperSize is not Supported";
}  // namespace lp_messages

}  // namespace vorna
