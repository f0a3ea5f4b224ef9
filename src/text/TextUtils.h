// Small text helpers shared by the layout, the editing commands and the undo
// descriptions: number formatting, padding, abbreviation, tabs, splitting and
// numbered list items.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorna {

// Upper bound of the text that Indent, Repeat and FormatNumber's padding
// generate, so that a wild count cannot allocate gigabytes (16 MiB).
inline constexpr int kMaxGeneratedTextBytes = 1 << 24;
// ExpandTabs clamps its tab width to 1..kMaxTabWidth cells.
inline constexpr int kMaxTabWidth = 256;

// Decimal digits of n; with `thousands` a "," before every group of three
// digits from the right. Padded to `width` bytes with fill 0 = " " (on the
// left) or fill 1 = "0" (between the sign and the digits), or on the right
// when `padRight`. With `plusSign` and n >= 0 a "+" goes in front, outside the
// width.
std::string FormatNumber(long long n, int width, int fill, bool plusSign, bool thousands, bool padRight);
// Decimal form of n in full-width digits, "－" for the minus sign.
std::string FullWidthNumber(long long n);
// `count` spaces; with `fullWidthPairs` every pair becomes one "　" (an odd
// space stays half-width at the end). count <= 0 gives "".
std::string Indent(int count, bool fullWidthPairs);
// `s` repeated `count` times (as many whole copies as fit the cap).
std::string Repeat(std::string_view s, int count);
// The first `maxBytes` bytes of `s`, without a lead byte cut from its trail;
// "..." appended when `ellipsis` and something was cut. maxBytes < 1 gives "".
std::string Abbreviate(std::string_view s, int maxBytes, bool ellipsis);
// Every CR LF replaced by a backslash and "n".
std::string EscapeLineBreaks(std::string_view s);
// Each TAB replaced by fill characters up to the next multiple of `tabWidth`
// bytes of the expanded text.
std::string ExpandTabs(std::string_view s, int tabWidth, char fillChar);
// Pieces of `text` between the (multi-byte aware, case-sensitive) occurrences
// of `separator`. An empty text has no pieces; an empty separator gives the
// whole text as one piece. JoinText(SplitText(t, s), s) == t.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);
std::string JoinText(const std::vector<std::string>& list, std::string_view separator);
// The numbered list item at the start of `line` (prefix, number, separator)
// with the same number, or the number + 1; "" when the line has none.
std::string ListItemNumber(std::string_view line);
std::string NextListItemNumber(std::string_view line);

}  // namespace vorna
