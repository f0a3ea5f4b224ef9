// The editor stand-in: its edit primitive over the document's range
// operations, its caret and selection, and the commands built on them.
#include "EditorDoubles.h"

#include <algorithm>

#include "NullServices.h"
#include "document/EditResults.h"
#include "document/EditSteps.h"
#include "text/ShiftJis.h"

namespace vorna::testing {

void LayOutAt(TEditList& list, int capacityCells) {
  TWrapInputs inputs = list.WrapInputs();
  inputs.CapacityCells = capacityCells;
  list.SetWrapInputs(inputs);
  list.Relayout();
}

bool SameRowsAsFreshLayout(const TEditList& list) {
  static TNoFiles files;
  static TNoMessages messages;
  static TEditList fresh(files, messages);
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) lines.emplace_back(list.Get(i));
  fresh.ApplyLayoutSettings(list.Layout());
  fresh.Assign(lines);
  fresh.SetWrapInputs(list.WrapInputs());
  fresh.Relayout();
  if (fresh.RowCount() != list.RowCount()) return false;
  for (int row = 0; row < list.RowCount(); ++row)
    if (!(fresh.GetRow(row) == list.GetRow(row))) return false;
  return true;
}

TTextMeasurer* MeasurerOf(const TEditList& list) { return list.WrapInputs().Measurer; }

TEditorDouble::TEditorDouble(TEditList& list, TEditorUndo& undo) : FList(list), FUndo(undo) {
  FUndo.SetOwner(this);
}

TEditorDouble::~TEditorDouble() {
  if (FUndo.GetOwner() == this) FUndo.SetOwner(nullptr);
}

void TEditorDouble::BeginPaintLock() { ++FPaintLocks; }

void TEditorDouble::EndPaintLock(bool repaint) {
  if (FPaintLocks > 0) --FPaintLocks;
  if (FPaintLocks == 0 && repaint) ++FRepaints;
}

TCaretPlace TEditorDouble::Place() const {
  return {FOffset, FCaret, FSelecting, FBoxSelect, FSelAnchor, FSelEnd};
}

TDisplayPos TEditorDouble::Clamp(TDisplayPos pos) const {
  pos.Row = std::clamp(pos.Row, 0, std::max(FList.RowCount() - 1, 0));
  pos.Column = std::clamp(pos.Column, 1, FList.RowCaretLimit(pos.Row));
  if (pos.Column > 1 && FList.IsTrailCell(pos)) --pos.Column;
  return pos;
}

void TEditorDouble::PlaceCaret(TDisplayPos pos) {
  FCaret = Clamp(pos);
  FSelEnd = FCaret;
  if (!FSelecting) FSelAnchor = FCaret;
}

void TEditorDouble::SetCaretPos(TDisplayPos pos) {
  const TCaretPlace before = Place();
  FSelecting = false;
  FBoxSelect = false;
  PlaceCaret(pos);
  const TCaretPlace after = Place();
  if (FEditing == 0 && (before.Caret != after.Caret || before.Selecting)) FUndo.AddJump(before, after);
}

void TEditorDouble::ExtendTo(TDisplayPos pos, bool box) {
  const TCaretPlace before = Place();
  if (!FSelecting) {
    FSelecting = true;
    FBoxSelect = box;
    FSelAnchor = FCaret;
  }
  PlaceCaret(pos);
  if (before.Caret != FCaret || !before.Selecting) FUndo.AddJump(before, Place());
}

void TEditorDouble::ClearSelection() {
  FSelecting = false;
  FBoxSelect = false;
  FSelAnchor = FSelEnd = FCaret;
}

void TEditorDouble::SelectRange(TDisplayPos start, TDisplayPos end, bool box) {
  FSelecting = false;
  PlaceCaret(start);
  FSelecting = !(Clamp(start) == Clamp(end));
  FBoxSelect = FSelecting && box;
  PlaceCaret(end);
}

TTextPos TEditorDouble::DocPosOf(TDisplayPos pos) const {
  TTextPos doc = FList.DisplayToDoc(pos);
  doc.Y = std::clamp(doc.Y, 0, FList.Count() - 1);
  return doc;
}

TDisplayPos TEditorDouble::DisplayPosOf(TTextPos pos) const {
  pos.Y = std::clamp(pos.Y, 0, FList.Count() - 1);
  return FList.DocToDisplay(pos);
}

TReplaceResult TEditorDouble::ReplaceText(const TReplaceRequest& q) {
  TEditRecord record;
  record.OldSelecting = FSelecting;
  record.OldScroll = FOffset;
  record.OldCaret = q.OldCaret;
  // One undo group: the caret moves made here are not jumps.
  FUndo.Lock();
  ++FEditing;
  if (!(q.RangeStart == q.RangeEnd)) ClearSelection();
  const TReplaceResult out = ReplaceInDocument(FList, q, FCaret, record);
  // Placing the caret without extending drops any selection left.
  ClearSelection();
  PlaceCaret(q.CaretTarget.Column >= 1 ? q.CaretTarget : out.InsertEnd);
  if (q.SelectInserted && !(out.InsertStart == out.InsertEnd))
    SelectRange(out.InsertStart, out.InsertEnd, q.InsertBox);
  if (q.StepBackAfter) PlaceCaret({FCaret.Column - 1, FCaret.Row});
  --FEditing;
  FUndo.Unlock();
  ++FRepaints;
  record.NewSelecting = FSelecting;
  record.NewScroll = FOffset;
  record.NewCaret = FCaret;
  FUndo.AddEdit(std::move(record));
  return out;
}

TDisplayPos TEditorDouble::FormatText(TDisplayPos start, TDisplayPos end, int indentBytes,
                                      const std::vector<int>* splits, int widthCells) {
  TRestoreRecord record;
  record.OldScroll = FOffset;
  FUndo.Lock();
  ++FEditing;
  ClearSelection();
  ReformatInDocument(FList, start, end, indentBytes, splits, widthCells, record);
  PlaceCaret(record.Caret);
  --FEditing;
  FUndo.Unlock();
  ++FRepaints;
  record.NewScroll = FOffset;
  const TDisplayPos caret = record.Caret;
  FUndo.AddRestore(std::move(record));
  return caret;
}

// --- commands ------------------------------------------------------------------

void TEditorDouble::SelectionRange(TDisplayPos& start, TDisplayPos& end) const {
  start = FSelAnchor;
  end = FSelEnd;
  if (Before(end, start)) std::swap(start, end);
}

void TEditorDouble::DeleteSelectionAs(TEditKind kind) {
  if (FSelAnchor == FSelEnd) return ClearSelection();  // an empty selection deletes nothing
  TReplaceRequest q;
  q.RangeStart = FSelAnchor;
  q.RangeEnd = FSelEnd;
  q.Kind = kind;
  q.DeleteBox = FBoxSelect;
  q.OldCaret = FCaret;
  q.InsertAt = FCaret;
  ReplaceText(q);
}

void TEditorDouble::DeleteSelection() {
  if (FSelecting) DeleteSelectionAs(ekDeleteForward);
}

TTextPos TEditorDouble::Previous(TTextPos pos) const {
  if (pos.X > 1) return {std::max(PrevCharPos(FList.Get(pos.Y), pos.X), 1), pos.Y};
  if (pos.Y > 0) return {static_cast<int>(FList.Get(pos.Y - 1).size()) + 1, pos.Y - 1};
  return pos;
}

TTextPos TEditorDouble::Next(TTextPos pos) const {
  const std::string_view line = FList.Get(pos.Y);
  if (pos.X <= static_cast<int>(line.size())) return {pos.X + std::max(CharLengthAt(line, pos.X), 1), pos.Y};
  if (pos.Y + 1 < FList.Count()) return {1, pos.Y + 1};
  return pos;
}

void TEditorDouble::Type(std::string_view text) {
  DeleteSelection();
  TReplaceRequest q;
  q.RangeStart = q.RangeEnd = q.InsertAt = q.OldCaret = FCaret;
  q.Kind = ekTyping;
  std::string padded(text);
  if (FOverwrite && !FList.IsAtLineEnd(FCaret) && text != "\r\n") {
    const TTextPos at = DocPosOf(FCaret);
    const std::string_view line = FList.Get(at.Y);
    int end = std::min(at.X + static_cast<int>(text.size()), static_cast<int>(line.size()) + 1);
    if (end <= static_cast<int>(line.size()) && ByteTypeAt(line, end) == TByteType::Trail) {
      padded += ' ';  // no half character is left behind
      ++end;
    }
    q.RangeEnd = DisplayPosOf({end, at.Y});
  }
  q.Text = padded;
  ReplaceText(q);
}

void TEditorDouble::Enter() {
  DeleteSelection();
  TReplaceRequest q;
  q.RangeStart = q.RangeEnd = q.InsertAt = q.OldCaret = FCaret;
  q.Text = "\r\n";
  ReplaceText(q);
}

void TEditorDouble::Backspace() {
  if (FSelecting) return DeleteSelectionAs(ekDeleteBackward);
  const TTextPos at = DocPosOf(FCaret);
  const TTextPos from = Previous(at);
  if (from == at) return;
  TReplaceRequest q;
  q.RangeStart = DisplayPosOf(from);
  q.RangeEnd = q.OldCaret = q.InsertAt = FCaret;
  q.Kind = ekDeleteBackward;
  ReplaceText(q);
}

void TEditorDouble::DeleteForward() {
  if (FSelecting) return DeleteSelectionAs(ekDeleteForward);
  const TTextPos at = DocPosOf(FCaret);
  const TTextPos to = Next(at);
  if (to == at) return;
  TReplaceRequest q;
  q.RangeStart = q.OldCaret = q.InsertAt = FCaret;
  q.RangeEnd = DisplayPosOf(to);
  q.Kind = ekDeleteForward;
  ReplaceText(q);
}

void TEditorDouble::Paste(std::string_view text, bool box) {
  DeleteSelection();
  TReplaceRequest q;
  q.RangeStart = q.RangeEnd = q.InsertAt = q.OldCaret = FCaret;
  q.InsertBox = box;
  q.Text = text;
  ReplaceText(q);
}

void TEditorDouble::Reflow(int widthCells) {
  TDisplayPos start, end;
  SelectionRange(start, end);
  if (!FSelecting) end = DisplayPosOf({1, DocPosOf(FCaret).Y + 1});
  FormatText(start, end, 0, nullptr, std::max(widthCells, 1));
}

void TEditorDouble::Join() {
  TDisplayPos start, end;
  SelectionRange(start, end);
  if (!FSelecting) end = DisplayPosOf({1, DocPosOf(FCaret).Y + 1});
  FormatText(start, end, 0, nullptr, 0);
}

}  // namespace vorna::testing
