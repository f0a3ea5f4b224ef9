// Hexadecimal digits in text.
#include "text/HexTexts.h"

namespace vorna {
namespace {

const char kLower[] = "0123456789abcdef";
const char kUpper[] = "0123456789ABCDEF";

}  // namespace

void AppendHexByte(std::string& out, unsigned char byte, bool upperCase) {
  const char* digits = upperCase ? kUpper : kLower;
  out += digits[byte >> 4];
  out += digits[byte & 15];
}

void AppendPercentByte(std::string& out, unsigned char byte) {
  out += '%';
  AppendHexByte(out, byte, true);
}

void AppendHexWord(std::string& out, uint32_t value) {
  for (int shift = 28; shift >= 0; shift -= 4) out += kLower[(value >> shift) & 15];
}

uint64_t Fnv1a64(std::string_view bytes) {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

std::string Hex64(uint64_t value) {
  std::string out;
  AppendHexWord(out, static_cast<uint32_t>(value >> 32));
  AppendHexWord(out, static_cast<uint32_t>(value));
  return out;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace vorna
