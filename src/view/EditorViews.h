// TEditorView: the page view of a text document. It owns the document slots
// (each a document with its undo history and saved view state), turns the
// editor style and the text area of a page into the layout geometry (cell and
// row pitches, cells per row, rows per partition and page, the line-number
// column, the printer mirror), hands the wrapping inputs to the document, and
// places every display row on its page.
//
// It delegates to collaborators it owns: TRowPainter paints the rows and
// keeps their cell-style cache (RowPainters.h), TCaretSelection holds the
// caret and selection with their document-only rules (CaretSelections.h),
// TTextEditing runs typing, deleting, the clipboard and the selection
// commands (TextEditings.h), the command table maps keys to commands and
// runs them on the view's public operations (EditorCommandTables.h),
// TFindState and TLineMarks hold the search text and the marked lines. The
// view keeps what needs the page: geometry (EditorViewGeometry.cpp), row
// placement (EditorViewRows.cpp), the undo owner's primitives
// (EditorViewEditing.cpp), caret moves with their repaint, scroll and undo
// jumps (EditorViewCaretMoves.cpp, EditorViewCaretScrolling.cpp), the caret
// rectangle (EditorViewCaret.cpp), points and hit tests
// (EditorViewHitTest.cpp), the mouse (EditorViewMouse.cpp), find and marks
// (EditorViewTextCommands.cpp) and the painter's pass state
// (EditorViewPainting.cpp).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/EditListInfos.h"
#include "document/EditLists.h"
#include "settings/EditorStyles.h"
#include "undo/EditorUndos.h"
#include "undo/UndoOwners.h"
#include "view/BaseViews.h"
#include "view/CaretSelections.h"
#include "view/EditorCommands.h"
#include "view/FindResults.h"
#include "view/FindStates.h"
#include "view/FontedMeasurers.h"
#include "view/LayoutMetrics.h"
#include "view/LineMarks.h"
#include "view/PointerStates.h"
#include "view/RowPaintInfos.h"
#include "view/RowPainters.h"
#include "view/TextEditings.h"

namespace vorna {

class TEditorView : public TBaseView, public TUndoOwner, private TEditingHost, private TRowPaintHost {
 public:
  // The services must hold files and message boxes (the documents use them).
  // `style` is shared with the host control; without one the view owns a
  // TEditorStyle.
  TEditorView(TViewHost& host, const TPlatformServices& services, TEditorStyle* style = nullptr);
  ~TEditorView() override;

  TEditorStyle* EditorStyle() const { return static_cast<TEditorStyle*>(FStyle); }
  TEditListInfoList& Infos() { return *FInfos; }
  TEditList& List() const { return *FList; }
  TEditorUndo& Undo() const { return *FUndo; }

  // --- geometry (the base view's step, then the layout metrics) ----------------
  void CalcGeometry(const TRect& clientRect) override;
  void GetExtent(TPoint& extent) override;
  void ApplyStyle() override;
  // Keeps the caret and the selection on their document positions across the
  // new layout.
  void Resize() override;
  // The print layout keeps the caret and selection on their document positions too.
  void CalcPrintGeometry(const TRect& paper) override;
  int RowsPerPartition() const override;
  int RowsPerPage() const override;
  TRowPlace GetRowPlace(int row) const override;
  TRect GetPartitionRect(int page, int partition) const override;
  TRect GetRowRect(int row) const override;
  int RowPitch(int row) const;
  int RowsExtent(int firstSlot, int lastSlot) const;
  int CellPitchAt(int row, int cell) const override;
  int CellsExtent(int row, int firstCell, int lastCell) const override;
  // A new document was loaded or the list replaced: a forced layout (twice when
  // the line-number digits change the row capacity).
  void DocumentChanged();
  void SaveViewState();
  void RestoreViewState();
  std::string ExpandCode(std::string_view letter) override;

  // --- painting ------------------------------------------------------------------------
  void DrawText(int page, const TRect& textRect, const TRect& clip) override;
  // The row's cached paint state, rebuilt when it was built for another row,
  // when the row's text, caret or selection changed since, or with `force`.
  const TRowPaintInfo& GetRowPaintInfo(int row, bool force = false) const {
    return FPainter.GetRowPaintInfo(row, force);
  }
  // Every cached row is built again before it is painted next (a change of
  // the settings, the search text, a full layout).
  void InvalidateRowCache() { FPainter.InvalidateRowCache(); }
  // The current search text, highlighted with the Find style (FindAll options).
  void SetSearchText(const std::string& text, int options);
  const std::string& SearchText() const { return FFind.Text(); }
  // The window's background picture, drawn behind the text on the screen (not
  // owned; null takes it away). With `ignore` it stays set but unused.
  void SetBackgroundBitmap(const TBitmap* bitmap);
  const TBitmap* BackgroundBitmap() const { return FPainter.BackgroundBitmap(); }
  void SetIgnoreBackground(bool ignore);
  // A disabled view paints grey text on the button face (print and preview
  // always count as enabled).
  void SetEnabled(bool enabled);
  bool Enabled() const { return FEnabled; }
  // While an input method composes, the painted caret is hidden.
  void SetComposing(bool composing);
  bool Composing() const { return FComposing; }
  // The first and last selected cell of a row (0-based cells of its display
  // text); false when none is. `lineBreak`: the row ends its line and the
  // selection goes on past it, so its end mark is painted selected.
  bool GetSelectedCells(int row, int& first, int& last, bool& lineBreak) const;
  // The caret bar (or the box over a character in overwrite mode) at `pos`.
  TRect GetCaretRect(TDisplayPos pos) const override;
  bool Overwrite() const { return FTextEdits.Overwrite(); }
  void SetOverwrite(bool value);

  // --- the undo owner ----------------------------------------------------------------
  void BeginPaintLock() override { TBaseView::BeginPaintLock(); }
  void EndPaintLock(bool repaint) override { TBaseView::EndPaintLock(repaint); }
  void SetOffset(TPoint offset) override;
  void SetCaretPos(TDisplayPos pos) override;
  void ClearSelection() override;
  void SelectRange(TDisplayPos start, TDisplayPos end, bool box) override;
  TReplaceResult ReplaceText(const TReplaceRequest& request) override;
  TDisplayPos FormatText(TDisplayPos start, TDisplayPos end, int indentBytes, const std::vector<int>* splits,
                         int widthCells) override;
  TTextPos DocPosOf(TDisplayPos pos) const override;
  TDisplayPos DisplayPosOf(TTextPos pos) const override;
  int LayoutGeneration() const override { return FLayoutCount; }

  // --- caret and selection (display positions) -----------------------------------------
  TDisplayPos CaretPos() const { return FSel.Caret; }
  bool Selecting() const { return FSel.Selecting; }
  bool BoxSelect() const { return FSel.Box; }
  // The anchor and the moving end (the caret) of the selection.
  TDisplayPos SelStart() const { return FSel.Anchor; }
  TDisplayPos SelEnd() const { return FSel.End; }
  const std::vector<TTextPos>& Marks() const { return FMarks.Items(); }
  // The one way the caret moves. `pos` is clamped for `mode`: into the
  // document, off trail bytes, indents, expanded tabs and the padding of a
  // short speaker name, past the row's caret limit to the next row when moving
  // forward; a row move off the first or last row does nothing. Without
  // extending, a selection is dropped and the anchor follows the caret. Unless
  // `noScroll` the caret is scrolled into view. `force` runs everything even
  // when the caret stays. Records a caret jump for undo (outside edits).
  void SetCaretPos(TDisplayPos pos, TCaretMode mode, bool noScroll = false, bool force = false);
  // Where SetCaretPos puts a caret asked to go to `pos` in `mode`; `stopped`
  // (when given) tells that a row move ran off the document.
  TDisplayPos ClampCaretPos(TDisplayPos pos, TCaretMode mode, bool* stopped = nullptr) const;
  // What ClampCaretPos reads from the style and the layout.
  TCaretClampRules ClampRules() const override;
  // An absolute move that centres the caret in the window (a jump to a
  // found text, a mark, a line).
  void JumpCaret(TDisplayPos pos);
  // By cells along the row (dColumns) or rows (dRows, to the goal column).
  void MoveCaret(int dColumns, int dRows) override;
  void MoveWord(bool forward);
  // Whether the view scrolled.
  bool ScrollToCaret(TCaretScroll kind);
  // The column remembered for row moves.
  int GoalColumn() const { return FSel.GoalColumn; }
  // Caret moves extend the selection (set by the commands while Shift is held).
  bool Extending() const { return FSel.Extending; }
  void SetExtending(bool value) { FSel.Extending = value; }
  // Ordered ends of the selection (both the caret without one); a box's
  // columns are ordered too.
  void GetNormalizedSelection(TDisplayPos& start, TDisplayPos& end) const;
  // `pos` lies in the selection, its ends included.
  bool IsSelected(TDisplayPos pos) const;
  std::string GetSelText() const;
  // The range of a text unit around `pos`; pos .. pos when there is none.
  void GetUnitRange(TTextUnit unit, TDisplayPos pos, TDisplayPos& start, TDisplayPos& end) const;
  // Selects the unit around the caret (the caret goes to its end).
  void SelectUnit(TTextUnit unit);
  // Selects anchor .. caret as the user does: clamped, scrolled to, recorded.
  void SelectFromTo(TDisplayPos anchor, TDisplayPos caret, bool box);
  // The client point of a display position: along the row at the cell
  // boundary before the column (half a column space earlier `forCaret`),
  // across at the row's near edge, or with `glyphBand` at the glyph band's
  // edge (its left in vertical mode, its top in horizontal mode).
  TPoint PosToPoint(TDisplayPos pos, bool glyphBand = false, bool forCaret = false) const;
  // The caret position nearest to a client point: the row whose band holds
  // it (the nearest partition's when it lies outside them all), the nearer
  // boundary of the character under it, clamped as SetCaretPos clamps.
  TDisplayPos PointToPos(TPoint point) const;
  // What lies under a client point; keeps the kind, the annotation mark's
  // rectangle and the position for the commands that follow.
  THitKind HitTestKind(TPoint point);
  THitKind HitKind() const { return FPointer.HitKind; }
  const TRect& HitRect() const { return FPointer.HitRect; }
  TDisplayPos HitPos() const { return FPointer.HitPos; }
  TCursorShape CursorForHit(THitKind kind) const;
  // Where the input method's window goes: the caret's point at the glyph
  // band (beside the column in vertical mode), at least the scroll margins.
  TPoint ImePoint() const { return FImePoint; }
  // The font an input method composes with: the text font at the zoom,
  // turned for vertical writing.
  TFontSpec CompositionFont() const {
    return FPainter.ElementFont(kElemNormal, FMetrics.FontHeight, Vertical());
  }
  bool IsReadOnly() const override;
  void GetHintInfo(std::string& text, TPoint& at) override;
  int KeyToCommand(int key, TShiftState shift) override;
  bool ExecuteCommand(int command) override;
  TShiftState ShiftState() const { return FShiftState; }
  // Scrolling across the rows (positive: toward the document's end) and by
  // one screen page.
  void ScrollRows(int pixelsForward);
  void ScrollScreenPage(bool forward);
  // Ends a drag of the selection at the caret: moved there, or copied.
  // False when nothing was dropped (the caret inside the selection).
  bool DropSelection(bool copy);
  // Opens the link (0 address, 1 mail) at the last pressed position.
  void OpenLink(int kind);
  bool DragPending() const { return FPointer.DragPending; }

  // --- editing (each change one ReplaceText; nothing while read-only) -----------------------
  // Types `text` at the caret (replacing the selection): undo kind 3 when
  // `typed`, else 0; in overwrite mode over as many cells as it has bytes.
  bool TypeText(std::string_view text, bool typed, bool box = false);
  // Delete and Backspace by unit; with a selection the unit is the selection.
  bool DeleteForward(TTextUnit unit);
  bool DeleteBackward(TTextUnit unit);
  // The clipboard: unit 0 is the selection (nothing without one). A failure
  // shows the clipboard message and changes nothing.
  bool CopyUnit(TTextUnit unit);
  bool CutUnit(TTextUnit unit);
  // Types the clipboard's text, as a box when it is the text last copied
  // from a box; with `prefix` every line is trimmed and the prefix put in
  // front; `before` and `after` go around the whole.
  bool Paste(const std::string& prefix = {}, const std::string& before = {}, const std::string& after = {});
  bool ReflowSelection(int width);
  bool JoinSelection();
  // Commands 69 .. 74 on the selection.
  bool ConvertSelection(int command);
  // Finds `text` (empty: the selection, else the word at the caret) from the
  // caret (from the document's start or end with `fromEdge`) and selects it.
  bool Find(const std::string& text, bool backward, bool fromEdge = false);
  // The next or previous match of the compiled search when one is set
  // (FindWithSearch), else of the text Find searched for.
  bool FindNext();
  bool FindPrevious();
  // Drops the search of either form and its colouring.
  void ClearFind();

  // --- the find bar's search (EditorViewSearches.cpp) -----------------------------------
  // The compiled search the rows are coloured with (every match of a line,
  // clipped to each row) and the steps below go through; it replaces the
  // text of SetSearchText. Null clears it.
  void SetSearch(std::shared_ptr<const TTextSearch> search);
  const TTextSearch* Search() const { return FFind.Search().get(); }
  // `options` leaving out of the search the notation the cells hide (ruby,
  // annotations), so a search finds what the writer sees.
  TSearchOptions SearchOptionsFor(TSearchOptions options) const;
  // Selects the next match (forward: from the selection's end, or with
  // `fromSelectionStart` from its start, so a pattern refined while typing
  // keeps the match it has) or the previous one (before the selection's
  // start), wrapping at the document's end or start. An empty match where
  // the step began is stepped past. Nothing moves when none is found.
  TViewFindResult FindWithSearch(bool forward, bool fromSelectionStart = false);
  // Replaces the selection when it is exactly a match (as one edit; the
  // replacement's line breaks go in as written), then selects the next
  // match. When it is not a match, the next match is selected and nothing is
  // replaced. Refused while read-only, for a match over hidden notation,
  // and without a search that can match.
  TViewReplaceResult ReplaceCurrent(const TReplacement& replacement);
  // Replaces every match (with `inSelection`, those inside the stream
  // selection, which then covers the replaced text) as one edit of the
  // lines that change, so one undo restores the exact bytes. The caret
  // stays on its text. Matches over hidden notation are left and counted.
  TViewReplaceAllResult ReplaceAll(const TReplacement& replacement, bool inSelection);
  // Why a replacement cannot run now (None: it can): no search that can
  // match, read-only, or a replacement that does not compile.
  TReplaceRefusal ReplaceRefusal(const TReplacement& replacement) const;
  void ToggleMark();
  void RemoveMark();
  void ClearMarks();
  // The index in Marks() of the mark on the row's line, or -1.
  int MarkIndexOfRow(int row) const;
  // The window's text messages: the selection's text cut to `bufferBytes` - 1
  // bytes (never half a character), and its length.
  std::string GetTextMessage(int bufferBytes) const;
  int GetTextLengthMessage() const { return static_cast<int>(GetSelText().size()); }
  void CutMessage() { CutUnit(tuPosition); }
  void CopyMessage() { CopyUnit(tuPosition); }
  void PasteMessage() { Paste(); }
  const std::string& BoxClipText() const { return FTextEdits.BoxClipText(); }
  TDisplayPos LastEditPos() const { return FLastEditPos; }
  int RowCountBeforeEdit() const { return FRowCountBeforeEdit; }
  // The pop-up dictionary: while enabled, hovering over text launches the
  // program with the word; it is asked to close when the view goes.
  void LaunchLookup(const std::string& word, TPoint at);
  std::string FLookupHelperPath;
  bool FLookupEnabled = false;
  TNotifyEvent OnEditing;
  TNotifyEvent OnEdited;

  // Set by the window: a press scrolls a screen page (left button forward).
  bool FPageFlip = false;
  TNotifyEvent OnCaretMoving;
  TNotifyEvent OnCaretMoved;

  // --- metrics, for painting, the caret, tests and the tools -----------------------------
  const TLayoutMetrics& Layout() const override { return FMetrics; }
  int CellPitch() const { return FMetrics.CellPitch; }
  int LinePitch() const { return FMetrics.LinePitch; }
  int FontHeight() const { return FMetrics.FontHeight; }
  int CharsPerRow() const { return FMetrics.CharsPerRow; }
  int RowsPerPartitionOfView() const { return FMetrics.RowsPerPartition; }
  int TextLength() const { return FMetrics.TextLength; }
  int LineInfoWidth() const { return FMetrics.LineInfoWidth; }
  int LineInfoDigits() const { return FMetrics.LineInfoDigits; }
  int GapLineWidth() const { return FMetrics.GapLineWidth; }
  int PartitionMarginPx() const { return FMetrics.PartitionMarginPx; }
  int TextLeftMarginPx() const { return FMetrics.TextLeftMarginPx; }
  int LineSpacePx() const { return FMetrics.LineSpacePx; }
  int ColumnSpacePx() const { return FMetrics.ColumnSpacePx; }
  int CellPitchRemainder() const { return FMetrics.CellPitchRemainder; }
  int RowPitchRemainder() const { return FMetrics.RowPitchRemainder; }
  double PrintWidthRatio() const { return FMetrics.PrintWidthRatio; }
  double PrintHeightRatio() const { return FMetrics.PrintHeightRatio; }
  double PrintFontRatio() const { return FMetrics.PrintFontRatio; }
  TPoint ScrollMargins() const { return {FMetrics.ScrollMarginX, FMetrics.ScrollMarginY}; }
  const std::vector<TRect>& PartitionRects() const { return FMetrics.PartitionRects; }
  const std::vector<TRowPaintInfo>& RowCache() const { return FPainter.RowCache(); }
  int Partitions() const override;
  bool Vertical() const { return EditorStyle()->GetVertical(); }
  // Full layouts run so far (for tests of the layout triggers).
  int LayoutCount() const { return FLayoutCount; }

  // Events of the slot list passed on to the window.
  TEditList::TNotifyEvent OnTextReset;
  TEditList::TNotifyEvent OnModified;
  TEditList::TNotifyEvent OnFileNameChange;
  TEditList::TNotifyEvent OnHeadingChange;
  TEditList::TWorkingInfoEvent OnRelayoutProgress;

 protected:
  // The metrics of one pass over the text area (the printer's or the screen's).
  void CalcLayoutMetrics(bool printerPass, bool mirror);
  // Hands the wrapping inputs to the document and lays it out when needed.
  void UpdateLayout(bool force);
  // The Normal element's font as the canvas takes it, before zoom.
  TFontSpec TextFont() const override;
  int ElementFontHeight(int element) const;
  bool ElementVisible(int element) const;
  // Binds the current slot's document and history.
  void TakeCurrentDocument();
  void PlaceCaret(TDisplayPos pos);
  // Runs `relayout` with the caret and selection kept on their document positions.
  void KeepPositionsAcross(const std::function<void()>& relayout);
  TCaretPlace CaretPlace() const;

  // --- caret internals -----------------------------------------------------------------
  bool ScrollToCaret(TCaretScroll kind, TPoint oldCaretPoint);
  void UpdateImePoint();
  // The caret's cell: its row's band across, one cell along.
  TRect CaretCellRect(TDisplayPos pos) const;
  TPoint OffsetShowingRow(int first) const;
  void InvalidateRows(int first, int last);
  // The rows the window can show (a superset: on paper the pages in sight,
  // else the rows the scroll offset brings in), first .. last.
  void ShownRows(int& first, int& last) const;
  void InvalidateSelectionRows();
  // The partition under a point (or the nearest one); false when none holds it.
  bool PartitionAt(TPoint point, int& page, int& partition, bool nearest) const;
  int PartitionFirstRow(int page, int partition) const;
  // PointToPos before the caret's clamping rules.
  TDisplayPos PointToRawPos(TPoint point) const;
  std::string WordAtCaret() const;
  void MarksChanged(int row);
  void CloseLookup();
  void FollowPointer(TPoint point);
  bool CanDrag() override;
  void MouseDownHook(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMoveHook(TShiftState shift, int x, int y) override;
  void MouseUpHook(TMouseButton button, TShiftState shift, int x, int y) override;
  void DragOverHook(bool outside) override;
  void EndDragHook(bool dropped, TShiftState shift) override;
  void DoubleClickHook() override;
  void AutoScrollTick() override;

  // Marks the rows from `row` to `last`, or with a `last` before `row` to
  // the end of its page (or of the window), for repainting: what an edit
  // changes.
  void InvalidateRowsFrom(int row, int last = -1);

  TLayoutMetrics FMetrics;
  TFindState FFind;
  bool FEnabled = true;
  bool FComposing = false;
  // What the document's wrapping measures with.
  TFontedMeasurer FWrapMeasurer;
  // Paints the rows and keeps their cell styles.
  TRowPainter FPainter{*this};

  // Caret and selection.
  TCaretSelection FSel;
  // Typing, deleting, the clipboard and the selection commands.
  TTextEditing FTextEdits{*this, *this, Services()};
  TLineMarks FMarks;
  TShiftState FShiftState = 0;
  TPointerState FPointer;
  bool FJumping = false;  // the move is a jump: centre the caret
  TPoint FImePoint;
  TDisplayPos FLastEditPos{1, 0};
  int FRowCountBeforeEdit = 0;
  bool FLookupLaunched = false;

 private:
  TEditList* EditedDocument() const override { return FList; }
  const TCaretSelection& Selection() const override { return FSel; }
  // What the row painter reads besides the geometry above.
  const TEditorStyle& PaintStyle() const override { return *EditorStyle(); }
  const TEditList& PaintedDocument() const override { return *FList; }
  const TFindState& Finds() const override { return FFind; }
  const TLineMarks& LineMarks() const override { return FMarks; }
  TPaintState PaintState() const override;
  TCanvas& PaintCanvas() const override { return *FCanvas; }
  TRect PageRect(int page) const override { return GetPageRects(page).Page; }
  void SetCanvasFont(const TFontSpec* font, bool vertical, int height) override {
    TBaseView::SetCanvasFont(font, vertical, height);
  }
  void ResetCanvasFont() override { TBaseView::ResetCanvasFont(); }
  void SetPenFromElement(const TViewInfo& element) override { TBaseView::SetPenFromElement(element); }
  TColor SystemColorValue(TColor color) const override { return TBaseView::SystemColorValue(color); }

  std::unique_ptr<TEditListInfoList> FInfos;
  TEditList* FList = nullptr;
  TEditorUndo* FUndo = nullptr;
  bool FForceLayout = false;
  bool FInForcedLayout = false;
  int FLayoutCount = 0;
  int FEditing = 0;  // nesting of ReplaceText / FormatText
};

}  // namespace vorna
