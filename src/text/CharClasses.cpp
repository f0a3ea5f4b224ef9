// Character classes from the generated CP932 property table, class
// compatibility, the URL and mail character sets and word ranges.
#include "text/CharClasses.h"

#include <array>
#include <cstdint>

#include "text/ShiftJis.h"

namespace vorna {
namespace {

#include "text/CharClassTable.inc"

constexpr int kTrailFirst = 0x40;
constexpr int kTrailCount = 0xFC - 0x40 + 1;
constexpr int kLeadCount = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);

constexpr uint8_t HexValue(char c) { return static_cast<uint8_t>(c <= '9' ? c - '0' : c - 'a' + 10); }

template <size_t N>
constexpr std::array<uint8_t, N - 1> DecodeClassText(const char (&text)[N]) {
  std::array<uint8_t, N - 1> out{};
  for (size_t i = 0; i + 1 < N; ++i) out[i] = HexValue(text[i]);
  return out;
}

constexpr auto kSingleClasses = DecodeClassText(kSingleByteClassText);
constexpr auto kDoubleClasses = DecodeClassText(kDoubleByteClassText);
static_assert(kSingleClasses.size() == 256);
static_assert(kDoubleClasses.size() == static_cast<size_t>(kLeadCount * kTrailCount));

constexpr int LeadIndex(unsigned lead) {
  return lead <= 0x9F ? static_cast<int>(lead - 0x81) : static_cast<int>(lead - 0xE0 + 31);
}

// Class of one character; 0 when no rule matches it (undefined codes, control
// characters, user-defined characters).
inline int SingleClass(unsigned char b) { return kSingleClasses[b]; }
inline int DoubleClass(unsigned char lead, unsigned char trail) {
  if (trail < kTrailFirst || trail > 0xFC) return 0;
  return kDoubleClasses[LeadIndex(lead) * kTrailCount + (trail - kTrailFirst)];
}

// Bit sets of the URL and mail characters over the 128 ASCII codes.
struct TByteSet {
  uint64_t Bits[4] = {};
  constexpr TByteSet(const char* chars) {
    for (; *chars; ++chars) {
      unsigned char c = static_cast<unsigned char>(*chars);
      Bits[c >> 6] |= uint64_t{1} << (c & 63);
    }
  }
  constexpr bool Has(unsigned char c) const { return (Bits[c >> 6] >> (c & 63)) & 1; }
};

constexpr TByteSet kUrlChars(":/.-_~&?=#@abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
constexpr TByteSet kMailChars("@.-_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");

// True when every byte is one of the set. A double-byte character never is:
// its lead byte lies above 0x80 and no set holds such a byte.
bool AllIn(const TByteSet& set, std::string_view s) {
  for (char c : s)
    if (!set.Has(static_cast<unsigned char>(c))) return false;
  return true;
}

// Character class at 0-based `i` of `b[0..n)`, with its byte length in `len`.
// A lead byte at the last position is a one-byte character with no class.
inline int ClassAt(const unsigned char* b, size_t n, size_t i, int& len) {
  if (IsLeadByte(b[i])) {
    if (i + 1 < n) {
      len = 2;
      return DoubleClass(b[i], b[i + 1]);
    }
    len = 1;
    return 0;
  }
  len = 1;
  return SingleClass(b[i]);
}

inline bool ClassIn(int c, unsigned mask) { return c >= 0 && c < 32 && ((mask >> c) & 1); }

}  // namespace

int GetCharClass(std::string_view ch) {
  const auto* b = reinterpret_cast<const unsigned char*>(ch.data());
  const size_t n = ch.size();
  int result = 0;
  for (size_t i = 0; i < n;) {
    int len;
    int c = ClassAt(b, n, i, len);
    if (c != 0) result = c;
    i += static_cast<size_t>(len);
  }
  return result;
}

bool IsClassCompatible(int a, int b) {
  if (a == b) return true;
  constexpr unsigned kFrom = 1u << 1 | 1u << 3 | 1u << 5 | 1u << 6 | 1u << 7;
  constexpr unsigned kTo = 1u << 1 | 1u << 2 | 1u << 3 | 1u << 5 | 1u << 7;
  if (ClassIn(a, kFrom) && ClassIn(b, kTo)) return true;
  constexpr unsigned kDigitsAndKanji = 1u << 5 | 1u << 10;
  return ClassIn(a, kDigitsAndKanji) && ClassIn(b, kDigitsAndKanji);
}

bool IsUrlChar(std::string_view s) { return AllIn(kUrlChars, s); }

bool IsMailChar(std::string_view s) { return AllIn(kMailChars, s); }

TWordRange WordRange(std::string_view text, int pos, int mode) {
  const int size = static_cast<int>(text.size());
  if (pos <= 0) return {0, 0};
  if (pos > size) return {size + 1, size + 1};
  const auto* b = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();

  // Origin: step back from a trail byte. The bytes between the last byte
  // outside the lead-byte ranges and the position pair up as double-byte
  // characters, so an odd count of them means the position is a trail byte.
  size_t origin = static_cast<size_t>(pos - 1);
  {
    size_t j = origin;
    while (j > 0 && IsLeadByte(b[j - 1])) --j;
    if ((origin - j) % 2 == 1) --origin;
  }
  int originLen;
  const int k = ClassAt(b, n, origin, originLen);
  const std::string_view originChar = text.substr(origin, static_cast<size_t>(originLen));
  const bool originUrl = IsUrlChar(originChar);
  const bool originMail = IsMailChar(originChar);

  auto passes = [&](size_t i, int& len) -> bool {
    int c = ClassAt(b, n, i, len);
    switch (mode) {
      case wmSameClass:
        return c == k;
      case wmUrl:
        return originUrl && kUrlChars.Has(b[i]) && len == 1;
      case wmMail:
        return originMail && kMailChars.Has(b[i]) && len == 1;
      case wmCompatible:
        return IsClassCompatible(k, c);
      default:
        return false;
    }
  };

  // Forwards from the origin: the first character that fails ends the word.
  size_t end = origin;
  while (end < n) {
    int len;
    if (!passes(end, len)) break;
    end += static_cast<size_t>(len);
  }
  if (end == origin) return {static_cast<int>(origin) + 1, static_cast<int>(origin) + 1};

  // Backwards from the origin, one segment at a time. A byte outside the
  // lead-byte ranges always ends a character, so the byte after the last such
  // byte before `start - 1` is a character boundary; the segment from there
  // up to `start` is parsed forwards and its last failing character ends the
  // walk. Each byte is read a bounded number of times and nothing before the
  // word's own segment is read.
  size_t start = origin;
  while (start > 0) {
    size_t segment = start - 1;
    while (segment > 0 && IsLeadByte(b[segment - 1])) --segment;
    size_t lastFailEnd = SIZE_MAX;
    for (size_t i = segment; i < start;) {
      int len;
      if (!passes(i, len)) lastFailEnd = i + static_cast<size_t>(len);
      i += static_cast<size_t>(len);
    }
    if (lastFailEnd != SIZE_MAX) {
      start = lastFailEnd;
      break;
    }
    start = segment;
  }
  return {static_cast<int>(start) + 1, static_cast<int>(end) + 1};
}

std::string WordAt(std::string_view text, int pos, int mode) {
  TWordRange r = WordRange(text, pos, mode);
  if (r.Start < 1 || r.End <= r.Start) return {};
  return std::string(text.substr(static_cast<size_t>(r.Start - 1), static_cast<size_t>(r.End - r.Start)));
}

}  // namespace vorna
