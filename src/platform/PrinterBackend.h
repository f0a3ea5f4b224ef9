// The printer layer the core's printer access talks to: the installed printers,
// the application's current printer and its device mode, capability and device
// queries, the print dialog, and the document calls with the printer's canvas.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace vorna {

// A failure of the platform's printer services (enumeration, job start, file
// output); the message is the platform's own text.
class EPrinterPlatformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One installed printer as the platform enumerates it.
struct TPrinterEntry {
  std::string Name;  // CP932
  uint32_t Attributes = 0;
  friend bool operator==(const TPrinterEntry&, const TPrinterEntry&) = default;
};

// A printer with this attribute bit is not offered to the user.
constexpr uint32_t kPrinterAttributeHidden = 0x20;

// Field flags of a device mode: which of its fields the driver honours.
enum TDeviceModeField : uint32_t {
  kDmOrientation = 0x00000001,
  kDmPaperSize = 0x00000002,
  kDmPaperLength = 0x00000004,
  kDmPaperWidth = 0x00000008,
  kDmScale = 0x00000010,
  kDmCopies = 0x00000100,
  kDmDefaultSource = 0x00000200,
  kDmPrintQuality = 0x00000400,
  kDmColor = 0x00000800,
  kDmDuplex = 0x00001000,
  kDmYResolution = 0x00002000,
  kDmTTOption = 0x00004000,
  kDmCollate = 0x00008000,
  kDmFormName = 0x00010000,
  kDmLogPixels = 0x00020000,
  kDmPanningWidth = 0x08000000,
  kDmPanningHeight = 0x10000000,
};

constexpr int kDmOrientPortrait = 1;
constexpr int kDmOrientLandscape = 2;

// Paper codes (the platform's standard paper numbers).
constexpr int kDmPaperA4 = 9;
constexpr int kDmPaperB5 = 13;  // JIS B5, 182 x 257 mm
constexpr int kDmPaperUser = 256;

// The driver's settings record of one printer. Paper width and length are in
// tenths of a millimetre when they come from or go to the platform; they are
// 32-bit so that a copy may hold device pixels of a large sheet.
struct TDeviceMode {
  std::string DeviceName;  // CP932
  uint32_t Fields = 0;
  int Orientation = kDmOrientPortrait;
  int PaperSize = kDmPaperA4;
  int PaperLength = 0;
  int PaperWidth = 0;
  int Copies = 1;
  int DefaultSource = 0;
  friend bool operator==(const TDeviceMode&, const TDeviceMode&) = default;
};

// Device values of the current printer (the printer's device context).
enum class TDeviceCap {
  HorzRes,     // printable width, device pixels
  VertRes,     // printable height, device pixels
  LogPixelsX,  // dots per inch
  LogPixelsY,
  PhysicalWidth,  // whole sheet, device pixels
  PhysicalHeight,
  PhysicalOffsetX,  // printable area's offset from the sheet's corner
  PhysicalOffsetY,
};

// What the print dialog shows and what the user chose there.
enum class TPrintRange { AllPages, PageNums, Selection };

struct TPrintDialogRequest {
  int MinPage = 1;
  int MaxPage = 1;
  int FromPage = 1;
  int ToPage = 1;
  TPrintRange Range = TPrintRange::AllPages;
};

class TPrinterBackend {
 public:
  TPrinterBackend() = default;
  TPrinterBackend(const TPrinterBackend&) = delete;
  TPrinterBackend& operator=(const TPrinterBackend&) = delete;
  virtual ~TPrinterBackend() = default;

  // The installed printers in a stable order; throws EPrinterPlatformError
  // when the platform cannot list them.
  virtual std::vector<TPrinterEntry> EnumPrinters() = 0;
  // The port names (may repeat); throws EPrinterPlatformError.
  virtual std::vector<std::string> EnumPorts() = 0;

  // The application's current printer: an index into the backend's own list
  // of printers (the order EnumPrinters reports them in), -1 when none.
  virtual int PrinterIndex() = 0;
  // Selects a printer; setting the current index again re-creates its device
  // mode. An index out of range is ignored.
  virtual void SetPrinterIndex(int index) = 0;
  // Device name and port of the current printer (empty when none).
  virtual std::string DeviceName() = 0;
  virtual std::string PortName() = 0;
  // Whether the current printer's device mode exists yet.
  virtual bool HasDeviceMode() = 0;
  // The current printer's device mode (valid when HasDeviceMode).
  virtual TDeviceMode GetDeviceMode() = 0;
  // Replaces the current printer's device mode and its port.
  virtual void SetDeviceMode(const TDeviceMode& mode, const std::string& port) = 0;
  // Drops the application's printer object and starts a fresh one (after the
  // installed printers changed); the current printer becomes the default one.
  virtual void ResetPrinterObject() = 0;

  // Capability queries of the current printer. Each fills its list and
  // returns the count, or 0 or -1 when the driver has no answer.
  virtual int GetPapers(std::vector<int>& codes) = 0;
  virtual int GetPaperNames(std::vector<std::string>& names) = 0;
  virtual int GetBins(std::vector<int>& codes) = 0;
  virtual int GetBinNames(std::vector<std::string>& names) = 0;
  virtual int GetResolutionCount() = 0;
  virtual int GetMaxCopies() = 0;
  virtual int DeviceCaps(TDeviceCap cap) = 0;

  // The document calls. BeginDoc throws EPrinterPlatformError when the job
  // cannot start; EndDoc ends an open job and does nothing otherwise.
  virtual void BeginDoc(const std::string& title) = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  virtual bool Printing() = 0;
  // The printer's canvas: draws on the current page during a job and measures
  // at the printer's resolution outside one. Its origin is the corner of the
  // printable area.
  virtual TCanvas& Canvas() = 0;

  // Shows the platform's print dialog for the current printer; true when the
  // user confirmed (the request then holds the chosen range).
  virtual bool ExecutePrintDialog(TPrintDialogRequest& request) = 0;
};

}  // namespace vorna
