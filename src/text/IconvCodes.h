// One character at a time through an iconv converter: what the code tables of
// CP932 and EUC-JP are built from.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <cstdint>

namespace vorna {

// The code point of one code of 1 to 3 bytes, through a converter to
// UTF-32LE; 0 when the bytes are not exactly one character.
char32_t IconvDecodeCode(iconv_t toUtf32, const unsigned char* bytes, size_t length);

// The bytes of one code point (big-endian in the result, so 0x8160 for the
// pair 0x81 0x60), through a converter from UTF-32LE; 0 when the encoding
// cannot hold it or it takes more than 3 bytes.
uint32_t IconvEncodeCode(iconv_t fromUtf32, char32_t cp);

}  // namespace vorna
