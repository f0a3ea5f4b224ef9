// The editor's undo history: the three recording operations the editor calls
// after it moved the caret, edited or reformatted, and the rules by which
// consecutive keystrokes merge into one task.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "undo/Undos.h"

namespace vorna {

// Caret, selection and scroll offset on one side of a caret jump.
struct TCaretPlace {
  TPoint Scroll;  // device pixels
  TDisplayPos Caret;
  bool Selecting = false;
  bool BoxSelect = false;
  TDisplayPos SelStart;  // the anchor
  TDisplayPos SelEnd;    // the moving end
};

// Everything one call of the edit primitive did. The range and OldCaret are
// positions before the edit; InsertStart, InsertEnd, BoxPieces and NewCaret
// positions after it.
struct TEditRecord {
  TEditKind Kind = ekReplace;
  TDisplayPos RangeStart, RangeEnd;  // in document order; equal when nothing was deleted
  TDisplayPos InsertStart, InsertEnd;
  TDisplayPos InsertAt;
  std::string DeletedText;   // the bytes the document removed
  std::string InsertedText;  // the text the editor asked to insert
  bool DeleteBox = false;
  bool InsertBox = false;
  std::vector<TBoxPiece> BoxPieces;
  bool OldSelecting = false, NewSelecting = false;
  TPoint OldScroll, NewScroll;
  TDisplayPos OldCaret, NewCaret;
};

// One reformatting as the document reported it.
struct TRestoreRecord {
  TDisplayPos Start, End;
  int Width = 0;             // cells; 0 for a join (which removes no indent)
  std::vector<int> Splits;   // wrap: lines per paragraph; join: byte length of each joined line
  std::vector<int> Indents;  // wrap: continuation indent per paragraph in bytes
  TPoint OldScroll, NewScroll;
  TDisplayPos Caret;  // after the change
};

class TEditorUndo : public TUndo {
 public:
  // Each does nothing while the history is locked. A recording merges into
  // the newest task only when that task is current and not undone:
  // - a jump into a jump whose selecting state after it equals the new one
  //   (starting or dropping a selection begins a new step);
  // - an edit of kind 1, 2 or 3 into an edit of the same kind that ended
  //   where this one begins (Delete: at its deletion point; Backspace: its
  //   range ends there; typing: at its insertion end), when neither uses a
  //   box and this one did not replace a selection. Deletions join their
  //   texts in document order; typing appends its text and, in overwrite
  //   mode, the bytes it overwrote, so one undo restores them all.
  // Kind 0 edits and restores never merge.
  void AddJump(const TCaretPlace& before, const TCaretPlace& after);
  void AddEdit(TEditRecord record);
  void AddRestore(TRestoreRecord record);
};

// Text as inserting it puts it in a document: cut at its first NUL, every line
// break (CR LF, lone CR, lone LF) as CR LF. Inserting the pieces of a typing
// run one by one or their concatenation at once then gives the same bytes.
std::string InsertableText(std::string_view text);

}  // namespace vorna
