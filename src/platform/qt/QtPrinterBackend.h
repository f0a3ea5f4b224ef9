// The printer layer on Qt PrintSupport: the CUPS printers of QPrinterInfo plus
// a PDF file printer that is always there, one QPrinter as the application's
// printer object, paper codes mapped through QPageSize, and the printer canvas.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <memory>

#include "platform/PrinterBackend.h"

class QWidget;

namespace vorna::qt {

class TQtPrinterCanvas;

// The name of the PDF file printer.
inline constexpr const char* kPdfPrinterName = "PDF file";

class TQtPrinterBackend : public TPrinterBackend {
 public:
  TQtPrinterBackend();
  ~TQtPrinterBackend() override;

  // The dialog's parent window (may be null).
  void SetDialogParent(QWidget* parent) { FDialogParent = parent; }
  // The application's printer object (for the print dialog and tests).
  QPrinter& Printer() { return *FPrinter; }
  // Output file of the PDF printer; the print dialog asks for it otherwise.
  void SetPdfFileName(const std::string& path);

  std::vector<TPrinterEntry> EnumPrinters() override;
  std::vector<std::string> EnumPorts() override;
  int PrinterIndex() override;
  void SetPrinterIndex(int index) override;
  std::string DeviceName() override;
  std::string PortName() override;
  bool HasDeviceMode() override;
  TDeviceMode GetDeviceMode() override;
  void SetDeviceMode(const TDeviceMode& mode, const std::string& port) override;
  void ResetPrinterObject() override;

  int GetPapers(std::vector<int>& codes) override;
  int GetPaperNames(std::vector<std::string>& names) override;
  int GetBins(std::vector<int>& codes) override;
  int GetBinNames(std::vector<std::string>& names) override;
  int GetResolutionCount() override;
  int GetMaxCopies() override;
  int DeviceCaps(TDeviceCap cap) override;

  void BeginDoc(const std::string& title) override;
  void NewPage() override;
  void EndDoc() override;
  bool Printing() override;
  TCanvas& Canvas() override;

  bool ExecutePrintDialog(TPrintDialogRequest& request) override;

 private:
  // CUPS queue names now installed, the PDF printer not included.
  static QStringList QueueNames();
  bool IsPdfIndex(int index) const { return index == FQueues.size(); }
  // Points the printer object at entry `index` of FQueues (or the PDF one).
  void Select(int index);
  QList<QPageSize> PaperSizes();

  std::unique_ptr<QPrinter> FPrinter;
  QStringList FQueues;  // the printers when the printer object was made
  QString FPdfFileName;
  QPainter FJobPainter;
  std::unique_ptr<TQtPrinterCanvas> FCanvas;
  QWidget* FDialogParent = nullptr;
  bool FSelected = false;
  // The paper was set as a user size (reported as such while it is current).
  bool FUserPaper = false;
  QSizeF FUserPaperSize;
};

}  // namespace vorna::qt
