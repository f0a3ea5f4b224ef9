// Wrapped text in a box: CP932 text cut into lines at a pixel extent through
// the canvas's measuring, with hanging punctuation, a margin and line spacing,
// horizontal or in vertical columns.
#pragma once

#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "platform/TextMeasurer.h"

namespace vorna {

struct TWrapTextOptions {
  // Columns top to bottom, stacked from the right; the canvas font must be a
  // vertical one, so that TextWidth measures down the column.
  bool Vertical = false;
  // Lines break at the extent; off, only at CR, LF and CR LF.
  bool WordWrap = true;
  int MarginPx = 0;       // on all four sides of the box
  int LineSpacingPx = 0;  // between two lines (columns)
  // CP932 characters that may stand past the extent at the end of a line
  // (at most one per line); empty: none.
  std::string_view Hanging;
};

// One line of the laid-out text: bytes of the source, its line end excluded.
struct TWrappedLine {
  size_t Start = 0;
  size_t Length = 0;
  int ExtentPx = 0;  // along the writing direction, a hung character included
  friend bool operator==(const TWrappedLine&, const TWrappedLine&) = default;
};

struct TWrappedText {
  std::vector<TWrappedLine> Lines;
  // The box the text needs, margins included: Width across the page and
  // Height down it (for vertical text the columns run down Height). An empty
  // text needs two margins each way.
  TPoint Size;
};

// Cuts `text` into lines no longer than `boxExtentPx` - 2 margins along the
// writing direction, in the measurer's current font. A line breaks before
// the character that would pass the extent, unless that character is in the
// hanging set: then it stays on the line, which ends after it. A character
// wider than the whole extent still takes a line of its own, so the layout
// always ends. A trailing line end gives no empty last line; an empty text
// gives no lines.
TWrappedText LayoutWrappedText(TTextMeasurer& measurer, std::string_view text, int boxExtentPx,
                               const TWrapTextOptions& options);

// Draws `layout` (made from `text` with the same options and the canvas's
// current font) transparently in the text colour: horizontal lines from the
// top-left of `box` inside the margin, vertical columns from its top-right.
// Glyphs are clipped to `box`.
void DrawWrappedText(TCanvas& canvas, const TRect& box, std::string_view text, const TWrappedText& layout,
                     const TWrapTextOptions& options);

}  // namespace vorna
