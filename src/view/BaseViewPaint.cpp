// The base view's painting of the paper: the workspace, sheets with their
// paper-margin bands, pages with margin bands, header and footer, page frames,
// the page-limit line and the hatching of what a printer cannot print. The
// same loop paints the screen and, on the printer's canvas, printed sheets.
#include <algorithm>

#include "graphics/Fills.h"
#include "graphics/Lines.h"
#include "platform/SystemMetrics.h"
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "settings/FontTexts.h"
#include "settings/HeaderFooterCodes.h"
#include "settings/StyleElements.h"
#include "view/BaseViews.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

// Where the element decides on its own: shown on the screen or in print.
bool Shown(const TViewInfo* element, bool printing) { return element && element->IsShown(printing); }

bool Meets(const TRect& a, const TRect& b) { return !Intersect(a, b).IsEmpty(); }

}  // namespace

TColor TBaseView::SystemColorValue(TColor color) const {
  if (!IsSystemColor(color)) return color;
  return FServices.Metrics ? ResolveColor(color, *FServices.Metrics) : kClBlack;
}

void TBaseView::DoPainting() { Fire(OnPainting); }
void TBaseView::DoPainted() { Fire(OnPainted); }

void TBaseView::GetHintInfo(std::string& text, TPoint&) { text.clear(); }

std::string TBaseView::ExpandCode(std::string_view letter) {
  return ExpandHeaderFooterCode(letter, FCodeContext);
}

void TBaseView::DrawSheetBack(int, const TRect&, const TRect&, const TRect&) {}
void TBaseView::DrawPageEnd(int, const TRect&, const TRect&, const TRect&) {}

void TBaseView::DrawSheetFrame(int, const TRect& sheetRect, const TRect& clip, const TRect&) {
  if (FPrinting || !PaperMode()) return;
  FCanvas->SetPen(kClBlack, TPenStyle::Solid, 1);
  FrameRect(*FCanvas, {sheetRect.Left, sheetRect.Top, sheetRect.Right - 1, sheetRect.Bottom - 1}, clip,
            false);
}

void TBaseView::DrawPageMargin(int, const TRect& pageRect, const TRect& clip, const TRect& textRect) {
  const TViewInfo* margin = FStyle->GetViewInfo(kElemMargin);
  if (!margin) return;
  FCanvas->SetBrush(SystemColorValue(margin->GetBackColor()), TBrushStyle::Solid);
  FillBand(*FCanvas, pageRect, textRect, clip);
}

void TBaseView::DrawText(int, const TRect& textRect, const TRect& clip) {
  FillClipped(*FCanvas, textRect, clip, kClWhite);
}

void TBaseView::SetPenFromElement(const TViewInfo& element) {
  if (!element.HasLine()) return;
  FCanvas->SetBrush(SystemColorValue(element.GetBackColor()), TBrushStyle::Solid);
  // Only single lines take the element's width; doubled and dashed ones stay one pixel wide.
  const int style = element.GetLineStyle();
  int width = 1;
  const double stored = element.GetLineWidth();
  if (stored > 0 && (style == kLineSolid || style == kLineDot)) {
    width = FPrinting ? RoundPixels(stored) : LengthToPixels(stored);
    width = std::max(width, 1);
  }
  FCanvas->SetPen(SystemColorValue(element.GetLineColor()), element.GetPenStyle(), width);
}

void TBaseView::PaintSheets(const TRect& rect) {
  if (!FCanvas || !FStyle || FPaintLock >= 1 || !FHost.HasWindow()) return;
  const TRect canvasClip = FCanvas->ClipRect();
  if (canvasClip.IsEmpty() || !Meets(rect, canvasClip)) return;
  DoPainting();
  const TRect clip = FPrinting ? rect : Intersect(rect, canvasClip);
  const bool paper = PaperMode();
  const bool screenPaper = paper && !FPrinting;
  const int perSheet = PagesPerSheet();
  const TRect client = FHost.ClientRect();
  const TViewInfo* paperMargin = FStyle->GetViewInfo(kElemPaperMargin);
  const TViewInfo* divideLine = FStyle->GetViewInfo(kElemPaperDivideLine);
  const TViewInfo* printRange = FStyle->GetViewInfo(kElemPrintRange);
  for (int sheet = FFirstSheet; sheet <= FLastSheet; ++sheet) {
    const TRect sheetRect = GetSheetRect(sheet);
    if (screenPaper) {
      FCanvas->SetBrush(SystemColorValue(SystemColor(kColorAppWorkspace)), TBrushStyle::Solid);
      FillBand(*FCanvas, Intersect(GetSheetBackRect(sheet), client), sheetRect, clip);
    }
    const TRect inner = GetPaperMarginRect(sheetRect);
    if (paperMargin) {
      FCanvas->SetBrush(SystemColorValue(paperMargin->GetBackColor()), TBrushStyle::Solid);
      FillBand(*FCanvas, sheetRect, inner, clip);
    }
    DrawSheetBack(sheet, sheetRect, clip, inner);
    for (int page = sheet * perSheet; page < sheet * perSheet + perSheet; ++page) {
      const TRect pageRect = GetPageRect(page, inner);
      if (pageRect.IsEmpty() || !Meets(pageRect, clip)) continue;
      const TRect textRect = GetTextRect(pageRect);
      DrawPageMargin(page, pageRect, clip, textRect);
      if (paper) {
        FCurrentPage = page;
        DrawHeaderFooter(true, pageRect, clip, textRect);
        DrawHeaderFooter(false, pageRect, clip, textRect);
      }
      if (!textRect.IsEmpty() && Meets(textRect, clip)) {
        FCurrentPage = page;
        DrawText(page, textRect, clip);
        if (OnPaint) OnPaint(this, *FCanvas, page + 1, clip, textRect);
      }
      DrawPageEnd(page, pageRect, clip, textRect);
      if (paper && perSheet > 1) {
        // Frames between pages: white where the divide line is hidden.
        const bool shown = Shown(divideLine, FPrinting);
        if (shown)
          SetPenFromElement(*divideLine);
        else
          FCanvas->SetPen(kClWhite, TPenStyle::Solid, 1);
        FrameRect(*FCanvas, {pageRect.Left, pageRect.Top, pageRect.Right - 1, pageRect.Bottom - 1}, clip,
                  shown && divideLine->IsDoubleLine());
      }
    }
    DrawSheetFrame(sheet, sheetRect, clip, inner);
    if (screenPaper && sheet > 0 && sheet == FMaxPageSheet && Shown(FMaxPageLine, false)) {
      SetPenFromElement(*FMaxPageLine);
      const TRect back = GetSheetBackRect(sheet);
      const bool doubled = FMaxPageLine->IsDoubleLine();
      if (FStyle->GetPaperTileVertical()) {
        const int y = FStyle->GetPaperTileVReverse() ? inner.Bottom + 4 : inner.Top - 4;
        HLine(*FCanvas, back.Left, back.Right, y, doubled, clip);
      } else {
        const int x = FStyle->GetPaperTileHReverse() ? inner.Right + 4 : inner.Left - 4;
        VLine(*FCanvas, x, back.Top, back.Bottom, doubled, clip);
      }
    }
    if (screenPaper && !FPreview && Printer().Available() && Shown(printRange, false) &&
        FStyle->GetPaperSize() != kUserPaperSize) {
      const int hatch = std::clamp(printRange->GetLineStyle() + 2, 2, 7);
      FCanvas->SetBrush(SystemColorValue(printRange->GetLineColor()), static_cast<TBrushStyle>(hatch));
      const TRect moved{sheetRect.Left + 1, sheetRect.Top + 1, sheetRect.Right + 1, sheetRect.Bottom + 1};
      FillBand(*FCanvas, moved, GetPrintableRect(sheetRect), clip);
    }
    if (FPrinting && OnPrintSheet && !OnPrintSheet(sheet - FFirstSheet + 1, FLastSheet - FFirstSheet + 1))
      break;
    if (FPrinting && sheet < FLastSheet) Printer().NewPage();
  }
  DoPainted();
}

THeaderFooterParts TBaseView::ExpandPageCodes(std::string_view code, int pageIndex) {
  FCodeContext = {};
  FCodeContext.StartPageNo = FStyle->GetStartPageNo();
  FCodeContext.PageIndex = pageIndex;
  FCodeContext.PageCount = FPageCount;
  FCodeContext.Clock = CurrentHeaderFooterClock();
  THeaderFooterContext context = FCodeContext;
  context.Extra = [this](std::string_view letter, std::string& out) {
    out = ExpandCode(letter);
    return true;
  };
  return ExpandHeaderFooter(code, context);
}

void TBaseView::DrawHeaderFooter(bool isHeader, const TRect& pageRect, const TRect& clip,
                                 const TRect& textRect) {
  const TViewInfo* element = FStyle->GetViewInfo(isHeader ? kElemHeader : kElemFooter);
  const std::string& code = isHeader ? FStyle->GetHeaderStr() : FStyle->GetFooterStr();
  if (!Shown(element, FPrinting) || code.empty()) return;
  TRect area = pageRect;
  if (isHeader)
    area.Bottom = textRect.Top;
  else
    area.Top = textRect.Bottom;
  if (!Meets(area, clip)) return;

  const THeaderFooterParts parts = ExpandPageCodes(code, FCurrentPage);

  TFontSpec font = ToFontSpec(element->GetFont(), FPrinting ? Metrics().DeviceDpi : Metrics().ScreenDpi);
  font.Height = ZoomedFontHeight(font.Height, FZoom);
  FCanvas->SetFont(font);
  FCanvas->SetTextColor(SystemColorValue(element->GetFont().Color));
  const int inset = MmToPixels(isHeader ? FStyle->GetHeaderDistanceX() : FStyle->GetFooterDistanceX());
  int y = isHeader ? area.Top + MmToPixels(FStyle->GetHeaderDistanceY())
                   : area.Bottom - MmToPixels(FStyle->GetFooterDistanceY()) - std::abs(font.Height);
  int shiftX = 0;
  if (FPrinting) {
    y -= Metrics().PaperOffset.Y;
    shiftX = Metrics().PaperOffset.X;
  }
  FCanvas->SetBrush(kClNone, TBrushStyle::Clear);
  if (!parts.Left.empty()) FCanvas->TextRect(clip, area.Left + inset - shiftX, y, parts.Left);
  if (!parts.Centre.empty())
    FCanvas->TextRect(clip, area.Left + (area.Width() - FCanvas->TextWidth(parts.Centre)) / 2 - shiftX, y,
                      parts.Centre);
  if (!parts.Right.empty())
    FCanvas->TextRect(clip, area.Right - inset - FCanvas->TextWidth(parts.Right) - shiftX, y, parts.Right);
  ResetCanvasFont();
}

}  // namespace vorna
