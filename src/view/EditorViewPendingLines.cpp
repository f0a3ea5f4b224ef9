// Painting steps still being written: line numbers and ruled lines (removed when they land).
#include "view/EditorViews.h"

namespace vorna {
void TEditorView::PaintLineInfo(const TRowPaint&) {}
void TEditorView::PaintGapLine(const TRowPaint&) {}
void TEditorView::PaintTailLines(const TRowPaint&) {}
void TEditorView::PaintDivideLines(const TRowPaint&) {}
}  // namespace vorna
