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
// not defined CP932 characters pass through untouched (a lead byte keeps the
// byte after it, as everywhere in the text layer), and so does a character
// whose mapped form CP932 cannot hold.
//  ckUpperCase / ckLowerCase: ASCII, full-width Latin, Greek, Cyrillic and the
//    Roman numerals.
//  ckHiragana / ckKatakana: ぁ..ん <-> ァ..ン, ゝゞ <-> ヽヾ; ヴヵヶ stay (their
//    hiragana are not in CP932); half-width katakana stay.
//  ckFullWidth: ASCII to full width (" " -> "　", 0x5C -> "￥", '"' -> "”",
//    "'" -> "’", "~" -> "～"), half-width katakana and kana punctuation to
//    full width, a following ﾞ or ﾟ combining into one character (ｶﾞ -> ガ,
//    ﾊﾟ -> パ, ｳﾞ -> ヴ) when CP932 has it.
//  ckHalfWidth: the reverse, voiced katakana splitting into two characters;
//    "＼" also becomes 0x5C, "＂" '"' and "＇" "'". Hiragana stay hiragana.
std::string ConvertText(std::string_view text, int kind);

}  // namespace vorna
