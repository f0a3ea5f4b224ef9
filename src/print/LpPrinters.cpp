// Printer access over the platform printer backend: availability, capability
// lists, the private device-mode copy and the snapshot of installed printers.
#include "print/LpPrinters.h"

#include <algorithm>

#include "text/ShiftJis.h"

namespace vorna {

namespace {

// Cuts a name to `max` bytes without splitting a double-byte character.
std::string Truncated(std::string name, size_t max) {
  if (name.size() <= max) return name;
  size_t end = 0;
  while (end < max) {
    size_t len = IsDoubleByteAt(name, end) ? 2 : 1;
    if (end + len > max) break;
    end += len;
  }
  name.resize(end);
  return name;
}

constexpr uint32_t kSupportedFlags[] = {
    kDmOrientation,   kDmPaperSize,    kDmPaperLength, kDmPaperWidth,   kDmScale,         kDmCopies,
    kDmDefaultSource, kDmPrintQuality, kDmColor,       kDmDuplex,       kDmYResolution,   kDmTTOption,
    kDmCollate,       kDmFormName,     kDmLogPixels,   kDmPanningWidth, kDmPanningHeight,
};

}  // namespace

std::string TLpAllPrintersInfo::Names(int i) const {
  return i >= 0 && i < Count() ? FPrinters[static_cast<size_t>(i)].Name : std::string();
}

uint32_t TLpAllPrintersInfo::Attributes(int i) const {
  return i >= 0 && i < Count() ? FPrinters[static_cast<size_t>(i)].Attributes : 0;
}

void TLpPrinter::SetBackend(TPrinterBackend* backend) {
  // Enumerate first, so that a failing platform leaves the old state intact.
  TLpAllPrintersInfo info = backend ? TLpAllPrintersInfo(*backend) : TLpAllPrintersInfo();
  TPrinterBackend* old = FBackend;
  FBackend = backend;
  try {
    FPorts = backend ? UniquePorts() : std::vector<std::string>();
  } catch (...) {
    FBackend = old;
    throw;
  }
  FInfo = std::move(info);
  FLastIndex = -1;
  FInfoFlags = 0;
  DropDevMode();
}

bool TLpPrinter::Available() const {
  if (!FBackend) return false;
  for (int i = 0; i < FInfo.Count(); ++i)
    if (!FInfo.IsHidden(i)) return true;
  return false;
}

void TLpPrinter::CheckNoPrinter() {
  if (Available()) return;
  FLastIndex = -1;
  throw ELpPrinterNoPrinter(lp_messages::kNoPrinter);
}

int TLpPrinter::GetIndex() {
  CheckNoPrinter();
  if (FBackend->PrinterIndex() < 0) return -1;
  std::string name = FBackend->DeviceName();
  int hiddenBefore = 0;
  for (int i = 0; i < FInfo.Count(); ++i) {
    if (FInfo.Names(i) == name) {
      if (FInfo.IsHidden(i)) throw ELpPrinterIllegalIndex(lp_messages::kIllegalIndex);
      return i - hiddenBefore;
    }
    if (FInfo.IsHidden(i)) ++hiddenBefore;
  }
  // The current printer is not in the snapshot (it appeared or vanished since).
  return -1;
}

void TLpPrinter::RefreshCapabilities() {
  if (FBackend->PrinterIndex() != FLastIndex) ReadCapabilities();
}

void TLpPrinter::ReadCapabilities() {
  FLastIndex = FBackend->PrinterIndex();
  FInfoFlags = 0;
  FPaperNumbers.clear();
  FPaperNames.clear();
  FBinNumbers.clear();
  FBinNames.clear();
  FResolutionCount = 0;
  FMaxCopies = 0;

  std::vector<int> codes;
  std::vector<std::string> names;
  if (FBackend->GetPapers(codes) > 0) {
    FPaperNumbers = codes;
    FInfoFlags |= kLpInfoPapers;
    if (FBackend->GetPaperNames(names) > 0)
      for (auto& name : names) FPaperNames.push_back(Truncated(std::move(name), kLpPaperNameMax));
  }
  codes.clear();
  names.clear();
  if (FBackend->GetBins(codes) > 0) {
    FBinNumbers = codes;
    FInfoFlags |= kLpInfoBins;
    if (FBackend->GetBinNames(names) > 0)
      for (auto& name : names) FBinNames.push_back(Truncated(std::move(name), kLpBinNameMax));
  }
  if (int n = FBackend->GetResolutionCount(); n > 0) {
    FResolutionCount = n;
    FInfoFlags |= kLpInfoResolutions;
  }
  if (int n = FBackend->GetMaxCopies(); n > 0) {
    FMaxCopies = n;
    FInfoFlags |= kLpInfoCopies;
  }
}

TDeviceMode* TLpPrinter::DevMode() {
  if (FDevMode) return &*FDevMode;
  if (!FBackend->HasDeviceMode()) FBackend->SetPrinterIndex(FBackend->PrinterIndex());
  if (!FBackend->HasDeviceMode()) return nullptr;
  FDevMode = FBackend->GetDeviceMode();
  FPortName = FBackend->PortName();
  return &*FDevMode;
}

void TLpPrinter::DropDevMode() {
  FDevMode.reset();
  FPortName.clear();
  FModified = false;
}

uint32_t TLpPrinter::GetSupportedFields() {
  CheckNoPrinter();
  const TDeviceMode* mode = DevMode();
  if (!mode) return 0;
  uint32_t bits = 0;
  for (size_t k = 0; k < std::size(kSupportedFlags); ++k)
    if (mode->Fields & kSupportedFlags[k]) bits |= 1u << k;
  return bits;
}

bool TLpPrinter::Supports(int bit) { return (GetSupportedFields() >> bit) & 1; }

int TLpPrinter::GetPaperSizeNumber() {
  if (!Supports(kLpSupportPaperSize)) throw ELpPrinterNotSupported(lp_messages::kGetPaperSizeNotSupported);
  return DevMode()->PaperSize;
}

void TLpPrinter::SetPaperSizeNumber(int code) {
  if (!Supports(kLpSupportPaperSize)) throw ELpPrinterNotSupported(lp_messages::kSetPaperSizeNotSupported);
  TDeviceMode& mode = *DevMode();
  if (mode.PaperSize == code) return;
  // A code outside the printer's own list would reach the driver on
  // ApplyChanges; the user-defined size is never listed, so it is let through.
  RefreshCapabilities();
  if (code != kDmPaperUser &&
      (code <= 0 || ((FInfoFlags & kLpInfoPapers) &&
                     std::find(FPaperNumbers.begin(), FPaperNumbers.end(), code) == FPaperNumbers.end())))
    throw ELpPrinterNotSupported(lp_messages::kSetPaperSizeNotSupported);
  mode.PaperSize = code;
  if (code != kDmPaperUser) mode.Fields &= ~(kDmPaperLength | kDmPaperWidth);
  FModified = true;
}

bool TLpPrinter::HasPaperNumber(int code) {
  if (!Supports(kLpSupportPaperSize)) throw ELpPrinterNotSupported(lp_messages::kHasPaperNotSupported);
  RefreshCapabilities();
  if (!(FInfoFlags & kLpInfoPapers)) throw ELpPrinterNoInfo(lp_messages::kHasPaperNoInfo);
  return std::find(FPaperNumbers.begin(), FPaperNumbers.end(), code) != FPaperNumbers.end();
}

std::vector<std::string> TLpPrinter::GetPaperSizeNames() {
  if (!Supports(kLpSupportPaperSize)) throw ELpPrinterNotSupported(lp_messages::kPaperNamesNotSupported);
  RefreshCapabilities();
  if (!(FInfoFlags & kLpInfoPapers)) throw ELpPrinterNoInfo(lp_messages::kPaperNamesNoInfo);
  return FPaperNames;
}

bool TLpPrinter::GetOrientation() {
  if (!Supports(kLpSupportOrientation))
    throw ELpPrinterNotSupported(lp_messages::kGetOrientationNotSupported);
  return DevMode()->Orientation == kDmOrientLandscape;
}

void TLpPrinter::SetOrientation(bool landscape) {
  if (!Supports(kLpSupportOrientation))
    throw ELpPrinterNotSupported(lp_messages::kSetOrientationNotSupported);
  TDeviceMode& mode = *DevMode();
  int value = landscape ? kDmOrientLandscape : kDmOrientPortrait;
  if (mode.Orientation == value) return;
  mode.Orientation = value;
  FModified = true;
}

TPoint TLpPrinter::GetUserpaperExtent() {
  uint32_t bits = GetSupportedFields();
  constexpr uint32_t kNeeded =
      1u << kLpSupportPaperSize | 1u << kLpSupportPaperLength | 1u << kLpSupportPaperWidth;
  if ((bits & kNeeded) != kNeeded || DevMode()->PaperSize != kDmPaperUser)
    throw ELpPrinterNoUserPaperExtent(lp_messages::kNoUserPaperExtent);
  return {FDevMode->PaperWidth, FDevMode->PaperLength};
}

void TLpPrinter::SetpaperExtent(int width, int length) {
  // A sheet without area is no paper size at all.
  if (!Supports(kLpSupportPaperSize) || width <= 0 || length <= 0)
    throw ELpPrinterNotSupported(lp_messages::kSetExtentNotSupported);
  TDeviceMode& mode = *DevMode();
  mode.PaperSize = kDmPaperUser;
  mode.PaperWidth = width;
  mode.PaperLength = length;
  mode.Fields |= kDmPaperLength | kDmPaperWidth;
  FModified = true;
}

int TLpPrinter::Cap(TDeviceCap cap) {
  CheckNoPrinter();
  return FBackend->DeviceCaps(cap);
}

TPoint TLpPrinter::GetPageExtent() { return {Cap(TDeviceCap::HorzRes), Cap(TDeviceCap::VertRes)}; }
TPoint TLpPrinter::GetPixelsPerInch() { return {Cap(TDeviceCap::LogPixelsX), Cap(TDeviceCap::LogPixelsY)}; }
TPoint TLpPrinter::GetPaperExtent() {
  return {Cap(TDeviceCap::PhysicalWidth), Cap(TDeviceCap::PhysicalHeight)};
}
TPoint TLpPrinter::GetOffset() {
  return {Cap(TDeviceCap::PhysicalOffsetX), Cap(TDeviceCap::PhysicalOffsetY)};
}

std::vector<std::string> TLpPrinter::UniquePorts() {
  std::vector<std::string> unique;
  for (auto& port : FBackend->EnumPorts())
    if (std::find(unique.begin(), unique.end(), port) == unique.end()) unique.push_back(std::move(port));
  return unique;
}

std::vector<std::string> TLpPrinter::GetPorts() {
  CheckNoPrinter();
  return FPorts;
}

std::vector<int> TLpPrinter::GetBinNumbers() {
  CheckNoPrinter();
  RefreshCapabilities();
  return FBinNumbers;
}

std::vector<std::string> TLpPrinter::GetBinNames() {
  CheckNoPrinter();
  RefreshCapabilities();
  return FBinNames;
}

int TLpPrinter::GetResolutionCount() {
  CheckNoPrinter();
  RefreshCapabilities();
  return FResolutionCount;
}

int TLpPrinter::GetMaxCopies() {
  CheckNoPrinter();
  RefreshCapabilities();
  return FMaxCopies;
}

void TLpPrinter::ApplyChanges() {
  CheckNoPrinter();
  if (!FModified) return;
  FBackend->SetDeviceMode(*FDevMode, FPortName);
  DropDevMode();
  FLastIndex = -1;
}

void TLpPrinter::DiscardChanges() {
  CheckNoPrinter();
  DropDevMode();
}

void TLpPrinter::Reset() {
  DiscardChanges();
  FLastIndex = -1;
  ReadCapabilities();
}

void TLpPrinter::Refresh() {
  if (!FBackend) return;
  TLpAllPrintersInfo fresh(*FBackend);
  std::vector<std::string> ports = UniquePorts();
  if (fresh.IsSame(FInfo)) {
    if (ports == FPorts) return;
    FPorts = std::move(ports);
  } else {
    FBackend->ResetPrinterObject();
    FInfo = std::move(fresh);
    FPorts = std::move(ports);
    FLastIndex = -1;
    DropDevMode();
  }
  if (OnChange) OnChange(*this);
}

TCanvas& TLpPrinter::Canvas() {
  if (!FBackend) throw ELpPrinterNoPrinter(lp_messages::kNoPrinter);
  return FBackend->Canvas();
}

void TLpPrinter::BeginDoc(const std::string& title) {
  if (!FBackend) throw ELpPrinterNoPrinter(lp_messages::kNoPrinter);
  // The printers may have changed since the job was prepared. A new snapshot
  // re-creates the printer object on the default printer; the job still goes
  // to the printer it was prepared for, or fails when that one is gone.
  std::string prepared = FBackend->DeviceName();
  Refresh();
  CheckNoPrinter();
  if (!prepared.empty() && FBackend->DeviceName() != prepared) {
    int index = -1;
    for (int i = 0; i < FInfo.Count() && index < 0; ++i)
      if (FInfo.Names(i) == prepared && !FInfo.IsHidden(i)) index = i;
    if (index < 0) throw EPrinterPlatformError("TLpPrinter.BeginDoc: the printer " + prepared + " is gone");
    FBackend->SetPrinterIndex(index);
  }
  FBackend->BeginDoc(title);
}

void TLpPrinter::NewPage() {
  if (!FBackend) throw ELpPrinterNoPrinter(lp_messages::kNoPrinter);
  FBackend->NewPage();
}

void TLpPrinter::EndDoc() {
  if (FBackend) FBackend->EndDoc();
}

}  // namespace vorna
