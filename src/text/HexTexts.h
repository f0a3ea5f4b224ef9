// Hexadecimal digits in text: the byte escapes and percent-encoding of the
// settings files and the trash records.
#pragma once

#include <cstdint>
#include <string>

namespace vorna {

// Appends the two hexadecimal digits of `byte` (lower or upper case letters).
void AppendHexByte(std::string& out, unsigned char byte, bool upperCase = false);

// Appends '%' and the two upper-case digits of `byte`, as URIs and file
// names encode a byte.
void AppendPercentByte(std::string& out, unsigned char byte);

// Appends the eight lower-case digits of `value`.
void AppendHexWord(std::string& out, uint32_t value);

// The value of one hexadecimal digit (either case), or -1.
int HexDigitValue(char c);

}  // namespace vorna
