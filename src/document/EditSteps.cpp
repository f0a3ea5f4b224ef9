// The document's side of the editor's ReplaceText and FormatText.
#include "document/EditSteps.h"

#include <algorithm>

#include "document/EditLists.h"
#include "document/EditResults.h"

namespace vorna {
TReplaceResult ReplaceInDocument(TEditList& list, const TReplaceRequest& q, TDisplayPos caret,
                                 TEditRecord& record) {
  record.Kind = q.Kind;
  record.InsertAt = q.InsertAt;
  record.DeleteBox = q.DeleteBox;
  record.InsertBox = q.InsertBox;
  record.RangeStart = record.RangeEnd = q.RangeStart;
  TDisplayPos point = q.InsertAt;
  if (!(q.RangeStart == q.RangeEnd)) {
    if (q.DeleteBox) {
      record.RangeStart = {std::min(q.RangeStart.Column, q.RangeEnd.Column),
                           std::min(q.RangeStart.Row, q.RangeEnd.Row)};
      record.RangeEnd = {std::max(q.RangeStart.Column, q.RangeEnd.Column),
                         std::max(q.RangeStart.Row, q.RangeEnd.Row)};
    } else {
      const bool swapped = Before(q.RangeEnd, q.RangeStart);
      record.RangeStart = swapped ? q.RangeEnd : q.RangeStart;
      record.RangeEnd = swapped ? q.RangeStart : q.RangeEnd;
    }
    TEditResult deleted;
    deleted.TrackPos = caret;
    list.DeleteRange(q.RangeStart, q.RangeEnd, deleted, q.DeleteBox);
    record.DeletedText = std::move(deleted.DeletedText);
    if (!q.UseInsertAt) point = deleted.CaretPos;
  }
  TReplaceResult out{point, point, {}};
  if (!q.Text.empty()) {
    TEditResult inserted;
    list.InsertText(point, q.Text, inserted, q.InsertBox, q.Verbatim);
    out = {inserted.InsertStart, inserted.CaretPos, inserted.BoxPieces};
  }
  record.InsertStart = out.InsertStart;
  record.InsertEnd = out.InsertEnd;
  record.BoxPieces = out.BoxPieces;
  record.InsertedText = std::string(q.Text);
  return out;
}

void ReformatInDocument(TEditList& list, TDisplayPos start, TDisplayPos end, int indentBytes,
                        const std::vector<int>* splits, int widthCells, TRestoreRecord& record) {
  record.Start = start;
  record.End = end;
  record.Width = widthCells;
  if (widthCells > 0) {
    TFormatResult format;
    list.FormatLines(start, end, format, splits, widthCells);
    record.Splits = std::move(format.RowCounts);
    record.Indents = std::move(format.Indents);
    record.Caret = format.CaretPos;
  } else {
    TRestoreResult restore;
    list.RestoreFormat(start, end, restore, indentBytes);
    record.Splits = std::move(restore.Lengths);
    record.Caret = restore.CaretPos;
  }
}

}  // namespace vorna
