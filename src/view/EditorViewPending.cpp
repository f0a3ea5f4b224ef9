// Painting steps still being written (removed when they land).
#include "view/EditorViews.h"

namespace vorna {
void TEditorView::PaintLineInfo(const TRowPaint&) {}
void TEditorView::PaintRuby(const TRowPaint&) {}
void TEditorView::PaintEmphasis(const TRowPaint&) {}
void TEditorView::PaintFootNoteMarks(const TRowPaint&) {}
void TEditorView::PaintGapLine(const TRowPaint&) {}
void TEditorView::PaintTailLines(const TRowPaint&) {}
void TEditorView::PaintDivideLines(const TRowPaint&) {}
void TEditorView::PaintEndMark(const TRowPaint&, bool, bool) {}
void TEditorView::PaintTabMarks(const TRowPaint&, int, int) {}
void TEditorView::PaintSpaceMarks(const TRowPaint&, int, int, int) {}
void TEditorView::BuildFootNoteMarks(TRowPaintInfo&, int) const {}
}  // namespace vorna
