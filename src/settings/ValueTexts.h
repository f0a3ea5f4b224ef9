// Text forms of the typed setting values shared by the stores: integers in
// decimal (read also in hexadecimal) and doubles in general format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorna {

// Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$"
// (up to 32 bits, so "0xFFFFFFFF" is -1). Spaces and control bytes around the
// number are ignored. Nothing (not a number) for an empty text, a prefix
// without digits, stray characters or a value beyond 32 bits.
std::optional<int32_t> ParseIntegerText(std::string_view text);

// General format with 15 significant digits ("0.3", "2.2", "1E-7", "1E20"),
// or 17 when 15 would not read back as the same double; "." as the decimal
// separator; "NAN", "INF" and "-INF" for the special values.
std::string FloatToText(double value);

// Reads what FloatToText writes and the usual decimal forms ("1e-07", "+2",
// "1,5" with a comma as the only separator). Surrounding blanks are ignored.
std::optional<double> ParseFloatText(std::string_view text);

// Trims bytes 0x00-0x20 at both ends (never part of a CP932 character).
std::string_view TrimBlanks(std::string_view text);

}  // namespace vorna
