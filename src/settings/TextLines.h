// Splitting CP932 text into lines at any line end, and joining lines with
// CR LF, for the settings lists and the INI store.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorna {

// Lines of `text`: CR LF, a lone CR and a lone LF each end a line; a line end
// at the very end does not start another (empty) line. Every other byte,
// NUL included, is kept. An empty text gives no lines.
std::vector<std::string> SplitLines(std::string_view text);

// Every line followed by CR LF (the last one too).
std::string JoinLines(const std::vector<std::string>& lines);

// True when the text holds a CR or an LF byte.
bool HasLineBreak(std::string_view text);

}  // namespace vorna
