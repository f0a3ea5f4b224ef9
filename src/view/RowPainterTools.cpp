// The tools every painting step shares: the cell styles' fonts and colours,
// background fills (with the window's picture), where the glyphs stand
// across a row and where cells lie along it, and the painted caret.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "platform/SystemMetrics.h"
#include "print/PageMetrics.h"
#include "settings/FontTexts.h"
#include "settings/StyleElements.h"
#include "view/RowPainters.h"
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

bool TRowPainter::SetBackgroundBitmap(const TBitmap* bitmap) {
  if (bitmap == FBackgroundBitmap) return false;
  FBackgroundBitmap = bitmap;
  return true;
}

bool TRowPainter::SetIgnoreBackground(bool ignore) {
  if (ignore == FIgnoreBackground) return false;
  FIgnoreBackground = ignore;
  return true;
}

bool TRowPainter::ElementVisible(int element) const {
  const TViewInfo* info = Style().GetViewInfo(element);
  return info && info->IsVisible();
}

bool TRowPainter::UsesBackgroundPicture() const {
  return FBackgroundBitmap && !FIgnoreBackground && !FState.Printing && !FState.Preview &&
         FBackgroundBitmap->Width() > 0 && FBackgroundBitmap->Height() > 0;
}

bool TRowPainter::BlankOnPrinter(TColor color) const {
  // A printed sheet starts white and nothing lies under the text area's
  // fills: white ones would only make the job larger.
  return FState.Printing && color == kClWhite;
}

bool TRowPainter::MarksShown() const {
  return ElementVisible(kElemRubi) || ElementVisible(kElemBoten) ||
         (ElementVisible(kElemFootNote) && ElementVisible(kElemFootNoteMark));
}

int TRowPainter::GlyphEdge(const TRect& rowRect) const {
  const bool marks = MarksShown();
  if (Vertical())
    return marks ? rowRect.Left + Layout().FontHeight + 1 + Layout().GapLineWidth
                 : rowRect.Right - Layout().HalfLineSpacePx;
  return marks ? rowRect.Bottom - Layout().FontHeight - 1 - Layout().GapLineWidth
               : rowRect.Top + Layout().HalfLineSpacePx;
}

int TRowPainter::PaintPitch(const TRowPaint& rp, int cell) const {
  if (rp.Cache && Style().GetProportionalFont()) {
    if (cell >= 0 && cell < static_cast<int>(rp.Cache->DisplayText.size()))
      return rp.Cache->Cells[static_cast<size_t>(cell)].Advance;
    return Layout().CellPitch;
  }
  return FHost.CellPitchAt(rp.Row, cell);
}

TRect TRowPainter::CellsRect(const TRowPaint& rp, int first, int last) const {
  const int start =
      ClampPixels(static_cast<int64_t>(rp.TextStartPx) + FHost.CellsExtent(rp.Row, 0, first - 1));
  const int end = ClampPixels(static_cast<int64_t>(start) + FHost.CellsExtent(rp.Row, first, last));
  if (Vertical()) return {rp.Rect.Left, start, rp.Rect.Right, end};
  return {start, rp.Rect.Top, end, rp.Rect.Bottom};
}

int TRowPainter::CellOfLinePos(const TRowPaint& rp, int linePos) const {
  const TDisplayPos at = Doc().DocToDisplay({linePos, rp.Info.Line});
  if (at.Row < rp.Row) return -1;
  if (at.Row > rp.Row) return INT_MAX / 2;
  return at.Column - 1;
}

TColor TRowPainter::StyleBack(int style) const {
  if (!PaintEnabled()) return FHost.SystemColorValue(SystemColor(kColorBtnFace));
  const TViewInfo* info = Style().GetViewInfo(style);
  return info ? FHost.SystemColorValue(info->GetBackColor()) : kClWhite;
}

TColor TRowPainter::StyleTextColor(int style) const {
  if (!PaintEnabled()) return kDisabledText;
  const TViewInfo* info = Style().GetViewInfo(style);
  return info ? FHost.SystemColorValue(info->GetFont().Color) : kClBlack;
}

TFontSpec TRowPainter::ElementFont(int element, int height, bool turned) const {
  const TViewInfo* info = Style().GetViewInfo(element);
  if (!info) return FPaintFont;
  const int ppi = FState.Ppi;
  TFontSpec font = ToFontSpec(info->GetFont(), ppi);
  if (height != 0)
    font.Height = -std::max(std::abs(height), 1);
  else if (font.Height == 0)
    font.Height = -std::max(Layout().FontHeight, 1);  // a zero-size font reads as the text's
  else
    font.Height = ZoomedFontHeight(font.Height, FState.Printing ? 1.0 : FState.Zoom);
  font.Escapement = 0;
  if (turned) {
    if (FState.Fonts)
      MakeVerticalFont(font, *FState.Fonts);
    else
      font.Escapement = kVerticalEscapement;
  }
  return font;
}

bool TRowPainter::SelectCellStyle(int style, int base) {
  const TViewInfo* info = Style().GetViewInfo(style);
  if (!info) return false;
  const TEditorStyle& s = Style();
  const TViewInfo* normal = Style().GetViewInfo(kElemNormal);
  const bool vertical = s.GetVertical();
  const bool uprightNumbers = vertical && s.GetLineInfoVerticalRow() && IsLineInfoStyle(style);
  bool change = style == kElemVerticalRow || uprightNumbers ||
                (s.GetFontSizeAuto() && style >= kElemLineInfo && style <= kElemFootNote);
  if (!change && normal && style != kElemNormal) change = !SameFace(info->GetFont(), normal->GetFont());
  if (change) {
    const bool textHeight = (style >= kElemNormal && style <= kElemHeading) || style == kElemVerticalRow;
    const bool turned = vertical && style != kElemVerticalRow && !uprightNumbers;
    Canvas().SetFont(ElementFont(style, textHeight ? Layout().FontHeight : 0, turned));
  }
  if (!IsEditorElement(base)) base = kElemNormal;
  const bool baseBack = style == kElemVerticalRow || style == kElemRubi || style == kElemFootNoteMark;
  FRunBack = StyleBack(baseBack ? base : style);
  FRunText = StyleTextColor(style == kElemVerticalRow ? base : style);
  Canvas().SetBrush(FRunBack, TBrushStyle::Solid);
  Canvas().SetTextColor(FRunText);
  return change;
}

void TRowPainter::FillBackground(const TRect& r, const TRect& clip, TColor color) {
  TRect area = r;
  if (!Vertical()) ++area.Bottom;
  area = Intersect(area, clip);
  if (area.IsEmpty()) return;
  if (!UsesBackgroundPicture()) {
    if (color == kClNone || BlankOnPrinter(color)) return;
    Canvas().SetBrush(color, TBrushStyle::Solid);
    Canvas().FillRect(area);
    return;
  }
  // The picture is centred in the client area; what it leaves uncovered is black.
  const TRect client = FState.ClientRect;
  const int bw = FBackgroundBitmap->Width(), bh = FBackgroundBitmap->Height();
  const int left = client.Left + (client.Width() - bw) / 2, top = client.Top + (client.Height() - bh) / 2;
  const TRect picture{left, top, left + bw, top + bh};
  const TRect covered = Intersect(area, picture);
  if (!(covered == area)) {
    Canvas().SetBrush(kClBlack, TBrushStyle::Solid);
    Canvas().FillRect(area);
  }
  if (covered.IsEmpty()) return;
  const TRect source{covered.Left - left, covered.Top - top, covered.Right - left, covered.Bottom - top};
  Canvas().CopyRect(covered, *FBackgroundBitmap, source);
}

void TRowPainter::PaintCaret(const TRowPaint& rp) {
  const TViewInfo* caret = Style().GetViewInfo(kElemCaret);
  if (!caret || !caret->IsVisible() || FState.Printing || FState.Composing || !rp.CaretRow) return;
  const TRect r = FHost.GetCaretRect(Sel().Caret);
  const int pen = std::max(RoundPixels(FState.Zoom), 1);
  const TColor color = FHost.SystemColorValue(caret->GetLineColor());
  const std::string text = rp.Cache ? rp.Cache->DisplayText : std::string();
  const bool overChar = FState.Overwrite && Sel().Caret.Column <= static_cast<int>(text.size());
  TRect box = r;
  if (Style().GetBigCaret()) {
    box = {r.Left + pen / 2, r.Top + pen / 2, r.Right - pen / 2, r.Bottom - pen / 2};
  }
  Canvas().SetPen(color, TPenStyle::Solid, pen);
  Canvas().SetBrush(overChar ? kClNone : color, overChar ? TBrushStyle::Clear : TBrushStyle::Solid);
  const TRect saved = Canvas().ClipRect();
  Canvas().SetClipRect(Intersect(saved, rp.Clip));
  Canvas().Rectangle(box);
  Canvas().SetClipRect(saved);
}

}  // namespace vorna
