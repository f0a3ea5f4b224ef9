// What the status bar and the document's information tell of a view: where
// the caret stands on the pages of its style, what the selection holds, and
// the pages the style prints.
#pragma once

#include <cstdint>

namespace vorna {

class TDocumentCounts;
class TEditorView;

// The caret's place on the style's pages (StylePages.h; a style without pages
// counts the rows the window shows as a page). All 1-based.
struct TPagePlace {
  int Page = 1;
  int Pages = 1;   // ceil(display rows / rows a page), at least 1
  int Row = 1;     // row on its page
  int Column = 1;  // 1 + the characters that stand before the caret on its row
  bool operator==(const TPagePlace&) const = default;
};

// Characters are counted as TDocumentCounts counts them with spaces (notation
// hidden, the row's indent not counted); a caret beyond the row's end (a free
// caret) adds one per cell, the spaces typing there would put before it.
TPagePlace CaretPagePlace(const TEditorView& view);

// The characters (TDocumentTotals::Characters) of the view's selection, 0
// without one. `counts` must follow the view's document. A stream selection
// costs O(log lines + its end lines); a box is counted row by row.
int64_t SelectedCharacters(const TEditorView& view, TDocumentCounts& counts);

// The pages the view's style prints: its paper's pages, or the preview's for
// a style without paper (switched on and off again to lay them out).
int PrintedPageCount(TEditorView& view);

}  // namespace vorna
