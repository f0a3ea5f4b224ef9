// Where a ruby reading's characters stand along its base, and how much
// smaller than the text an emphasis mark is.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "text/ShiftJis.h"
#include "view/RowPaintInfos.h"

namespace vorna {

TRubyPlacement PlaceRuby(std::string_view reading, const std::vector<int>& baseAdvances, int charPx) {
  TRubyPlacement out;
  const int bytes = static_cast<int>(reading.size());
  if (bytes == 0) return out;
  charPx = std::max(charPx, 1);
  const int64_t extent = std::accumulate(baseAdvances.begin(), baseAdvances.end(), int64_t{0});
  const auto centred = [&](int64_t total) { return static_cast<int>((extent - total) / 2); };
  // As many reading bytes as base cells: each byte beside its cell.
  if (bytes == static_cast<int>(baseAdvances.size())) {
    out.Advances = baseAdvances;
    return out;
  }
  // One character (or one byte): centred on the base.
  if (bytes <= 2 && (bytes == 1 || IsDoubleByteAt(reading, 0))) {
    out.Advances = bytes == 2 ? std::vector<int>{charPx, 0} : std::vector<int>{charPx / 2};
    out.StartPx = centred(bytes == 2 ? charPx : charPx / 2);
    return out;
  }
  // Spread: the first character at the base's start, the last ending at its end.
  const int half = std::max(charPx / 2, 1);
  int pitch =
      bytes > 2 ? static_cast<int>(std::lround(static_cast<double>(extent - charPx) / (bytes - 2))) : half;
  if (pitch < half) {
    // Too long for its base: at half size a byte, centred, overhanging both ends alike.
    pitch = half;
    out.StartPx = centred(static_cast<int64_t>(pitch) * bytes);
  }
  out.Advances.assign(static_cast<size_t>(bytes), pitch);
  return out;
}

int EmphasisShrink(int textHeightPx, bool sesame) {
  const int k = textHeightPx <= 16 ? 1 : textHeightPx <= 24 ? 2 : 3;
  return 2 * (sesame ? k + 1 : k);
}

}  // namespace vorna
