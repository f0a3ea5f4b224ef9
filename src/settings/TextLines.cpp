// Line splitting and joining.
#include "settings/TextLines.h"

namespace vorna {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t size = text.size();
  while (start < size) {
    size_t end = start;
    while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
    lines.emplace_back(text.substr(start, end - start));
    if (end < size) end += (text[end] == '\r' && end + 1 < size && text[end + 1] == '\n') ? 2 : 1;
    start = end;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::string text;
  text.reserve(total);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace vorna
