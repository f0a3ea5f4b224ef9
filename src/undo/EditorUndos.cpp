// Recording caret jumps, edits and reformattings, and merging keystrokes.
#include "undo/EditorUndos.h"

#include "text/TextLines.h"

namespace vorna {

namespace {

// Deletions and typing merge; a box or a replaced selection stands alone.
bool Mergeable(const TTaskEdit& last, const TEditRecord& next) {
  if (next.Kind == ekReplace || last.FKind != next.Kind) return false;
  if (next.DeleteBox || next.InsertBox || last.FDeleteBox || last.FInsertBox || next.OldSelecting)
    return false;
  switch (next.Kind) {
    case ekDeleteForward:
      return next.InsertedText.empty() && last.FInsertedText.empty() && next.RangeStart == last.FInsertStart;
    case ekDeleteBackward:
      return next.InsertedText.empty() && last.FInsertedText.empty() && next.RangeEnd == last.FInsertStart;
    case ekTyping:
      return next.RangeStart == last.FInsertEnd;
    default:
      return false;
  }
}

}  // namespace

std::string InsertableText(std::string_view text) {
  text = TextBeforeNul(text);
  if (!HasLineBreak(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  bool first = true;
  for (const std::string_view piece : SplitAtLineBreaks(text)) {
    if (!first) out += "\r\n";
    out += piece;
    first = false;
  }
  return out;
}

void TEditorUndo::AddJump(const TCaretPlace& before, const TCaretPlace& after) {
  if (Locked()) return;
  bool merged = false;
  if (const int last = MergeTarget(); last >= 0 && !FTasks.IsPacked(last)) {
    FTasks.With(last, this, [&](TTask& task) {
      auto* jump = dynamic_cast<TTaskJump*>(&task);
      if (!jump || jump->FNewSelecting != after.Selecting) return;
      jump->FNewScroll = after.Scroll;
      jump->FNewCaret = after.Caret;
      jump->FNewSelecting = after.Selecting;
      jump->FNewBoxSelect = after.BoxSelect;
      jump->FNewSelStart = after.SelStart;
      jump->FNewSelEnd = after.SelEnd;
      merged = true;
    });
  }
  if (merged) return;
  auto task = std::make_unique<TTaskJump>();
  task->FOldScroll = before.Scroll;
  task->FNewScroll = after.Scroll;
  task->FOldCaret = before.Caret;
  task->FNewCaret = after.Caret;
  task->FOldSelecting = before.Selecting;
  task->FOldBoxSelect = before.BoxSelect;
  task->FOldSelStart = before.SelStart;
  task->FOldSelEnd = before.SelEnd;
  task->FNewSelecting = after.Selecting;
  task->FNewBoxSelect = after.BoxSelect;
  task->FNewSelStart = after.SelStart;
  task->FNewSelEnd = after.SelEnd;
  Add(std::move(task));
}

void TEditorUndo::AddEdit(TEditRecord record) {
  if (Locked()) return;
  record.InsertedText = InsertableText(record.InsertedText);
  bool merged = false;
  if (const int index = record.Kind == ekReplace ? -1 : MergeTarget(); index >= 0) {
    FTasks.With(index, this, [&](TTask& task) {
      auto* last = dynamic_cast<TTaskEdit*>(&task);
      if (!last || !Mergeable(*last, record)) return;
      switch (record.Kind) {
        case ekDeleteForward:
          last->FDeletedText += record.DeletedText;
          last->FInsertStart = record.InsertStart;
          last->FInsertEnd = record.InsertEnd;
          break;
        case ekDeleteBackward:
          last->FDeletedText.insert(0, record.DeletedText);
          last->FRangeStart = record.RangeStart;
          last->FInsertStart = record.InsertStart;
          last->FInsertEnd = record.InsertEnd;
          break;
        default:  // typing
          last->FInsertedText += record.InsertedText;
          last->FDeletedText += record.DeletedText;  // what overwrite mode replaced
          last->FInsertEnd = record.InsertEnd;
          // Later keystrokes may have re-wrapped the row the run began on.
          if (FOwner) last->FInsertStart = FOwner->DisplayPosOf(last->FInsertStartDoc);
          break;
      }
      last->FNewScroll = record.NewScroll;
      last->FNewCaret = record.NewCaret;
      merged = true;
    });
  }
  if (merged) return;
  auto task = std::make_unique<TTaskEdit>();
  task->FRangeStart = record.RangeStart;
  task->FRangeEnd = record.RangeEnd;
  task->FInsertStart = record.InsertStart;
  task->FInsertEnd = record.InsertEnd;
  task->FDeleteBox = record.DeleteBox;
  task->FInsertBox = record.InsertBox;
  task->FDeletedText = std::move(record.DeletedText);
  task->FInsertedText = std::move(record.InsertedText);
  task->FKind = record.Kind;
  task->FOldScroll = record.OldScroll;
  task->FNewScroll = record.NewScroll;
  task->FOldCaret = record.OldCaret;
  task->FNewCaret = record.NewCaret;
  task->FOldSelecting = record.OldSelecting;
  task->FNewSelecting = record.NewSelecting;
  task->FBoxPieces = std::move(record.BoxPieces);
  task->FInsertAt = record.InsertAt;
  if (FOwner) task->FInsertStartDoc = FOwner->DocPosOf(task->FInsertStart);
  AddEditTask(std::move(task));
}

void TEditorUndo::AddRestore(TRestoreRecord record) {
  if (Locked()) return;
  auto task = std::make_unique<TTaskRestore>();
  task->FStart = record.Start;
  task->FEnd = record.End;
  task->FSplits = std::move(record.Splits);
  task->FIndents = std::move(record.Indents);
  task->FWidth = record.Width;
  task->FOldScroll = record.OldScroll;
  task->FNewScroll = record.NewScroll;
  task->FCaret = record.Caret;
  Add(std::move(task));
}

}  // namespace vorna
