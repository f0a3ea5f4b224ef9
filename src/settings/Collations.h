// The text order of the settings lists' standard comparison, and the ASCII
// case-insensitive matching of setting names, both over CP932 bytes.
#pragma once

#include <string_view>

namespace vorna {

// Orders two CP932 texts for display lists, deterministically on every
// platform: character by character by CP932 code (JIS order: ASCII, then
// half-width katakana, then the double-byte characters, whose kana and
// level-1 kanji follow the reading), with ASCII letters compared without case;
// texts equal that way are ordered by their bytes (upper case first). A lead
// byte without a valid trail byte counts as a character of its own.
// Returns -1, 0 or 1.
int CompareSortText(std::string_view a, std::string_view b);

// True when both texts are equal with ASCII letters folded; the bytes of
// double-byte characters are compared exactly.
bool SameTextAscii(std::string_view a, std::string_view b);

// True for the trail bytes of a CP932 double-byte character.
constexpr bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Byte length (1 or 2) of the character at 0-based `i`: 2 only for a lead
// byte followed by a valid trail byte.
int Cp932CharSize(std::string_view text, size_t i);

}  // namespace vorna
