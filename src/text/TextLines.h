// Splitting CP932 text into lines and joining lines with CR LF: the one line
// splitter of the document, its range edits, the settings lists and the INI
// store.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorna {

// CR LF, a lone CR and a lone LF each end a line. Every other byte, NUL
// included, stays in its piece.

// The pieces of `text` between its line breaks: k breaks give k + 1 pieces, the
// last one empty when the text ends with a break ("" gives one empty piece).
// The views point into `text`.
std::vector<std::string_view> SplitAtLineBreaks(std::string_view text);

// The lines of `text`: its pieces without the empty piece after a final line
// break, so "a\r\n" is one line and an empty text gives no lines.
std::vector<std::string> SplitLines(std::string_view text);

// `text` up to (not including) its first NUL byte: where a document's text ends.
std::string_view TextBeforeNul(std::string_view text);

// Every line followed by CR LF (the last one too).
std::string JoinLines(const std::vector<std::string>& lines);

// True when the text holds a CR or an LF byte.
bool HasLineBreak(std::string_view text);

}  // namespace vorna
