// The cell styles of a row, cached per visible row slot: the base style,
// space marks, upright pairs, keyword, link and search matches, the
// selection, and the measured advances of a proportional font.
#include <algorithm>

#include "layout/LineWraps.h"
#include "print/LpPrinters.h"
#include "settings/StyleElements.h"
#include "text/Links.h"
#include "text/ShiftJis.h"
#include "text/StrSrch.h"
#include "view/RowPainters.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

constexpr int kRowCacheSpare = 4;

bool IsReadOnlyView(const TEditorStyle& s, const TEditList& list) {
  return s.GetReadOnly() || list.IsReadOnlyFile();
}

// The display text of a row without the indent the layout put in front of it.
std::string WithoutIndent(const TEditList& list, int row) {
  std::string text = list.RowDisplayText(row);
  const size_t indent = list.GetRow(row).Indent;
  return text.substr(std::min(indent, text.size()));
}

void SetCellStyles(TRowPaintInfo& info, int first, int last, int style) {
  const int size = static_cast<int>(info.Cells.size()) - 1;
  first = std::max(first, 0);
  last = std::min(last, size - 1);
  for (int i = first; i <= last; ++i) info.Cells[static_cast<size_t>(i)].Style = static_cast<uint8_t>(style);
}

}  // namespace

void TRowPainter::ResizeRowCache(int rows) {
  FRowCache.assign(static_cast<size_t>(std::max(rows, 1)), TRowPaintInfo{});
  InvalidateRowCache();
}

const TRowPaintInfo& TRowPainter::GetRowPaintInfo(int row, bool force) const {
  if (FRowCache.empty()) FRowCache.resize(kRowCacheSpare);
  TRowPaintInfo& info = FRowCache[static_cast<size_t>(std::max(row, 0)) % FRowCache.size()];
  int selFirst = 0, selLast = -1;
  bool lineBreak = false;
  Sel().SelectedCells(Doc(), row, selFirst, selLast, lineBreak);
  const bool caretRow = row == Sel().Caret.Row && !IsReadOnlyView(Style(), Doc());
  const bool valid = !force && info.Row == row && info.Generation == FPaintGeneration &&
                     info.CaretRow == caretRow && info.SelFirst == selFirst && info.SelLast == selLast &&
                     info.RawText == Doc().RowText(row);
  if (!valid) {
    FState = FHost.PaintState();
    BuildRowPaintInfo(info, row);
  }
  return info;
}

void TRowPainter::BuildRowPaintInfo(TRowPaintInfo& info, int row) const {
  const TEditorStyle& s = Style();
  const TRowInfo r = Doc().GetRow(row);
  info.Row = row;
  info.Generation = FPaintGeneration;
  info.RawText = Doc().RowText(row);
  info.DisplayText = Doc().RowDisplayText(row);
  info.CaretRow = row == Sel().Caret.Row && !IsReadOnlyView(s, Doc());
  bool lineBreak = false;
  info.SelFirst = 0;
  info.SelLast = -1;
  Sel().SelectedCells(Doc(), row, info.SelFirst, info.SelLast, lineBreak);
  info.FootNoteMarks.clear();

  int base = kElemNormal;
  if (info.CaretRow && ElementVisible(kElemCaretLine))
    base = kElemCaretLine;
  else if (r.Line >= 0 && ElementVisible(kElemHeading) && Doc().IsHeadingLine(r.Line))
    base = kElemHeading;
  const std::string& text = info.DisplayText;
  const int size = static_cast<int>(text.size());
  info.Cells.assign(static_cast<size_t>(size) + 1,
                    TCellStatus{static_cast<uint8_t>(base), static_cast<uint8_t>(base), 0});

  // Space marks, over the text only: the indent is no text of the document.
  const int indent = std::min<int>(r.Indent, size);
  const bool zenkaku = ElementVisible(kElemZenkakuSpace), hankaku = ElementVisible(kElemHankakuSpace);
  if (zenkaku || hankaku) {
    for (int i = indent; i < size;) {
      const int length = IsDoubleByteAt(text, static_cast<size_t>(i)) ? 2 : 1;
      if (length == 2 && zenkaku && static_cast<unsigned char>(text[i]) == 0x81 &&
          static_cast<unsigned char>(text[i + 1]) == 0x40)
        SetCellStyles(info, i, i + 1, kElemZenkakuSpace);
      else if (length == 1 && hankaku && text[i] == ' ')
        SetCellStyles(info, i, i, kElemHankakuSpace);
      i += length;
    }
  }
  if (s.GetVertical() && ElementVisible(kElemVerticalRow))
    for (const int start : FindUprightPairs(text, indent))
      SetCellStyles(info, start, start + 1, kElemVerticalRow);
  MarkMatches(info, row, indent);
  for (int i = std::max(info.SelFirst, 0); i <= std::min(info.SelLast, size - 1); ++i) {
    TCellStatus& cell = info.Cells[static_cast<size_t>(i)];
    cell.Style2 = cell.Style;
    cell.Style = kElemSelect;
  }
  if (s.GetProportionalFont()) MeasureProportional(info);
  if (ElementVisible(kElemFootNote) && ElementVisible(kElemFootNoteMark)) BuildFootNoteMarks(info, row);
}

void TRowPainter::MarkMatches(TRowPaintInfo& info, int row, int indentBytes) const {
  const TEditorStyle& s = Style();
  const bool keywords = ElementVisible(kElemKeyWord) && s.GetKeyWordStrs().GetCount() > 0;
  const bool mails = ElementVisible(kElemMail), urls = ElementVisible(kElemUrl);
  const bool finds = ElementVisible(kElemFind) && FHost.Finds().Active();
  const TRowInfo r = Doc().GetRow(row);
  if (keywords || mails || urls) {
    // Matches may cross into the neighbouring rows of the same line.
    std::string before, after;
    if (r.RowInLine > 0) before = WithoutIndent(Doc(), row - 1);
    if (!r.LastRow && row + 1 < Doc().RowCount()) after = WithoutIndent(Doc(), row + 1);
    const std::string own = info.DisplayText.substr(static_cast<size_t>(indentBytes));
    const std::string joined = before + own + after;
    const int shift = indentBytes - static_cast<int>(before.size());
    // 1-based positions in `joined` to cells of the row.
    auto mark = [&](int first, int last, int style) {
      SetCellStyles(info, first - 1 + shift, last - 1 + shift, style);
    };
    if (keywords) {
      const int options = s.GetWordWrap() ? 3 : 0;
      for (const std::string& word : s.GetKeyWordStrs().GetStrings()) {
        if (word.empty()) continue;
        for (const int at : FindAll(word, joined, options))
          mark(at, at + static_cast<int>(word.size()) - 1, kElemKeyWord);
      }
    }
    if (mails)
      for (const TByteRange& m : FindMails(joined)) mark(m.First, m.Last, kElemMail);
    if (urls)
      for (const TByteRange& u : FindUrls(joined)) mark(u.First, u.Last, kElemUrl);
  }
  if (finds) MarkFinds(info, r);
}

// The matches of the whole line, clipped to the row: a match across a row
// break colours its part on each row, and notation hidden inside a match
// has no cells to colour.
void TRowPainter::MarkFinds(TRowPaintInfo& info, const TRowInfo& r) const {
  if (r.Line < 0) return;
  const std::string_view line = Doc().Get(r.Line);
  const std::vector<TSearchMatch>& matches =
      FHost.Finds().MatchesInLine(line, {&Doc(), r.Line, FPaintGeneration, line.size()});
  const int rowStart = static_cast<int>(r.Start), rowEnd = rowStart + static_cast<int>(r.Length);
  auto it = std::partition_point(matches.begin(), matches.end(),
                                 [rowStart](const TSearchMatch& m) { return m.End() <= rowStart; });
  if (it == matches.end() || it->Start >= rowEnd) return;
  // Cells are counted as the row's display text is made. After the first
  // row (which carries the name padding and the scene mark) over the row's
  // own bytes, so a row of a long line never reads the whole line.
  const bool first = r.RowInLine == 0;
  const std::string_view text =
      first ? std::string_view(line) : std::string_view(line).substr(rowStart - 1, r.Length);
  TLayoutSettings wrap = Doc().Layout().Wrap;
  if (!first) {
    wrap.SerifuNameRestore = false;
    wrap.HashiraHeader.clear();
  }
  const int shift = first ? 0 : rowStart - 1, start = first ? rowStart : 1;
  const auto cellOf = [&](int byte) {
    return CellColumn(text, byte - shift, wrap, static_cast<int>(r.Indent), false, start);
  };
  for (; it != matches.end() && it->Start < rowEnd; ++it) {
    const int from = std::max(it->Start, rowStart), to = std::min(it->End(), rowEnd);
    if (to > from) SetCellStyles(info, cellOf(from) - 1, cellOf(to) - 2, kElemFind);
  }
}

void TRowPainter::MeasureProportional(TRowPaintInfo& info) const {
  const std::string& text = info.DisplayText;
  const int size = static_cast<int>(text.size());
  TCanvas& canvas = Canvas();
  const TFontSpec saved = canvas.Font();
  TFontSpec font = FHost.TextFont();
  font.Height = -Layout().FontHeight;
  if (Vertical()) font.Escapement = kVerticalEscapement;
  canvas.SetFont(font);
  int measured = 0;
  for (int i = 0; i < size;) {
    const int length = (IsDoubleByteAt(text, static_cast<size_t>(i)) ? 2 : 1);
    TCellStatus& cell = info.Cells[static_cast<size_t>(i)];
    if (text[static_cast<size_t>(i)] == '\t')
      cell.Advance = Layout().CellPitch + Layout().ColumnSpacePx;
    else
      cell.Advance = canvas.TextWidth(
                         std::string_view(text).substr(static_cast<size_t>(i), static_cast<size_t>(length))) +
                     Layout().ColumnSpacePx;
    if (length == 2 && i + 1 < size) info.Cells[static_cast<size_t>(i) + 1].Advance = Layout().ColumnSpacePx;
    for (int k = 0; k < length && i + k < size; ++k)
      measured += info.Cells[static_cast<size_t>(i + k)].Advance;
    i += length;
  }
  canvas.SetFont(saved);

  // On paper the screen row ends where the printed row will end.
  if (!FState.Paper || FState.Printing || FState.Preview || FState.PrinterPass || !FState.Printer ||
      !FState.Printer->Available() || size == 0)
    return;
  TCanvas* printer = nullptr;
  try {
    printer = &FState.Printer->Canvas();
  } catch (const std::exception&) {
    return;
  }
  const TFontSpec printerSaved = printer->Font();
  TFontSpec printerFont = font;
  printerFont.Height = -std::max(Layout().PrinterFontHeight, 1);
  printer->SetFont(printerFont);
  const int64_t printed = static_cast<int64_t>(printer->TextWidth(text)) +
                          static_cast<int64_t>(Layout().PrinterColumnSpacePx) * size;
  printer->SetFont(printerSaved);
  const int screenPage = Vertical() ? FState.PageSize.Y : FState.PageSize.X;
  if (Layout().PrinterPageAlongPx <= 0 || screenPage <= 0) return;
  int diff = ClampPixels(
      RoundPixels(static_cast<double>(printed) * screenPage / Layout().PrinterPageAlongPx) - measured);
  // A pixel at a time from the start, over the cells that begin a character.
  std::vector<int> starts;
  for (int i = 0; i < size;) {
    starts.push_back(i);
    i += (IsDoubleByteAt(text, static_cast<size_t>(i)) ? 2 : 1);
  }
  const int step = diff > 0 ? 1 : -1;
  for (size_t k = 0; diff != 0; k = (k + 1) % starts.size()) {
    int& advance = info.Cells[static_cast<size_t>(starts[k])].Advance;
    if (step < 0 && advance <= 0) {
      // Nothing left to take anywhere: stop rather than go negative.
      bool any = false;
      for (const int st : starts) any = any || info.Cells[static_cast<size_t>(st)].Advance > 0;
      if (!any) break;
      continue;
    }
    advance += step;
    diff -= step;
  }
}

}  // namespace vorna
