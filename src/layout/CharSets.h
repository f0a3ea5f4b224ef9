// A set of CP932 characters given as a string (the kinsoku and indent-mark
// settings), with constant-time membership for single bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
  bool ContainsAt(std::string_view s, size_t i) const;
  // Membership of a code: a single byte value, or lead << 8 | trail.
  bool Contains(unsigned code) const;

  bool operator==(const TCharSet& other) const { return FText == other.FText; }

 private:
  std::string FText;
  std::array<uint64_t, 4> FSingle{};  // bit per single byte value
  std::array<uint64_t, 4> FLeads{};   // bit per lead byte that starts a member
  std::vector<uint16_t> FDouble;      // sorted double-byte codes
};

}  // namespace vorna
