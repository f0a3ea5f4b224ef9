// TCaretSelection: the caret and the selection of one document as display
// positions, and every rule about them that needs only the document's rows:
// clamping a caret for a kind of move, the ordered selection, its text, its
// cells on a row and the text units around a position. The editor view owns
// one and adds what needs the page: repainting, scrolling, undo jumps.
#pragma once

#include <string>

#include "document/EditLists.h"
#include "view/EditorCommands.h"

namespace vorna {

// The settings the clamping reads besides the document.
struct TCaretClampRules {
  int CharsPerRow = 1;       // cells of a row, at least 1
  bool FreeCaret = false;    // the caret may stand beyond a row's end
  bool GridSquares = false;  // manuscript grid: beyond the text the caret stands at a square's start
};

struct TCaretSelection {
  TDisplayPos Caret{1, 0};
  TDisplayPos Anchor{1, 0};  // where the selection began
  TDisplayPos End{1, 0};     // the moving end (the caret, unless a drag carries it)
  bool Selecting = false;
  bool Box = false;
  // Caret moves extend the selection (set while Shift is held).
  bool Extending = false;
  // The column remembered for row moves.
  int GoalColumn = 1;

  // Ordered ends of the selection (both the caret without one); a box's
  // columns are ordered too.
  void Normalized(TDisplayPos& start, TDisplayPos& end) const;
  // `pos` lies in the selection, its ends included.
  bool IsSelected(TDisplayPos pos) const;
  std::string SelectedText(const TEditList& list) const;
  // The first and last selected cell of a row (0-based cells of its display
  // text); false when none is. `lineBreak`: the row ends its line and the
  // selection goes on past it.
  bool SelectedCells(const TEditList& list, int row, int& first, int& last, bool& lineBreak) const;
  // The range of a text unit around `pos`; pos .. pos when there is none.
  void UnitRange(const TEditList& list, TTextUnit unit, TDisplayPos pos, TDisplayPos& start,
                 TDisplayPos& end) const;

  // No selection: anchor and end on the caret.
  void Clear();
  // The caret at `pos` (brought into the document), the selection's end with
  // it, the anchor too without a selection.
  void Place(const TEditList& list, TDisplayPos pos);
  // start .. end selected (none when they meet), the caret at end.
  void Select(const TEditList& list, TDisplayPos start, TDisplayPos end, bool box);

  // Where a caret asked to go to `pos` in `mode` stands: into the document,
  // off trail bytes, indents, expanded tabs and the padding of a short
  // speaker name, past the row's caret limit to the next row when moving
  // forward. A row move off the first or last row keeps the caret and sets
  // `stopped` (when given).
  TDisplayPos Clamp(const TEditList& list, TDisplayPos pos, TCaretMode mode, const TCaretClampRules& rules,
                    bool* stopped = nullptr) const;
};

// `pos` inside the document and its row's caret limit, off a trail byte.
TDisplayPos ClampIntoDocument(const TEditList& list, TDisplayPos pos);
// The end of a row that does not end its line, as the start of the next row.
TDisplayPos RowEndAsCaret(const TEditList& list, TDisplayPos pos);

}  // namespace vorna
