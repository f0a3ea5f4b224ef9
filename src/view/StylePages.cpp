// Counting the style's pages over the view's rows.
#include "view/StylePages.h"

#include <algorithm>
#include <cstdint>

#include "view/EditorViews.h"

namespace vorna {

int RowsPerStylePage(const TEditorView& view) {
  if (view.PaperMode() || view.EditorStyle()->GetPageRoll()) return std::max(view.RowsPerPage(), 1);
  return std::max(view.EditorStyle()->GetLineCountInPage(), 0);
}

int StylePageCount(const TEditorView& view) {
  const int perPage = RowsPerStylePage(view);
  if (perPage == 0) return 0;
  return static_cast<int>((std::max<int64_t>(view.List().RowCount(), 1) + perPage - 1) / perPage);
}

int PageOfRow(const TEditorView& view, int row) {
  const int perPage = RowsPerStylePage(view);
  return perPage == 0 || row < 0 ? 0 : row / perPage + 1;
}

int PageOfLine(const TEditorView& view, int line) {
  return PageOfRow(view, view.List().FirstRowOfLine(line));
}

int FirstRowOfPage(const TEditorView& view, int page) {
  return static_cast<int>(std::max<int64_t>(int64_t{page} - 1, 0) * RowsPerStylePage(view));
}

}  // namespace vorna
