// TRowPainter: paints the text of a page for the editor view — partitions,
// rows, runs of text in their cell styles, line numbers, end, tab and space
// marks, gap and divide lines, ruby, emphasis and annotation marks, the
// painted caret — and keeps the cache of each visible row's cell styles.
// It reads the view through TRowPaintHost: the style, the document, the
// layout metrics, the caret and selection, the row geometry and the state
// of the pass (screen, preview or printer).
//
// Files: partitions and rows in RowPainters.cpp, runs in RowPainterRuns.cpp,
// the row cache in RowPainterCache.cpp, marks beside the text in
// RowPainterMarks.cpp, end, tab and space marks in RowPainterEndMarks.cpp,
// line numbers in RowPainterLineNumbers.cpp, ruled lines in
// RowPainterGapLines.cpp, fonts, colours, fills and the caret in
// RowPainterTools.cpp.
#pragma once

#include <vector>

#include "document/EditLists.h"
#include "graphics/SmoothText.h"
#include "settings/EditorStyles.h"
#include "view/CaretSelections.h"
#include "view/FindStates.h"
#include "view/LayoutMetrics.h"
#include "view/LineMarks.h"
#include "view/RowPaintInfos.h"

namespace vorna {

class TLpPrinter;
class TFontList;

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

// What PaintRow knows about the row it paints; the painting steps share it.
struct TRowPaint {
  int Row = 0;
  bool Exists = false;  // a row of the document (not past its end)
  TRowInfo Info;        // the row's record (default past the end)
  TRect Rect;           // GetRowRect, unclipped
  TRect Clip;           // what may be painted
  bool CaretRow = false;
  int BaseStyle = kElemNormal;  // Normal, CaretLine or Heading
  bool FirstOfBlock = false;    // first row of its partition (of its page on paper)
  int Slot = 0;                 // GetRowPlace's slot and partition
  int Partition = 0;
  const TRowPaintInfo* Cache = nullptr;
  int TextStartPx = 0;  // along the row: where cell 0 starts
  int TextEndPx = 0;    // along the row: where the drawn text ends
};

// PaintRow's result for a row outside the clip.
constexpr int kRowNotPainted = -0x7FFFFFFF;

// The view's state that a pass of painting reads.
struct TPaintState {
  bool Printing = false;     // painting on the printer
  bool Preview = false;      // painting the print preview
  bool PrinterPass = false;  // the layout pass over the printer's page
  bool Paper = false;        // the style shows paper
  bool Enabled = true;       // a disabled view paints grey on the button face
  bool Composing = false;    // an input method composes: no painted caret
  bool Overwrite = false;    // the caret covers the character it replaces
  double Zoom = 1.0;
  int Ppi = 96;      // of the device painted on
  TPoint Offset;     // the view's scroll offset
  TPoint PageSize;   // the screen page, pixels
  TRect ClientRect;  // the host's client area (the background picture centres in it)
  TFontList* Fonts = nullptr;
  TLpPrinter* Printer = nullptr;  // null without one
};

class TRowPaintHost {
 public:
  virtual ~TRowPaintHost() = default;
  virtual const TEditorStyle& PaintStyle() const = 0;
  // Only asked while a document is bound.
  virtual const TEditList& PaintedDocument() const = 0;
  virtual const TLayoutMetrics& Layout() const = 0;
  virtual const TCaretSelection& Selection() const = 0;
  virtual const TFindState& Finds() const = 0;
  virtual const TLineMarks& LineMarks() const = 0;
  virtual TPaintState PaintState() const = 0;
  virtual TCanvas& PaintCanvas() const = 0;
  // The row geometry.
  virtual TRect GetRowRect(int row) const = 0;
  virtual TRowPlace GetRowPlace(int row) const = 0;
  virtual TRect GetPartitionRect(int page, int partition) const = 0;
  virtual TRect PageRect(int page) const = 0;
  virtual int Partitions() const = 0;
  virtual int RowsPerPartition() const = 0;
  virtual int RowsPerPage() const = 0;
  virtual int CellPitchAt(int row, int cell) const = 0;
  virtual int CellsExtent(int row, int firstCell, int lastCell) const = 0;
  virtual TRect GetCaretRect(TDisplayPos pos) const = 0;
  // The canvas set-up the page painting shares.
  virtual void SetCanvasFont(const TFontSpec* font, bool vertical, int height) = 0;
  virtual void ResetCanvasFont() = 0;
  virtual void SetPenFromElement(const TViewInfo& element) = 0;
  // A colour with system colours resolved.
  virtual TColor SystemColorValue(TColor color) const = 0;
  // The Normal element's font as the canvas takes it, before zoom.
  virtual TFontSpec TextFont() const = 0;
};

class TRowPainter {
 public:
  explicit TRowPainter(TRowPaintHost& host) : FHost(host) {}
  TRowPainter(const TRowPainter&) = delete;
  TRowPainter& operator=(const TRowPainter&) = delete;

  // The text of `page` within `textRect`, as far as `clip` reaches.
  void Draw(int page, const TRect& textRect, const TRect& clip);

  // The row's cached paint state, rebuilt when it was built for another row,
  // when the row's text, caret or selection changed since, or with `force`.
  const TRowPaintInfo& GetRowPaintInfo(int row, bool force = false) const;
  // Every cached row is built again before it is painted next.
  void InvalidateRowCache() { ++FPaintGeneration; }
  // Room for `rows` cached rows (the rows a window shows, and a few more).
  void ResizeRowCache(int rows);
  const std::vector<TRowPaintInfo>& RowCache() const { return FRowCache; }

  // The window's background picture (not owned; null: none); `ignore`
  // keeps it set but unused. False when nothing changed.
  bool SetBackgroundBitmap(const TBitmap* bitmap);
  bool SetIgnoreBackground(bool ignore);
  const TBitmap* BackgroundBitmap() const { return FBackgroundBitmap; }

  // The view element's font as the canvas takes it, `height` (pixels) when
  // non-zero, else its own size at the zoom, turned when `turned`.
  TFontSpec ElementFont(int element, int height, bool turned) const;
  // Across the row: the right edge of the glyph box in vertical mode, its top
  // in horizontal mode.
  int GlyphEdge(const TRect& rowRect) const;
  // Ruby, emphasis or annotation marks are shown beside the glyphs.
  bool MarksShown() const;

 private:
  const TEditorStyle& Style() const { return FHost.PaintStyle(); }
  const TEditList& Doc() const { return FHost.PaintedDocument(); }
  const TLayoutMetrics& Layout() const { return FHost.Layout(); }
  const TCaretSelection& Sel() const { return FHost.Selection(); }
  TCanvas& Canvas() const { return FHost.PaintCanvas(); }
  bool Vertical() const { return Style().GetVertical(); }
  bool ElementVisible(int element) const;
  bool PaintEnabled() const { return FState.Enabled || FState.Printing || FState.Preview; }

  void PaintPartition(int page, int partition, const TRect& clip);
  // Returns the far edge of the row (its left in vertical mode, bottom + 1 in
  // horizontal mode) or kRowNotPainted.
  int PaintRow(int row, const TRect& clip, bool firstOfBlock);
  void BuildRowPaintInfo(TRowPaintInfo& info, int row) const;
  // The annotation marks of a row with their hot spots (FootNote and
  // FootNoteMark shown).
  void BuildFootNoteMarks(TRowPaintInfo& info, int row) const;
  void MarkMatches(TRowPaintInfo& info, int row, int indentBytes) const;
  void MarkFinds(TRowPaintInfo& info, const TRowInfo& r) const;
  void MeasureProportional(TRowPaintInfo& info) const;
  // Font, background and text colour of `style` over `base` (Normal when it
  // names no editor element); true when the font was changed (the caller
  // restores the Normal font).
  bool SelectCellStyle(int style, int base);
  // Cells first .. last (0-based) of the row in one style.
  void PaintRun(const TRowPaint& rp, int first, int last, int style);
  void PaintLineInfo(const TRowPaint& rp);
  void PaintRuby(const TRowPaint& rp);
  void PaintEmphasis(const TRowPaint& rp);
  void PaintFootNoteMarks(const TRowPaint& rp);
  void PaintGapLine(const TRowPaint& rp);
  // The line-number tail line and the column tail line.
  void PaintTailLines(const TRowPaint& rp);
  void PaintDivideLines(const TRowPaint& rp);
  void PaintEndMark(const TRowPaint& rp, bool endOfFile, bool selected);
  void PaintTabMarks(const TRowPaint& rp, int first, int last);
  void PaintSpaceMarks(const TRowPaint& rp, int first, int last, int style);
  void PaintCaret(const TRowPaint& rp);
  // The gap line's two kinds, and the screenplay's bracket around the number
  // column of a scene heading (columnStart .. columnEnd along the row).
  void PaintRuledLines(const TRowPaint& rp);
  void PaintManuscriptGrid(const TRowPaint& rp);
  void PaintSceneBracket(const TRowPaint& rp, int columnStart, int columnEnd);
  // Fills `r` (within `clip`) with `color`, or with the background picture
  // when one is in use; extended a pixel down in horizontal mode.
  void FillBackground(const TRect& r, const TRect& clip, TColor color);
  // Text over the background picture is written transparently.
  bool UsesBackgroundPicture() const;
  // A fill in `color` would change nothing on the printer's sheet.
  bool BlankOnPrinter(TColor color) const;
  // CellPitchAt for the row being painted, read from its cache entry: the
  // painting steps ask cell by cell and must not validate the cache each time.
  int PaintPitch(const TRowPaint& rp, int cell) const;
  // The rectangle of cells first .. last along the row, across the whole row.
  TRect CellsRect(const TRowPaint& rp, int first, int last) const;
  // A style's colours as painting uses them (system colours resolved, grey on
  // the button face when disabled).
  TColor StyleBack(int style) const;
  TColor StyleTextColor(int style) const;
  // Ruby-side marks and emphasis need the whole line's positions on the row.
  int CellOfLinePos(const TRowPaint& rp, int linePos) const;

  TRowPaintHost& FHost;
  // The pass being painted (or the one the cache was last built for).
  mutable TPaintState FState;
  mutable std::vector<TRowPaintInfo> FRowCache;
  unsigned FPaintGeneration = 1;
  const TBitmap* FBackgroundBitmap = nullptr;
  bool FIgnoreBackground = false;
  // The colours SelectCellStyle chose for the run being drawn.
  TColor FRunBack = kClWhite;
  TColor FRunText = kClBlack;
  // Along the rows, how far the partition being painted lets its text run.
  int FRowReachPx = 0;
  // The painted row's text font (the canvas's Normal font).
  TFontSpec FPaintFont;
  // Smoothed runs are drawn through these; this painter's alone.
  TSmoothTextBitmaps FSmoothBitmaps;
};

}  // namespace vorna
