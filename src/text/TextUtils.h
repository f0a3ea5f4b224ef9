// Small text helpers shared by the layout, the editing commands and the undo
// descriptions: number formatting, padding, abbreviation, tabs, splitting and
// numbered list items.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorna {

// fill 0 = " ", fill 1 = "0".
std::string FormatNumber(long long n, int width, int fill, bool plusSign, bool thousands, bool padRight);
std::string FullWidthNumber(long long n);
std::string Indent(int count, bool fullWidthPairs);
std::string Repeat(std::string_view s, int count);
std::string Abbreviate(std::string_view s, int maxBytes, bool ellipsis);
std::string EscapeLineBreaks(std::string_view s);
std::string ExpandTabs(std::string_view s, int tabWidth, char fillChar);
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);
std::string JoinText(const std::vector<std::string>& list, std::string_view separator);
std::string ListItemNumber(std::string_view line);
std::string NextListItemNumber(std::string_view line);

}  // namespace vorna
