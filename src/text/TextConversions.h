// Case, kana and width conversions of CP932 text (the six kinds the editing
// commands apply to a selection).
#pragma once

#include <string>
#include <string_view>

namespace vorna {

enum TConvertKind {
  ckUpperCase = 0,
  ckLowerCase = 1,
  ckHiragana = 2,
  ckKatakana = 3,
  ckFullWidth = 4,
  ckHalfWidth = 5,
};

// Converts `text`; an unknown kind returns the text unchanged. Bytes that are
// not valid CP932 characters pass through untouched.
std::string ConvertText(std::string_view text, int kind);

}  // namespace vorna
