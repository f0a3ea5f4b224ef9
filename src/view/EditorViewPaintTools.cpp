// The tools every painting step of the editor view shares: the cell styles'
// fonts and colours, background fills (with the window's picture), where the
// glyphs stand across a row and where cells lie along it.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "platform/SystemMetrics.h"
#include "print/PageMetrics.h"
#include "settings/FontTexts.h"
#include "settings/StyleElements.h"
#include "view/EditorViews.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

constexpr TColor kDisabledText = 0x00808080;

bool SameFace(const TFontDesc& a, const TFontDesc& b) {
  return a.Face == b.Face && a.Size == b.Size && a.Height == b.Height && a.Style == b.Style;
}

bool IsLineInfoStyle(int style) {
  return style == kElemLineInfo || style == kElemCaretLineInfo || style == kElemMarkLineInfo;
}

}  // namespace

void TEditorView::SetSearchText(const std::string& text, int options) {
  if (!FFind.Set(text, options)) return;
  InvalidateRowCache();
  Invalidate();
}

void TEditorView::SetBackgroundBitmap(const TBitmap* bitmap) {
  if (bitmap == FBackgroundBitmap) return;
  FBackgroundBitmap = bitmap;
  Invalidate();
}

void TEditorView::SetIgnoreBackground(bool ignore) {
  if (ignore == FIgnoreBackground) return;
  FIgnoreBackground = ignore;
  Invalidate();
}

void TEditorView::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Invalidate();
}

void TEditorView::SetComposing(bool composing) {
  if (composing == FComposing) return;
  FComposing = composing;
  Invalidate();
}

void TEditorView::SetOverwrite(bool value) {
  if (value == FTextEdits.Overwrite()) return;
  FTextEdits.SetOverwrite(value);
  Invalidate();
  // The caret changes its shape (and the window its insert indicator).
  Fire(OnCaretMoved);
}

bool TEditorView::UsesBackgroundPicture() const {
  return FBackgroundBitmap && !FIgnoreBackground && !FPrinting && !FPreview &&
         FBackgroundBitmap->Width() > 0 && FBackgroundBitmap->Height() > 0;
}

bool TEditorView::BlankOnPrinter(TColor color) const {
  // A printed sheet starts white and nothing lies under the text area's
  // fills: white ones would only make the job larger.
  return FPrinting && color == kClWhite;
}

bool TEditorView::MarksShown() const {
  return ElementVisible(kElemRubi) || ElementVisible(kElemBoten) ||
         (ElementVisible(kElemFootNote) && ElementVisible(kElemFootNoteMark));
}

int TEditorView::GlyphEdge(const TRect& rowRect) const {
  const bool marks = MarksShown();
  if (Vertical())
    return marks ? rowRect.Left + FMetrics.FontHeight + 1 + FMetrics.GapLineWidth
                 : rowRect.Right - FMetrics.HalfLineSpacePx;
  return marks ? rowRect.Bottom - FMetrics.FontHeight - 1 - FMetrics.GapLineWidth
               : rowRect.Top + FMetrics.HalfLineSpacePx;
}

int TEditorView::PaintPitch(const TRowPaint& rp, int cell) const {
  if (rp.Cache && EditorStyle()->GetProportionalFont()) {
    if (cell >= 0 && cell < static_cast<int>(rp.Cache->DisplayText.size()))
      return rp.Cache->Cells[static_cast<size_t>(cell)].Advance;
    return FMetrics.CellPitch;
  }
  return CellPitchAt(rp.Row, cell);
}

TRect TEditorView::CellsRect(const TRowPaint& rp, int first, int last) const {
  const int start = ClampPixels(static_cast<int64_t>(rp.TextStartPx) + CellsExtent(rp.Row, 0, first - 1));
  const int end = ClampPixels(static_cast<int64_t>(start) + CellsExtent(rp.Row, first, last));
  if (Vertical()) return {rp.Rect.Left, start, rp.Rect.Right, end};
  return {start, rp.Rect.Top, end, rp.Rect.Bottom};
}

int TEditorView::CellOfLinePos(const TRowPaint& rp, int linePos) const {
  const TDisplayPos at = FList->DocToDisplay({linePos, rp.Info.Line});
  if (at.Row < rp.Row) return -1;
  if (at.Row > rp.Row) return INT_MAX / 2;
  return at.Column - 1;
}

TColor TEditorView::StyleBack(int style) const {
  if (!PaintEnabled()) return SystemColorValue(SystemColor(kColorBtnFace));
  const TViewInfo* info = FStyle->GetViewInfo(style);
  return info ? SystemColorValue(info->GetBackColor()) : kClWhite;
}

TColor TEditorView::StyleTextColor(int style) const {
  if (!PaintEnabled()) return kDisabledText;
  const TViewInfo* info = FStyle->GetViewInfo(style);
  return info ? SystemColorValue(info->GetFont().Color) : kClBlack;
}

TFontSpec TEditorView::ElementFont(int element, int height, bool turned) const {
  const TViewInfo* info = FStyle->GetViewInfo(element);
  if (!info) return FPaintFont;
  const int ppi = FPrinting || FPrinterPass ? Metrics().DeviceDpi : Metrics().ScreenDpi;
  TFontSpec font = ToFontSpec(info->GetFont(), ppi);
  if (height != 0)
    font.Height = -std::max(std::abs(height), 1);
  else if (font.Height == 0)
    font.Height = -std::max(FMetrics.FontHeight, 1);  // a zero-size font reads as the text's
  else
    font.Height = ZoomedFontHeight(font.Height, FPrinting ? 1.0 : FZoom);
  font.Escapement = 0;
  if (turned) {
    if (Services().Fonts)
      MakeVerticalFont(font, *Services().Fonts);
    else
      font.Escapement = kVerticalEscapement;
  }
  return font;
}

bool TEditorView::SelectCellStyle(int style, int base) {
  const TViewInfo* info = FStyle->GetViewInfo(style);
  if (!info) return false;
  const TEditorStyle& s = *EditorStyle();
  const TViewInfo* normal = FStyle->GetViewInfo(kElemNormal);
  const bool vertical = s.GetVertical();
  const bool uprightNumbers = vertical && s.GetLineInfoVerticalRow() && IsLineInfoStyle(style);
  bool change = style == kElemVerticalRow || uprightNumbers ||
                (s.GetFontSizeAuto() && style >= kElemLineInfo && style <= kElemFootNote);
  if (!change && normal && style != kElemNormal) change = !SameFace(info->GetFont(), normal->GetFont());
  if (change) {
    const bool textHeight = (style >= kElemNormal && style <= kElemHeading) || style == kElemVerticalRow;
    const bool turned = vertical && style != kElemVerticalRow && !uprightNumbers;
    FCanvas->SetFont(ElementFont(style, textHeight ? FMetrics.FontHeight : 0, turned));
  }
  if (!IsEditorElement(base)) base = kElemNormal;
  const bool baseBack = style == kElemVerticalRow || style == kElemRubi || style == kElemFootNoteMark;
  FRunBack = StyleBack(baseBack ? base : style);
  FRunText = StyleTextColor(style == kElemVerticalRow ? base : style);
  FCanvas->SetBrush(FRunBack, TBrushStyle::Solid);
  FCanvas->SetTextColor(FRunText);
  return change;
}

void TEditorView::FillBackground(const TRect& r, const TRect& clip, TColor color) {
  TRect area = r;
  if (!Vertical()) ++area.Bottom;
  area = Intersect(area, clip);
  if (area.IsEmpty()) return;
  if (!UsesBackgroundPicture()) {
    if (color == kClNone || BlankOnPrinter(color)) return;
    FCanvas->SetBrush(color, TBrushStyle::Solid);
    FCanvas->FillRect(area);
    return;
  }
  // The picture is centred in the client area; what it leaves uncovered is black.
  const TRect client = Host().ClientRect();
  const int bw = FBackgroundBitmap->Width(), bh = FBackgroundBitmap->Height();
  const int left = client.Left + (client.Width() - bw) / 2, top = client.Top + (client.Height() - bh) / 2;
  const TRect picture{left, top, left + bw, top + bh};
  const TRect covered = Intersect(area, picture);
  if (!(covered == area)) {
    FCanvas->SetBrush(kClBlack, TBrushStyle::Solid);
    FCanvas->FillRect(area);
  }
  if (covered.IsEmpty()) return;
  const TRect source{covered.Left - left, covered.Top - top, covered.Right - left, covered.Bottom - top};
  FCanvas->CopyRect(covered, *FBackgroundBitmap, source);
}

}  // namespace vorna
