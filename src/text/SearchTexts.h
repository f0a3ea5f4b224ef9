// The text a search runs over, made from one line: hidden notation left out,
// characters folded to one form where the options make them alike, and for
// regular expressions decoded to UTF-8; and the walk that maps its offsets
// back to the line's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/HiddenMasks.h"

namespace vorna {

// Sets of characters a fold makes alike (bit set).
enum : int {
  sfCase = 1,   // upper and lower case (ASCII, full-width Latin, Greek, Cyrillic, Roman numerals)
  sfWidth = 2,  // full-width ASCII forms and ASCII; half-width and full-width katakana
  sfKana = 4,   // hiragana and katakana
};

// The folded code of every CP932 code under one set of folds. A code is a
// single byte b at index b, a double-byte character at lead << 8 | trail.
// Folded forms: ASCII for the full-width ASCII forms ("　" is " ", "”" '"',
// "’" "'", "￥" and "＼" 0x5C), full-width katakana for half-width ones,
// upper case, katakana. Codes that are no character fold to themselves.
class TFoldTable {
 public:
  explicit TFoldTable(int folds);
  uint16_t Fold(unsigned code) const { return FCode[code]; }
  // The folded code of half-width base `base` followed by the mark ﾞ or ﾟ
  // (`mark` 0xDE or 0xDF) when the two make one character (ｶﾞ is ガ), else 0.
  uint16_t FoldPair(unsigned char base, unsigned char mark) const {
    return base >= 0xA0 && base <= 0xDF && (mark == 0xDE || mark == 0xDF) ? FPair[mark - 0xDE][base - 0xA0]
                                                                          : 0;
  }
  // True when no other code, and no pair, folds to what `code` folds to: the
  // character then matches only itself.
  bool Alone(unsigned code) const { return FShared[FCode[code]] == 0; }
  int Folds() const { return FFolds; }

 private:
  int FFolds;
  std::vector<uint16_t> FCode;         // 65536 entries
  std::vector<unsigned char> FShared;  // by folded code: 1 when two or more fold to it
  uint16_t FPair[2][64] = {};
};

// The table of `folds`, built on first use and kept for the process.
const TFoldTable& FoldTableFor(int folds);

// How a line becomes its search text.
struct TSearchForm {
  const TFoldTable* Fold = nullptr;  // null: characters stay as they are
  bool Utf8 = false;                 // one UTF-8 character per character of the line
};

// Appends to `out` the search text of line[from..] (`from` a 0-based
// character boundary) without the bytes of `spans` (1-based, ascending, as
// THiddenMask::Spans gives them; null for none). Each character of the line
// gives one character of the search text (a half-width katakana and its
// voiced mark one together when width folds), so offsets of the search text
// that lie between characters map back to character boundaries of the line.
// With UTF-8, a code that decodes to nothing gives U+FFFD and a user-defined
// code the character it stands for.
void AppendSearchText(std::string_view line, size_t from, const std::vector<THiddenSpan>* spans,
                      const TSearchForm& form, std::string& out);

// The character a (folded) code stands for in the UTF-8 form: U+FFFD for a
// code that decodes to nothing, the character a user-defined code stands for.
char32_t SearchCharacterOf(unsigned code);

// Maps offsets of a search text (as AppendSearchText made it from the same
// arguments) back to 0-based byte offsets of the line. Walks forward: each
// call costs the distance from the previous one; asking for an earlier
// offset starts again from `from`.
class TSearchTextMap {
 public:
  TSearchTextMap(std::string_view line, size_t from, const std::vector<THiddenSpan>* spans,
                 const TSearchForm& form);
  // The line offset of the character at search-text `offset` (past hidden
  // bytes before it): where a match starting there starts.
  size_t StartOf(size_t offset);
  // The line offset just after the character that ends at `offset` (hidden
  // bytes after it stay out): where a match ending there ends.
  size_t EndOf(size_t offset);
  // The search-text offset of the first character at or after line offset `lineOffset`.
  size_t TextOffsetOf(size_t lineOffset);

 private:
  void Restart();
  bool AtSpan() const;
  void SkipSpan();
  // One character, or without folding or decoding a run of visible bytes,
  // never past either target. Not at a span.
  void Step(size_t textTarget, size_t lineTarget);

  std::string_view FLine;
  size_t FFrom;
  const std::vector<THiddenSpan>* FSpans;
  TSearchForm FForm;
  size_t FLineOffset = 0;  // the walk's position in the line
  size_t FTextOffset = 0;  // and in the search text
  size_t FSpan = 0;        // index of the first span not yet passed
};

}  // namespace vorna
