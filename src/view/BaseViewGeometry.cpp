// The base view's paper geometry: sheet, margin, page and text rectangles for
// the screen and the printer, tiling, page division, the extent and the
// visible range, and hit testing.
#include <algorithm>

#include "print/PageMetrics.h"
#include "view/BaseViews.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

// Page divisions outside this range are taken as the nearest end.
constexpr int kMaxDivide = 1000;
// Zooms of a fixed ratio are taken within these percentages.
constexpr int kMinRatio = 1;
constexpr int kMaxRatio = 2000;

int Divide(int value) { return std::clamp(value, 1, kMaxDivide); }

TRect MovedBy(const TRect& r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

}  // namespace

int TBaseView::PagesPerSheet() const {
  if (!FStyle || !PaperMode()) return 1;
  return Divide(FStyle->GetPaperLevelDivide()) * Divide(FStyle->GetPaperVerticalDivide());
}

void TBaseView::CalcGeometry(const TRect& clientRect) {
  FExtent = {0, 0};
  const TPageMetrics& m = Metrics();
  const double oldZoom = FZoom;
  const int clientW = clientRect.Width(), clientH = clientRect.Height();
  const bool paper = PaperMode();
  int w = 0, h = 0;
  if (FPrinting || FPrinterPass) {
    FZoom = 1.0;
    w = m.PaperSize.X;
    h = m.PaperSize.Y;
    if (w < 1 || h < 1) return;
  } else if (paper) {
    // The sheet in screen pixels at 100 %: the printer's sheet at the screen's
    // resolution. (The metrics' ScreenPaperSize holds the same once a printer
    // was read, but stays in printer pixels before that.)
    const int pw = RoundPixels(m.PaperSize.X * m.Scale.X), ph = RoundPixels(m.PaperSize.Y * m.Scale.Y);
    if (pw < 1 || ph < 1) return;  // no usable metrics: keep the last geometry
    int r = FRatioValue;
    if (r == kRatioFitSheet) {
      r = static_cast<double>(pw) / ph >= static_cast<double>(clientW - 16) / std::max(clientH - 16, 1)
              ? kRatioFitWidth
              : kRatioFitHeight;
    }
    if (r == kRatioFitHeight) {
      h = std::max(clientH - 2 * kSheetGap, 1);
      w = std::max(RoundPixels(static_cast<double>(h) * pw / ph), 1);
    } else if (r == kRatioFitWidth) {
      w = std::max(clientW - 2 * kSheetGap, 1);
      h = std::max(RoundPixels(static_cast<double>(w) * ph / pw), 1);
    } else {
      r = std::clamp(r, kMinRatio, kMaxRatio);
      w = std::max(RoundPixels(static_cast<double>(pw) * r / 100), 1);
      h = std::max(RoundPixels(static_cast<double>(ph) * r / 100), 1);
    }
    FZoom = r == kRatioFitHeight || r == kRatioFitWidth ? static_cast<double>(w) / pw : r / 100.0;
    const double toScreen = m.Scale.X * FZoom;
    FPrintableRect = {RoundPixels(m.PaperOffset.X * toScreen), RoundPixels(m.PaperOffset.Y * toScreen), 0, 0};
    FPrintableRect.Right = FPrintableRect.Left + RoundPixels(m.PageExtent.X * toScreen);
    FPrintableRect.Bottom = FPrintableRect.Top + RoundPixels(m.PageExtent.Y * toScreen);
  } else {
    // Window mode: one sheet, the client area, without margins.
    FZoom = FRatioValue >= 1 ? std::min(FRatioValue, kMaxRatio) / 100.0 : 1.0;
    if (FZoom != oldZoom) ResetCanvasFont();
    FSheetWidth = std::max(clientW, 0);
    FSheetHeight = std::max(clientH, 0);
    FSheetOrigin = {clientRect.Left, clientRect.Top};
    FPaperMarginRect = FPrintableRect = FTextRect = {0, 0, FSheetWidth, FSheetHeight};
    FPageSize = {FSheetWidth, FSheetHeight};
    FScrollStep = {std::max(MmToPixels(10), 1), std::max(MmToPixels(10), 1)};
    SetPageCount(PagesPerSheet());
    return;
  }
  if (FPrinting || FPrinterPass) {
    FPrintableRect = {m.PaperOffset.X, m.PaperOffset.Y, m.PaperOffset.X + m.PageExtent.X,
                      m.PaperOffset.Y + m.PageExtent.Y};
  }
  FSheetWidth = w;
  FSheetHeight = h;
  // Paper margins, pages, text area: steps shared by the screen and the printer.
  const int left = MmToPixels(FStyle->GetPaperMarginLeft()), top = MmToPixels(FStyle->GetPaperMarginTop());
  FPaperMarginRect = {left, top, w - MmToPixels(FStyle->GetPaperMarginRight()),
                      h - MmToPixels(FStyle->GetPaperMarginBottom())};
  FPageSize = {
      RoundPixels(static_cast<double>(FPaperMarginRect.Width()) / Divide(FStyle->GetPaperLevelDivide())),
      RoundPixels(static_cast<double>(FPaperMarginRect.Height()) / Divide(FStyle->GetPaperVerticalDivide()))};
  const int textLeft = MmToPixels(FStyle->GetMarginLeft()), textTop = MmToPixels(FStyle->GetMarginTop());
  FTextRect = {textLeft, textTop, FPageSize.X - MmToPixels(FStyle->GetMarginRight()),
               FPageSize.Y - MmToPixels(FStyle->GetMarginBottom())};
  if (FPrinting) FTextRect = MovedBy(FTextRect, -m.PaperOffset.X, -m.PaperOffset.Y);
  if (FZoom != oldZoom) ResetCanvasFont();
  if (FPrinting || FPrinterPass) {
    FSheetOrigin = {0, 0};
  } else {
    const bool tileVertical = FStyle->GetPaperTileVertical();
    FSheetOrigin.X = tileVertical && clientW >= w     ? (clientW - w) / 2
                     : FStyle->GetPaperTileHReverse() ? clientW - w - kSheetGap
                                                      : kSheetGap;
    FSheetOrigin.Y = !tileVertical && clientH >= h    ? (clientH - h) / 2
                     : FStyle->GetPaperTileVReverse() ? clientH - h - kSheetGap
                                                      : kSheetGap;
    FSheetOrigin.X += clientRect.Left;
    FSheetOrigin.Y += clientRect.Top;
  }
  FScrollStep = {std::max(MmToPixels(10), 1), std::max(MmToPixels(10), 1)};
  SetPageCount(PagesPerSheet());
}

void TBaseView::SetPageCount(int count) {
  FPageCount = std::max(count, 1);
  const int perSheet = PagesPerSheet();
  FSheetCount = std::max((FPageCount - 1) / perSheet + 1, 1);
}

TRect TBaseView::GetSheetRect(int sheet) const {
  if (FPrinting || FPrinterPass) return {0, 0, FSheetWidth, FSheetHeight};
  if (!PaperMode()) return FHost.ClientRect();
  int64_t left = FOffset.X + FSheetOrigin.X, top = FOffset.Y + FSheetOrigin.Y;
  if (FStyle->GetPaperTileVertical()) {
    const int64_t step = static_cast<int64_t>(sheet) * (FSheetHeight + kSheetGap);
    top += FStyle->GetPaperTileVReverse() ? -step : step;
  } else {
    const int64_t step = static_cast<int64_t>(sheet) * (FSheetWidth + kSheetGap);
    left += FStyle->GetPaperTileHReverse() ? -step : step;
  }
  return {ClampPixels(left), ClampPixels(top), ClampPixels(left + FSheetWidth),
          ClampPixels(top + FSheetHeight)};
}

TRect TBaseView::GetSheetBackRect(int sheet) const {
  const TRect s = GetSheetRect(sheet);
  const TRect client = FHost.ClientRect();
  if (FStyle->GetPaperTileVertical()) {
    const bool reverse = FStyle->GetPaperTileVReverse();
    const bool first = sheet == (reverse ? FSheetCount - 1 : 0);
    const bool last = sheet == (reverse ? 0 : FSheetCount - 1);
    return {client.Left, first ? client.Top : s.Top - 7, client.Right,
            last ? client.Bottom : s.Bottom + kSheetGap};
  }
  const bool reverse = FStyle->GetPaperTileHReverse();
  const bool first = sheet == (reverse ? FSheetCount - 1 : 0);
  const bool last = sheet == (reverse ? 0 : FSheetCount - 1);
  return {first ? client.Left : s.Left - 7, client.Top, last ? client.Right : s.Right + 7, client.Bottom};
}

TRect TBaseView::GetPaperMarginRect(const TRect& sheetRect) const {
  return MovedBy(FPaperMarginRect, sheetRect.Left, sheetRect.Top);
}

TRect TBaseView::GetPageRect(int page, const TRect& inner) const {
  const int perSheet = PagesPerSheet();
  if (perSheet == 1) return inner;
  const int columns = Divide(FStyle->GetPaperLevelDivide()), rows = Divide(FStyle->GetPaperVerticalDivide());
  const int col = page % columns, row = (page % perSheet) / columns;
  const int64_t pw = FPageSize.X, ph = FPageSize.Y;
  TRect r;
  if (FStyle->GetPaperTileHReverse()) {
    r.Right = ClampPixels(inner.Right - col * pw);
    r.Left = col == columns - 1 ? inner.Left : ClampPixels(r.Right - pw);
  } else {
    r.Left = ClampPixels(inner.Left + col * pw);
    r.Right = col == columns - 1 ? inner.Right : ClampPixels(r.Left + pw);
  }
  if (FStyle->GetPaperTileVReverse()) {
    r.Bottom = ClampPixels(inner.Bottom - row * ph);
    r.Top = row == rows - 1 ? inner.Top : ClampPixels(r.Bottom - ph);
  } else {
    r.Top = ClampPixels(inner.Top + row * ph);
    r.Bottom = row == rows - 1 ? inner.Bottom : ClampPixels(r.Top + ph);
  }
  return r;
}

TRect TBaseView::GetTextRect(const TRect& pageRect) const {
  return MovedBy(FTextRect, pageRect.Left, pageRect.Top);
}

TRect TBaseView::GetPrintableRect(const TRect& sheetRect) const {
  if (!PaperMode() && !FPrinting && !FPrinterPass) return FHost.ClientRect();
  return MovedBy(FPrintableRect, sheetRect.Left, sheetRect.Top);
}

TPageRects TBaseView::GetPageRects(int page) const {
  TPageRects r;
  const int sheet = std::max(page, 0) / PagesPerSheet();
  r.Sheet = GetSheetRect(sheet);
  r.Back = PaperMode() && !FPrinting && !FPrinterPass ? GetSheetBackRect(sheet) : r.Sheet;
  r.PaperMargin = GetPaperMarginRect(r.Sheet);
  r.Page = GetPageRect(std::max(page, 0), r.PaperMargin);
  r.Text = GetTextRect(r.Page);
  r.Printable = GetPrintableRect(r.Sheet);
  return r;
}

TRect TBaseView::GetPageTextRect(int page) const { return GetPageRects(page).Text; }

void TBaseView::GetExtent(TPoint& extent) {
  if (!PaperMode()) return;
  const int64_t sheets = FSheetCount;
  if (FStyle->GetPaperTileVertical()) {
    extent = {ClampPixels(FSheetWidth + 2 * kSheetGap),
              ClampPixels((FSheetHeight + kSheetGap) * sheets + kSheetGap)};
  } else {
    extent = {ClampPixels((FSheetWidth + kSheetGap) * sheets + kSheetGap),
              ClampPixels(FSheetHeight + 2 * kSheetGap)};
  }
}

void TBaseView::UpdateExtent() {
  GetExtent(FExtent);
  FScrollRange = {std::max(FExtent.X - FScrollStep.X, 0), std::max(FExtent.Y - FScrollStep.Y, 0)};
  Fire(OnRangeChange);
}

void TBaseView::UpdateVisibleRange() {
  if (FPrinting) return;
  if (!PaperMode()) {
    FFirstSheet = FLastSheet = FFirstPage = FLastPage = 0;
    return;
  }
  const TRect client = FHost.ClientRect();
  const int perSheet = PagesPerSheet();
  if (FStyle->GetPaperTileVertical()) {
    const int pitch = std::max(FSheetHeight + kSheetGap, 1);
    FFirstSheet = std::abs(FOffset.Y) / pitch;
    FLastSheet = std::max(client.Height(), 0) / pitch + FFirstSheet + 1;
  } else {
    const int pitch = std::max(FSheetWidth + kSheetGap, 1);
    FFirstSheet = std::abs(FOffset.X) / pitch;
    FLastSheet = std::max(client.Width(), 0) / pitch + FFirstSheet + 1;
  }
  FFirstSheet = std::min(FFirstSheet, FSheetCount - 1);
  const int64_t lastPage = static_cast<int64_t>(perSheet) * FLastSheet + perSheet - 1;
  FFirstPage = perSheet * FFirstSheet;
  FLastSheet = std::min(FLastSheet, FSheetCount - 1);
  FLastPage = static_cast<int>(std::min<int64_t>(lastPage, FPageCount - 1));
}

unsigned TBaseView::HitTest(TPoint point) {
  const auto inside = [](const TPoint& p, const TRect& r) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
  };
  const int perSheet = PagesPerSheet();
  for (int sheet = FFirstSheet; sheet <= FLastSheet; ++sheet) {
    const TRect sheetRect = GetSheetRect(sheet);
    if (!inside(point, sheetRect)) continue;
    unsigned areas = haPaper;
    if (inside(point, GetPrintableRect(sheetRect))) areas |= haPrintable;
    const TRect inner = GetPaperMarginRect(sheetRect);
    const int first = sheet * perSheet;
    for (int page = first; page < first + perSheet; ++page)
      if (inside(point, GetTextRect(GetPageRect(page, inner)))) areas |= haText;
    return areas;
  }
  return haOutside;
}

}  // namespace vorna
