// A span of bytes inside one line, as the notation and link scanners report it.
#pragma once

namespace vorna {

// First and last byte of a span, 1-based and inclusive.
struct TByteRange {
  int First = 0;
  int Last = 0;
  bool operator==(const TByteRange&) const = default;
};

}  // namespace vorna
