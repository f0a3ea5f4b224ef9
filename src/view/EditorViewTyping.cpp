// The editing commands as the view's operations: each goes to the view's
// TTextEditing, which edits through the view's ReplaceText.
#include "view/EditorViews.h"

namespace vorna {

bool TEditorView::TypeText(std::string_view text, bool typed, bool box) {
  return FTextEdits.TypeText(text, typed, box);
}
bool TEditorView::DeleteForward(TTextUnit unit) { return FTextEdits.DeleteForward(unit); }
bool TEditorView::DeleteBackward(TTextUnit unit) { return FTextEdits.DeleteBackward(unit); }
bool TEditorView::CopyUnit(TTextUnit unit) { return FTextEdits.CopyUnit(unit); }
bool TEditorView::CutUnit(TTextUnit unit) { return FTextEdits.CutUnit(unit); }
bool TEditorView::Paste(const std::string& prefix, const std::string& before, const std::string& after) {
  return FTextEdits.Paste(prefix, before, after);
}
bool TEditorView::ReflowSelection(int width) {
  return FTextEdits.ReflowSelection(width == 0 ? FMetrics.CharsPerRow : width);
}
bool TEditorView::JoinSelection() { return FTextEdits.JoinSelection(); }
bool TEditorView::ConvertSelection(int command) { return FTextEdits.ConvertSelection(command); }
std::string TEditorView::GetTextMessage(int bufferBytes) const { return FTextEdits.TextMessage(bufferBytes); }

}  // namespace vorna
