// Character classes of CP932 characters and the word ranges built on them,
// plus the URL and mail character sets.
#pragma once

#include <string>
#include <string_view>

namespace vorna {

// Character class of a one- or two-byte character:
//  0 none, 1 half-width plain (digits), 2 half-width letter, 3 half-width
//  symbol, 4 half-width katakana, 5 full-width plain (digits), 6 full-width
//  letter, 7 full-width symbol, 8 full-width katakana, 9 hiragana, 10 kanji
//  (also "々" and "＿"), 11 symbol of neither width, 12 " ", 13 "　".
// A longer string is classified character by character; a character that
// matches no rule (control characters, undefined and user-defined codes, a
// lone lead byte) keeps the class of the one before, so the last character
// that matches decides. The empty string gives 0. Table lookup, no allocation.
int GetCharClass(std::string_view ch);

// a = class at the starting position, b = class of a neighbour. Not symmetric.
bool IsClassCompatible(int a, int b);

// Every byte single-byte and in the URL / mail set; the empty string is true.
bool IsUrlChar(std::string_view s);
bool IsMailChar(std::string_view s);

enum TWordMode { wmSameClass = 0, wmUrl = 1, wmMail = 2, wmCompatible = 3 };

struct TWordRange {
  int Start = 0;  // 1-based first byte
  int End = 0;    // 1-based, exclusive
  bool operator==(const TWordRange&) const = default;
};

// Word around 1-based `pos` (a trail byte counts as its character's lead byte):
// the run of characters on both sides of it that pass the mode's test against
// the character at `pos`. pos <= 0 gives (0, 0); past the end gives
// (length + 1, length + 1). In the URL and mail modes a character at `pos` that
// is not in the set gives the empty range (pos, pos); so does an unknown mode.
// Cost is linear in the word plus the run of lead-range bytes before it; the
// text before that is never read, so callers may pass whole lines.
TWordRange WordRange(std::string_view text, int pos, int mode);
std::string WordAt(std::string_view text, int pos, int mode);

}  // namespace vorna
