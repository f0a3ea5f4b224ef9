// Hexadecimal digits in text: the byte escapes and percent-encoding of the
// settings files and the trash records, and the 64-bit fingerprints the
// program writes in hex (lock names, recovery checksums).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorna {

// Appends the two hexadecimal digits of `byte` (lower or upper case letters).
void AppendHexByte(std::string& out, unsigned char byte, bool upperCase = false);

// Appends '%' and the two upper-case digits of `byte`, as URIs and file
// names encode a byte.
void AppendPercentByte(std::string& out, unsigned char byte);

// Appends the eight lower-case digits of `value`.
void AppendHexWord(std::string& out, uint32_t value);

// FNV-1a, 64 bits, of `bytes`: stable across builds and runs, enough to tell
// names apart or a damaged text, not meant against forgery.
uint64_t Fnv1a64(std::string_view bytes);

// The sixteen lower-case digits of `value`.
std::string Hex64(uint64_t value);

// The value of one hexadecimal digit (either case), or -1.
int HexDigitValue(char c);

}  // namespace vorna
