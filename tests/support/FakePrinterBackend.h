// A printer backend held in memory for tests: printers with their device
// modes, paper lists and device values, and a log of the document calls.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/PrinterBackend.h"

namespace vorna::testing {

struct TFakePrinter {
  TPrinterEntry Entry;
  std::string Port = "LPT1:";
  TDeviceMode Mode;
  bool HasMode = true;
  std::vector<int> Papers{kDmPaperA4, kDmPaperB5};
  std::vector<std::string> PaperNames{"A4", "B5 (JIS)"};
  std::vector<int> Bins{7};
  std::vector<std::string> BinNames{"Auto"};
  int Resolutions = 2;
  int MaxCopies = 99;
  std::map<TDeviceCap, int> Caps{
      {TDeviceCap::HorzRes, 4760},        {TDeviceCap::VertRes, 6814},
      {TDeviceCap::LogPixelsX, 600},      {TDeviceCap::LogPixelsY, 600},
      {TDeviceCap::PhysicalWidth, 4960},  {TDeviceCap::PhysicalHeight, 7014},
      {TDeviceCap::PhysicalOffsetX, 100}, {TDeviceCap::PhysicalOffsetY, 100},
  };
};

// A printer honouring orientation, paper size and the user-defined extent.
inline TFakePrinter MakeFakePrinter(const std::string& name, uint32_t attributes = 0) {
  TFakePrinter p;
  p.Entry = {name, attributes};
  p.Mode.DeviceName = name;
  p.Mode.Fields = kDmOrientation | kDmPaperSize | kDmPaperLength | kDmPaperWidth | kDmCopies;
  return p;
}

class TFakePrinterBackend : public TPrinterBackend {
 public:
  std::vector<TFakePrinter> Printers;
  int Current = -1;
  int DefaultIndex = 0;
  bool FailEnum = false;
  bool FailBeginDoc = false;
  int FailNewPageAt = 0;  // the n-th NewPage of a job raises (0: none)
  int NewPages = 0;
  TCanvas* PrinterCanvas = nullptr;
  std::vector<std::string> Log;  // "begin:<title>", "page", "end", "dialog", "reset", "setmode"
  // The dialog's answer: confirm, and the printer index and range to choose.
  bool DialogConfirms = true;
  int DialogPicks = -1;
  TPrintDialogRequest DialogSeen;
  TPrintDialogRequest DialogAnswer;
  bool Open = false;

  std::vector<TPrinterEntry> EnumPrinters() override {
    if (FailEnum) throw EPrinterPlatformError("enumeration failed");
    std::vector<TPrinterEntry> list;
    for (auto& p : Printers) list.push_back(p.Entry);
    return list;
  }
  std::vector<std::string> EnumPorts() override {
    if (FailEnum) throw EPrinterPlatformError("enumeration failed");
    std::vector<std::string> ports;
    for (auto& p : Printers) ports.push_back(p.Port);
    return ports;
  }
  int PrinterIndex() override { return Current < static_cast<int>(Printers.size()) ? Current : -1; }
  void SetPrinterIndex(int index) override {
    if (index < 0 || index >= static_cast<int>(Printers.size())) return;
    Current = index;
    Printers[static_cast<size_t>(index)].HasMode = true;
  }
  // A printer removed while selected keeps its name, as a printer object does.
  std::string VanishedName;
  std::string DeviceName() override { return Has() ? Cur().Entry.Name : VanishedName; }
  std::string PortName() override { return Has() ? Cur().Port : std::string(); }
  bool HasDeviceMode() override { return Has() && Cur().HasMode; }
  TDeviceMode GetDeviceMode() override { return Cur().Mode; }
  void SetDeviceMode(const TDeviceMode& mode, const std::string& port) override {
    Log.push_back("setmode");
    Cur().Mode = mode;
    Cur().Port = port;
  }
  void ResetPrinterObject() override {
    Log.push_back("reset");
    Current = DefaultIndex < static_cast<int>(Printers.size()) ? DefaultIndex : -1;
  }
  int GetPapers(std::vector<int>& codes) override {
    codes = Cur().Papers;
    return codes.empty() ? -1 : static_cast<int>(codes.size());
  }
  int GetPaperNames(std::vector<std::string>& names) override {
    names = Cur().PaperNames;
    return static_cast<int>(names.size());
  }
  int GetBins(std::vector<int>& codes) override {
    codes = Cur().Bins;
    return static_cast<int>(codes.size());
  }
  int GetBinNames(std::vector<std::string>& names) override {
    names = Cur().BinNames;
    return static_cast<int>(names.size());
  }
  int GetResolutionCount() override { return Cur().Resolutions; }
  int GetMaxCopies() override { return Cur().MaxCopies; }
  int DeviceCaps(TDeviceCap cap) override { return Cur().Caps[cap]; }
  void BeginDoc(const std::string& title) override {
    if (FailBeginDoc) throw EPrinterPlatformError("cannot start the job");
    Open = true;
    NewPages = 0;
    Log.push_back("begin:" + title + "@" + Cur().Entry.Name);
  }
  void NewPage() override {
    if (!Open) throw EPrinterPlatformError("no job");
    if (++NewPages == FailNewPageAt) throw EPrinterPlatformError("the printer went away");
    Log.push_back("page");
  }
  void EndDoc() override {
    if (!Open) return;
    Open = false;
    Log.push_back("end");
  }
  bool Printing() override { return Open; }
  TCanvas& Canvas() override {
    if (!PrinterCanvas) throw std::logic_error("no canvas given to the fake printer");
    return *PrinterCanvas;
  }
  bool ExecutePrintDialog(TPrintDialogRequest& request) override {
    Log.push_back("dialog");
    DialogSeen = request;
    if (!DialogConfirms) return false;
    if (DialogPicks >= 0) Current = DialogPicks;
    request = DialogAnswer;
    return true;
  }

 private:
  bool Has() { return PrinterIndex() >= 0; }
  TFakePrinter& Cur() {
    if (!Has()) throw std::logic_error("no current printer");
    return Printers[static_cast<size_t>(Current)];
  }
};

}  // namespace vorna::testing
