// Building and querying character sets.
#include "layout/CharSets.h"

#include "text/ShiftJis.h"

namespace vorna {

namespace {

void SetBit(std::array<uint64_t, 4>& bits, unsigned byte) { bits[byte >> 6] |= uint64_t{1} << (byte & 63); }

}  // namespace

TCharSet::TCharSet(std::string_view text) : FText(text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t i = 0; i < text.size();) {
    if (IsLeadByte(bytes[i])) {
      if (i + 1 >= text.size()) break;
      uint8_t& table = FLeadTables[bytes[i]];
      if (table == 0) {  // only 60 byte values are leads, so the index fits
        table = static_cast<uint8_t>(FTrails.size());
        FTrails.emplace_back();
      }
      SetBit(FTrails[table], bytes[i + 1]);
      i += 2;
    } else {
      SetBit(FSingle, bytes[i]);
      ++i;
    }
  }
}

bool TCharSet::Contains(unsigned code) const {
  if (code < 0x100) return TestBit(FSingle, code);
  if (code > 0xFFFF) return false;
  return TestBit(FTrails[FLeadTables[code >> 8]], code & 0xFF);
}

}  // namespace vorna
