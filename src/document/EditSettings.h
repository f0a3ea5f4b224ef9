// Editing settings of the view that the document's range operations read but
// that do not shape its rows; the view fills them from its style.
#pragma once

namespace vorna {

struct TEditSettings {
  bool EditIndent = false;      // a new line keeps the half-width indent of the line it was split from
  bool HeadingVisible = false;  // the Heading view element is shown (display mode 1 or 2)
  int LineCountInPage = 0;      // rows per page for page selection; 0 = no pages
};

}  // namespace vorna
