// The document's range edits: reading, deleting and inserting the text of a
// stream or box range, with virtual-space padding, kept indents and continued
// list numbers.
#include <algorithm>

#include "document/EditResults.h"
#include "document/RangePositions.h"
#include "text/TextLines.h"
#include "text/TextUtils.h"

namespace vorna {

using range_detail::ClampBoxCorner;
using range_detail::ClampDisplay;
using range_detail::DocPos;

namespace {

const std::string kCrLf = "\r\n";

// Bytes from..to-1 (1-based) of a line, or "" when the range is empty.
std::string_view Bytes(std::string_view line, int from, int to) {
  if (to <= from) return {};
  return std::string_view(line).substr(static_cast<size_t>(from - 1), static_cast<size_t>(to - from));
}

// Cells of padding that put `column` on a row of `cells` cells, capped.
int PaddingCells(int column, int cells) {
  return std::clamp(column - cells - 1, 0, range_detail::kMaxVirtualCells);
}

struct TBox {
  int Top, Bottom, Left, Right;
};

TBox OrderedBox(const TEditList& list, TDisplayPos start, TDisplayPos end) {
  start = ClampBoxCorner(list, start);
  end = ClampBoxCorner(list, end);
  return {std::min(start.Row, end.Row), std::max(start.Row, end.Row), std::min(start.Column, end.Column),
          std::max(start.Column, end.Column)};
}

// Bytes of the box's columns on `row`: [From, To) of line Line.
struct TBoxSpan {
  int Line, From, To;
};

TBoxSpan BoxSpan(const TEditList& list, int row, int left, int right) {
  const TTextPos a = DocPos(list, {left, row});
  const TTextPos b = DocPos(list, {right, row});
  return {a.Y, a.X, std::max(b.X, a.X)};
}

// Stream ends in document order.
void OrderedStream(const TEditList& list, TDisplayPos& start, TDisplayPos& end, TTextPos& s, TTextPos& e) {
  start = ClampDisplay(list, start);
  end = ClampDisplay(list, end);
  s = DocPos(list, start);
  e = DocPos(list, end);
  if (Before(e, s)) {
    std::swap(s, e);
    std::swap(start, end);
  }
}

std::string StreamText(const TEditList& list, TTextPos s, TTextPos e) {
  const std::string_view first = list.Get(s.Y);
  if (s.Y == e.Y) return std::string(Bytes(first, s.X, e.X));
  size_t size = first.size() + 2;
  for (int line = s.Y + 1; line <= e.Y; ++line) size += list.Get(line).size() + 2;
  std::string text;
  text.reserve(size);
  text += Bytes(first, s.X, static_cast<int>(first.size()) + 1);
  for (int line = s.Y + 1; line < e.Y; ++line) {
    text += kCrLf;
    text += list.Get(line);
  }
  text += kCrLf;
  text += Bytes(list.Get(e.Y), 1, e.X);
  return text;
}

}  // namespace

std::string TEditList::GetRangeText(TDisplayPos start, TDisplayPos end, bool box) const {
  if (box) {
    const TBox b = OrderedBox(*this, start, end);
    std::string text;
    for (int row = b.Top; row <= b.Bottom; ++row) {
      if (row > b.Top) text += kCrLf;
      const TBoxSpan span = BoxSpan(*this, row, b.Left, b.Right);
      text += Bytes(Get(span.Line), span.From, span.To);
    }
    return text;
  }
  TTextPos s, e;
  OrderedStream(*this, start, end, s, e);
  if (s == TTextPos{1, 0} && e.Y == Count() - 1 && e.X == static_cast<int>(Get(e.Y).size()) + 1)
    return GetText();
  return StreamText(*this, s, e);
}

void TEditList::DeleteRange(TDisplayPos start, TDisplayPos end, TEditResult& result, bool box) {
  result.DeletedText.clear();
  result.BoxPieces.clear();
  const bool headings = FEditSettings.HeadingVisible;
  bool heading = false;
  TTextPos s, t = DocPos(*this, ClampDisplay(*this, result.TrackPos));
  int firstRow, lastRow, rowsBefore;
  bool manyLines;

  if (box) {
    const TBox b = OrderedBox(*this, start, end);
    firstRow = b.Top;
    rowsBefore = RowsToLineEnd(b.Top);
    s = DocPos(*this, {b.Left, b.Top});
    manyLines = GetRow(b.Top).Line != GetRow(b.Bottom).Line;
    // Bottom up, so the rows above keep their records while lines below change.
    std::vector<std::string> pieces(static_cast<size_t>(b.Bottom - b.Top + 1));
    for (int row = b.Bottom; row >= b.Top; --row) {
      const TBoxSpan span = BoxSpan(*this, row, b.Left, b.Right);
      const std::string_view line = Get(span.Line);
      pieces[static_cast<size_t>(row - b.Top)] = Bytes(line, span.From, span.To);
      if (row == b.Top) s = {span.From, span.Line};
      if (span.To <= span.From) continue;
      heading |= headings && IsHeadingLine(span.Line);
      std::string changed(line.substr(0, static_cast<size_t>(span.From - 1)));
      changed += std::string_view(line).substr(static_cast<size_t>(span.To - 1));
      Put(span.Line, changed);
      heading |= headings && IsHeadingLine(span.Line);
      // A tracked position behind the cut moves with the text after it.
      if (t.Y == span.Line && t.X >= span.To)
        t.X -= span.To - span.From;
      else if (t.Y == span.Line && t.X > span.From)
        t.X = span.From;
    }
    result.DeletedText = JoinText(pieces, kCrLf);
    lastRow = b.Bottom + RowsToLineEnd(b.Bottom) - 1;
  } else {
    TTextPos e;
    OrderedStream(*this, start, end, s, e);
    firstRow = start.Row;
    rowsBefore = RowsToLineEnd(start.Row);
    manyLines = e.Y > s.Y;
    result.DeletedText = StreamText(*this, s, e);
    if (headings)
      for (int line = s.Y; line <= e.Y && !heading; ++line) heading = IsHeadingLine(line);
    if (Before(s, e)) {
      std::string merged(Get(s.Y).substr(0, static_cast<size_t>(s.X - 1)));
      merged += std::string_view(Get(e.Y)).substr(static_cast<size_t>(e.X - 1));
      Put(s.Y, merged);
      DeleteLines(s.Y + 1, e.Y - s.Y);
      heading |= headings && IsHeadingLine(s.Y);
    }
    if (t.Y > e.Y) {
      t.Y -= e.Y - s.Y;
    } else if (t.Y == e.Y && t.X >= e.X) {
      t = {s.X + (t.X - e.X), s.Y};
    } else if (!Before(t, s)) {
      t = s;  // inside the deleted text: it collapses onto the deletion point
    }
    lastRow = start.Row + rowsBefore - 1;
  }

  result.TrackPos = DocToDisplay(t);
  result.CaretPos = DocToDisplay(s);
  if (manyLines || RowsToLineEnd(firstRow) != rowsBefore) lastRow = kRowsToEnd;
  if (result.CaretPos.Row < firstRow) {
    firstRow = std::max(firstRow - 1, 0);
    lastRow = kRowsToEnd;
  }
  if (heading) {
    if (FLayout.ScenesNumbered()) RenumberScenes();
    lastRow = kRowsToEnd;
  }
  result.FirstRow = firstRow;
  result.LastRow = lastRow;
  if (heading) Fire(OnHeadingChange);
}

void TEditList::InsertText(TDisplayPos pos, std::string_view text, TEditResult& result, bool box,
                           bool verbatim) {
  result.InsertedText.clear();
  result.BoxPieces.clear();
  pos = ClampDisplay(*this, pos);
  const int column = pos.Column;  // box pieces go to this column on every row
  const int rowsBefore = RowsToLineEnd(pos.Row);
  result.FirstRow = pos.Row > 0 && GetRow(pos.Row).RowInLine != 0 ? pos.Row - 1 : pos.Row;
  int lastRow = pos.Row + rowsBefore - 1;
  const bool headings = FEditSettings.HeadingVisible;
  const bool zenkaku = FLayout.UseZenkaku;
  bool heading = false;

  // A NUL ends a text on loading, so one inside a line would cut the document
  // short at its next opening: inserted text ends at its first NUL too.
  text = text.substr(0, text.find('\0'));
  const std::vector<std::string_view> pieces = SplitAtLineBreaks(text);
  const int breaks = static_cast<int>(pieces.size()) - 1;
  int targetRow = pos.Row;
  const int firstPadding = PaddingCells(pos.Column, RowCellCount(pos.Row));
  TTextPos d = DocPos(*this, {pos.Column - firstPadding, pos.Row});
  const TTextPos insertStart = d;

  if (box) {
    for (int i = 0; i <= breaks; ++i) {
      const std::string_view piece = pieces[static_cast<size_t>(i)];
      int padding = firstPadding;
      if (i > 0) {
        // The next display row; rows past the end map to the start of the last row.
        const TDisplayPos at = ClampDisplay(*this, {column, ++targetRow});
        padding = PaddingCells(at.Column, RowCellCount(at.Row));
        d = DocPos(*this, {at.Column - padding, at.Row});
      }
      // An empty piece needs no padding: it would only leave trailing spaces.
      const std::string pad = piece.empty() ? std::string() : Indent(padding, zenkaku);
      if (i > 0) result.InsertedText += kCrLf;
      result.InsertedText += pad;
      result.InsertedText += piece;
      const TTextPos pieceStart = d;
      if (!pad.empty() || !piece.empty()) {
        const std::string_view line = Get(d.Y);
        std::string changed(line.substr(0, static_cast<size_t>(d.X - 1)));
        changed += pad;
        changed += piece;
        changed += std::string_view(line).substr(static_cast<size_t>(d.X - 1));
        Put(d.Y, changed);
        d.X += static_cast<int>(pad.size() + piece.size());
      }
      result.BoxPieces.push_back({DocToDisplay(pieceStart), DocToDisplay(d)});
      heading |= headings && IsHeadingLine(d.Y);
    }
  } else {
    const std::string pad = Indent(firstPadding, zenkaku);
    // The kept indent is the one of the line the text goes into.
    int indent = 0;
    if (FEditSettings.EditIndent && !verbatim) {
      const std::string_view line = Get(d.Y);
      while (indent < static_cast<int>(line.size()) && line[static_cast<size_t>(indent)] == ' ') ++indent;
    }
    const std::string spaces = Indent(indent, zenkaku);
    // The new lines are built in memory and go into the document in one block,
    // so a long paste moves the lines and rows after it once.
    const int firstLine = d.Y;
    std::string line(Get(d.Y));
    std::vector<std::string> block;
    for (int i = 0; i <= breaks; ++i) {
      const std::string_view piece = pieces[static_cast<size_t>(i)];
      const std::string_view before = std::string_view(line).substr(0, static_cast<size_t>(d.X - 1));
      const std::string_view after = std::string_view(line).substr(static_cast<size_t>(d.X - 1));
      const std::string_view piecePad = i == 0 ? std::string_view(pad) : std::string_view();
      if (i < breaks) {
        std::string head(before);
        head += piecePad;
        head += piece;
        std::string lead = spaces;
        if (FLayout.Wrap.ItemizedStatement && !verbatim) lead += NextListItemNumber(line);
        line = lead + std::string(after);
        block.push_back(std::move(head));
        d = {static_cast<int>(lead.size()) + 1, d.Y + 1};
        result.InsertedText += piecePad;
        result.InsertedText += piece;
        result.InsertedText += kCrLf;
        result.InsertedText += lead;
      } else {
        if (!piecePad.empty() || !piece.empty()) {
          std::string changed(before);
          changed += piecePad;
          changed += piece;
          changed += after;
          line = std::move(changed);
        }
        d.X += static_cast<int>(piecePad.size() + piece.size());
        result.InsertedText += piecePad;
        result.InsertedText += piece;
      }
      heading |= headings && IsHeadingText(line);
    }
    if (block.empty()) {
      if (line != Get(firstLine)) Put(firstLine, line);
    } else {
      block.push_back(std::move(line));
      Put(firstLine, block.front());
      block.erase(block.begin());
      InsertLines(firstLine + 1, block);
    }
  }

  result.CaretPos = DocToDisplay(d);
  result.InsertStart = DocToDisplay(insertStart);
  if (RowsToLineEnd(pos.Row) != rowsBefore || breaks > 0 || FLayout.ScenesNumbered()) lastRow = kRowsToEnd;
  result.LastRow = lastRow;
  if (heading || lastRow == kRowsToEnd) Fire(OnHeadingChange);
}

}  // namespace vorna
