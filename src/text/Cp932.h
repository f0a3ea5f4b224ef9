// Conversion between CP932 bytes and Unicode (UTF-8) through glibc iconv's
// Microsoft table, and the cache that turns the program's own UTF-8 literals
// into CP932 once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorna {

// CP932 -> UTF-8. Bytes that do not decode (0x80, 0xA0, 0xFD-0xFF, an
// undefined double-byte code, a lone lead byte at the end) become U+FFFD;
// decoding never fails.
std::string Utf8FromCp932(std::string_view cp932);

// UTF-8 -> CP932. Characters that CP932 cannot hold become "?"; invalid UTF-8
// bytes become "?" as well.
std::string Cp932FromUtf8(std::string_view utf8);

// Unicode of one CP932 code (a single byte value, or lead << 8 | trail); 0 when
// the code is undefined. Table lookup after the first call.
char32_t Cp932CodeToUnicode(unsigned code);

// Decodes the character at 0-based `i` of `cp932` into `cp` and returns the
// bytes it took (1 or 2). Undefined codes give U+FFFD: a lead byte whose next
// byte cannot be a trail byte takes one byte, an undefined pair two. A
// user-defined code gives the character it stands for (text/UserCodes.h),
// which may lie beyond Unicode (a raw byte, a lone surrogate).
int Cp932DecodeAt(std::string_view cp932, size_t i, char32_t& cp);

// The code CP932 gives `cp` when decoding that code gives `cp` back exactly
// (the folded forms such as U+301C have none); 0 otherwise and for NUL. A
// table lookup for every character of the Basic Multilingual Plane.
uint16_t HeldCp932Code(char32_t cp);
// The table behind HeldCp932Code, indexed by a BMP code point, for loops
// that convert much text.
const uint16_t* HeldCp932Table();

// Calls f(char32_t) for every character of UTF-8 text; a byte that starts no
// valid sequence (overlong, surrogate, beyond U+10FFFF, cut short, a lone
// continuation byte) gives kRawByteBase + the byte (text/UserCodes.h).
template <class F>
void ForEachUtf8Character(std::string_view utf8, F&& f);

// The length (1 to 4) of the valid UTF-8 sequence at `i` and its code point in
// `cp`; 0 when the bytes there start no valid sequence.
int DecodeUtf8At(std::string_view utf8, size_t i, char32_t& cp);

// Appends the UTF-8 form of a code point (below 0x110000).
void AppendUtf8(std::string& out, char32_t cp);

// CP932 code of one code point (single byte value, or lead << 8 | trail);
// 0 when CP932 cannot hold it.
uint16_t UnicodeToCp932Code(char32_t cp);

// The program's own text written in UTF-8 source, as CP932 bytes. Converted
// once per distinct literal and cached for the life of the process; the
// reference stays valid. Throws std::logic_error when the text has a character
// CP932 cannot hold (a programming error).
const std::string& Cp932Lit(std::string_view utf8);

template <class F>
void ForEachUtf8Character(std::string_view utf8, F&& f) {
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      f(static_cast<char32_t>(c));
      ++i;
      continue;
    }
    char32_t cp;
    if (const int n = DecodeUtf8At(utf8, i, cp)) {
      f(cp);
      i += static_cast<size_t>(n);
    } else {
      f(static_cast<char32_t>(0x110000 + c));
      ++i;
    }
  }
}

}  // namespace vorna
