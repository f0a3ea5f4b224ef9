// Fixed tables of the CP932 conversion.
#pragma once

#include <cstdint>
#include <utility>

namespace vorna {

// Unicode characters that the Microsoft CP932 table does not produce but that
// JIS-based sources use for the same CP932 codes (wave dash, double vertical
// line, minus sign, cent, pound, not sign, em dash, broken bar).
inline constexpr std::pair<char32_t, uint16_t> kCp932CompatibilityForms[] = {
    {0x301C, 0x8160}, {0x2016, 0x8161}, {0x2212, 0x817C}, {0x00A2, 0x8191},
    {0x00A3, 0x8192}, {0x00AC, 0x81CA}, {0x2014, 0x815C}, {0x00A6, 0xFA55},
};

}  // namespace vorna
