// Typing in insert and overwrite mode, deleting forward and backward by text
// unit, the clipboard (copy, cut and paste with the box clipboard), re-flow,
// join and the character conversions. Each change is one ReplaceText.
#include "view/TextEditings.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "platform/Clipboard.h"
#include "platform/MessageBoxes.h"
#include "text/Cp932.h"
#include "text/ShiftJis.h"
#include "text/TextConversions.h"
#include "text/TextLines.h"

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

TTextEditing::TTextEditing(TEditingHost& host, TUndoOwner& owner, const TPlatformServices& services)
    : FHost(host), FOwner(owner), FServices(services) {}

bool TTextEditing::TypeText(std::string_view text, bool typed, bool box) {
  if (!Editable() || text.empty()) return false;
  const std::string owned(text);  // ReplaceText reads it after the caller's buffer may change
  TReplaceRequest q;
  q.Kind = typed ? ekTyping : ekReplace;
  q.InsertBox = box;
  q.OldCaret = Sel().Caret;
  if (Sel().Selecting) {
    // What is typed replaces the selection.
    Sel().Normalized(q.RangeStart, q.RangeEnd);
    q.DeleteBox = Sel().Box;
  } else {
    q.RangeStart = q.RangeEnd = Sel().Caret;
  }
  q.InsertAt = q.RangeStart;
  q.Text = owned;
  const bool split = owned == "\r\n";
  if (FOverwrite && !Sel().Selecting && !split && !List().IsAtLineEnd(Sel().Caret)) {
    q.RangeEnd = OverwriteEnd(Sel().Caret, static_cast<int>(owned.size()));
    std::string padded = owned;
    // A double-byte character cut in two leaves a half-width space.
    if (List().IsTrailCell(q.RangeEnd) && FOwner.DocPosOf(q.RangeEnd).Y == FOwner.DocPosOf(Sel().Caret).Y) {
      padded += ' ';
      ++q.RangeEnd.Column;
    }
    q.Text = padded;
    FOwner.ReplaceText(q);
    return true;
  }
  FOwner.ReplaceText(q);
  return true;
}

// The end of `cells` cells from `from`, carried into the following rows of
// the same line, at most the line's end.
TDisplayPos TTextEditing::OverwriteEnd(TDisplayPos from, int cells) const {
  TDisplayPos end = from;
  int left = cells;
  for (;;) {
    const int rowCells = List().RowCellCount(end.Row);
    if (end.Column + left <= rowCells + 1 || List().GetRow(end.Row).LastRow ||
        end.Row + 1 >= List().RowCount())
      return {std::min(end.Column + left, rowCells + 1), end.Row};
    left -= rowCells + 1 - end.Column;
    ++end.Row;
    end.Column = List().GetRow(end.Row).Indent + 1;
  }
}

void TTextEditing::RemoveRange(TDisplayPos start, TDisplayPos end, TEditKind kind, bool box) {
  TReplaceRequest q;
  q.RangeStart = start;
  q.RangeEnd = end;
  q.Kind = kind;
  q.DeleteBox = box;
  q.OldCaret = Sel().Caret;
  q.InsertAt = start;
  FOwner.ReplaceText(q);
}

bool TTextEditing::DeleteForward(TTextUnit unit) {
  if (!Editable()) return false;
  if (Sel().Selecting) unit = tuSelection;
  TDisplayPos start = Sel().Caret, end = Sel().Caret;
  if (unit == tuSelection) {
    if (!Sel().Selecting) return false;
    Sel().Normalized(start, end);
  } else {
    if (Sel().Caret.Column > List().RowCellCount(Sel().Caret.Row) + 1)
      return false;  // a free caret past the text
    TDisplayPos unitStart;
    Sel().UnitRange(List(), unit, Sel().Caret, unitStart, end);
  }
  if (!Before(start, end) || FOwner.DocPosOf(start) == FOwner.DocPosOf(end)) return false;
  RemoveRange(start, end, ekDeleteForward, unit == tuSelection && Sel().Box);
  return true;
}

bool TTextEditing::DeleteBackward(TTextUnit unit) {
  if (!Editable()) return false;
  if (Sel().Selecting) {
    TDisplayPos start, end;
    Sel().Normalized(start, end);
    RemoveRange(start, end, ekDeleteBackward, Sel().Box);
    return true;
  }
  if (Sel().Caret.Column > List().RowCellCount(Sel().Caret.Row) + 1) {
    FHost.MoveCaret(-1, 0);  // a free caret past the text steps back first
    return true;
  }
  const bool rowStart = Sel().Caret.Column <= List().GetRow(Sel().Caret.Row).Indent + 1;
  if (rowStart && unit == tuWord) unit = tuCharacter;
  if (rowStart && (unit == tuRow || unit == tuLine)) return false;
  TDisplayPos start = Sel().Caret, end;
  if (unit == tuCharacter) {
    if (Sel().Caret == TDisplayPos{1, 0}) return false;
    start = Sel().Clamp(List(), {Sel().Caret.Column - 1, Sel().Caret.Row}, cmBack, FHost.ClampRules());
  } else {
    // The unit the character before the caret belongs to.
    const TDisplayPos back =
        Sel().Clamp(List(), {Sel().Caret.Column - 1, Sel().Caret.Row}, cmBack, FHost.ClampRules());
    Sel().UnitRange(List(), unit, unit == tuWord ? back : Sel().Caret, start, end);
  }
  if (!Before(start, Sel().Caret) || FOwner.DocPosOf(start) == FOwner.DocPosOf(Sel().Caret)) return false;
  RemoveRange(start, Sel().Caret, ekDeleteBackward, false);
  return true;
}

bool TTextEditing::UnitRangeForClipboard(TTextUnit unit, TDisplayPos& start, TDisplayPos& end,
                                         bool& box) const {
  box = false;
  if (unit == tuPosition || unit == tuSelection) {
    if (!Sel().Selecting) return false;
    Sel().Normalized(start, end);
    box = Sel().Box;
    return true;
  }
  Sel().UnitRange(List(), unit, Sel().Caret, start, end);
  return !(start == end);
}

bool TTextEditing::CopyUnit(TTextUnit unit) {
  TDisplayPos start, end;
  bool box = false;
  if (!FHost.EditedDocument() || !UnitRangeForClipboard(unit, start, end, box)) return false;
  try {
    const std::string text = List().GetRangeText(start, end, box);
    if (!FServices.Clipboard) throw std::runtime_error("no clipboard");
    FServices.Clipboard->SetText(text);
    // Only the last copy decides: stream text equal to an older box copy is a stream.
    FBoxClipText = box ? text : std::string();
  } catch (const std::exception&) {
    FServices.Boxes->ShowError(Cp932Lit("クリップボードバグの発生。作者にお知らせください。3"));
    return false;
  }
  return true;
}

// Cut removes exactly what it copied.
bool TTextEditing::CutUnit(TTextUnit unit) {
  if (!Editable()) return false;
  TDisplayPos start, end;
  bool box = false;
  if (!FHost.EditedDocument() || !UnitRangeForClipboard(unit, start, end, box) || !CopyUnit(unit))
    return false;
  RemoveRange(start, end, ekDeleteForward, box);
  return true;
}

bool TTextEditing::Paste(const std::string& prefix, const std::string& before, const std::string& after) {
  if (!Editable() || !FServices.Clipboard) return false;
  try {
    if (!FServices.Clipboard->HasText()) return false;
    std::string text = FServices.Clipboard->GetText();
    if (text.empty()) return false;
    const bool box = !FBoxClipText.empty() && text == FBoxClipText;
    if (!prefix.empty()) text = PrefixLines(text, prefix);
    text = before + text + after;
    return TypeText(text, false, box);
  } catch (const std::exception&) {
    FServices.Boxes->ShowError(Cp932Lit("クリップボードバグの発生。作者にお知らせください。4"));
    return false;
  }
}

std::string TTextEditing::TextMessage(int bufferBytes) const {
  if (bufferBytes <= 1) return {};
  std::string text =
      FHost.EditedDocument() ? FHost.Selection().SelectedText(*FHost.EditedDocument()) : std::string();
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

bool TTextEditing::ReflowSelection(int widthCells) {
  if (!Editable() || !Sel().Selecting) return false;
  if (widthCells <= 3) return false;
  TDisplayPos start, end;
  Sel().Normalized(start, end);
  FOwner.FormatText(start, end, 0, nullptr, widthCells);
  return true;
}

bool TTextEditing::JoinSelection() {
  if (!Editable() || !Sel().Selecting) return false;
  TDisplayPos start, end;
  Sel().Normalized(start, end);
  FOwner.FormatText(start, end, 0, nullptr, 0);
  return true;
}

bool TTextEditing::ConvertSelection(int command) {
  // Commands 69 .. 74: full-width, half-width, hiragana, katakana, lower, upper.
  static constexpr int kKinds[] = {4, 5, 2, 3, 1, 0};
  if (!Editable() || !Sel().Selecting || command < ecFullWidth || command > ecUpperCase) return false;
  const std::string text =
      FHost.EditedDocument() ? FHost.Selection().SelectedText(*FHost.EditedDocument()) : std::string();
  const std::string converted = ConvertText(text, kKinds[command - ecFullWidth]);
  if (converted == text) return false;
  TReplaceRequest q;
  Sel().Normalized(q.RangeStart, q.RangeEnd);
  q.DeleteBox = q.InsertBox = Sel().Box;
  q.InsertAt = q.RangeStart;
  q.UseInsertAt = Sel().Box;
  q.SelectInserted = true;
  q.Text = converted;
  q.OldCaret = Sel().Caret;
  FOwner.ReplaceText(q);
  return true;
}

}  // namespace vorna
