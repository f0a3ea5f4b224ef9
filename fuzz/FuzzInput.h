// Reading a fuzz input piece by piece: bytes and byte strings, zero or empty
// once the input is used up.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/DocumentLayouts.h"

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

// The wrapping switches a fuzz input sets with one byte of flags.
inline void ApplyLayoutFlags(TDocumentLayout& layout, uint8_t flags) {
  layout.Wrap.ViewIndent = flags % 3;
  layout.Wrap.RubiVisible = flags & 4;
  layout.Wrap.FootNoteVisible = flags & 8;
  layout.Wrap.TailAdjust = flags & 16;
  layout.Wrap.WordWrap = flags & 32;
  layout.Wrap.SerifuNameRestore = flags & 64;
  layout.Wrap.GapLineStyle = flags & 128 ? 2 : 0;
}

}  // namespace vorna::fuzzing
