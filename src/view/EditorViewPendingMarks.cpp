// Painting steps still being written: marks beside and after the text (removed when they land).
#include "view/EditorViews.h"

namespace vorna {
void TEditorView::PaintRuby(const TRowPaint&) {}
void TEditorView::PaintEmphasis(const TRowPaint&) {}
void TEditorView::PaintFootNoteMarks(const TRowPaint&) {}
void TEditorView::PaintEndMark(const TRowPaint&, bool, bool) {}
void TEditorView::PaintTabMarks(const TRowPaint&, int, int) {}
void TEditorView::PaintSpaceMarks(const TRowPaint&, int, int, int) {}
void TEditorView::BuildFootNoteMarks(TRowPaintInfo&, int) const {}
}  // namespace vorna
