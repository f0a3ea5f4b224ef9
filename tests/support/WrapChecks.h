// Invariants every wrap must keep, shared by the wrapping tests and the
// wrapping fuzz target (header only, no test framework).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/HiddenMasks.h"
#include "text/ShiftJis.h"

namespace vorna::testing {

// Empty when `rows` cut `line` into whole characters that add up to the line,
// every row holding a byte (one empty row for an empty line) and no row after
// the first starting with a hidden byte; otherwise what is wrong.
inline std::string RowFault(std::string_view line, const std::vector<int>& rows, const THiddenMask* mask) {
  if (line.empty()) return rows == std::vector<int>{0} ? "" : "empty line not one empty row";
  if (rows.empty()) return "no rows";
  // Character starts, walked once.
  std::vector<char> starts(line.size() + 2, 0);
  for (size_t i = 0; i < line.size(); i += IsDoubleByteAt(line, i) ? 2 : 1) starts[i + 1] = 1;
  starts[line.size() + 1] = 1;
  size_t start = 1;
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r] <= 0) return "row " + std::to_string(r) + " is empty";
    if (start > line.size()) return "rows run past the line";
    if (!starts[start]) return "row " + std::to_string(r) + " starts on a trail byte";
    if (r > 0 && mask && mask->Hidden(static_cast<int>(start)))
      return "row " + std::to_string(r) + " starts inside hidden notation";
    start += static_cast<size_t>(rows[r]);
  }
  if (start != line.size() + 1) return "rows add up to " + std::to_string(start - 1);
  return "";
}

}  // namespace vorna::testing
