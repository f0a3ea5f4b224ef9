// A set of CP932 characters given as a string (the kinsoku and indent-mark
// settings), with constant-time membership for single bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/ShiftJis.h"

namespace vorna {

class TCharSet {
 public:
  TCharSet() = default;
  // The characters of `text`; a lead byte at the end with nothing to pair is
  // ignored. Implicit so that a settings field can be assigned a string.
  TCharSet(std::string_view text);  // NOLINT(google-explicit-constructor)
  TCharSet(const std::string& text)
      : TCharSet(std::string_view(text)) {}                         // NOLINT(google-explicit-constructor)
  TCharSet(const char* text) : TCharSet(std::string_view(text)) {}  // NOLINT(google-explicit-constructor)

  const std::string& Text() const { return FText; }
  bool Empty() const { return FText.empty(); }

  // True when the whole character starting at 0-based `i` of `s` is in the
  // set; a double-byte character never matches by one of its bytes.
  bool ContainsAt(std::string_view s, size_t i) const {
    if (i >= s.size()) return false;
    const auto lead = static_cast<unsigned char>(s[i]);
    if (IsDoubleByteAt(s, i))
      return TestBit(FTrails[FLeadTables[lead]], static_cast<unsigned char>(s[i + 1]));
    return TestBit(FSingle, lead);
  }
  // Membership of a code: a single byte value, or lead << 8 | trail.
  bool Contains(unsigned code) const;

  bool operator==(const TCharSet& other) const { return FText == other.FText; }

 private:
  static bool TestBit(const std::array<uint64_t, 4>& bits, unsigned byte) {
    return (bits[byte >> 6] >> (byte & 63)) & 1;
  }

  std::string FText;
  std::array<uint64_t, 4> FSingle{};  // bit per single byte value
  // Per lead byte the index of its table in FTrails; table 0 is empty and
  // stands for every lead byte outside the set, so a test never branches.
  std::array<uint8_t, 256> FLeadTables{};
  std::vector<std::array<uint64_t, 4>> FTrails =
      std::vector<std::array<uint64_t, 4>>(1);  // bit per trail byte
};

}  // namespace vorna
