// The view's painting state: what the row painter reads of a pass, the
// page's text handed to it, and the settings that repaint when they change.
#include "print/LpPrinters.h"
#include "print/PageMetrics.h"
#include "view/EditorViews.h"

namespace vorna {

void TEditorView::DrawText(int page, const TRect& textRect, const TRect& clip) {
  if (!FList || !FCanvas) return;
  FPainter.Draw(page, textRect, clip);
}

TPaintState TEditorView::PaintState() const {
  TPaintState state;
  state.Printing = FPrinting;
  state.Preview = FPreview;
  state.PrinterPass = FPrinterPass;
  state.Paper = PaperMode();
  state.Enabled = FEnabled;
  state.Composing = FComposing;
  state.Overwrite = FTextEdits.Overwrite();
  state.Zoom = FZoom;
  state.Ppi = FPrinting || FPrinterPass ? Metrics().DeviceDpi : Metrics().ScreenDpi;
  state.Offset = FOffset;
  state.PageSize = FPageSize;
  state.ClientRect = Host().ClientRect();
  state.Fonts = Services().Fonts;
  state.Printer = &Printer();
  return state;
}

void TEditorView::SetSearchText(const std::string& text, int options) {
  if (!FFind.Set(text, options)) return;
  InvalidateRowCache();
  Invalidate();
}

void TEditorView::SetBackgroundBitmap(const TBitmap* bitmap) {
  if (FPainter.SetBackgroundBitmap(bitmap)) Invalidate();
}

void TEditorView::SetIgnoreBackground(bool ignore) {
  if (FPainter.SetIgnoreBackground(ignore)) Invalidate();
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

}  // namespace vorna
