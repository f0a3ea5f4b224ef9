// A base view on a recording host with its own services and page metrics,
// and a fake printer at 360 dpi holding an A4 sheet, for the view tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakePrinterBackend.h"
#include "PlatformDoubles.h"
#include "RecordingViewHost.h"
#include "platform/PlatformServices.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "view/BaseViews.h"

namespace vorna::testing {

// An A4 printer at 360 dpi with a printable area 60 pixels in from each edge.
inline TFakePrinter A4PrinterAt360(const std::string& name = "A4") {
  TFakePrinter p = MakeFakePrinter(name);
  p.Caps = {{TDeviceCap::HorzRes, 2856},       {TDeviceCap::VertRes, 4089},
            {TDeviceCap::LogPixelsX, 360},     {TDeviceCap::LogPixelsY, 360},
            {TDeviceCap::PhysicalWidth, 2976}, {TDeviceCap::PhysicalHeight, 4209},
            {TDeviceCap::PhysicalOffsetX, 60}, {TDeviceCap::PhysicalOffsetY, 60}};
  p.Mode.PaperSize = kDmPaperA4;
  return p;
}

// A base view whose page count is set from outside, as the editor view sets
// it from its rows at every geometry pass.
class TPagedView : public TBaseView {
 public:
  using TBaseView::TBaseView;
  void CalcGeometry(const TRect& clientRect) override {
    TBaseView::CalcGeometry(clientRect);
    if (Pages > 0) SetPageCount(Pages);
  }
  void SetPages(int pages) {
    Pages = pages;
    Resize();
  }
  int Pages = 0;
};

// A fake printer whose sheet turns with the orientation, as a driver's does.
class TTurningPrinterBackend : public TFakePrinterBackend {
 public:
  int DeviceCaps(TDeviceCap cap) override {
    if (GetDeviceMode().Orientation == kDmOrientLandscape) {
      switch (cap) {
        case TDeviceCap::HorzRes:
          cap = TDeviceCap::VertRes;
          break;
        case TDeviceCap::VertRes:
          cap = TDeviceCap::HorzRes;
          break;
        case TDeviceCap::PhysicalWidth:
          cap = TDeviceCap::PhysicalHeight;
          break;
        case TDeviceCap::PhysicalHeight:
          cap = TDeviceCap::PhysicalWidth;
          break;
        default:
          break;
      }
    }
    return TFakePrinterBackend::DeviceCaps(cap);
  }
};

// A view of class TView on a recording host with its own page metrics,
// printer access and services, and the fake printer to connect before the
// view applies its style.
template <class TView>
class TViewTest : public ::testing::Test {
 protected:
  TViewTest() { Services.Printer = &Printer; }
  void TearDown() override { View.reset(); }
  void UsePrinter() {
    Backend.Printers = {A4PrinterAt360()};
    Backend.Current = 0;
    Printer.SetBackend(&Backend);
  }
  void ResizeHost(int width, int height) {
    Host.Width = width;
    Host.Height = height;
    View->Resize();
  }

  TRecordingViewHost Host{1000, 800};
  TTurningPrinterBackend Backend;
  TLpPrinter Printer;
  TPageMetrics Metrics;
  TMemoryFiles Files;  // outlive the view, whose documents use them
  TFakeMessageBoxes Boxes;
  TPlatformServices Services;
  std::unique_ptr<TView> View;
};

class TBaseViewTest : public TViewTest<TPagedView> {
 protected:
  // The view with its own style, in paper mode at `ratio` percent, applied.
  TBaseView& MakeView(int ratio = 100, bool paper = true) {
    Services.PageMetrics = &Metrics;
    View = std::make_unique<TPagedView>(Host, Services);
    Style().BeginUpdate();
    Style().SetPaperVisible(paper);
    Style().SetRatioValue(ratio);
    Style().EndUpdate();
    return *View;
  }
  TBaseStyle& Style() { return *View->Style(); }
};

}  // namespace vorna::testing
