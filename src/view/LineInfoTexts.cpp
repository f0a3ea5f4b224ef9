// What the line-number column of a row shows: row, line, page or scene
// numbers with their offset, interval and zero padding.
#include <algorithm>
#include <cstdint>
#include <string>

#include "view/RowPaintInfos.h"

namespace vorna {
namespace {

// Digits never padded beyond this, whatever the column claims.
constexpr int kMaxPadDigits = 20;

std::string Padded(int64_t value, int width, bool fillZero) {
  std::string digits = std::to_string(value);
  if (fillZero) {
    const int pad = std::min(width, kMaxPadDigits) - static_cast<int>(digits.size());
    if (pad > 0) digits.insert(0, static_cast<size_t>(pad), '0');
  }
  return digits;
}

}  // namespace

std::string LineInfoText(const TLineInfoInputs& in) {
  if (in.Row < 0) return {};
  const int perPage = in.LineCountInPage;
  const bool pages = perPage > 0;
  int64_t number = 0;
  switch (in.Style) {
    case kLineInfoRows:
      number = int64_t{in.Row} + 1;
      break;
    case kLineInfoLines:
      if (!in.FirstRowOfLine || in.Line < 0) return {};
      number = int64_t{in.Line} + 1;
      break;
    case kLineInfoPagesAndRows:
    case kLineInfoPagesOnly:
      if (pages && in.Row % perPage == 0) {
        // A page label is no line number: the offset and the interval leave it alone.
        const std::string page = Padded(int64_t{in.Row / perPage} + 1, in.Digits - 1, in.FillZero);
        return "P" + page;
      }
      if (in.Style == kLineInfoPagesOnly) return {};
      number = pages ? int64_t{in.Row % perPage} + 1 : int64_t{in.Row} + 1;
      break;
    case kLineInfoScenes:
      if (!in.FirstRowOfLine || in.SceneNo <= 0) return {};
      number = in.SceneNo;
      break;
    default:
      return {};
  }
  number -= in.StartLineNo;
  if (in.Interval > 1) {
    if (number < in.StartNo || (number - in.StartNo) % in.Interval != 0) return {};
  }
  if (number <= 0) return {};
  return Padded(number, in.Digits, in.FillZero);
}

}  // namespace vorna
