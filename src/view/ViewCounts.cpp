// The caret's place on the pages, the selection's characters and the printed
// pages of a view.
#include "view/ViewCounts.h"

#include <algorithm>

#include "document/DocumentCounts.h"
#include "view/EditorViews.h"
#include "view/StylePages.h"

namespace vorna {

TPagePlace CaretPagePlace(const TEditorView& view) {
  const TEditList& list = view.List();
  // The style's pages, as the outline and 移動 count them; a style without
  // any counts the rows the window shows.
  const int stylePerPage = RowsPerStylePage(view);
  const int perPage = stylePerPage > 0 ? stylePerPage : std::max(view.RowsPerPage(), 1);
  const int rows = std::max(list.RowCount(), 1);
  const TDisplayPos caret = view.CaretPos();
  const int row = std::clamp(caret.Row, 0, rows - 1);
  TPagePlace place;
  place.Page = row / perPage + 1;
  place.Pages = (rows - 1) / perPage + 1;
  place.Row = row % perPage + 1;
  const TRowInfo info = list.GetRow(row);
  if (info.Line < 0) return place;
  const TTextPos at = view.DocPosOf({caret.Column, row});
  // Only the row is read (a long line costs no more than its row): notation
  // never runs across a row's end, the wrapping keeps it with the visible
  // character before it.
  const std::string_view line = list.Get(info.Line);
  const size_t start = std::min<size_t>(info.Start, line.size() + 1);
  const std::string_view rowText = std::string_view(line).substr(start - 1, info.Length);
  place.Column = 1 + CountCharacters(rowText, 1, at.X - static_cast<int>(start) + 1, true);
  const int beyond = caret.Column - (list.RowCellCount(row) + 1);
  if (beyond > 0) place.Column += beyond;
  return place;
}

int64_t SelectedCharacters(const TEditorView& view, TDocumentCounts& counts) {
  if (!view.Selecting()) return 0;
  TDisplayPos start, end;
  view.GetNormalizedSelection(start, end);
  if (!view.BoxSelect()) return counts.CharactersBetween(view.DocPosOf(start), view.DocPosOf(end));
  // A box holds pieces of rows: each is counted as a line of its own.
  const std::string text = view.GetSelText();
  int64_t characters = 0;
  for (size_t from = 0; from <= text.size();) {
    size_t to = text.find("\r\n", from);
    if (to == std::string::npos) to = text.size();
    const std::string_view piece = std::string_view(text).substr(from, to - from);
    characters += CountCharacters(piece, 1, static_cast<int>(piece.size()) + 1, false);
    from = to + 2;
  }
  return characters;
}

int PrintedPageCount(TEditorView& view) {
  const bool preview = !view.PaperMode();
  if (preview) view.SetPreview(true);
  const int pages = view.PageCount();
  if (preview) view.SetPreview(false);
  return pages;
}

}  // namespace vorna
