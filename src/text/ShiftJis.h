// Shift-JIS (CP932) byte classification: lead-byte ranges and the byte type of a
// position, found by walking from the start of the string so that a trail byte
// that looks like a lead byte is never mistaken for one.
#pragma once

#include <string_view>

namespace vorna {

enum class TByteType { Single, Lead, Trail };

// True for the CP932 lead-byte ranges 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Byte type at the 1-based position `pos` of `text`. A lead byte at the last
// position (nothing to pair with) still reports Lead. Positions outside
// 1..size report Single.
TByteType ByteTypeAt(std::string_view text, int pos);

// Same, walking only from `from` (1-based), which the caller knows to be a
// character boundary. Lets scanners resume without rewalking the whole text.
TByteType ByteTypeFrom(std::string_view text, int from, int pos);

// Byte length (1 or 2) of the character that starts at 1-based `pos`; a lead
// byte at the end of the text counts as one byte. 0 outside the text.
int CharLengthAt(std::string_view text, int pos);

// 1-based start of the character before the one at `pos` (a character
// boundary), or 0 when `pos` is at or before the start.
int PrevCharPos(std::string_view text, int pos);

// True when the character starting at 0-based offset `i` is double-byte.
inline bool IsDoubleByteAt(std::string_view text, size_t i) {
  return i + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[i]));
}

}  // namespace vorna
