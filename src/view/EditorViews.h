// TEditorView: the page view of a text document. It owns the document slots
// (each a document with its undo history and saved view state), turns the
// editor style and the text area of a page into the layout geometry (cell and
// row pitches, cells per row, rows per partition and page, the line-number
// column, the printer mirror), hands the wrapping inputs to the document, and
// places every display row on its page.
//
// Geometry lives in EditorViewGeometry.cpp, row placement in
// EditorViewRows.cpp, the undo owner's primitives in EditorViewEditing.cpp.
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

namespace vorna {

// Where a display row lies: its page, the page's first row, its partition and
// slot across the partition, and the rectangles (view pixels).
struct TRowPlace {
  int Page = 0;
  int PageFirstRow = 0;
  int Partition = 0;
  int Slot = 0;
  TRect PageRect;
  TRect PartitionRect;
};

// One visible row's paint state; the painting fills the rest in.
struct TRowPaintInfo {
  int Row = -1;  // -1: empty slot
};

class TEditorView : public TBaseView, public TUndoOwner {
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
  int RowsPerPartition() const;
  int RowsPerPage() const;
  TRowPlace GetRowPlace(int row) const;
  TRect GetPartitionRect(int page, int partition) const;
  TRect GetRowRect(int row) const;
  int RowPitch(int row) const;
  int RowsExtent(int firstSlot, int lastSlot) const;
  int CellPitchAt(int row, int cell) const;
  int CellsExtent(int row, int firstCell, int lastCell) const;
  // A new document was loaded or the list replaced: a forced layout (twice when
  // the line-number digits change the row capacity).
  void DocumentChanged();
  void SaveViewState();
  void RestoreViewState();
  std::string ExpandCode(std::string_view letter) override;

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

  // --- caret and selection (display positions) -----------------------------------------
  TDisplayPos CaretPos() const { return FCaretPos; }
  bool Selecting() const { return FSelecting; }
  bool BoxSelect() const { return FBoxSelect; }
  TDisplayPos SelStart() const { return FSelStart; }
  TDisplayPos SelEnd() const { return FSelEnd; }
  const std::vector<TTextPos>& Marks() const { return FMarks; }

  // --- metrics, for painting, the caret, tests and the tools -----------------------------
  int CellPitch() const { return FCellPitch; }
  int LinePitch() const { return FLinePitch; }
  int FontHeight() const { return FFontHeight; }
  int CharsPerRow() const { return FCharsPerRow; }
  int RowsPerPartitionOfView() const { return FRowsPerPartition; }
  int TextLength() const { return FTextLength; }
  int LineInfoWidth() const { return FLineInfoWidth; }
  int LineInfoDigits() const { return FLineInfoDigits; }
  int GapLineWidth() const { return FGapLineWidth; }
  int PartitionMarginPx() const { return FPartitionMarginPx; }
  int TextLeftMarginPx() const { return FTextLeftMarginPx; }
  int LineSpacePx() const { return FLineSpacePx; }
  int ColumnSpacePx() const { return FColumnSpacePx; }
  int CellPitchRemainder() const { return FCellPitchRemainder; }
  int RowPitchRemainder() const { return FRowPitchRemainder; }
  double PrintWidthRatio() const { return FPrintWidthRatio; }
  double PrintHeightRatio() const { return FPrintHeightRatio; }
  double PrintFontRatio() const { return FPrintFontRatio; }
  TPoint ScrollMargins() const { return {FScrollMarginX, FScrollMarginY}; }
  const std::vector<TRect>& PartitionRects() const { return FPartitionRects; }
  const std::vector<TRowPaintInfo>& RowCache() const { return FRowCache; }
  int Partitions() const;
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
  TFontSpec TextFont() const;
  int ElementFontHeight(int element) const;
  bool ElementVisible(int element) const;
  // Binds the current slot's document and history.
  void TakeCurrentDocument();
  void PlaceCaret(TDisplayPos pos);
  // Runs `relayout` with the caret and selection kept on their document positions.
  void KeepPositionsAcross(const std::function<void()>& relayout);
  TDisplayPos ClampCaret(TDisplayPos pos) const;
  TCaretPlace CaretPlace() const;

  // Layout metrics (pixels of the current device).
  int FPartitionMarginPx = 0;
  int FTextLeftMarginPx = 0;
  int FTextRightMarginPx = 0;
  int FLineSpacePx = 0;
  int FColumnSpacePx = 0;
  std::vector<TRect> FPartitionRects;  // relative to the text area
  int FLineInfoDigits = 0;
  int FLineInfoWidth = 0;
  int FTextLength = 0;
  int FFontHeight = 0;
  int FCellPitch = 1;
  int FLinePitch = 1;
  int FCharsPerRow = 0;
  int FRowsPerPartition = 0;
  int FRowsPerPage = 0;
  int FGapLineWidth = 0;
  int FScrollMarginY = 16;
  int FScrollMarginX = 32;
  double FPrintWidthRatio = 0;
  double FPrintHeightRatio = 0;
  double FPrintFontRatio = 0;
  int FCellPitchRemainder = 0;
  int FRowPitchRemainder = 0;
  std::vector<TRowPaintInfo> FRowCache;
  // Halves used by the painting.
  int FHalfLineSpacePx = 0;
  int FHalfFontHeight = 1;
  int FHalfColumnSpacePx = 0;
  // What the printer pass leaves for the layout inputs.
  int FPrinterColumnSpacePx = 0;
  int FPrinterTextLength = 0;

  // Caret and selection.
  TDisplayPos FCaretPos{1, 0};
  bool FSelecting = false;
  bool FBoxSelect = false;
  TDisplayPos FSelStart{1, 0};
  TDisplayPos FSelEnd{1, 0};
  std::vector<TTextPos> FMarks;

 private:
  std::unique_ptr<TEditListInfoList> FInfos;
  TEditList* FList = nullptr;
  TEditorUndo* FUndo = nullptr;
  bool FForceLayout = false;
  bool FInForcedLayout = false;
  int FLayoutCount = 0;
  int FEditing = 0;  // nesting of ReplaceText / FormatText
};

}  // namespace vorna
