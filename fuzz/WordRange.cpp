// Fuzzes WordRange and GetCharClass with arbitrary bytes: the first two bytes
// pick the position (which may lie outside the text) and the mode. Checks
// that the range stays inside the text, contains the origin for the class
// modes and never starts or ends inside a double-byte character.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/CharClasses.h"
#include "text/ShiftJis.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  const int length = static_cast<int>(text.size());
  const int pos = static_cast<int>(data[0] % (length + 4)) - 1;
  const int mode = data[1] % 6 - 1;  // includes unknown modes -1 and 4

  int cls = vorna::GetCharClass(text);
  if (cls < 0 || cls > 13) __builtin_trap();

  std::vector<bool> boundary(text.size() + 2, false);
  for (int p = 1; p <= length; p += vorna::CharLengthAt(text, p)) boundary[p] = true;
  boundary[length + 1] = true;

  const vorna::TWordRange r = vorna::WordRange(text, pos, mode);
  if (pos <= 0) {
    if (r.Start != 0 || r.End != 0) __builtin_trap();
  } else if (pos > length) {
    if (r.Start != length + 1 || r.End != length + 1) __builtin_trap();
  } else {
    const int origin = boundary[pos] ? pos : pos - 1;
    if (r.Start < 1 || r.Start > origin || r.End < r.Start || r.End > length + 1) __builtin_trap();
    if (!boundary[r.Start] || !boundary[r.End]) __builtin_trap();
    if ((mode == vorna::wmSameClass || mode == vorna::wmCompatible) && r.End <= pos) __builtin_trap();
    if (r.End == r.Start && r.Start != origin) __builtin_trap();
    const std::string word = vorna::WordAt(text, pos, mode);
    if (word.size() != static_cast<size_t>(r.End - r.Start)) __builtin_trap();
    if (mode == vorna::wmUrl && !vorna::IsUrlChar(word)) __builtin_trap();
    if (mode == vorna::wmMail && !vorna::IsMailChar(word)) __builtin_trap();
  }
  return 0;
}
