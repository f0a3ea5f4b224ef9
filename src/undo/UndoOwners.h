// What an undo history needs from the editor whose changes it records: the
// edit primitive, caret placement, selection, scroll offset, paint lock and
// the mapping between display and document positions.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "document/EditResults.h"
#include "platform/Geometry.h"

namespace vorna {

// The merge kind of a recorded edit, numbered as the editor numbers them.
enum TEditKind : uint8_t {
  ekReplace = 0,         // paste, conversion, drop, line split: never merged
  ekDeleteForward = 1,   // the Delete key
  ekDeleteBackward = 2,  // the Backspace key
  ekTyping = 3,          // text typed from the keyboard or committed by an input method
};

// One call of the edit primitive. Positions are display positions of the
// layout the document has when the call is made.
struct TReplaceRequest {
  TDisplayPos RangeStart;  // the range to delete; equal ends delete nothing
  TDisplayPos RangeEnd;
  TEditKind Kind = ekReplace;
  bool InsertBox = false;  // the text goes in one piece per row, at one column
  bool DeleteBox = false;  // the range is a box (columns x rows)
  bool StepBackAfter = false;
  // Insert at InsertAt even when something was deleted; otherwise the text
  // goes where the deletion left off (or to InsertAt when nothing was deleted).
  bool UseInsertAt = false;
  bool SelectInserted = false;  // select the inserted text afterwards (caret at its end)
  // The text goes in byte for byte: no indent kept from the line and no list
  // number continued. Undo puts deleted text back this way.
  bool Verbatim = false;
  std::string_view Text;          // CR LF between lines; must outlive the call
  TDisplayPos CaretTarget{0, 0};  // a column below 1: the caret goes to the end of the change
  TDisplayPos OldCaret;           // the caret before the command, as it is recorded
  TDisplayPos InsertAt;
};

// Where the edit primitive put its text, in positions after the edit. With no
// text both ends are the point where the deletion left off.
struct TReplaceResult {
  TDisplayPos InsertStart;
  TDisplayPos InsertEnd;
  std::vector<TBoxPiece> BoxPieces;  // one per row of a box insertion
};

// Implemented by the editor view (and by test stand-ins). Every operation
// clamps positions outside the document; none records into a locked history.
class TUndoOwner {
 public:
  virtual ~TUndoOwner() = default;

  // Nestable suspension of painting; the outermost EndPaintLock(true) repaints.
  virtual void BeginPaintLock() = 0;
  virtual void EndPaintLock(bool repaint) = 0;
  // The scroll offset in device pixels.
  virtual void SetOffset(TPoint offsetPx) = 0;
  // Moves the caret to an absolute position without extending a selection.
  virtual void SetCaretPos(TDisplayPos pos) = 0;
  // Drops the selection: anchor and end collapse onto the caret, box mode off.
  virtual void ClearSelection() = 0;
  // Selects from start to end; the caret ends at end.
  virtual void SelectRange(TDisplayPos start, TDisplayPos end, bool box) = 0;
  // The editor's single editing routine: deletes, inserts, places the caret,
  // repaints and records one edit (kept out of a locked history).
  virtual TReplaceResult ReplaceText(const TReplaceRequest& request) = 0;
  // Reformats the lines of the rows start .. end (the end row's line excluded).
  // widthCells > 0: cuts every line where the layout would wrap it at that
  // width, or at the byte lengths in `splits` when given. widthCells 0: joins
  // the lines, taking indentBytes bytes from the front of every line after the
  // first. Records one restore task; returns the caret position the document
  // reported.
  virtual TDisplayPos FormatText(TDisplayPos start, TDisplayPos end, int indentBytes,
                                 const std::vector<int>* splits, int widthCells) = 0;
  // Counts the full layouts of the rows: a task that saw it change during its
  // own step takes the positions that step reported, not the recorded ones.
  virtual int LayoutGeneration() const { return 0; }
  // The position mapping of the current layout (clamped into the document).
  virtual TTextPos DocPosOf(TDisplayPos pos) const = 0;
  virtual TDisplayPos DisplayPosOf(TTextPos pos) const = 0;
};

}  // namespace vorna
