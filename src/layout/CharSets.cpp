// Building and querying character sets.
#include "layout/CharSets.h"

#include <algorithm>

#include "text/ShiftJis.h"

namespace vorna {

namespace {

void SetBit(std::array<uint64_t, 4>& bits, unsigned byte) { bits[byte >> 6] |= uint64_t{1} << (byte & 63); }
bool TestBit(const std::array<uint64_t, 4>& bits, unsigned byte) {
  return (bits[byte >> 6] >> (byte & 63)) & 1;
}

}  // namespace

TCharSet::TCharSet(std::string_view text) : FText(text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t i = 0; i < text.size();) {
    if (IsLeadByte(bytes[i])) {
      if (i + 1 >= text.size()) break;
      SetBit(FLeads, bytes[i]);
      FDouble.push_back(static_cast<uint16_t>(bytes[i] << 8 | bytes[i + 1]));
      i += 2;
    } else {
      SetBit(FSingle, bytes[i]);
      ++i;
    }
  }
  std::sort(FDouble.begin(), FDouble.end());
  FDouble.erase(std::unique(FDouble.begin(), FDouble.end()), FDouble.end());
}

bool TCharSet::Contains(unsigned code) const {
  if (code < 0x100) return TestBit(FSingle, code);
  if (code > 0xFFFF || !TestBit(FLeads, code >> 8)) return false;
  return std::binary_search(FDouble.begin(), FDouble.end(), static_cast<uint16_t>(code));
}

bool TCharSet::ContainsAt(std::string_view s, size_t i) const {
  if (i >= s.size()) return false;
  const auto lead = static_cast<unsigned char>(s[i]);
  if (IsDoubleByteAt(s, i))
    return Contains(static_cast<unsigned>(lead) << 8 | static_cast<unsigned char>(s[i + 1]));
  return TestBit(FSingle, lead);
}

}  // namespace vorna
