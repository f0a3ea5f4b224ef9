// Painting steps still being written: ruby, emphasis and annotation marks (removed when they land).
#include "view/EditorViews.h"

namespace vorna {
void TEditorView::PaintRuby(const TRowPaint&) {}
void TEditorView::PaintEmphasis(const TRowPaint&) {}
void TEditorView::PaintFootNoteMarks(const TRowPaint&) {}
void TEditorView::BuildFootNoteMarks(TRowPaintInfo&, int) const {}
}  // namespace vorna
