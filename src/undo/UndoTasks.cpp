// What each task does when it is undone and redone, and how it describes
// itself.
#include <algorithm>
#include <string_view>

#include "text/Cp932.h"
#include "text/TextUtils.h"
#include "undo/Undos.h"

namespace vorna {

namespace {

// Painting stays suspended while a task runs and repaints once at the end.
class TPaintLock {
 public:
  explicit TPaintLock(TUndoOwner& owner) : FOwner(owner) { FOwner.BeginPaintLock(); }
  ~TPaintLock() { FOwner.EndPaintLock(true); }
  TPaintLock(const TPaintLock&) = delete;
  TPaintLock& operator=(const TPaintLock&) = delete;

 private:
  TUndoOwner& FOwner;
};

// At most 20 bytes, never half a character, line breaks shown as "\n".
// Texts are built by appending: GCC 12 warns falsely (-Wrestrict) on
// "literal" + string in Release builds.
void AppendQuoted(std::string& out, std::string_view s) {
  out += '"';
  out += EscapeLineBreaks(Abbreviate(s, 20, false));
  out += '"';
}

const std::string& Arrow(bool redo) { return Cp932Lit(redo ? "→" : "←"); }

void AppendRowColumn(std::string& out, TDisplayPos pos) {
  out += '[';
  out += std::to_string(static_cast<long long>(pos.Row) + 1);
  out += ':';
  out += std::to_string(pos.Column);
  out += ']';
}

}  // namespace

// --- caret jump --------------------------------------------------------------

std::string TTaskJump::Text(bool redo) const {
  std::string text = Cp932Lit("カーソル移動 ");
  AppendRowColumn(text, FOldCaret);
  text += ' ';
  text += Arrow(redo);
  text += ' ';
  AppendRowColumn(text, FNewCaret);
  return text;
}

std::string TTaskJump::GetUndoText() const { return Text(false); }
std::string TTaskJump::GetRedoText() const { return Text(true); }

void TTaskJump::Undo() {
  TUndoOwner* owner = Owner();
  if (!owner) return;
  TPaintLock lock(*owner);
  owner->ClearSelection();
  owner->SetOffset(FOldScroll);
  owner->SetCaretPos(FOldCaret);
  if (FOldSelecting) owner->SelectRange(FOldSelStart, FOldSelEnd, FOldBoxSelect);
}

void TTaskJump::Redo() {
  TUndoOwner* owner = Owner();
  if (!owner) return;
  TPaintLock lock(*owner);
  owner->ClearSelection();
  owner->SetOffset(FNewScroll);
  owner->SetCaretPos(FNewCaret);
  if (FNewSelecting) owner->SelectRange(FNewSelStart, FNewSelEnd, FNewBoxSelect);
}

// --- text edit ---------------------------------------------------------------

std::string TTaskEdit::Text(bool redo) const {
  std::string text;
  if (FDeletedText.empty()) {
    text = Cp932Lit("【文字挿入】");
    AppendQuoted(text, FInsertedText);
  } else if (FInsertedText.empty()) {
    text = Cp932Lit("【文字削除】");
    AppendQuoted(text, FDeletedText);
  } else {
    text = Cp932Lit("【文字上書き】");
    AppendQuoted(text, FDeletedText);
    text += ' ';
    text += Arrow(redo);
    text += ' ';
    AppendQuoted(text, FInsertedText);
  }
  return text;
}

std::string TTaskEdit::GetUndoText() const { return Text(false); }
std::string TTaskEdit::GetRedoText() const { return Text(true); }

void TTaskEdit::Undo() {
  TUndoOwner* owner = Owner();
  if (!owner) return;
  TPaintLock lock(*owner);
  TReplaceRequest back;
  back.Kind = ekReplace;
  back.InsertBox = FDeleteBox;
  back.SelectInserted = FOldSelecting;
  back.Verbatim = true;
  back.Text = FDeletedText;
  back.CaretTarget = FOldCaret;
  back.OldCaret = FNewCaret;
  if (FInsertBox) {
    // Last row first, so the pieces above keep their positions; each piece
    // lies inside one line, so it goes as a stream.
    TDisplayPos at = FInsertStart;
    for (auto piece = FBoxPieces.rbegin(); piece != FBoxPieces.rend(); ++piece) {
      if (piece->Start == piece->End) continue;
      TReplaceRequest cut;
      cut.RangeStart = piece->Start;
      cut.RangeEnd = piece->End;
      cut.Kind = ekDeleteForward;
      at = owner->ReplaceText(cut).InsertStart;
    }
    back.RangeStart = back.RangeEnd = back.InsertAt = at;
  } else {
    // The deleted bytes go where removing the inserted text left off; that
    // point, unlike the range start recorded before the edit, is a position of
    // the rows as they are now.
    back.RangeStart = FInsertStart;
    back.RangeEnd = FInsertEnd;
    back.InsertAt = FInsertStart;
  }
  if (FDeleteBox) {
    // A box goes back at its own left column, which the removal point may lie
    // beyond (the box began on the trail half of a character).
    back.UseInsertAt = true;
    back.InsertAt = FRangeStart;
  }
  const int layouts = owner->LayoutGeneration();
  const TReplaceResult restored = owner->ReplaceText(back);
  // The rows were laid out anew (the line numbers lost a digit): the
  // recorded insertion point belongs to other rows; the removal's is current.
  if (owner->LayoutGeneration() != layouts && !FDeleteBox && FDeletedText.empty() && !FInsertBox)
    FInsertAt = restored.InsertStart;
  if (!FDeleteBox && !FDeletedText.empty()) {
    // A merged run of deletions, or an overwritten run, is redone as one range.
    FRangeStart = restored.InsertStart;
    FRangeEnd = restored.InsertEnd;
  }
  owner->SetOffset(FOldScroll);
}

void TTaskEdit::Redo() {
  TUndoOwner* owner = Owner();
  if (!owner) return;
  TPaintLock lock(*owner);
  TReplaceRequest again;
  again.RangeStart = FRangeStart;
  again.RangeEnd = FRangeEnd;
  again.Kind = ekReplace;
  again.InsertBox = FInsertBox;
  again.DeleteBox = FDeleteBox;
  again.SelectInserted = FNewSelecting;
  again.Text = FInsertedText;
  again.CaretTarget = FNewCaret;
  again.OldCaret = FOldCaret;
  again.InsertAt = FInsertAt;
  TReplaceResult done = owner->ReplaceText(again);
  // What the edit did this time is what the next undo removes.
  FInsertStart = done.InsertStart;
  FInsertEnd = done.InsertEnd;
  FInsertStartDoc = owner->DocPosOf(FInsertStart);
  if (FInsertBox) FBoxPieces = std::move(done.BoxPieces);
  owner->SetOffset(FNewScroll);
}

// --- reformatting ------------------------------------------------------------

std::string TTaskRestore::GetUndoText() const { return Cp932Lit("整形"); }

void TTaskRestore::Undo() {
  TUndoOwner* owner = Owner();
  if (!owner) return;
  TPaintLock lock(*owner);
  // The caret after the change stands on the line after the changed ones, in
  // both directions: lines are counted back from it.
  int line = owner->DocPosOf(FCaret).Y;
  if (FWidth > 0) {
    for (size_t i = FSplits.size(); i-- > 0;) {
      const int from = line - std::clamp(FSplits[i], 0, line);
      const int indent = i < FIndents.size() ? FIndents[i] : 0;
      owner->FormatText(owner->DisplayPosOf({1, from}), owner->DisplayPosOf({1, line}), indent, nullptr, 0);
      line = from;
    }
  } else {
    const TDisplayPos joined = owner->DisplayPosOf({1, std::max(line - 1, 0)});
    owner->FormatText(joined, owner->DisplayPosOf({1, line}), 0, &FSplits, 1);
  }
  owner->SetOffset(FOldScroll);
  owner->SelectRange(FStart, FEnd, false);
}

void TTaskRestore::Redo() {
  TUndoOwner* owner = Owner();
  if (!owner) return;
  TPaintLock lock(*owner);
  FCaret = owner->FormatText(FStart, FEnd, 0, nullptr, FWidth);
  owner->SetOffset(FNewScroll);
  owner->SelectRange(FStart, FEnd, false);
  owner->SetCaretPos(FCaret);
}

}  // namespace vorna
