// Reading a fuzz input piece by piece: bytes and byte strings, zero or empty
// once the input is used up.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorna::fuzzing {

struct TReader {
  std::string_view Data;
  uint8_t Byte() {
    if (Data.empty()) return 0;
    const uint8_t b = static_cast<uint8_t>(Data[0]);
    Data.remove_prefix(1);
    return b;
  }
  std::string Bytes(size_t n) {
    n = std::min(n, Data.size());
    std::string s(Data.substr(0, n));
    Data.remove_prefix(n);
    return s;
  }
};

}  // namespace vorna::fuzzing
