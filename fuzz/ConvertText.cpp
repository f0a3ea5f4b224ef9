// Fuzzes ConvertText with arbitrary bytes and kinds (unknown kinds included).
// Every conversion is idempotent, keeps the text unchanged for unknown kinds
// and at most doubles its length (a half-width voiced kana is two bytes, like
// the full-width character it came from; an ASCII byte becomes two).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/TextConversions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int kind = static_cast<int>(data[0] % 9) - 1;
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string once = vorna::ConvertText(text, kind);
  if (kind < vorna::ckUpperCase || kind > vorna::ckHalfWidth) {
    if (once != text) __builtin_trap();
    return 0;
  }
  if (once.size() > 2 * text.size()) __builtin_trap();
  if (vorna::ConvertText(once, kind) != once) __builtin_trap();
  return 0;
}
