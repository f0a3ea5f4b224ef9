// Byte types of CP932 positions.
#include "text/ShiftJis.h"

namespace vorna {

TByteType ByteTypeFrom(std::string_view text, int from, int pos) {
  if (pos < 1 || pos > static_cast<int>(text.size())) return TByteType::Single;
  if (from < 1) from = 1;
  if (from > pos) from = pos;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  int i = from;  // 1-based character start
  while (true) {
    if (!IsLeadByte(bytes[i - 1])) {
      if (i == pos) return TByteType::Single;
      ++i;
    } else {
      if (i == pos) return TByteType::Lead;
      if (i + 1 == pos) return TByteType::Trail;
      i += 2;
    }
  }
}

TByteType ByteTypeAt(std::string_view text, int pos) { return ByteTypeFrom(text, 1, pos); }

int CharLengthAt(std::string_view text, int pos) {
  if (pos < 1 || pos > static_cast<int>(text.size())) return 0;
  return IsDoubleByteAt(text, static_cast<size_t>(pos - 1)) ? 2 : 1;
}

int PrevCharPos(std::string_view text, int pos) {
  const int size = static_cast<int>(text.size());
  if (pos > size + 1) pos = size + 1;
  if (pos <= 1) return 0;
  int i = 1, prev = 0;
  while (i < pos) {
    prev = i;
    i += IsDoubleByteAt(text, static_cast<size_t>(i - 1)) ? 2 : 1;
  }
  return prev;
}

}  // namespace vorna
