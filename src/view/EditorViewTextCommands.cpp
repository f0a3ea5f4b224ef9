// Finding text from the caret, the marked rows, and the pop-up dictionary's
// lookup program.
#include <algorithm>

#include "platform/Shell.h"
#include "settings/StyleElements.h"
#include "text/CharClasses.h"
#include "text/TextConversions.h"
#include "view/EditorViews.h"
#include "view/LinkOpeners.h"

namespace vorna {

bool TEditorView::Find(const std::string& text, bool backward, bool fromEdge) {
  if (!FList) return false;
  std::string pattern = text;
  if (pattern.empty()) pattern = FSel.Selecting && !FSel.Box ? GetSelText() : WordAtCaret();
  if (pattern.empty() || pattern.find("\r\n") != std::string::npos) return false;
  SetSearchText(pattern, FFind.Options());
  ClearSelection();
  if (ElementVisible(kElemFind) && Host().HasWindow()) Host().Update();
  TDisplayPos from = FSel.Caret;
  if (fromEdge) {
    const int last = std::max(FList->RowCount() - 1, 0);
    from = backward ? TDisplayPos{FList->RowCellCount(last) + 1, last} : TDisplayPos{1, 0};
  }
  TDisplayPos found;
  FList->FindText(pattern, from, found, 1, !backward);
  if (found.Row < 0) return false;
  TTextPos end = DocPosOf(found);
  end.X += static_cast<int>(pattern.size());
  FJumping = true;
  SelectFromTo(found, DisplayPosOf(end), false);
  FJumping = false;
  return true;
}

bool TEditorView::FindNext() {
  if (FFind.Search()) return FindWithSearch(true).Found;
  return !FFind.Text().empty() && Find(FFind.Text(), false, false);
}

bool TEditorView::FindPrevious() {
  if (FFind.Search()) return FindWithSearch(false).Found;
  if (FFind.Text().empty()) return false;
  if (FSel.Selecting) {
    // From before the match the caret stands after.
    TTextPos at = DocPosOf(FSel.Caret);
    at.X = std::max(at.X - static_cast<int>(FFind.Text().size()), 1);
    ClearSelection();
    SetCaretPos(DisplayPosOf(at), cmAbsolute, true);
  }
  return Find(FFind.Text(), true, false);
}

void TEditorView::ClearFind() { SetSearchText({}, FFind.Options()); }

std::string TEditorView::WordAtCaret() const {
  const TTextPos at = DocPosOf(FSel.Caret);
  const std::string_view line = FList->Get(at.Y);
  return WordAt(line, std::min(at.X, std::max(static_cast<int>(line.size()), 1)), wmSameClass);
}

// --- marks --------------------------------------------------------------------------

int TEditorView::MarkIndexOfRow(int row) const {
  const TRowInfo r = FList->GetRow(row);
  return r.Line < 0 ? -1 : FMarks.IndexOfLine(r.Line);
}

void TEditorView::MarksChanged(int row) {
  if (TEditListInfo* slot = FInfos->CurrentItem()) slot->SetMarks(FMarks.Items());
  if (row < 0) {
    Invalidate();
  } else {
    const TRowInfo r = FList->GetRow(row);
    InvalidateRows(FList->FirstRowOfLine(r.Line), row);
  }
}

void TEditorView::ToggleMark() {
  if (!FList) return;
  if (MarkIndexOfRow(FSel.Caret.Row) >= 0) {
    RemoveMark();
    return;
  }
  if (FMarks.Add(DocPosOf(FSel.Caret))) MarksChanged(FSel.Caret.Row);
}

void TEditorView::RemoveMark() {
  const int index = FList ? MarkIndexOfRow(FSel.Caret.Row) : -1;
  if (index < 0) return;
  FMarks.RemoveLine(FMarks.Items()[static_cast<size_t>(index)].Y);
  MarksChanged(FSel.Caret.Row);
}

void TEditorView::ClearMarks() {
  if (FMarks.Clear()) MarksChanged(-1);
}

// --- the lookup program -------------------------------------------------------------

void TEditorView::LaunchLookup(const std::string& word, TPoint at) {
  if (!FLookupEnabled || FLookupHelperPath.empty() || word.empty() || !Services().Shell) return;
  const std::string parameters = "/c /x" + std::to_string(at.X + 16) + " /y" + std::to_string(at.Y + 16) +
                                 " /d0 \"" + ConvertText(word, 1) + "\"";
  OpenDocument(*Services().Shell, FLookupHelperPath, parameters);
  FLookupLaunched = true;
}

void TEditorView::CloseLookup() {
  if (!FLookupLaunched || !Services().Shell) return;
  OpenDocument(*Services().Shell, FLookupHelperPath, "/q");
  FLookupLaunched = false;
}

}  // namespace vorna
