// Fuzzes FindAll and the find-first/next loop with arbitrary bytes: the first
// byte picks the options, the next one the pattern length.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/StrSrch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int options = data[0] & 3;
  const size_t patternLength = data[1] % 16;
  std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  if (patternLength > rest.size()) return 0;
  std::string_view pattern = rest.substr(0, patternLength);
  std::string_view text = rest.substr(patternLength);
  auto positions = vorna::FindAll(pattern, text, options);
  int previous = 0;
  for (int p : positions) {
    if (p <= previous || p < 1 || static_cast<size_t>(p) + pattern.size() - 1 > text.size()) __builtin_trap();
    previous = p;
  }
  vorna::TSearchRec rec;
  int found = 0;
  for (int p = vorna::FindFirst(rec, text, pattern, data[0] >> 2 & 7); p; p = vorna::FindNext(rec)) {
    if (++found > static_cast<int>(text.size()) + 1) __builtin_trap();
  }
  return 0;
}
