// Typing in insert and overwrite mode, deleting forward and backward by text
// unit, and the clipboard: copy, cut and paste with the box clipboard, and
// the window's text messages. Each change is one ReplaceText.
#include <algorithm>
#include <exception>
#include <stdexcept>

#include "platform/Clipboard.h"
#include "platform/MessageBoxes.h"
#include "text/Cp932.h"
#include "text/ShiftJis.h"
#include "text/TextLines.h"
#include "view/EditorViews.h"

namespace vorna {
namespace {

// Every line trimmed of spaces at both ends, then `prefix` put in front.
std::string PrefixLines(const std::string& text, const std::string& prefix) {
  std::string out;
  bool first = true;
  for (std::string_view line : SplitAtLineBreaks(text)) {
    const size_t from = line.find_first_not_of(" \t");
    const size_t to = line.find_last_not_of(" \t");
    if (!first) out += "\r\n";
    out += prefix;
    if (from != std::string_view::npos) out += line.substr(from, to - from + 1);
    first = false;
  }
  return out;
}

}  // namespace

bool TEditorView::TypeText(std::string_view text, bool typed, bool box) {
  if (IsReadOnly() || !FList || text.empty()) return false;
  const std::string owned(text);  // ReplaceText reads it after the caller's buffer may change
  TReplaceRequest q;
  q.Kind = typed ? ekTyping : ekReplace;
  q.InsertBox = box;
  q.OldCaret = FSel.Caret;
  if (FSel.Selecting) {
    // What is typed replaces the selection.
    GetNormalizedSelection(q.RangeStart, q.RangeEnd);
    q.DeleteBox = FSel.Box;
  } else {
    q.RangeStart = q.RangeEnd = FSel.Caret;
  }
  q.InsertAt = q.RangeStart;
  q.Text = owned;
  const bool split = owned == "\r\n";
  if (FOverwrite && !FSel.Selecting && !split && !FList->IsAtLineEnd(FSel.Caret)) {
    q.RangeEnd = OverwriteEnd(FSel.Caret, static_cast<int>(owned.size()));
    std::string padded = owned;
    // A double-byte character cut in two leaves a half-width space.
    if (FList->IsTrailCell(q.RangeEnd) && DocPosOf(q.RangeEnd).Y == DocPosOf(FSel.Caret).Y) {
      padded += ' ';
      ++q.RangeEnd.Column;
    }
    q.Text = padded;
    ReplaceText(q);
    return true;
  }
  ReplaceText(q);
  return true;
}

// The end of `cells` cells from `from`, carried into the following rows of
// the same line, at most the line's end.
TDisplayPos TEditorView::OverwriteEnd(TDisplayPos from, int cells) const {
  TDisplayPos end = from;
  int left = cells;
  for (;;) {
    const int rowCells = FList->RowCellCount(end.Row);
    if (end.Column + left <= rowCells + 1 || FList->GetRow(end.Row).LastRow ||
        end.Row + 1 >= FList->RowCount())
      return {std::min(end.Column + left, rowCells + 1), end.Row};
    left -= rowCells + 1 - end.Column;
    ++end.Row;
    end.Column = FList->GetRow(end.Row).Indent + 1;
  }
}

void TEditorView::RemoveRange(TDisplayPos start, TDisplayPos end, TEditKind kind, bool box) {
  TReplaceRequest q;
  q.RangeStart = start;
  q.RangeEnd = end;
  q.Kind = kind;
  q.DeleteBox = box;
  q.OldCaret = FSel.Caret;
  q.InsertAt = start;
  ReplaceText(q);
}

bool TEditorView::DeleteForward(TTextUnit unit) {
  if (IsReadOnly() || !FList) return false;
  if (FSel.Selecting) unit = tuSelection;
  TDisplayPos start = FSel.Caret, end = FSel.Caret;
  if (unit == tuSelection) {
    if (!FSel.Selecting) return false;
    GetNormalizedSelection(start, end);
  } else {
    if (FSel.Caret.Column > FList->RowCellCount(FSel.Caret.Row) + 1)
      return false;  // a free caret past the text
    TDisplayPos unitStart;
    GetUnitRange(unit, FSel.Caret, unitStart, end);
  }
  if (!Before(start, end) || DocPosOf(start) == DocPosOf(end)) return false;
  RemoveRange(start, end, ekDeleteForward, unit == tuSelection && FSel.Box);
  return true;
}

bool TEditorView::DeleteBackward(TTextUnit unit) {
  if (IsReadOnly() || !FList) return false;
  if (FSel.Selecting) {
    TDisplayPos start, end;
    GetNormalizedSelection(start, end);
    RemoveRange(start, end, ekDeleteBackward, FSel.Box);
    return true;
  }
  if (FSel.Caret.Column > FList->RowCellCount(FSel.Caret.Row) + 1) {
    MoveCaret(-1, 0);  // a free caret past the text steps back first
    return true;
  }
  const bool rowStart = FSel.Caret.Column <= FList->GetRow(FSel.Caret.Row).Indent + 1;
  if (rowStart && unit == tuWord) unit = tuCharacter;
  if (rowStart && (unit == tuRow || unit == tuLine)) return false;
  TDisplayPos start = FSel.Caret, end;
  if (unit == tuCharacter) {
    if (FSel.Caret == TDisplayPos{1, 0}) return false;
    start = ClampCaretPos({FSel.Caret.Column - 1, FSel.Caret.Row}, cmBack);
  } else {
    // The unit the character before the caret belongs to.
    const TDisplayPos back = ClampCaretPos({FSel.Caret.Column - 1, FSel.Caret.Row}, cmBack);
    GetUnitRange(unit, unit == tuWord ? back : FSel.Caret, start, end);
  }
  if (!Before(start, FSel.Caret) || DocPosOf(start) == DocPosOf(FSel.Caret)) return false;
  RemoveRange(start, FSel.Caret, ekDeleteBackward, false);
  return true;
}

bool TEditorView::UnitRangeForClipboard(TTextUnit unit, TDisplayPos& start, TDisplayPos& end,
                                        bool& box) const {
  box = false;
  if (unit == tuPosition || unit == tuSelection) {
    if (!FSel.Selecting) return false;
    GetNormalizedSelection(start, end);
    box = FSel.Box;
    return true;
  }
  GetUnitRange(unit, FSel.Caret, start, end);
  return !(start == end);
}

bool TEditorView::CopyUnit(TTextUnit unit) {
  TDisplayPos start, end;
  bool box = false;
  if (!FList || !UnitRangeForClipboard(unit, start, end, box)) return false;
  try {
    const std::string text = FList->GetRangeText(start, end, box);
    if (!Services().Clipboard) throw std::runtime_error("no clipboard");
    Services().Clipboard->SetText(text);
    // Only the last copy decides: stream text equal to an older box copy is a stream.
    FBoxClipText = box ? text : std::string();
  } catch (const std::exception&) {
    Services().Boxes->ShowError(Cp932Lit("クリップボードバグの発生。作者にお知らせください。3"));
    return false;
  }
  return true;
}

// Cut removes exactly what it copied.
bool TEditorView::CutUnit(TTextUnit unit) {
  if (IsReadOnly()) return false;
  TDisplayPos start, end;
  bool box = false;
  if (!FList || !UnitRangeForClipboard(unit, start, end, box) || !CopyUnit(unit)) return false;
  RemoveRange(start, end, ekDeleteForward, box);
  return true;
}

bool TEditorView::Paste(const std::string& prefix, const std::string& before, const std::string& after) {
  if (IsReadOnly() || !FList || !Services().Clipboard) return false;
  try {
    if (!Services().Clipboard->HasText()) return false;
    std::string text = Services().Clipboard->GetText();
    if (text.empty()) return false;
    const bool box = !FBoxClipText.empty() && text == FBoxClipText;
    if (!prefix.empty()) text = PrefixLines(text, prefix);
    text = before + text + after;
    return TypeText(text, false, box);
  } catch (const std::exception&) {
    Services().Boxes->ShowError(Cp932Lit("クリップボードバグの発生。作者にお知らせください。4"));
    return false;
  }
}

std::string TEditorView::GetTextMessage(int bufferBytes) const {
  if (bufferBytes <= 1) return {};
  std::string text = GetSelText();
  // Never half a character at the cut.
  size_t keep = std::min(text.size(), static_cast<size_t>(bufferBytes - 1));
  size_t i = 0;
  while (i < keep) {
    const size_t next = i + (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1);
    if (next > keep) break;
    i = next;
  }
  text.resize(i);
  return text;
}

}  // namespace vorna
