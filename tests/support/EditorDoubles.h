// A stand-in for the editor view where undo is tested, measured and fuzzed:
// it edits a real document through the document's range operations, keeps a
// caret, a selection, a scroll offset and a paint-lock counter, and records
// into an undo history the way the view does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/EditLists.h"
#include "undo/EditorUndos.h"

namespace vorna::testing {

// Lays the document out again at `capacityCells` cells per row (0: no fixed
// capacity). This, SameRowsAsFreshLayout and MeasurerOf are the one place the
// tests touch the document's layout inputs.
void LayOutAt(TEditList& list, int capacityCells);

// True when the row table equals what a full layout of the same lines under
// the same settings builds (one reused document, so it is cheap to ask often).
bool SameRowsAsFreshLayout(const TEditList& list);

// The canvas the document measures with.
TTextMeasurer* MeasurerOf(const TEditList& list);

class TEditorDouble : public TUndoOwner {
 public:
  // Binds `undo` to this stand-in; neither is owned, both must outlive it.
  TEditorDouble(TEditList& list, TEditorUndo& undo);
  ~TEditorDouble() override;
  TEditorDouble(const TEditorDouble&) = delete;
  TEditorDouble& operator=(const TEditorDouble&) = delete;

  // --- what the undo tasks call ------------------------------------------------
  void BeginPaintLock() override;
  void EndPaintLock(bool repaint) override;
  void SetOffset(TPoint offsetPx) override { FOffset = offsetPx; }
  // Clamps like the view's absolute mode (row into the document, column into
  // the row's caret limit, never on a trail byte); records a jump when the
  // caret or the selection changed.
  void SetCaretPos(TDisplayPos pos) override;
  void ClearSelection() override;
  void SelectRange(TDisplayPos start, TDisplayPos end, bool box) override;
  TReplaceResult ReplaceText(const TReplaceRequest& request) override;
  TDisplayPos FormatText(TDisplayPos start, TDisplayPos end, int indentBytes, const std::vector<int>* splits,
                         int widthCells) override;
  TTextPos DocPosOf(TDisplayPos pos) const override;
  TDisplayPos DisplayPosOf(TTextPos pos) const override;

  // --- commands, each recorded as the view records it ---------------------------
  // Typing (kind 3) at the caret, after deleting a selection; in overwrite mode
  // the text replaces as many bytes as it has (a half character left behind
  // becomes a space).
  void Type(std::string_view text);
  void Enter();  // a line split (kind 0)
  // One character back (kind 2) or forward (kind 1); a selection instead
  // when there is one. Nothing at the start or end of the document.
  void Backspace();
  void DeleteForward();
  void Paste(std::string_view text, bool box = false);  // kind 0, after deleting a selection
  void DeleteSelection();                               // kind 1
  void MoveCaret(TDisplayPos pos) { SetCaretPos(pos); }
  // Moves the caret extending the selection (starting one at the caret).
  void ExtendTo(TDisplayPos pos, bool box = false);
  // Cuts the lines of the selection at a width, or joins them; without a
  // selection the caret's line and the next one are taken.
  void Reflow(int widthCells);
  void Join();
  void ScrollTo(TPoint offsetPx) { FOffset = offsetPx; }  // not an undo step
  void SetOverwrite(bool on) { FOverwrite = on; }

  // --- state -----------------------------------------------------------------------
  TCaretPlace Place() const;
  TDisplayPos Caret() const { return FCaret; }
  bool Selecting() const { return FSelecting; }
  TPoint Offset() const { return FOffset; }
  int PaintLocks() const { return FPaintLocks; }
  int Repaints() const { return FRepaints; }
  TEditList& List() { return FList; }
  TEditorUndo& Undo() { return FUndo; }

 private:
  TDisplayPos Clamp(TDisplayPos pos) const;
  void PlaceCaret(TDisplayPos pos);
  void SelectionRange(TDisplayPos& start, TDisplayPos& end) const;
  void DeleteSelectionAs(TEditKind kind);
  TTextPos Previous(TTextPos pos) const;
  TTextPos Next(TTextPos pos) const;

  TEditList& FList;
  TEditorUndo& FUndo;
  TDisplayPos FCaret;
  bool FSelecting = false;
  bool FBoxSelect = false;
  TDisplayPos FSelAnchor, FSelEnd;
  TPoint FOffset;
  bool FOverwrite = false;
  int FEditing = 0;  // inside the edit primitive: caret moves are not jumps
  int FPaintLocks = 0;
  int FRepaints = 0;
};

}  // namespace vorna::testing
