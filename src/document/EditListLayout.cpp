// The document's row table: full layout with progress and time projection,
// the incremental updates after line edits, scene numbers, and the mapping
// between document and display positions.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "document/EditLists.h"
#include "layout/LineWraps.h"
#include "text/Notations.h"
#include "text/ShiftJis.h"
#include "text/TextUtils.h"

namespace vorna {
namespace {

// Line indices checked for the time projection of a full layout.
constexpr int kProjectionLine = 10000;
// A full layout projected above this many seconds warns and may be cancelled.
constexpr int kSlowLayoutSeconds = 28;
constexpr int kSlowProgressInterval = 1000;

uint8_t IndentCells(int cells) { return static_cast<uint8_t>(std::clamp(cells, 0, 255)); }

}  // namespace

bool TEditList::ReportProgress(int stage, int value) {
  bool cancel = false;
  if (OnRelayoutProgress) OnRelayoutProgress(this, stage, value, cancel);
  return cancel;
}

int TEditList::RowCount() const { return std::max(Count(), FRows.Count()); }

void TEditList::WrapLine(int line, bool insert, int& scene, int& row) {
  if (row < 0 || row >= FRows.Count()) {
    row = FRows.Count();
    insert = true;
  }
  row += PlaceLineRows(line, row, insert ? 0 : -1, scene);
}

void TEditList::BuildLineRows(int line, std::vector<TRowInfo>& rows, int& scene) const {
  const std::string_view text = Get(line);
  BuildLineRows(line, text, GetLineIndent(text, FLayout.Wrap), rows, scene);
}

void TEditList::BuildLineRows(int line, std::string_view text, const TLineIndent& indent,
                              std::vector<TRowInfo>& rows, int& scene) const {
  static thread_local std::vector<int> lengths;
  if (text.empty())
    lengths.assign(1, 0);  // one row of 0 bytes, without the wrapping's set-up
  else
    WrapText(text, FWrapInputs, FLayout.Wrap, indent, lengths);
  const int n = static_cast<int>(lengths.size());
  const bool heading = FLayout.ScenesNumbered() && IsHeadingLine(line);
  uint32_t start = 1;
  for (int k = 0; k < n; ++k) {
    TRowInfo& r = rows.emplace_back();
    r.Line = line;
    r.Start = start;
    r.Length = static_cast<uint32_t>(lengths[k]);
    r.RowInLine = static_cast<uint16_t>(std::min(k, 0xFFFF));
    r.Indent = k > 0 || indent.FirstRow ? IndentCells(indent.Cells) : 0;
    r.LastRow = k == n - 1;
    if (k == 0 && heading) r.SceneNo = static_cast<uint16_t>(++scene);
    start += r.Length;
  }
}

// Writes the rows of `line` from `row` on, taking the place of `replaced`
// existing records (-1: overwrite as many as the line needs). The table grows
// or shrinks only by the difference, so an edit that keeps a line's row count
// moves nothing. Returns the number of rows written.
int TEditList::PlaceLineRows(int line, int row, int replaced, int& scene) {
  static thread_local std::vector<TRowInfo> rows;
  rows.clear();
  BuildLineRows(line, rows, scene);
  const int n = static_cast<int>(rows.size());
  if (replaced < 0) replaced = std::clamp(FRows.Count() - row, 0, n);
  FRows.Splice(row, replaced, rows);
  return n;
}

void TEditList::Relayout() {
  if (FLoading || IsUpdating()) return;
  ReportProgress(rsStart, 0);
  // The rows are built anew by appending, which fills whole blocks.
  const int expectedRows = RowCount();
  FRows.Clear();
  FRows.SetCapacity(expectedRows);
  FMaxLineLength = 0;
  int scene = 0, row = 0;
  const TLayoutSettings& wrap = FLayout.Wrap;
  int interval = wrap.ProportionalFont                              ? FProgressInterval / 10
                 : wrap.ColumnCountAuto || FLayout.ColumnCount != 0 ? FProgressInterval
                                                                    : FProgressInterval * 10;
  interval = std::max(interval, 1);
  const auto started = std::chrono::steady_clock::now();
  const int lines = Count();
  // The rows go into the table some thousands at a time.
  std::vector<TRowInfo> batch;
  // Files of short lines are mostly empty lines, whose indent never differs:
  // unless scene headings are numbered, such a line has this one row.
  const TLineIndent emptyIndent = GetLineIndent({}, wrap);
  TRowInfo emptyRow;
  emptyRow.Start = 1;
  emptyRow.Indent = emptyIndent.FirstRow ? IndentCells(emptyIndent.Cells) : 0;
  emptyRow.LastRow = 1;
  const bool emptyRowsPlain = !FLayout.ScenesNumbered();
  int nextReport = interval;  // the next line whose number is a multiple of interval
  // Empty lines not yet stored, after the rows of the batch. A long run of
  // them goes into the table in one piece; a short one joins the batch.
  constexpr int kEmptyRunAppended = 64;
  int emptyFrom = 0, emptyRun = 0;
  const auto takeEmptyRun = [&] {
    if (emptyRun == 0) return;
    if (emptyRun < kEmptyRunAppended) {
      for (int line = emptyFrom; line < emptyFrom + emptyRun; ++line) {
        emptyRow.Line = line;
        batch.push_back(emptyRow);
      }
    } else {
      FRows.Splice(FRows.Count(), 0, batch);
      batch.clear();
      FRows.AppendEmptyLines(emptyRun, emptyRow.Indent);
    }
    emptyRun = 0;
  };
  const auto flush = [&] {
    takeEmptyRun();
    FRows.Splice(FRows.Count(), 0, batch);
    batch.clear();
  };
  // The lines are walked block by block: a progress report must not change them.
  int i = 0;
  bool cancelled = false;
  FLines.ForEachLine([&](std::string_view text) {
    if (cancelled) {
      takeEmptyRun();
      // Keep the table whole and ordered: the lines not yet wrapped get one
      // unwrapped row each until the next full layout.
      TRowInfo r;
      r.Line = i++;
      r.Start = 1;
      r.Length = static_cast<uint32_t>(text.size());
      r.LastRow = 1;
      batch.push_back(r);
      if (batch.size() >= 4096) flush();
      return;
    }
    if (text.empty() && emptyRowsPlain) {
      if (emptyRun++ == 0) emptyFrom = i;
    } else {
      takeEmptyRun();
      BuildLineRows(i, text, text.empty() ? emptyIndent : GetLineIndent(text, wrap), batch, scene);
    }
    if (batch.size() >= 4096) flush();
    row = FRows.Count() + static_cast<int>(batch.size()) + emptyRun;
    FMaxLineLength = std::max(FMaxLineLength, static_cast<int>(text.size()));
    if (i == kProjectionLine) {
      const double elapsed =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
      const long long projected = std::llround(static_cast<double>(lines) / kProjectionLine * elapsed * 0.8);
      FProjectedTime = static_cast<int>(std::min<long long>(projected / 10 * 10, 1 << 30));
      if (projected > kSlowLayoutSeconds) {
        interval = kSlowProgressInterval;
        nextReport = (i + interval - 1) / interval * interval;
        cancelled = ReportProgress(rsSlowLayout, row);
      }
    }
    if (i == nextReport) {
      nextReport += interval;
      if (!cancelled) ReportProgress(rsProgress, i);
    }
    ++i;
  });
  if (cancelled) {
    flush();
    FNeedRelayout = true;
    return;
  }
  flush();
  ReportProgress(rsDone, row);
  FNeedRelayout = false;
}

int TEditList::FirstRowOfLine(int line) const {
  if (FRows.Count() == 0 || line < 0) return -1;
  const int row = FRows.LowerBoundLine(line);
  return FRows.GetRow(row).Line == line ? row : -1;
}

// Writes the rows of `line` at firstRow in place of its `oldRows` rows, whose
// first row carried a scene number when oldSceneRows is 1. The rows after it
// follow: their scene numbers (their line numbers follow by themselves).
void TEditList::SpliceLineRows(int line, int firstRow, int oldRows, int oldSceneRows) {
  // Only a numbered heading needs the scene number before it.
  int scene = FLayout.ScenesNumbered() && IsHeadingLine(line) ? FRows.SceneBefore(firstRow) : 0;
  const int n = PlaceLineRows(line, firstRow, oldRows, scene);
  const int newSceneRows = FRows.GetRow(firstRow).SceneNo != 0 ? 1 : 0;
  FRows.ShiftScenes(firstRow + n, newSceneRows - oldSceneRows);
  FMaxLineLength = std::max(FMaxLineLength, static_cast<int>(Get(line).size()));
}

// An empty row table means the document was never laid out; the edit hooks
// then leave it to the first full layout.
void TEditList::LineInserted(int line) {
  if (FLoading || FRows.Count() == 0 || line < 0 || line >= Count()) return;
  int first = FirstRowOfLine(line);
  if (first < 0) first = FRows.Count();
  SpliceLineRows(line, first, 0, 0);
}

void TEditList::LineChanged(int line) {
  if (FLoading || FRows.Count() == 0 || line < 0 || line >= Count()) return;
  const int first = FRows.LowerBoundLine(line);
  int count = 0;
  while (first + count < FRows.Count() && FRows.GetRow(first + count).Line == line) ++count;
  const int oldSceneRows = count > 0 && FRows.GetRow(first).SceneNo != 0 ? 1 : 0;
  SpliceLineRows(line, first, count, oldSceneRows);
}

void TEditList::LineDeleted(int line) {
  if (FLoading || FRows.Count() == 0) return;
  const int first = FirstRowOfLine(line);
  if (first < 0) return;
  int count = 0;
  while (first + count < FRows.Count() && FRows.GetRow(first + count).Line == line) ++count;
  const bool numbered = FRows.GetRow(first).SceneNo != 0;
  FRows.DeleteRows(first, count);
  // The scene numbers after a deleted heading move down with it.
  FRows.ShiftScenes(first, numbered ? -1 : 0);
}

void TEditList::LinesInserted(int first, int count) {
  if (FLoading || FRows.Count() == 0 || count <= 0 || first < 0 || first + count > Count()) return;
  // The rows still carry the old line numbers: the line the block went
  // before is the one numbered `first` there.
  int row = FirstRowOfLine(first);
  if (row < 0) row = FRows.Count();
  int scene = FLayout.ScenesNumbered() ? FRows.SceneBefore(row) : 0;
  const int sceneBefore = scene;
  std::vector<TRowInfo> rows;
  for (int line = first; line < first + count; ++line) {
    BuildLineRows(line, rows, scene);
    FMaxLineLength = std::max(FMaxLineLength, static_cast<int>(Get(line).size()));
  }
  FRows.Splice(row, 0, rows);
  const int after = row + static_cast<int>(rows.size());
  FRows.ShiftScenes(after, scene - sceneBefore);
}

void TEditList::LinesDeleted(int first, int count) {
  if (FLoading || FRows.Count() == 0 || count <= 0) return;
  const int row = FirstRowOfLine(first);
  if (row < 0) return;
  const int end = FRows.LowerBoundLine(first + count);
  const int numbered = FRows.NumberedRows(row, end - row);
  FRows.DeleteRows(row, end - row);
  FRows.ShiftScenes(row, -numbered);
}

void TEditList::RenumberScenes() {
  int scene = 0;
  const bool numbered = FLayout.ScenesNumbered();
  for (int r = 0; r < FRows.Count(); ++r) {
    TRowInfo row = FRows.GetRow(r);
    const uint16_t sceneNo =
        numbered && row.RowInLine == 0 && IsHeadingLine(row.Line) ? static_cast<uint16_t>(++scene) : 0;
    if (row.SceneNo == sceneNo) continue;
    row.SceneNo = sceneNo;
    FRows.PutRow(r, row);
  }
}

std::string TEditList::RowText(int row) const {
  const TRowInfo r = FRows.GetRow(row);
  if (r.Line < 0) return {};
  const std::string_view line = Get(r.Line);
  if (r.Start < 1 || r.Start > line.size() + 1) return {};
  return std::string(line.substr(r.Start - 1, r.Length));
}

std::string TEditList::RowDisplayText(int row) const {
  const TRowInfo r = FRows.GetRow(row);
  if (r.Line < 0) return {};
  const TLayoutSettings& wrap = FLayout.Wrap;
  const std::string_view line = Get(r.Line);
  std::string text = RowText(row);
  // The speaker-name padding belongs to the first row, where the wrapping counts it.
  {
    const int p = SerifuHeaderByte(row);
    if (p > 0 && p <= kSpeakerNameCells) {
      if (p == kSpeakerTwoCharName) {
        text.insert(2, Indent(2, FLayout.UseZenkaku));
      } else if (p == kSpeakerOneCharName) {
        text = Indent(2, FLayout.UseZenkaku) + text.substr(0, 2) + Indent(2, FLayout.UseZenkaku) +
               text.substr(2);
      } else {
        text.insert(static_cast<size_t>(p - 1), Indent(kSpeakerNameCells + 1 - p, FLayout.UseZenkaku));
      }
    }
  }
  text.insert(0, Indent(r.Indent, FLayout.UseZenkaku));
  if (wrap.TabVisible) text = ExpandTabs(text, std::max(wrap.TabLength, 1), '\t');
  if (wrap.FootNoteVisible) text = RemoveAnnotations(text);
  if (wrap.RubiVisible) text = RemoveRuby(text);
  // The scene-heading mark is hidden where the wrapping hides it: on the first
  // row of a line that starts with it.
  if (r.RowInLine == 0 && wrap.GapLineStyle == kGapLineScenes && IsHeadingLine(r.Line) &&
      !wrap.HashiraHeader.empty() && line.compare(0, wrap.HashiraHeader.size(), wrap.HashiraHeader) == 0 &&
      text.compare(0, wrap.HashiraHeader.size(), wrap.HashiraHeader) == 0)
    text.erase(0, wrap.HashiraHeader.size());
  return text;
}

int TEditList::SerifuHeaderByte(int row) const {
  const TRowInfo r = FRows.GetRow(row);
  const TLayoutSettings& wrap = FLayout.Wrap;
  if (r.Line < 0 || r.RowInLine != 0 || !wrap.SerifuNameRestore || wrap.SerifuHeader.empty()) return 0;
  const std::string_view line = Get(r.Line);
  if (!IsSerifuLine(line, wrap.SerifuHeader, wrap.SerifuFooter)) return 0;
  const size_t found = RowText(row).find(wrap.SerifuHeader);
  return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

int TEditList::RowCellCount(int row) const {
  const TRowInfo r = FRows.GetRow(row);
  if (r.Line < 0) return 0;
  const std::string_view line = Get(r.Line);
  const int end = static_cast<int>(r.Start + r.Length);
  return std::max(CellColumn(line, end, FLayout.Wrap, r.Indent, false, static_cast<int>(r.Start)) - 1, 0);
}

bool TEditList::IsTrailCell(TDisplayPos pos) const {
  if (pos.Column < 1) return false;
  const std::string text = RowDisplayText(pos.Row);
  if (pos.Column > static_cast<int>(text.size())) return false;
  return ByteTypeAt(text, pos.Column) == TByteType::Trail;
}

int TEditList::RowCaretLimit(int row) const {
  const TRowInfo r = FRows.GetRow(row);
  const int cells = RowCellCount(row);
  int limit;
  if (r.LastRow) {
    limit = cells + 1;
  } else {
    limit = IsTrailCell({cells, row}) ? cells - 1 : cells;
  }
  return std::max(limit, 1);
}

TTextPos TEditList::DisplayToDoc(TDisplayPos pos) const {
  int row = pos.Row;
  int column = pos.Column;
  if (row >= RowCount()) {
    row = RowCount() - 1;
    column = 1;
  }
  row = std::max(row, 0);
  const TRowInfo r = FRows.GetRow(row);
  if (r.Line < 0) return {1, std::clamp(row, 0, Count() - 1)};
  const std::string_view line = Get(r.Line);
  const int start = static_cast<int>(r.Start);
  const int rowEnd = start + static_cast<int>(r.Length);  // first byte after the row
  int byte = FitCells(line, start, std::max(column, 1), FLayout.Wrap, r.Indent);
  // The fit takes the notation hidden after a byte along with it; a caret
  // belongs before the visible byte itself, never inside the notation.
  const THiddenMask& mask = LineHiddenMask(line, FLayout.Wrap);
  while (byte > start && mask.Hidden(byte)) --byte;
  byte = std::clamp(byte, start, rowEnd);
  return {byte, r.Line};
}

TDisplayPos TEditList::DocToDisplay(TTextPos pos, bool beforePadding) const {
  int row = FirstRowOfLine(pos.Y);
  if (row < 0) return {1, -1};
  const std::string_view line = Get(pos.Y);
  const int byte = std::clamp(pos.X, 1, static_cast<int>(line.size()) + 1);
  TRowInfo r = FRows.GetRow(row);
  while (!r.LastRow && row + 1 < FRows.Count() && static_cast<int>(r.Start + r.Length) <= byte)
    r = FRows.GetRow(++row);
  const int column = CellColumn(line, byte, FLayout.Wrap, r.Indent, beforePadding, static_cast<int>(r.Start));
  return {std::max(column, 1), row};
}

int TEditList::LineNumberDigits(int capacityCells) const {
  const auto digitsOf = [](long long n) {
    int digits = 1;
    for (; n >= 10; n /= 10) ++digits;
    return digits;
  };
  if (FRows.Count() == 0 && FLayout.LineInfoStyle != kLineInfoLines && capacityCells > 0) {
    // Not laid out yet: a row of the line per capacityCells bytes (a byte
    // shows as a cell unless notation hides it), so the column gets the width
    // the layout will need and the text is laid out once. A line takes at
    // least one row and at most one more than its bytes fill: when both
    // bounds have as many digits, the lines need not be read.
    const size_t capacity = static_cast<size_t>(capacityCells);
    const long long fewest = Count();
    const long long most = fewest + static_cast<long long>(TextBytes() / capacity);
    if (digitsOf(fewest) == digitsOf(most)) return digitsOf(fewest);
    long long rows = 0;
    FLines.ForEachLine([&](std::string_view line) {
      rows += line.size() <= capacity ? 1 : static_cast<long long>((line.size() + capacity - 1) / capacity);
    });
    return digitsOf(std::min<long long>(rows, std::numeric_limits<int>::max()));
  }
  return digitsOf(FLayout.LineInfoStyle == kLineInfoLines ? Count() : RowCount());
}

}  // namespace vorna
