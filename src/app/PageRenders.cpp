// The editor view on an image host with the Qt services, painting sheets.
#include "PageRenders.h"

#include <algorithm>
#include <cstdio>

#include "print/LpPrinters.h"
#include "text/Cp932.h"

namespace vorna {

// The texts are CP932; the terminal reads UTF-8.
void TConsoleMessages::ShowInfo(const std::string& text) {
  std::fprintf(stderr, "%s\n", Utf8FromCp932(text).c_str());
}
void TConsoleMessages::ShowError(const std::string& text) {
  std::fprintf(stderr, "%s\n", Utf8FromCp932(text).c_str());
}

TPageRenderer::TPageRenderer(int preset, int zoomPercent)
    : FCanvases(std::make_unique<qt::TQtCanvasFactory>(FScreen)), FStyle(MakeDataItem<TEditorStyle>()) {
  FPrinterAccess.SetBackend(&FPrinter);
  for (int i = 0; i < FPrinterAccess.Info().Count(); ++i)
    if (FPrinterAccess.Info().Names(i) == qt::kPdfPrinterName) FPrinter.SetPrinterIndex(i);
  FPageMetrics = std::make_unique<TPageMetrics>(&FScreen);
  FPageMetrics->UpdatePrinterMetrics(FPrinterAccess);
  FPageMetrics->ReadPrinterPaper(FPrinterAccess, false);
  FServices.Canvases = FCanvases.get();
  FServices.Metrics = &FScreen;
  FServices.Boxes = &FMessages;
  FServices.Files = &FFiles;
  FServices.Timers = &FTimers;
  FServices.Fonts = &FFonts;
  FServices.PageMetrics = FPageMetrics.get();
  FServices.Printer = &FPrinterAccess;

  FStyle->SetDefaultIndex(preset);
  FStyle->ApplyPreset();
  FStyle->SetRatioValue(zoomPercent);
  FHost = std::make_unique<qt::TQtImageViewHost>(kWindowWidth, kWindowHeight, FScreen.ScreenPixelsPerInch());
  FView = std::make_unique<TEditorView>(*FHost, FServices, FStyle.get());
  FHost->OnPaint = [this](TCanvas& canvas, const TRect& clip) { FView->Paint(canvas, clip); };
  FHost->OnResize = [this] { FView->Resize(); };
  FView->StyleChanged();  // a shared style is applied by its owner
  FitHost();
}

TPageRenderer::~TPageRenderer() {
  FHost->OnPaint = nullptr;
  FHost->OnResize = nullptr;
  FView.reset();
  FHost.reset();
}

void TPageRenderer::LoadFromFile(const std::string& path) {
  FView->List().LoadFromFile(path);
  FView->DocumentChanged();
  FitHost();
}

void TPageRenderer::SetText(std::string_view cp932) {
  FView->List().SetText(cp932);
  FView->DocumentChanged();
  FitHost();
}

void TPageRenderer::CopyEditor(TEditorStyle& style, const TEditList& document) {
  const int ratio = FStyle->GetRatioValue();
  FStyle->Assign(&style);
  FStyle->SetRatioValue(ratio);
  FView->StyleChanged();
  FView->List().Assign(document.Lines());
  FView->List().SetFileName(document.GetFileName());
  FView->DocumentChanged();
  FitHost();
}

namespace {

// `code` with "&d" and "&t" replaced; "&&" is copied as it is (it is the
// literal "&" and never starts a code, and "&" is never a CP932 trail byte).
std::string WithFixedClock(const std::string& code, std::string_view date, std::string_view time) {
  std::string out;
  for (size_t i = 0; i < code.size(); ++i) {
    if (code[i] != '&' || i + 1 >= code.size()) {
      out += code[i];
    } else if (code[i + 1] == 'd' || code[i + 1] == 't') {
      out += code[i + 1] == 'd' ? date : time;
      ++i;
    } else {
      out.append(code, i, 2);
      ++i;
    }
  }
  return out;
}

}  // namespace

void TPageRenderer::FreezeClock(std::string_view date, std::string_view time) {
  FStyle->SetHeaderStr(WithFixedClock(FStyle->GetHeaderStr(), date, time));
  FStyle->SetFooterStr(WithFixedClock(FStyle->GetFooterStr(), date, time));
  FView->StyleChanged();
  FitHost();
}

void TPageRenderer::FitHost() {
  if (FView->PaperMode())
    FHost->SetSize(FView->SheetWidth() + 2 * kSheetGap, FView->SheetHeight() + 2 * kSheetGap);
  else
    FHost->SetSize(kWindowWidth, kWindowHeight);
}

bool TPageRenderer::PrintToPdf(const std::string& path, const std::string& title, int firstPage,
                               int lastPage) {
  FPrinter.SetPdfFileName(path);
  const bool preview = !FView->PaperMode();
  if (preview) FView->SetPreview(true);
  bool printed = false;
  try {
    printed = FView->Print(title, {.FromPage = firstPage, .ToPage = lastPage});
  } catch (...) {
    if (preview) FView->SetPreview(false);
    throw;
  }
  if (preview) FView->SetPreview(false);
  return printed;
}

int TPageRenderer::SheetCount() const { return FView->PaperMode() ? FView->SheetCount() : 1; }

int TPageRenderer::SheetOfPage(int page) const {
  return FView->PaperMode() ? std::max(page, 0) / FView->PagesPerSheet() : 0;
}

const QImage& TPageRenderer::RenderSheet(int sheet) {
  if (FView->PaperMode()) {
    sheet = std::clamp(sheet, 0, SheetCount() - 1);
    // The sheet's top-left corner goes one gap inside the image.
    const TRect at = FView->GetSheetRect(sheet);
    FView->BeginPaintLock();
    FView->SetOffset({FView->Offset().X + kSheetGap - at.Left, FView->Offset().Y + kSheetGap - at.Top});
    FView->EndPaintLock(false);
  }
  FHost->PaintAll();
  return FHost->Image();
}

}  // namespace vorna
