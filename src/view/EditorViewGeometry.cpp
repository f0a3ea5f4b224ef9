// The editor view's layout metrics: partitions, the line-number column, the
// text font with its pitches, cells per row and rows per partition, the
// mirror of the printer's geometry on the screen, and the wrapping inputs
// handed to the document with the full layouts they start.
#include <algorithm>
#include <cmath>

#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "settings/FontTexts.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"
#include "view/EditorViews.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

constexpr int kMaxPartitions = 100;
constexpr int kLineInfoPadPx = 8;
constexpr int kRowCacheSpare = 4;  // the row cache's slots beyond a page

// The row capacity a text not yet laid out is estimated at: the style's fixed
// column count, or the capacity of the document's last layout (0: unknown).
int RowCapacityGuess(const TEditorStyle& s, const TEditList& list) {
  return !s.GetColumnCountAuto() && s.GetColumnCount() >= 1 ? s.GetColumnCount()
                                                            : list.WrapInputs().CapacityCells;
}

}  // namespace

int TEditorView::Partitions() const {
  return std::clamp(EditorStyle()->GetPartationCount(), 1, kMaxPartitions);
}

int TEditorView::RowsPerPartition() const {
  const TEditorStyle& s = *EditorStyle();
  if (s.GetLineCountInPage() > 0 && (s.GetPaperVisible() || s.GetPageRoll())) return s.GetLineCountInPage();
  return std::max(FMetrics.RowsPerPartition, 1);
}

int TEditorView::RowsPerPage() const {
  return static_cast<int>(
      std::min<int64_t>(static_cast<int64_t>(RowsPerPartition()) * Partitions(), 1 << 28));
}

bool TEditorView::ElementVisible(int element) const {
  const TViewInfo* info = FStyle->GetViewInfo(element);
  return info && info->IsVisible();
}

TFontSpec TEditorView::TextFont() const {
  const TViewInfo* normal = FStyle->GetViewInfo(kElemNormal);
  const int ppi = FPrinting || FPrinterPass ? Metrics().DeviceDpi : Metrics().ScreenDpi;
  return normal ? ToFontSpec(normal->GetFont(), ppi) : TFontSpec{};
}

int TEditorView::ElementFontHeight(int element) const {
  const TViewInfo* info = FStyle->GetViewInfo(element);
  if (!info) return 0;
  const int ppi = FPrinting || FPrinterPass ? Metrics().DeviceDpi : Metrics().ScreenDpi;
  return std::abs(ToFontSpec(info->GetFont(), ppi).Height);
}

void TEditorView::CalcGeometry(const TRect& clientRect) {
  FMetrics.CharsPerRow = 0;
  FMetrics.RowsPerPartition = 0;
  FMetrics.CellPitchRemainder = FMetrics.RowPitchRemainder = 0;
  // On paper the screen shows the pages as the printer will print them: the
  // printer's geometry is computed first and mirrored.
  const bool mirror = !FPrinterPass && !FPrinting && PaperMode();
  if (mirror) {
    FPrinterPass = true;
    TBaseView::CalcGeometry(clientRect);
    CalcLayoutMetrics(true, false);
    FPrinterPass = false;
  }
  TBaseView::CalcGeometry(clientRect);
  if (FPrinterPass) {
    CalcLayoutMetrics(true, false);
    return;
  }
  CalcLayoutMetrics(false, mirror && FMetrics.CharsPerRow >= 1);
  UpdateLayout(FForceLayout);
  if (PaperMode()) {
    const int64_t rows = std::max(FList->RowCount(), 1);
    SetPageCount(static_cast<int>((rows + RowsPerPage() - 1) / RowsPerPage()));
  }
}

void TEditorView::CalcLayoutMetrics(bool printerPass, bool mirror) {
  const TEditorStyle& s = *EditorStyle();
  const bool vertical = s.GetVertical();
  const int width = std::max(FTextRect.Width(), 0), height = std::max(FTextRect.Height(), 0);
  const int tailCells = s.GetTailHang() ? 2 : 0;
  const int returnCell = ElementVisible(kElemReturn) ? 1 : 0;

  FMetrics.PartitionMarginPx = LengthToPixels(s.GetPartationMargin());
  FMetrics.TextLeftMarginPx = LengthToPixels(s.GetTextLeftMargin());
  FMetrics.TextRightMarginPx = LengthToPixels(s.GetTextRightMargin());
  FMetrics.LineSpacePx = LengthToPixels(s.GetLineSpace());
  FMetrics.ColumnSpacePx = LengthToPixels(s.GetColumnSpace());

  // Partitions along the rows; the last one takes what the division leaves.
  const int partitions = Partitions();
  const int along = vertical ? height : width;
  const int length = ClampPixels(
      (static_cast<int64_t>(along) - static_cast<int64_t>(partitions - 1) * FMetrics.PartitionMarginPx) /
      partitions);
  FMetrics.PartitionRects.assign(static_cast<size_t>(partitions), TRect{});
  for (int i = 0; i < partitions; ++i) {
    const int start =
        ClampPixels(static_cast<int64_t>(i) * (static_cast<int64_t>(length) + FMetrics.PartitionMarginPx));
    const bool last = i == partitions - 1;
    FMetrics.PartitionRects[static_cast<size_t>(i)] =
        vertical ? TRect{0, start, width, last ? height : start + length}
                 : TRect{start, 0, last ? width : start + length, height};
  }

  // The line-number column.
  if (ElementVisible(kElemLineInfo)) {
    FMetrics.LineInfoDigits = vertical && s.GetLineInfoVerticalRow()
                                  ? 2
                                  : std::max(FList->LineNumberDigits(RowCapacityGuess(s, *FList)), 3);
    if (LineInfoShowsPages(s.GetLineInfoStyle())) ++FMetrics.LineInfoDigits;
    const int fontHeight = std::abs(ZoomedFontHeight(-ElementFontHeight(kElemLineInfo), FZoom));
    FMetrics.LineInfoWidth = RoundPixels(fontHeight * FMetrics.LineInfoDigits / 2.0) + kLineInfoPadPx;
  } else {
    FMetrics.LineInfoDigits = 0;
    FMetrics.LineInfoWidth = 0;
  }
  FMetrics.TextLength = ClampPixels(static_cast<int64_t>(length) - FMetrics.LineInfoWidth -
                                    FMetrics.TextLeftMarginPx - FMetrics.TextRightMarginPx);

  TFontSpec font = TextFont();
  if (!mirror) {
    int heightOverride = 0;
    if (s.GetFontSizeAuto() && s.GetColumnCount() >= 1 && !s.GetColumnCountAuto()) {
      const int cells = s.GetColumnCount() + tailCells + returnCell;
      heightOverride = RoundPixels(
          std::trunc((static_cast<double>(FMetrics.TextLength) / cells - FMetrics.ColumnSpacePx) * 2) *
          FZoom);
    }
    font.Height = heightOverride != 0 ? -std::abs(heightOverride) : ZoomedFontHeight(font.Height, FZoom);
    FMetrics.FontHeight = std::abs(font.Height);
    FMetrics.CellPitch = std::max(RoundPixels(FMetrics.FontHeight / 2.0) + FMetrics.ColumnSpacePx, 1);
    FMetrics.LinePitch = std::max(FMetrics.FontHeight + FMetrics.LineSpacePx, 1);
    if (s.GetColumnCount() < 1 || s.GetColumnCountAuto()) {
      FMetrics.CharsPerRow = FMetrics.TextLength / FMetrics.CellPitch - tailCells - returnCell;
      if (ElementVisible(kElemGapLine) && s.GetGapLineStyle() == kGapLineGrid)
        FMetrics.CharsPerRow -= FMetrics.CharsPerRow % 2;
    } else {
      FMetrics.CharsPerRow = s.GetColumnCount();
    }
    FMetrics.CharsPerRow = std::max(FMetrics.CharsPerRow, 1);
    FMetrics.RowsPerPartition = std::max((vertical ? width : height) / FMetrics.LinePitch, 1);
    if (printerPass) {
      const double pageW = std::max(FPageSize.X, 1), pageH = std::max(FPageSize.Y, 1);
      FMetrics.PrintWidthRatio =
          static_cast<double>(FMetrics.CharsPerRow + tailCells + returnCell) * FMetrics.CellPitch / pageW;
      FMetrics.PrintHeightRatio = static_cast<double>(FMetrics.LinePitch) * FMetrics.RowsPerPartition / pageH;
      FMetrics.PrintFontRatio = FMetrics.FontHeight / pageH;
      FMetrics.PrinterColumnSpacePx = FMetrics.ColumnSpacePx;
      FMetrics.PrinterTextLength = FMetrics.TextLength;
      FMetrics.PrinterFontHeight = FMetrics.FontHeight;
      FMetrics.PrinterPageAlongPx = vertical ? FPageSize.Y : FPageSize.X;
      return;
    }
  } else {
    // The printer's capacities stay; the font and pitches scale with the page.
    FMetrics.FontHeight = std::max(RoundPixels(FPageSize.Y * FMetrics.PrintFontRatio), 1);
    font.Height = -FMetrics.FontHeight;
    FMetrics.CellPitch = std::max(RoundPixels(FMetrics.FontHeight / 2.0) + FMetrics.ColumnSpacePx, 1);
    FMetrics.LinePitch = std::max(FMetrics.FontHeight + FMetrics.LineSpacePx, 1);
    const int64_t cells = static_cast<int64_t>(FMetrics.CharsPerRow) + tailCells + returnCell;
    FMetrics.CellPitchRemainder =
        ClampPixels(RoundPixels(FPageSize.X * FMetrics.PrintWidthRatio) - cells * FMetrics.CellPitch);
    FMetrics.RowPitchRemainder =
        ClampPixels(RoundPixels(FPageSize.Y * FMetrics.PrintHeightRatio) -
                    static_cast<int64_t>(FMetrics.LinePitch) * FMetrics.RowsPerPartition);
    // The screen's page sizes and margins round apart from the printer's, so
    // the mirrored cells may come out a pixel or two longer than the text
    // area: take that back from the remainder, so they always fit.
    const int64_t cellsPx = cells * FMetrics.CellPitch + FMetrics.CellPitchRemainder;
    if (cellsPx > FMetrics.TextLength)
      FMetrics.CellPitchRemainder =
          ClampPixels(FMetrics.CellPitchRemainder - (cellsPx - FMetrics.TextLength));
    if (FMetrics.RowPitchRemainder > 0) {
      const int each = FMetrics.RowPitchRemainder / FMetrics.RowsPerPartition;
      if (each > 0) {
        FMetrics.LineSpacePx += each;
        FMetrics.LinePitch += each;
      }
      FMetrics.RowPitchRemainder %= FMetrics.RowsPerPartition;
    }
  }
  SetCanvasFont(&font, vertical, font.Height);
  if (PaperMode()) {
    // The rows of a page must stay on it, also when "LineCountInPage" asks for
    // more rows than the pitch lets fit (a preset's font on a small page): the
    // excess is taken from the rows a pixel each, on the screen and in print.
    const int64_t acrossPx = vertical ? width : height;
    const int64_t rowsPx =
        static_cast<int64_t>(FMetrics.LinePitch) * RowsPerPartition() + FMetrics.RowPitchRemainder;
    if (rowsPx > acrossPx)
      FMetrics.RowPitchRemainder = ClampPixels(FMetrics.RowPitchRemainder - (rowsPx - acrossPx));
    // A row is never less than a pixel.
    FMetrics.RowPitchRemainder = ClampPixels(std::max<int64_t>(
        FMetrics.RowPitchRemainder, -static_cast<int64_t>(FMetrics.LinePitch - 1) * RowsPerPartition()));
  }

  if (FPrinting) {
    // The printing pass is the printer's own: its wrapping inputs are these.
    FMetrics.PrinterColumnSpacePx = FMetrics.ColumnSpacePx;
    FMetrics.PrinterTextLength = FMetrics.TextLength;
    FMetrics.PrinterFontHeight = FMetrics.FontHeight;
  }
  if (ElementVisible(kElemLineInfo) && ElementVisible(kElemGapLine) &&
      s.GetGapLineStyle() == kGapLineScenes && vertical)
    FMetrics.LineInfoWidth = RoundPixels(FMetrics.LinePitch * 1.5);
  FMetrics.RowsPerPage = static_cast<int>(
      std::min<int64_t>(static_cast<int64_t>(Partitions()) * FMetrics.RowsPerPartition, 1 << 28));
  FMetrics.GapLineWidth = ElementVisible(kElemGapLine) && s.GetGapLineStyle() == kGapLineGrid
                              ? std::max(RoundPixels(FMetrics.FontHeight * 0.1), 1)
                              : 0;
  const int alongMargin = RoundPixels(FMetrics.CellPitch * 1.5),
            acrossMargin = RoundPixels(FMetrics.LinePitch * 0.7);
  FMetrics.ScrollMarginY = vertical ? alongMargin : acrossMargin;
  FMetrics.ScrollMarginX = vertical ? acrossMargin : alongMargin;
  const int cached = std::min(std::max(FMetrics.RowsPerPage, RowsPerPage()), 1 << 16) + kRowCacheSpare;
  FPainter.ResizeRowCache(cached);
  FMetrics.HalfLineSpacePx = FMetrics.LineSpacePx / 2;
  FMetrics.HalfFontHeight = std::max(FMetrics.FontHeight / 2, 1);
  FMetrics.HalfColumnSpacePx = FMetrics.ColumnSpacePx / 2;
}

void TEditorView::UpdateLayout(bool force) {
  // Preview and print lay the rows out for the printed page too: rows of the
  // window's width would run past the page's edge and be cut off.
  if (!FList) return;
  const TEditorStyle& s = *EditorStyle();
  const int wanted = !s.GetColumnCountAuto()   ? s.GetColumnCount()
                     : s.GetProportionalFont() ? 0
                                               : FMetrics.CharsPerRow;
  TWrapInputs inputs = FList->WrapInputs();
  TCanvas* printer = nullptr;
  if (PaperMode() && Printer().Available()) {
    try {
      printer = &Printer().Canvas();
    } catch (const std::exception&) {
      printer = nullptr;  // measured on the screen then
    }
  }
  // The rows are measured in the text font of the device they are laid out
  // for; the host's measuring canvas outlives any painting canvas.
  TCanvas* measuring = printer ? printer : FPrinting ? FCanvas : &MeasureCanvas();
  TFontSpec font = TextFont();
  font.Height = -std::max(printer ? FMetrics.PrinterFontHeight : FMetrics.FontHeight, 1);
  if (s.GetVertical()) {
    if (Services().Fonts)
      MakeVerticalFont(font, *Services().Fonts);
    else
      font.Escapement = kVerticalEscapement;
  }
  const bool remeasure = s.GetProportionalFont() && !FWrapMeasurer.BoundTo(measuring, font);
  FWrapMeasurer.Bind(measuring, font);
  const bool needed = force || remeasure || FList->FNeedRelayout || wanted != inputs.CapacityCells ||
                      (s.GetProportionalFont() && s.GetColumnCountAuto());
  if (!needed) return;
  inputs.CapacityCells = wanted;
  inputs.Measurer = &FWrapMeasurer;
  if (printer) {
    inputs.ColumnSpacePx = FMetrics.PrinterColumnSpacePx;
    inputs.WrapWidthPx = FMetrics.PrinterTextLength;
  } else {
    int hang = 0;
    if (s.GetTailHang())
      hang = s.GetProportionalFont() ? FWrapMeasurer.TextWidth(Cp932Lit("、")) : 2 * FMetrics.CellPitch;
    inputs.ColumnSpacePx = FMetrics.ColumnSpacePx;
    inputs.WrapWidthPx = FMetrics.TextLength - hang - (ElementVisible(kElemReturn) ? FMetrics.CellPitch : 0);
  }
  FList->SetWrapInputs(inputs);
  if (MousePressed() && !force) return;  // no full layout while a drag runs
  FList->Relayout();
  ++FLayoutCount;
}

void TEditorView::DocumentChanged() {
  if (FInForcedLayout || !FList) return;
  FInForcedLayout = true;
  InvalidateRowCache();
  // A text not laid out yet gets the column its estimated rows need, so it is
  // laid out once; only an estimate that missed lays it out again.
  const int digits = FList->LineNumberDigits(RowCapacityGuess(*EditorStyle(), *FList));
  FForceLayout = true;
  Resize();
  // The column of line numbers changes the row capacity when it grows.
  if (EditorStyle()->GetColumnCountAuto() && ElementVisible(kElemLineInfo) &&
      FList->LineNumberDigits() != digits)
    Resize();
  FForceLayout = false;
  FInForcedLayout = false;
}

void TEditorView::GetExtent(TPoint& extent) {
  if (PaperMode()) {
    TBaseView::GetExtent(extent);
    return;
  }
  const TEditorStyle& s = *EditorStyle();
  const int64_t cells = s.GetColumnCountAuto()    ? FMetrics.CharsPerRow
                        : s.GetColumnCount() <= 0 ? FList->FMaxLineLength
                                                  : s.GetColumnCount();
  const int partitions = Partitions();
  int64_t along =
      static_cast<int64_t>(partitions) * (cells * FMetrics.CellPitch + FMetrics.PartitionMarginPx) +
      FMetrics.LineInfoWidth + FMetrics.TextLeftMarginPx;
  if (partitions > 1) along -= FMetrics.PartitionMarginPx;
  const int64_t across = static_cast<int64_t>(FList->RowCount()) * FMetrics.LinePitch;
  extent = s.GetVertical() ? TPoint{ClampPixels(across), ClampPixels(along)}
                           : TPoint{ClampPixels(along), ClampPixels(across)};
  FScrollStep = s.GetVertical() ? TPoint{FMetrics.LinePitch, 2 * FMetrics.CellPitch}
                                : TPoint{2 * FMetrics.CellPitch, FMetrics.LinePitch};
}

}  // namespace vorna
