// The base view's construction, style binding, locks, resizing, canvas and
// printing state, and its lengths in pixels.
#include "view/BaseViews.h"

#include <cmath>

#include "platform/Timers.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "settings/FontTexts.h"
#include "view/ViewMath.h"

namespace vorna {

TBaseView::TBaseView(TViewHost& host, const TPlatformServices& services, TBaseStyle* style)
    : TBaseView(host, services, style, style ? nullptr : MakeDataItem<TBaseStyle>()) {}

TBaseView::TBaseView(TViewHost& host, const TPlatformServices& services, TBaseStyle* style,
                     TDataItemPtr<TBaseStyle> ownStyle)
    : FHost(host), FServices(services) {
  if (!FServices.PageMetrics) {
    FOwnMetrics = std::make_unique<TPageMetrics>(FServices.Metrics);
    FServices.PageMetrics = FOwnMetrics.get();
  }
  if (!FServices.Printer) {
    FOwnPrinter = std::make_unique<TLpPrinter>();
    FServices.Printer = FOwnPrinter.get();
  }
  if (style) {
    FStyle = style;
  } else {
    FOwnedStyle = std::move(ownStyle);
    FStyle = FOwnedStyle.get();
    FOwnsStyle = true;
    BindStyle();
  }
  FCanvas = &FHost.MeasureCanvas();
  FAutoScrollTimer = FHost.CreateTimer();
  if (FAutoScrollTimer) FAutoScrollTimer->OnTimer = [this] { AutoScrollTick(); };
  if (FStyle) FRatioValue = FStyle->GetRatioValue();
}

TBaseView::~TBaseView() {
  if (FAutoScrollTimer) {
    FAutoScrollTimer->Stop();
    FAutoScrollTimer->OnTimer = nullptr;
  }
  if (FOwnsStyle) UnbindStyle();
}

void TBaseView::BindStyle() {
  FStyle->OnChanging = [this](TDataItem*, int) { StyleChanging(); };
  FStyle->OnChange = [this](TDataItem*, int) { StyleChanged(); };
}

void TBaseView::UnbindStyle() {
  if (!FStyle) return;
  FStyle->OnChanging = nullptr;
  FStyle->OnChange = nullptr;
}

TPageMetrics& TBaseView::Metrics() const { return *FServices.PageMetrics; }

TLpPrinter& TBaseView::Printer() const { return *FServices.Printer; }

// --- style ---------------------------------------------------------------------

void TBaseView::SetStyle(TBaseStyle* style) {
  if (!style || style == FStyle) return;
  if (FOwnsStyle) {
    FStyle->Assign(style);
    return;
  }
  StyleChanging();
  FStyle = style;
  StyleChanged();
}

void TBaseView::StyleChanging() {}

void TBaseView::StyleChanged() {
  BeginPaintLock();
  ApplyStyle();
  Resize();
  EndPaintLock(true);
}

TLastPaper TBaseView::CurrentPaper() const {
  return {FStyle->GetPaperVisible(), FStyle->GetPaperSize(), FStyle->GetPaperWidth(),
          FStyle->GetPaperHeight(), FStyle->GetOrientation()};
}

void TBaseView::ApplyStyle() {
  if (!FStyle) return;
  const TLastPaper paper = CurrentPaper();
  if (paper.PaperVisible && paper != FLastPaper) SyncPrinterPaper(!FLastPaper.PaperVisible);
  FHost.SetHintPause(FStyle->GetHintPause());
  SetOffset({0, 0});
  SetRatioValue(FStyle->GetRatioValue());
  FLastPaper = paper;
}

bool TBaseView::PaperMode() const { return FStyle && FStyle->GetPaperVisible(); }

// --- locks and resizing ---------------------------------------------------------------

void TBaseView::Invalidate() {
  if (FPaintLock > 0) return;
  FHost.Invalidate(FHost.ClientRect());
}

void TBaseView::EndPaintLock(bool repaint) {
  if (FPaintLock > 0) --FPaintLock;
  if (FPaintLock == 0 && repaint) Invalidate();
}

void TBaseView::EndResize(bool resize) {
  if (FResizeLock > 0) --FResizeLock;
  if (FResizeLock == 0 && resize) Resize();
}

void TBaseView::Resize() {
  if (!FHost.HasWindow() || FResizeLock > 0 || !FCanvas || !FStyle) return;
  CalcGeometry(FHost.ClientRect());
  UpdateExtent();
  UpdateVisibleRange();
  // The range may have shrunk under the offset (fewer pages, a smaller zoom).
  SetOffset(FOffset);
}

// --- canvas ---------------------------------------------------------------------------

TCanvas& TBaseView::ScreenCanvas() const { return FPaintCanvas ? *FPaintCanvas : FHost.MeasureCanvas(); }

void TBaseView::SetPrinting(bool value) {
  FPrinting = value;
  FCanvas = value ? &Printer().Canvas() : &ScreenCanvas();
  ResetCanvasFont();
}

void TBaseView::Paint(TCanvas& canvas, const TRect& clip) {
  if (FPrinting) return;  // the printer owns the drawing until the job ends
  FPaintCanvas = &canvas;
  FCanvas = &canvas;
  ResetCanvasFont();
  PaintSheets(clip);
  FPaintCanvas = nullptr;
  FCanvas = &FHost.MeasureCanvas();
}

void TBaseView::SetCanvasFont(const TFontSpec* font, bool vertical, int height) {
  if (!FCanvas) return;
  TFontSpec fontSpec = font ? *font : FCanvas->Font();
  if (height != 0) {
    fontSpec.Height = height;
  } else if (FZoom != 1.0) {
    fontSpec.Height = ZoomedFontHeight(fontSpec.Height, FZoom);
  }
  if (vertical) {
    if (FServices.Fonts)
      MakeVerticalFont(fontSpec, *FServices.Fonts);
    else
      fontSpec.Escapement = kVerticalEscapement;
  }
  FCanvas->SetFont(fontSpec);
}

void TBaseView::ResetCanvasFont() {
  if (!FCanvas) return;
  TFontSpec fontSpec = FFont;
  fontSpec.Height = ZoomedFontHeight(fontSpec.Height, FZoom);
  FCanvas->SetFont(fontSpec);
}

// --- lengths ----------------------------------------------------------------------------

int TBaseView::MmToPixels(double mm) const {
  const TPageMetrics& m = Metrics();
  if (FPrinting || FPrinterPass) return RoundPixels(mm * m.DeviceDpi / 25.4);
  return RoundPixels(m.ScreenDpi * mm / 25.4 * FZoom);
}

int TBaseView::LengthToPixels(double length) const {
  const bool millimetres = FStyle && FStyle->LengthsInMillimetres();
  return millimetres ? MmToPixels(length) : RoundPixels(length * FZoom);
}

}  // namespace vorna
