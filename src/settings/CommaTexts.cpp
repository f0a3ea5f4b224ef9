// Comma text joining and splitting.
#include "settings/CommaTexts.h"

namespace vorna {

namespace {

bool NeedsQuotes(std::string_view s) {
  for (unsigned char c : s)
    if (c <= ' ' || c == '"' || c == ',') return true;
  return false;
}

// Bytes 1-32: skipped between elements (NUL is not: it ends the text).
bool IsBlank(unsigned char c) { return c >= 1 && c <= ' '; }

}  // namespace

std::string MakeCommaText(const std::vector<std::string>& elements) {
  if (elements.size() == 1 && elements[0].empty()) return "\"\"";
  std::string text;
  for (size_t i = 0; i < elements.size(); ++i) {
    if (i > 0) text += ',';
    const std::string& s = elements[i];
    if (!NeedsQuotes(s)) {
      text += s;
      continue;
    }
    text += '"';
    for (char c : s) {
      if (c == '"') text += '"';
      text += c;
    }
    text += '"';
  }
  return text;
}

std::vector<std::string> SplitCommaText(std::string_view text) {
  std::vector<std::string> elements;
  const size_t n = text.size();
  auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  size_t p = 0;
  while (p < n && IsBlank(at(p))) ++p;
  while (p < n && at(p) != 0) {
    std::string element;
    if (at(p) == '"') {
      ++p;
      while (true) {
        size_t q = text.find('"', p);
        if (q == std::string_view::npos) {
          element.append(text.substr(p));
          p = n;
          break;
        }
        element.append(text.substr(p, q - p));
        p = q + 1;
        if (p < n && at(p) == '"') {
          element += '"';
          ++p;
          continue;
        }
        break;
      }
    } else {
      size_t start = p;
      while (p < n && at(p) > ' ' && at(p) != ',') ++p;
      element.assign(text.substr(start, p - start));
    }
    elements.push_back(std::move(element));
    while (p < n && IsBlank(at(p))) ++p;
    if (p < n && at(p) == ',') {
      if (p + 1 == n || at(p + 1) == 0) elements.emplace_back();
      do ++p;
      while (p < n && IsBlank(at(p)));
    }
  }
  return elements;
}

}  // namespace vorna
