// The editor view's editing primitives, through which every edit and every
// undo and redo goes: ReplaceText over the document's range operations with
// one recorded edit, FormatText with one recorded restore, caret placement,
// selection, and the position mapping.
#include <algorithm>

#include "document/EditSteps.h"
#include "settings/StyleElements.h"
#include "undo/EditorUndos.h"
#include "view/EditorViews.h"

namespace vorna {
// Never on a trail byte; inside the document and the row's caret limit.
TCaretPlace TEditorView::CaretPlace() const {
  return {FOffset, FSel.Caret, FSel.Selecting, FSel.Box, FSel.Anchor, FSel.End};
}

void TEditorView::PlaceCaret(TDisplayPos pos) { FSel.Place(*FList, pos); }

void TEditorView::SetOffset(TPoint offset) { TBaseView::SetOffset(offset); }

void TEditorView::ClearSelection() {
  const bool had = FSel.Selecting;
  FSel.Clear();
  if (had) Invalidate();
}

void TEditorView::SelectRange(TDisplayPos start, TDisplayPos end, bool box) {
  FSel.Select(*FList, start, end, box);
  Invalidate();
}

TTextPos TEditorView::DocPosOf(TDisplayPos pos) const {
  TTextPos doc = FList->DisplayToDoc(pos);
  doc.Y = std::clamp(doc.Y, 0, FList->Count() - 1);
  return doc;
}

TDisplayPos TEditorView::DisplayPosOf(TTextPos pos) const {
  pos.Y = std::clamp(pos.Y, 0, FList->Count() - 1);
  const TDisplayPos display = FList->DocToDisplay(pos);
  return display.Row < 0 ? TDisplayPos{1, 0} : display;
}

TReplaceResult TEditorView::ReplaceText(const TReplaceRequest& q) {
  Fire(OnEditing);
  FRowCountBeforeEdit = FList->RowCount();
  TEditRecord record;
  record.OldSelecting = FSel.Selecting;
  record.OldScroll = FOffset;
  record.OldCaret = q.OldCaret;
  // The line is wrapped again from its start, but rows before the edit point
  // rarely change: keep their records to see which ones did.
  TDisplayPos first = q.RangeEnd.Row < q.RangeStart.Row ? q.RangeEnd : q.RangeStart;
  if (q.UseInsertAt && q.InsertAt.Row < first.Row) first = q.InsertAt;
  const int editRow = std::clamp(first.Row, 0, std::max(FList->RowCount() - 1, 0));
  const int lineFirstRow = FList->FirstRowOfLine(DocPosOf({1, editRow}).Y);
  std::vector<TRowInfo> rowsUpToEdit;
  for (int r = lineFirstRow; r <= editRow; ++r) rowsUpToEdit.push_back(FList->GetRow(r));
  const TPoint offsetBefore = FOffset;
  const int lineInfoBefore = FMetrics.LineInfoWidth, charsBefore = FMetrics.CharsPerRow;
  const int rowsBefore = FList->RowCount();
  const int linesBefore = FList->Count();
  const bool selectedBefore = FSel.Selecting;
  const int caretRowBefore = FSel.Caret.Row;
  // One undo group: the caret moves made here are not jumps.
  if (FUndo) FUndo->Lock();
  ++FEditing;
  BeginPaintLock();
  if (!(q.RangeStart == q.RangeEnd)) ClearSelection();
  // Where the range begins and the text goes, as bytes: the edit leaves them
  // in place, and a new layout of the rows finds them again.
  const TTextPos rangeStartDoc = DocPosOf(Before(q.RangeEnd, q.RangeStart) ? q.RangeEnd : q.RangeStart);
  const TTextPos insertAtDoc = DocPosOf(q.InsertAt);
  TReplaceResult out = ReplaceInDocument(*FList, q, FSel.Caret, record);
  InvalidateRowCache();
  ClearSelection();
  PlaceCaret(q.CaretTarget.Column >= 1 ? q.CaretTarget : out.InsertEnd);
  if (q.SelectInserted && !(out.InsertStart == out.InsertEnd))
    SelectRange(out.InsertStart, out.InsertEnd, q.InsertBox);
  if (q.StepBackAfter) PlaceCaret({FSel.Caret.Column - 1, FSel.Caret.Row});
  --FEditing;
  if (FUndo) FUndo->Unlock();
  // The rows moved: the page count and the extent follow, then one repaint:
  // of the rows from the edited line on when nothing else can have moved.
  // A resize that lays the rows out anew (more line-number digits, fewer
  // cells a row) moves the positions the edit reported: they are found
  // again from the bytes.
  const int layoutsBefore = FLayoutCount;
  const TTextPos insertStartDoc = DocPosOf(out.InsertStart), insertEndDoc = DocPosOf(out.InsertEnd);
  Resize();
  if (FLayoutCount != layoutsBefore && !q.InsertBox) {
    out.InsertStart = DisplayPosOf(insertStartDoc);
    out.InsertEnd = DisplayPosOf(insertEndDoc);
    record.InsertStart = out.InsertStart;
    record.InsertEnd = out.InsertEnd;
  }
  if (FLayoutCount != layoutsBefore && !q.DeleteBox) {
    // A redo meets the rows of this layout; an undo re-finds the range end.
    const bool empty = record.RangeStart == record.RangeEnd;
    record.RangeStart = DisplayPosOf(rangeStartDoc);
    if (empty) record.RangeEnd = record.RangeStart;
    record.InsertAt = DisplayPosOf(insertAtDoc);
  }
  const bool local = !selectedBefore && !FSel.Selecting && !q.InsertBox && !q.DeleteBox &&
                     FOffset == offsetBefore && FMetrics.LineInfoWidth == lineInfoBefore &&
                     FMetrics.CharsPerRow == charsBefore && (!PaperMode() || FList->RowCount() == rowsBefore);
  EndPaintLock(!local);
  if (local) {
    int changed = editRow;
    for (size_t i = 0; i < rowsUpToEdit.size(); ++i)
      if (!(FList->GetRow(lineFirstRow + static_cast<int>(i)) == rowsUpToEdit[i])) {
        changed = lineFirstRow + static_cast<int>(i);
        break;
      }
    // The scene rules of a heading reach into the row before it.
    const bool scenes = ElementVisible(kElemGapLine) && EditorStyle()->GetGapLineStyle() == kGapLineScenes;
    // With as many rows and lines as before, and no scene numbers to count
    // on, the rows after the caret's line are the ones they were.
    int last = -1;
    const bool numbered =
        ElementVisible(kElemLineInfo) && EditorStyle()->GetLineInfoStyle() == kLineInfoScenes;
    if (FList->RowCount() == rowsBefore && FList->Count() == linesBefore && !numbered) {
      const int line = DocPosOf({1, FSel.Caret.Row}).Y;
      const int next = line + 1 < FList->Count() ? FList->FirstRowOfLine(line + 1) : FList->RowCount();
      last = std::max({next - 1, FSel.Caret.Row, caretRowBefore});
    }
    InvalidateRowsFrom(std::min(changed, caretRowBefore) - (scenes ? 1 : 0), last);
  }
  record.NewSelecting = FSel.Selecting;
  record.NewScroll = FOffset;
  record.NewCaret = FSel.Caret;
  if (FUndo) FUndo->AddEdit(std::move(record));
  FLastEditPos = FSel.Caret;
  // Inside an undo step or a caller's bracket the caller places the view.
  if (PaintLockCount() == 0) ScrollToCaret(csMinimal);
  UpdateImePoint();
  Fire(OnEdited);
  Fire(OnCaretMoved);
  return out;
}

void TEditorView::InvalidateRowsFrom(int row, int last) {
  if (PaintLockCount() > 0) {
    Invalidate();  // the outer bracket repaints everything anyway
    return;
  }
  if (last >= row) {
    InvalidateRows(row, last);
    return;
  }
  // To the end of the row's page on paper, else to the last row the window shows.
  const TRowPlace place = GetRowPlace(row);
  last = place.PageFirstRow + RowsPerPage() - 1;
  if (!PaperMode() && Partitions() == 1) {
    const TRect client = Host().ClientRect();
    last = row + (Vertical() ? client.Width() : client.Height()) / FMetrics.LinePitch + 2;
  }
  InvalidateRows(row, last);
}

TDisplayPos TEditorView::FormatText(TDisplayPos start, TDisplayPos end, int indentBytes,
                                    const std::vector<int>* splits, int widthCells) {
  TRestoreRecord record;
  record.OldScroll = FOffset;
  if (FUndo) FUndo->Lock();
  ++FEditing;
  BeginPaintLock();
  ClearSelection();
  ReformatInDocument(*FList, start, end, indentBytes, splits, widthCells, record);
  InvalidateRowCache();
  PlaceCaret(record.Caret);
  --FEditing;
  if (FUndo) FUndo->Unlock();
  Resize();
  EndPaintLock(true);
  record.NewScroll = FOffset;
  const TDisplayPos caret = record.Caret;
  if (FUndo) FUndo->AddRestore(std::move(record));
  return caret;
}

}  // namespace vorna
