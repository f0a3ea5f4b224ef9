// The printer layer on Qt PrintSupport: enumeration, the device mode of the
// QPrinter, paper codes through QPageSize, device values and the job.
#include "platform/qt/QtPrinterBackend.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtPrintDialog.h"

namespace vorna::qt {

namespace {

// Printer attribute bits as the platform's enumeration reports them.
constexpr uint32_t kAttrDefault = 0x04;
constexpr uint32_t kAttrNetwork = 0x10;
constexpr uint32_t kAttrLocal = 0x40;

constexpr const char* kPdfPort = "FILE:";

int TenthsOfMm(qreal mm) { return static_cast<int>(std::lround(mm * 10)); }

}  // namespace

// The canvas of the printer: draws with the job's painter while a job runs
// and only measures (at the printer's resolution) outside one.
class TQtPrinterCanvas : public TQtCanvas {
 public:
  TQtPrinterCanvas(const std::unique_ptr<QPrinter>& printer, QPainter& job) : FPrinter(printer), FJob(job) {}
  void Started() { PainterStarted(&FJob); }

 protected:
  QPainter* Painter() override { return FJob.isActive() ? &FJob : nullptr; }
  const QPaintDevice* Device() const override { return FPrinter.get(); }

 private:
  const std::unique_ptr<QPrinter>& FPrinter;
  QPainter& FJob;
};

TQtPrinterBackend::TQtPrinterBackend() { ResetPrinterObject(); }

TQtPrinterBackend::~TQtPrinterBackend() {
  EndDoc();
  FCanvas.reset();
}

QStringList TQtPrinterBackend::QueueNames() { return QPrinterInfo::availablePrinterNames(); }

void TQtPrinterBackend::SetPdfFileName(const std::string& path) {
  FPdfFileName = QPath(path);
  if (FPrinter->outputFormat() == QPrinter::PdfFormat) FPrinter->setOutputFileName(FPdfFileName);
}

std::vector<TPrinterEntry> TQtPrinterBackend::EnumPrinters() {
  std::vector<TPrinterEntry> list;
  QString defaultName = QPrinterInfo::defaultPrinterName();
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    uint32_t attributes = info.isRemote() ? kAttrNetwork : kAttrLocal;
    if (info.printerName() == defaultName) attributes |= kAttrDefault;
    list.push_back({Cp932FromQString(info.printerName()), attributes});
  }
  list.push_back({kPdfPrinterName, kAttrLocal | (defaultName.isEmpty() ? kAttrDefault : 0)});
  return list;
}

// A CUPS printer's port is its queue; the PDF printer writes to a file.
std::vector<std::string> TQtPrinterBackend::EnumPorts() {
  std::vector<std::string> ports;
  for (const QString& name : QueueNames()) ports.push_back(Cp932FromQString(name));
  ports.push_back(kPdfPort);
  return ports;
}

// The canvas outlives printer objects: the view may hold it across a reset.
void TQtPrinterBackend::ResetPrinterObject() {
  EndDoc();
  FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  FQueues = QueueNames();
  QString defaultName = QPrinterInfo::defaultPrinterName();
  int index = FQueues.indexOf(defaultName);
  Select(index >= 0 && !defaultName.isEmpty() ? index : static_cast<int>(FQueues.size()));
}

void TQtPrinterBackend::Select(int index) {
  if (IsPdfIndex(index)) {
    FPrinter->setOutputFormat(QPrinter::PdfFormat);
    FPrinter->setOutputFileName(FPdfFileName);
  } else {
    FPrinter->setOutputFormat(QPrinter::NativeFormat);
    FPrinter->setPrinterName(FQueues[index]);
  }
  FSelected = true;
}

int TQtPrinterBackend::PrinterIndex() {
  if (!FSelected) return -1;
  if (FPrinter->outputFormat() == QPrinter::PdfFormat) return static_cast<int>(FQueues.size());
  return static_cast<int>(FQueues.indexOf(FPrinter->printerName()));
}

void TQtPrinterBackend::SetPrinterIndex(int index) {
  if (index < 0 || index > FQueues.size() || Printing()) return;
  if (index == PrinterIndex()) return;  // the device mode already exists
  Select(index);
}

std::string TQtPrinterBackend::DeviceName() {
  if (!FSelected) return {};
  if (FPrinter->outputFormat() == QPrinter::PdfFormat) return kPdfPrinterName;
  return Cp932FromQString(FPrinter->printerName());
}

std::string TQtPrinterBackend::PortName() {
  if (!FSelected) return {};
  return FPrinter->outputFormat() == QPrinter::PdfFormat ? std::string(kPdfPort) : DeviceName();
}

bool TQtPrinterBackend::HasDeviceMode() { return FSelected; }

TDeviceMode TQtPrinterBackend::GetDeviceMode() {
  TDeviceMode mode;
  mode.DeviceName = DeviceName();
  bool pdf = FPrinter->outputFormat() == QPrinter::PdfFormat;
  bool custom = pdf || QPrinterInfo(*FPrinter).supportsCustomPageSizes();
  mode.Fields = kDmOrientation | kDmPaperSize | kDmCopies | kDmCollate;
  if (custom) mode.Fields |= kDmPaperLength | kDmPaperWidth;
  QPageLayout layout = FPrinter->pageLayout();
  mode.Orientation = layout.orientation() == QPageLayout::Landscape ? kDmOrientLandscape : kDmOrientPortrait;
  QPageSize size = layout.pageSize();
  int code = size.windowsId();
  // A user size that happens to equal a standard sheet stays user-defined.
  bool user = FUserPaper && size.size(QPageSize::Millimeter) == FUserPaperSize;
  if (user || size.id() == QPageSize::Custom || code <= 0 || code == kDmPaperUser) {
    QSizeF mm = size.size(QPageSize::Millimeter);
    mode.PaperSize = kDmPaperUser;
    mode.PaperWidth = TenthsOfMm(mm.width());
    mode.PaperLength = TenthsOfMm(mm.height());
  } else {
    mode.PaperSize = code;
  }
  mode.Copies = FPrinter->copyCount();
  return mode;
}

void TQtPrinterBackend::SetDeviceMode(const TDeviceMode& mode, const std::string&) {
  if (Printing()) return;
  if (mode.Fields & kDmPaperSize) {
    QPageSize size;
    if (mode.PaperSize == kDmPaperUser) {
      // An exact size: a near-standard one must not snap to the standard sheet.
      if (mode.PaperWidth > 0 && mode.PaperLength > 0)
        size = QPageSize(QSizeF(mode.PaperWidth / 10.0, mode.PaperLength / 10.0), QPageSize::Millimeter,
                         QString(), QPageSize::ExactMatch);
    } else {
      QPageSize::PageSizeId id = QPageSize::id(mode.PaperSize);
      if (id != QPageSize::Custom) size = QPageSize(id);
    }
    if (size.isValid() && FPrinter->setPageSize(size)) {
      FUserPaper = mode.PaperSize == kDmPaperUser;
      FUserPaperSize = FPrinter->pageLayout().pageSize().size(QPageSize::Millimeter);
    }
  }
  if (mode.Fields & kDmOrientation)
    FPrinter->setPageOrientation(mode.Orientation == kDmOrientLandscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait);
  if ((mode.Fields & kDmCopies) && mode.Copies > 0) FPrinter->setCopyCount(mode.Copies);
}

QList<QPageSize> TQtPrinterBackend::PaperSizes() {
  QList<QPageSize> sizes;
  if (FPrinter->outputFormat() == QPrinter::PdfFormat) {
    // A PDF takes any standard sheet.
    for (int id = 0; id < QPageSize::LastPageSize; ++id) {
      QPageSize size(static_cast<QPageSize::PageSizeId>(id));
      if (size.isValid() && size.windowsId() > 0) sizes.append(size);
    }
  } else {
    sizes = QPrinterInfo(*FPrinter).supportedPageSizes();
  }
  // One entry per paper code, in code order.
  std::sort(sizes.begin(), sizes.end(),
            [](const QPageSize& a, const QPageSize& b) { return a.windowsId() < b.windowsId(); });
  QList<QPageSize> unique;
  for (const QPageSize& size : sizes)
    if (size.windowsId() > 0 && size.windowsId() != kDmPaperUser &&
        (unique.isEmpty() || unique.back().windowsId() != size.windowsId()))
      unique.append(size);
  return unique;
}

int TQtPrinterBackend::GetPapers(std::vector<int>& codes) {
  codes.clear();
  for (const QPageSize& size : PaperSizes()) codes.push_back(size.windowsId());
  return static_cast<int>(codes.size());
}

int TQtPrinterBackend::GetPaperNames(std::vector<std::string>& names) {
  names.clear();
  for (const QPageSize& size : PaperSizes()) names.push_back(Cp932FromQString(size.name()));
  return static_cast<int>(names.size());
}

// Qt offers no list of paper sources (input slots) outside Windows, so the
// driver has no answer here.
int TQtPrinterBackend::GetBins(std::vector<int>& codes) {
  codes.clear();
  return 0;
}

int TQtPrinterBackend::GetBinNames(std::vector<std::string>& names) {
  names.clear();
  return 0;
}

int TQtPrinterBackend::GetResolutionCount() {
  return static_cast<int>(FPrinter->supportedResolutions().size());
}

int TQtPrinterBackend::GetMaxCopies() { return FPrinter->supportsMultipleCopies() ? 9999 : 1; }

int TQtPrinterBackend::DeviceCaps(TDeviceCap cap) {
  const int dpi = FPrinter->resolution();
  const QPageLayout layout = FPrinter->pageLayout();
  const QRect full = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  switch (cap) {
    case TDeviceCap::HorzRes:
      return paint.width();
    case TDeviceCap::VertRes:
      return paint.height();
    case TDeviceCap::LogPixelsX:
    case TDeviceCap::LogPixelsY:
      return dpi;
    case TDeviceCap::PhysicalWidth:
      return full.width();
    case TDeviceCap::PhysicalHeight:
      return full.height();
    case TDeviceCap::PhysicalOffsetX:
      return paint.left() - full.left();
    case TDeviceCap::PhysicalOffsetY:
      return paint.top() - full.top();
  }
  return 0;
}

void TQtPrinterBackend::BeginDoc(const std::string& title) {
  if (Printing()) throw EPrinterPlatformError("A print job is already running");
  FPrinter->setDocName(QStringFromCp932(title));
  if (FPrinter->outputFormat() == QPrinter::PdfFormat) {
    QString path = FPrinter->outputFileName();
    if (path.isEmpty()) throw EPrinterPlatformError("No file name was given for the PDF file");
    // QPrinter reports an unwritable file only as a failed begin; open it
    // first for the system's own reason.
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
      throw EPrinterPlatformError("Cannot write " + path.toStdString() + ": " +
                                  probe.errorString().toStdString());
    probe.close();
  } else if (!QPrinterInfo::availablePrinterNames().contains(FPrinter->printerName())) {
    throw EPrinterPlatformError("The printer " + FPrinter->printerName().toStdString() + " is not installed");
  }
  if (!FJobPainter.begin(FPrinter.get()))
    throw EPrinterPlatformError("The printer " + DeviceName() + " cannot start the job");
  Canvas();
  FCanvas->Started();
}

void TQtPrinterBackend::NewPage() {
  if (!Printing()) throw EPrinterPlatformError("No print job is running");
  FCanvas->SettleStrokes();
  if (!FPrinter->newPage())
    throw EPrinterPlatformError("The printer " + DeviceName() + " cannot start a page");
}

void TQtPrinterBackend::EndDoc() {
  if (!FJobPainter.isActive()) return;
  if (FCanvas) FCanvas->SettleStrokes();
  FJobPainter.end();
}

bool TQtPrinterBackend::Printing() { return FJobPainter.isActive(); }

TCanvas& TQtPrinterBackend::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TQtPrinterCanvas>(FPrinter, FJobPainter);
  return *FCanvas;
}

bool TQtPrinterBackend::ExecutePrintDialog(TPrintDialogRequest& request) {
  if (Printing()) return false;
  if (FPrinter->outputFormat() == QPrinter::PdfFormat && FPrinter->outputFileName().isEmpty() &&
      !FPdfFileName.isEmpty())
    FPrinter->setOutputFileName(FPdfFileName);
  bool confirmed = TQtPrintDialog::Execute(*FPrinter, request, FDialogParent);
  if (confirmed && FPrinter->outputFormat() == QPrinter::PdfFormat) FPdfFileName = FPrinter->outputFileName();
  return confirmed;
}

}  // namespace vorna::qt
