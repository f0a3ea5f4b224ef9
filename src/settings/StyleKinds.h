// The kinds a numbered setting of the editor style chooses among, with the
// numbers the stores hold. The settings stay plain integers (a store may hold
// any number; one outside a kind's range means none of them), so these are
// plain enums that compare with them directly. Header only: the wrapping
// reads the same kinds through its own copy of the settings.
#pragma once

namespace vorna {

// ViewIndent: which lines the wrapping indents.
enum TViewIndent : int {
  kViewIndentNone = 0,
  kViewIndentMarks = 1,       // lines that start with a mark of ViewIndentStr
  kViewIndentScreenplay = 2,  // scene headings, dialogue and stage directions
};

// GapLineStyle: what the GapLine element draws.
enum TGapLineStyle : int {
  kGapLineRules = 0,   // a rule along every row
  kGapLineGrid = 1,    // manuscript squares of two cells each
  kGapLineScenes = 2,  // scene separation: the scene-heading mark is hidden, scene numbers get brackets
};

// LineInfoStyle: what the line-number column counts.
enum TLineInfoStyle : int {
  kLineInfoRows = 0,          // display rows
  kLineInfoLines = 1,         // document lines, on their first rows
  kLineInfoPagesAndRows = 2,  // "P" and the page on a page's first row, rows of the page after it
  kLineInfoPagesOnly = 3,     // only the page labels
  kLineInfoScenes = 4,        // scene numbers on the first rows of headings
};

// The styles whose column shows page labels ("P" and the page number).
constexpr bool LineInfoShowsPages(int style) {
  return style == kLineInfoPagesAndRows || style == kLineInfoPagesOnly;
}

}  // namespace vorna
