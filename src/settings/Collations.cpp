// CP932 text order and case-insensitive name matching.
#include "settings/Collations.h"

#include "text/ShiftJis.h"

namespace vorna {

int Cp932CharSize(std::string_view text, size_t i) {
  if (i + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[i])) &&
      IsTrailByte(static_cast<unsigned char>(text[i + 1])))
    return 2;
  return 1;
}

namespace {

// Code of the character at `i` (single byte value or lead << 8 | trail) and
// its size; ASCII upper-case letters folded when `fold`.
unsigned CodeAt(std::string_view text, size_t i, int& size, bool fold) {
  size = Cp932CharSize(text, i);
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  if (size == 2) return byte(i) << 8 | byte(i + 1);
  unsigned c = byte(i);
  if (fold && c >= 'A' && c <= 'Z') c += 'a' - 'A';
  return c;
}

int CompareCodes(std::string_view a, std::string_view b, bool fold) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    int sa, sb;
    unsigned ca = CodeAt(a, i, sa, fold), cb = CodeAt(b, j, sb, fold);
    if (ca != cb) return ca < cb ? -1 : 1;
    i += sa;
    j += sb;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace

int CompareSortText(std::string_view a, std::string_view b) {
  if (int r = CompareCodes(a, b, true)) return r;
  return CompareCodes(a, b, false);
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareCodes(a, b, true) == 0;
}

}  // namespace vorna
