// TBaseView: the windowless page view that turns the paper settings of its
// style into sheets, pages and text rectangles in pixels, zooms and scrolls
// them, converts millimetres for the screen and the printer, and paints the
// paper around the text (the editor view paints the text itself).
//
// Coordinates are the host's client pixels. Sheet-relative rectangles
// (FPaperMarginRect, FPrintableRect) and the page-relative FTextRect are kept
// as TRects whose Left/Top are the offsets and Right/Bottom = offset + size.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/Geometry.h"
#include "platform/PlatformServices.h"
#include "platform/ViewHosts.h"
#include "settings/BaseStyles.h"
#include "settings/HeaderFooterCodes.h"
#include "view/BaseViewHints.h"
#include "view/ViewInputs.h"

namespace vorna {

class TLpPrinter;
class TPageMetrics;
class TTimer;
class TViewInfo;

// The view's commands handled by the base view (the editor view adds its own).
// The four steps move the offset: 1 by -y, 2 by +y, 3 by -x, 4 by +x (the
// signs swap on a reversed axis); a negative offset shows what lies further on.
enum TBaseViewCommand : int {
  vcScrollUp = 1,
  vcScrollDown = 2,
  vcScrollLeft = 3,
  vcScrollRight = 4,
  vcScrollToTop = 5,
  vcScrollToEnd = 6,
  vcFitSheet = 7,
  vcZoomIn = 8,
  vcZoomOut = 9,
};

// RatioValue: a zoom in percent, or one of the fit modes.
constexpr int kRatioFitHeight = -2;
constexpr int kRatioFitWidth = -1;
constexpr int kRatioFitSheet = 0;
constexpr int kSheetGap = 8;  // pixels between sheets and around them

// Areas of a hit test, as a bit set: bit n for area n.
enum THitArea : unsigned {
  haOutside = 1u << 1,    // not on any sheet
  haPaper = 1u << 2,      // on a sheet
  haPrintable = 1u << 3,  // inside the printable area of the sheet
  haText = 1u << 4,       // inside a page's text rectangle
};

// Paper settings last sent to the printer.
struct TLastPaper {
  bool PaperVisible = false;
  int PaperSize = -1;
  int PaperWidth = 0;
  int PaperHeight = 0;
  bool Orientation = false;
  friend bool operator==(const TLastPaper&, const TLastPaper&) = default;
};

// The pages and sheets a print job covers. Numbers are 1-based and 0 means
// "not given": the job starts at FromPage, else at FromSheet, else at the
// first sheet, and ends at ToPage, else at ToSheet, else at the last sheet.
// Whole sheets are printed, so a page range takes in its sheets' other pages.
struct TPrintPageRange {
  int FromPage = 0;
  int ToPage = 0;
  int FromSheet = 0;
  int ToSheet = 0;
};

// The rectangles of one page and its sheet (GetPageRects).
struct TPageRects {
  TRect Back, Sheet, PaperMargin, Page, Text, Printable;
};

class TBaseView {
 public:
  using TNotifyEvent = std::function<void(TBaseView* sender)>;
  using TPaintEvent = std::function<void(TBaseView* sender, TCanvas& canvas, int pageNo,
                                         const TRect& drawRect, const TRect& clipRect)>;
  using TMouseEvent =
      std::function<void(TBaseView* sender, TMouseButton button, TShiftState shift, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TBaseView* sender, TShiftState shift, int x, int y)>;

  // `style` is shared with the host control (not owned); without one the view
  // creates and owns a TBaseStyle. The host and the services must outlive it.
  TBaseView(TViewHost& host, const TPlatformServices& services, TBaseStyle* style = nullptr);
  virtual ~TBaseView();
  TBaseView(const TBaseView&) = delete;
  TBaseView& operator=(const TBaseView&) = delete;

  // --- virtual operations, in slot order -------------------------------------
  virtual void Invalidate();
  // Paints `clip` on `canvas` (the host's paint handler; the canvas is clipped).
  virtual void Paint(TCanvas& canvas, const TRect& clip);
  virtual bool CanDrag();
  virtual void GetExtent(TPoint& extent);
  virtual std::string ExpandCode(std::string_view letter);
  virtual void CalcGeometry(const TRect& clientRect);
  virtual void DrawSheetBack(int sheet, const TRect& sheetRect, const TRect& clip, const TRect& innerRect);
  virtual void DrawSheetFrame(int sheet, const TRect& sheetRect, const TRect& clip, const TRect& innerRect);
  virtual void DrawPageMargin(int page, const TRect& pageRect, const TRect& clip, const TRect& textRect);
  virtual void DrawPageEnd(int page, const TRect& pageRect, const TRect& clip, const TRect& textRect);
  virtual void DrawText(int page, const TRect& textRect, const TRect& clip);
  virtual void DoPainting();
  virtual void DoPainted();
  virtual unsigned HitTest(TPoint point);
  // The hint text and where it shows; the base view has none. Overrides may
  // change FHintData, which holds the defaults when this is called.
  virtual void GetHintInfo(std::string& text, TPoint& at);
  virtual void MouseDownHook(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMoveHook(TShiftState shift, int x, int y);
  virtual void MouseUpHook(TMouseButton button, TShiftState shift, int x, int y);
  // `outside`: the drag's pointer has left the control.
  virtual void DragOverHook(bool outside);
  // The drag the host began has ended, with a drop (`dropped`) or without;
  // `shift` holds the keys down at that moment.
  virtual void EndDragHook(bool dropped, TShiftState shift);
  virtual void DoubleClickHook();
  virtual void SetOffset(TPoint offset);
  virtual void OffsetChanged();
  virtual void AutoScrollTick();
  virtual void ApplyStyle();
  virtual void StyleChanging();
  virtual void StyleChanged();
  virtual void SetPrinting(bool value);
  virtual int KeyToCommand(int key, TShiftState shift);
  virtual bool ExecuteCommand(int command);
  // The geometry of a print job on the printer's sheet (after SetPrinting).
  virtual void CalcPrintGeometry(const TRect& paper) { CalcGeometry(paper); }

  // --- lengths ---------------------------------------------------------------
  // Device pixels of millimetres on the page: at the printer's resolution
  // while printing, else at the screen's and the zoom.
  int MmToPixels(double mm) const;
  // Device pixels of a length that follows the paper, in the unit the style
  // holds it in (TBaseStyle::LengthsInMillimetres).
  int LengthToPixels(double length) const;

  // --- style -----------------------------------------------------------------
  TBaseStyle* Style() const { return FStyle; }
  // An owned style takes a copy of `style`; a shared one is replaced.
  void SetStyle(TBaseStyle* style);

  // --- zoom --------------------------------------------------------------------
  int GetRatioValue() const { return FRatioValue; }
  void SetRatioValue(int value);
  double Zoom() const { return FZoom; }
  void ZoomIn();
  void ZoomOut();
  // The RatioValue ZoomIn / ZoomOut would set: ten points from the zoom in
  // effect, the current RatioValue at the limit.
  int ZoomInRatio() const;
  int ZoomOutRatio() const;

  // --- scrolling -----------------------------------------------------------------
  TPoint Offset() const { return FOffset; }
  // Direction 1 left, 2 right, 3 up, 4 down (swapped on reversed axes).
  void ScrollStep(int direction);
  void ScrollToTop();
  void ScrollToEnd();
  void ScrollBy(int dx, int dy);

  // --- geometry --------------------------------------------------------------------
  TRect GetSheetRect(int sheet) const;
  TRect GetSheetBackRect(int sheet) const;
  TRect GetPaperMarginRect(const TRect& sheetRect) const;
  TRect GetPageRect(int page, const TRect& innerRect) const;
  TRect GetTextRect(const TRect& pageRect) const;
  TRect GetPrintableRect(const TRect& sheetRect) const;
  TRect GetPageTextRect(int page) const;
  TPageRects GetPageRects(int page) const;
  void SetPageCount(int count);
  int PagesPerSheet() const;
  bool PaperMode() const;  // the style shows paper

  // --- locks -------------------------------------------------------------------------
  void BeginPaintLock() { ++FPaintLock; }
  void EndPaintLock(bool repaint);
  void BeginResize() { ++FResizeLock; }
  void EndResize(bool resize);
  // The host's size changed (or the geometry must be computed again).
  virtual void Resize();

  // --- printer and preview ---------------------------------------------------------------
  // Prints the sheets of `range` on the services' printer with the screen's
  // painting code. False, with nothing printed, without a printer or when
  // the range holds no sheet of the document. The job is ended and the view
  // is back on the screen (its layout recomputed) also when a printer error
  // ends it; the error then passes on.
  bool Print(const std::string& title, const TPrintPageRange& range = {});
  // The print command: unless the paper is shown or `ctrlHeld`, the view
  // shows the printed layout while the print dialog (pages 1 to the page
  // count) is open; the dialog's choice prints all pages or its range, the
  // selection choice nothing. A preview turned on here is turned off after,
  // one the user had turned on stays. False when nothing was printed.
  bool RunPrintCommand(const std::string& title, bool ctrlHeld);
  void SyncPrinterPaper(bool force);
  // Preview shows the style converted for printing (SaveState + MakePrintable).
  void SetPreview(bool value);
  void SetPreviewMode(bool value);

  // The canvas font from `font` (when given): height `height` when non-zero,
  // otherwise scaled by the zoom; turned vertical when asked.
  void SetCanvasFont(const TFontSpec* font, bool vertical, int height);

  // --- mouse (called by the host) ------------------------------------------------------
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void DoubleClick();
  void EndDrag(bool dropped = false, TShiftState shift = 0);
  void DragOver(bool outside) { DragOverHook(outside); }
  // The host's pointer rests at `at` (client pixels): with a hint text from
  // GetHintInfo, the host shows it 20 pixels lower for HintDurationMs.
  void HintRequested(TPoint at);
  // The layout of the hint last asked for (the host's hint window reads it).
  const TBaseViewHintData& HintData() const { return FHintData; }

  // --- state read by the control, the descendant and the tests ---------------------------
  TViewHost& Host() const { return FHost; }
  const TPlatformServices& Services() const { return FServices; }
  // The page metrics of the services, or the view's own A4 defaults.
  TPageMetrics& Metrics() const;
  // The printer access of the services, or the view's own one without a
  // printer layer (nothing is ever available on it).
  TLpPrinter& Printer() const;
  TCanvas* Canvas() const { return FCanvas; }
  bool IsPreview() const { return FPreview; }
  bool IsPrinting() const { return FPrinting; }
  bool IsPrinterPass() const { return FPrinterPass; }
  void SetPrinterPass(bool value) { FPrinterPass = value; }
  bool IsUserScroll() const { return FUserScroll; }
  int SheetCount() const { return FSheetCount; }
  int PageCount() const { return FPageCount; }
  // The three parts `code` prints on page `pageIndex` (0-based): the style's
  // first page number, the view's page count, the clock now and the view's
  // own codes, as the header and footer painting expands them.
  THeaderFooterParts ExpandPageCodes(std::string_view code, int pageIndex);
  TPoint Extent() const { return FExtent; }
  TPoint ScrollRange() const { return FScrollRange; }
  TPoint ScrollStepSize() const { return FScrollStep; }
  TPoint SheetOrigin() const { return FSheetOrigin; }
  int SheetWidth() const { return FSheetWidth; }
  int SheetHeight() const { return FSheetHeight; }
  TPoint PageSize() const { return FPageSize; }
  const TRect& TextRectOfPage() const { return FTextRect; }
  const TRect& PaperMarginRectOfSheet() const { return FPaperMarginRect; }
  const TRect& PrintableRectOfSheet() const { return FPrintableRect; }
  int FirstSheet() const { return FFirstSheet; }
  int LastSheet() const { return FLastSheet; }
  int FirstPage() const { return FFirstPage; }
  int LastPage() const { return FLastPage; }
  int CurrentPage() const { return FCurrentPage; }
  int PaintLockCount() const { return FPaintLock; }
  bool MousePressed() const { return FMousePressed; }
  bool Dragging() const { return FDragging; }
  const TLastPaper& LastPaper() const { return FLastPaper; }
  TTimer* AutoScrollTimer() const { return FAutoScrollTimer.get(); }

  // --- events ------------------------------------------------------------------------------
  // Called by a print job after each printed sheet with the sheets done and
  // the sheets asked for; false ends the job after that sheet (a long export
  // can be cancelled). The printer's document is ended as usual.
  std::function<bool(int done, int total)> OnPrintSheet;
  TPaintEvent OnPaint;
  TNotifyEvent OnPainting;
  TNotifyEvent OnPainted;
  TNotifyEvent OnOffsetChanging;
  TNotifyEvent OnOffsetChange;
  TNotifyEvent OnRatioChange;
  TNotifyEvent OnRangeChange;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

  // Settings of the descendant (see the field table of the view).
  bool FFocusOnClick = true;
  int FMaxPageSheet = 0;
  TViewInfo* FMaxPageLine = nullptr;  // the style's element; never freed here
  bool FNoScrollBlit = false;
  bool FTimerOnDrag = true;
  int FAutoScrollInterval = 150;
  // Commands for a pointer below, above, right of and left of the view.
  struct TAutoScrollCommands {
    int Below = vcScrollDown;
    int Above = vcScrollUp;
    int Right = vcScrollRight;
    int Left = vcScrollLeft;
  } FAutoScrollCommands;

 protected:
  // For descendants with a style class of their own: `ownStyle` is used when
  // `style` is null.
  TBaseView(TViewHost& host, const TPlatformServices& services, TBaseStyle* style,
            TDataItemPtr<TBaseStyle> ownStyle);

  // The visible range from the offset; all 0 in window mode.
  void UpdateVisibleRange();
  // Stores the extent and the scroll range, then OnRangeChange.
  void UpdateExtent();
  // Paints `rect` of the sheets on the current canvas.
  void PaintSheets(const TRect& rect);
  void DrawHeaderFooter(bool isHeader, const TRect& pageRect, const TRect& clip, const TRect& textRect);
  // The pen from a view element (nothing for line style 0 or less).
  void SetPenFromElement(const TViewInfo& element);
  // `color` with a system colour resolved through the services (black without).
  TColor SystemColorValue(TColor color) const;
  // The canvas font reset to the view's font at the zoom.
  void ResetCanvasFont();
  TCanvas& MeasureCanvas() const { return FHost.MeasureCanvas(); }
  void Fire(const TNotifyEvent& event) {
    if (event) event(this);
  }

  TBaseStyle* FStyle = nullptr;
  bool FPreview = false;
  bool FPrinting = false;
  bool FUserScroll = false;
  bool FOwnsStyle = false;
  double FZoom = 1.0;
  TPoint FOffset;
  TPoint FSheetOrigin;
  int FSheetWidth = 0;
  int FSheetHeight = 0;
  TRect FPaperMarginRect;
  TRect FPrintableRect;
  TPoint FPageSize;
  TRect FTextRect;
  TLastPaper FLastPaper;
  TPoint FScrollStep{1, 1};
  TPoint FScrollRange;
  int FResizeLock = 0;
  int FSheetCount = 1;
  int FPageCount = 1;
  bool FPrinterPass = false;
  int FFirstSheet = 0;
  int FLastSheet = 0;
  int FFirstPage = 0;
  int FLastPage = 0;
  TCanvas* FCanvas = nullptr;
  TPoint FExtent;
  int FCurrentPage = 0;
  int FPaintLock = 0;
  bool FMousePressed = false;
  TPoint FPressPoint;
  bool FDragging = false;
  bool FDoubleClicked = false;
  std::unique_ptr<TTimer> FAutoScrollTimer;
  int FRatioValue = 100;
  TFontSpec FFont;  // the view's own font, at 100 %
  TBaseViewHintData FHintData;

 private:
  // The style's OnChanging / OnChange bound to the view.
  void BindStyle();
  void UnbindStyle();
  TLastPaper CurrentPaper() const;
  // The screen's canvas: the host's paint canvas while painting, else its measuring one.
  TCanvas& ScreenCanvas() const;
  // Sets the zoom from a ratio step and relays out (ZoomIn / ZoomOut).
  void StepZoom(int delta, bool allowed);

  TViewHost& FHost;
  TPlatformServices FServices;
  TDataItemPtr<TBaseStyle> FOwnedStyle;
  TCanvas* FPaintCanvas = nullptr;            // the host's canvas during Paint
  std::unique_ptr<TPageMetrics> FOwnMetrics;  // when the services bring none
  std::unique_ptr<TLpPrinter> FOwnPrinter;    // when the services bring none
  bool FPreviewMode = false;
  THeaderFooterContext FCodeContext;  // the page being drawn, for ExpandCode
};

}  // namespace vorna
