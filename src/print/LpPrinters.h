// Printer access: the snapshot of the installed printers and `TLpPrinter`, the
// wrapper of the current printer's capabilities, device mode and document
// calls over a platform printer backend. A program owns one and hands it down
// in its services bundle.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/PrinterBackend.h"
#include "print/LpPrinterErrors.h"

namespace vorna {

// The installed printers as enumerated at one moment.
class TLpAllPrintersInfo {
 public:
  TLpAllPrintersInfo() = default;
  // Enumerates through `backend`; a platform failure propagates.
  explicit TLpAllPrintersInfo(TPrinterBackend& backend) : FPrinters(backend.EnumPrinters()) {}
  explicit TLpAllPrintersInfo(std::vector<TPrinterEntry> printers) : FPrinters(std::move(printers)) {}

  int Count() const { return static_cast<int>(FPrinters.size()); }
  // Name and attribute bits of record i (empty and 0 out of range).
  std::string Names(int i) const;
  uint32_t Attributes(int i) const;
  bool IsHidden(int i) const { return (Attributes(i) & kPrinterAttributeHidden) != 0; }
  // Same count and, index by index, the same names and attributes.
  bool IsSame(const TLpAllPrintersInfo& other) const { return FPrinters == other.FPrinters; }

 private:
  std::vector<TPrinterEntry> FPrinters;
};

// Bits of GetSupportedFields, in this order of device-mode flags.
enum TLpSupportedField : int {
  kLpSupportOrientation = 0,
  kLpSupportPaperSize = 1,
  kLpSupportPaperLength = 2,
  kLpSupportPaperWidth = 3,
};

// FInfoFlags bits.
enum TLpInfoFlag : uint32_t {
  kLpInfoPapers = 1,
  kLpInfoBins = 2,
  kLpInfoResolutions = 4,
  kLpInfoCopies = 8,
};

constexpr size_t kLpPaperNameMax = 64;  // bytes
constexpr size_t kLpBinNameMax = 24;

class TLpPrinter {
 public:
  TLpPrinter() = default;
  TLpPrinter(const TLpPrinter&) = delete;
  TLpPrinter& operator=(const TLpPrinter&) = delete;

  // Connects the platform's printer layer (not owned; null disconnects) and
  // takes the first snapshot. Without a backend no printer is available.
  void SetBackend(TPrinterBackend* backend);
  TPrinterBackend* Backend() const { return FBackend; }

  // True when at least one printer of the snapshot is not hidden. Never raises.
  bool Available() const;
  void CheckNoPrinter();

  // Index of the current printer among the available ones; -1 without one.
  int GetIndex();

  int GetPaperSizeNumber();
  void SetPaperSizeNumber(int code);
  bool HasPaperNumber(int code);
  std::vector<std::string> GetPaperSizeNames();
  bool GetOrientation();  // true = landscape
  void SetOrientation(bool landscape);
  // (width, length) of the user-defined paper, passed through unchanged.
  TPoint GetUserpaperExtent();
  void SetpaperExtent(int width, int length);
  uint32_t GetSupportedFields();

  TPoint GetPageExtent();  // printable area, device pixels
  TPoint GetPixelsPerInch();
  TPoint GetPaperExtent();  // whole sheet, device pixels
  TPoint GetOffset();       // printable area's offset
  std::vector<std::string> GetPorts();

  // Capability lists of the current printer (read on demand).
  std::vector<int> GetBinNumbers();
  std::vector<std::string> GetBinNames();
  int GetResolutionCount();
  int GetMaxCopies();

  void ApplyChanges();
  void DiscardChanges();
  void Reset();

  // The document calls. BeginDoc first takes a fresh snapshot (see Refresh).
  TCanvas& Canvas();
  void BeginDoc(const std::string& title);
  void NewPage();
  void EndDoc();
  bool Printing() const { return FBackend && FBackend->Printing(); }

  // Takes a new snapshot of the installed printers, as after a system
  // settings change: an unchanged list only compares the ports; a changed one
  // replaces the application's printer object and drops pending changes.
  // Fires OnChange when anything differed.
  void Refresh();

  std::function<void(TLpPrinter& sender)> OnChange;

  // State, for the print job and for tests.
  bool Modified() const { return FModified; }
  int LastIndex() const { return FLastIndex; }
  uint32_t InfoFlags() const { return FInfoFlags; }
  const TLpAllPrintersInfo& Info() const { return FInfo; }

 private:
  // Reads the capability lists again when the current printer changed.
  void RefreshCapabilities();
  void ReadCapabilities();
  // The private device-mode copy, made on first need; null when the printer
  // has none.
  TDeviceMode* DevMode();
  bool Supports(int bit);
  int Cap(TDeviceCap cap);
  void DropDevMode();
  std::vector<std::string> UniquePorts();

  TPrinterBackend* FBackend = nullptr;
  TLpAllPrintersInfo FInfo;
  int FLastIndex = -1;
  std::vector<int> FPaperNumbers;
  std::vector<std::string> FPaperNames;
  std::vector<int> FBinNumbers;
  std::vector<std::string> FBinNames;
  int FResolutionCount = 0;
  int FMaxCopies = 0;
  uint32_t FInfoFlags = 0;
  std::optional<TDeviceMode> FDevMode;
  std::string FPortName;
  bool FModified = false;
  std::vector<std::string> FPorts;
};

// Ends the job it began when it goes out of scope, so that a failure while
// printing never leaves the job open.
class TLpPrintJob {
 public:
  TLpPrintJob(TLpPrinter& printer, const std::string& title) : FPrinter(printer) { FPrinter.BeginDoc(title); }
  ~TLpPrintJob() {
    try {
      FPrinter.EndDoc();
    } catch (...) {
      // Ending a job that already failed has nothing left to report.
    }
  }
  TLpPrintJob(const TLpPrintJob&) = delete;
  TLpPrintJob& operator=(const TLpPrintJob&) = delete;

 private:
  TLpPrinter& FPrinter;
};

}  // namespace vorna
