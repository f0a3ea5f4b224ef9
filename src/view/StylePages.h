// The pages of the current style, as the status bar, the outline and 移動
// count them: on paper or a page roll the view's pages (RowsPerPage rows);
// in a window without them, pages of the style's rows per page
// (LineCountInPage), where the view draws its page divide lines and the
// line-number column its page labels; none for a style that sets no rows per
// page.
#pragma once

namespace vorna {

class TEditorView;

// Display rows on one page; 0 when the style has no pages.
int RowsPerStylePage(const TEditorView& view);
// Pages the document fills; 0 when the style has none.
int StylePageCount(const TEditorView& view);
// The 1-based page of display row `row`; 0 when the style has none.
int PageOfRow(const TEditorView& view, int row);
// The 1-based page on which line `line` (0-based) begins; 0 when the style
// has none or the line is not laid out.
int PageOfLine(const TEditorView& view, int line);
// The first display row of 1-based page `page`.
int FirstRowOfPage(const TEditorView& view, int page);

}  // namespace vorna
