// Line splitting and joining.
#include "text/TextLines.h"

namespace vorna {
namespace {

// Calls piece(view) for each of the k + 1 pieces between k line breaks.
template <class F>
void ForEachPiece(std::string_view text, F&& piece) {
  size_t start = 0;
  for (;;) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      piece(text.substr(start));
      return;
    }
    piece(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

}  // namespace

std::vector<std::string_view> SplitAtLineBreaks(std::string_view text) {
  std::vector<std::string_view> pieces;
  ForEachPiece(text, [&](std::string_view p) { pieces.push_back(p); });
  return pieces;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  ForEachPiece(text, [&](std::string_view p) { lines.emplace_back(p); });
  // The piece after a final line break is empty and starts no line.
  if (text.back() == '\r' || text.back() == '\n') lines.pop_back();
  return lines;
}

std::string_view TextBeforeNul(std::string_view text) { return text.substr(0, text.find('\0')); }

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

void TLineSplitter::RememberTail(std::string_view piece) {
  FLastTwo += piece.substr(piece.size() > 2 ? piece.size() - 2 : 0);
  if (FLastTwo.size() > 2) FLastTwo.erase(0, FLastTwo.size() - 2);
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace vorna
