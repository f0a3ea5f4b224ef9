// Upright pairs and joined rules: the rules of row painting that read only
// the row's text.
#include <algorithm>

#include "text/ShiftJis.h"
#include "view/RowPaintInfos.h"

namespace vorna {

std::vector<int> FindUprightPairs(std::string_view text, int indentBytes) {
  std::vector<int> pairs;
  const size_t size = text.size();
  size_t i = static_cast<size_t>(std::clamp(indentBytes, 0, static_cast<int>(size)));
  while (i < size) {
    if (IsDoubleByteAt(text, i)) {
      i += 2;
      continue;
    }
    if (!IsUprightPairByte(text[i])) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < size && !IsDoubleByteAt(text, i) && IsUprightPairByte(text[i])) ++i;
    if (i - start == 2 && !(text[start] == ' ' && text[start + 1] == ' '))
      pairs.push_back(static_cast<int>(start));
  }
  return pairs;
}

void ConnectRules(std::string_view text, std::vector<int>& advances, int ruleWidthPx) {
  // "─" is 0x84 0x9F in CP932.
  auto isRule = [&](size_t i) {
    return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0x84 &&
           static_cast<unsigned char>(text[i + 1]) == 0x9F;
  };
  const size_t size = std::min(text.size(), advances.size());
  for (size_t i = 0; i < size;) {
    if (!IsDoubleByteAt(text, i)) {
      ++i;
      continue;
    }
    if (isRule(i) && isRule(i + 2) && i + 3 < size) {
      // This rule touches the next: it advances exactly the rule's drawn width.
      const int pair = advances[i] + advances[i + 1];
      advances[i] = ruleWidthPx;
      advances[i + 1] = 0;
      advances[i + 2] += pair - ruleWidthPx;
    }
    i += 2;
  }
}

}  // namespace vorna
