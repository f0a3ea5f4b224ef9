// What the preset files share: face names in CP932 and the colour kinds of
// SetColors (internal to the settings folder).
#pragma once

#include <string>
#include <string_view>

#include "text/Cp932.h"

namespace vorna::preset_parts {

inline const std::string& Face(std::string_view utf8) { return Cp932Lit(utf8); }

inline constexpr int kFont = 0;  // SetColors: font colour
inline constexpr int kBack = 1;  // back colour
inline constexpr int kLine = 2;  // line colour

}  // namespace vorna::preset_parts
