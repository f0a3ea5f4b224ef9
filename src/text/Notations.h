// Ruby and annotation notation of one line: the scanners that find markers,
// rubies and emphasis annotations, and the removal of the notation.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/ByteRanges.h"

namespace vorna {

// One ruby: the base text and its reading (1-based positions, byte lengths).
struct TRubyInfo {
  int32_t BaseStart = 0;
  int32_t BaseLength = 0;
  int32_t RubyStart = 0;
  int32_t RubyLength = 0;
  bool operator==(const TRubyInfo&) const = default;
};

// One emphasis annotation: its kind (index of the closing string) and the
// bytes of the line it marks.
struct TEmphasisInfo {
  int Kind = 0;
  int TargetFirst = 0;
  int TargetLast = 0;
  bool operator==(const TEmphasisInfo&) const = default;
};

inline constexpr int EmphasisKindCount = 10;

// The ten closing strings of the emphasis annotations, by kind, in CP932.
const std::array<std::string, EmphasisKindCount>& EmphasisClosings();

// 1-based position of the first occurrence of `marker` at or after `from` that
// starts on a character boundary, or 0. An empty marker is never found.
int FindMarker(std::string_view line, std::string_view marker, int from = 1);

// Ranges from each `open` to the first `close` after it, taken only when that
// closer comes before the next opener (or the opener is the last one). With an
// empty `close`, every opener alone is a range.
std::vector<TByteRange> FindPairs(std::string_view line, std::string_view open, std::string_view close);

std::vector<TByteRange> FindRubyBars(std::string_view line);   // every "｜"
std::vector<TByteRange> FindRubyTexts(std::string_view line);  // "《" … "》"

// One record per ruby text. The base is the text after the nearest unused "｜"
// before the reading, or else the run of same-class characters before "《".
std::vector<TRubyInfo> ParseRubies(std::string_view line);

// "［＃" … "］" ranges that are not emphasis annotations.
std::vector<TByteRange> FindAnnotations(std::string_view line);

// Emphasis annotations, ordered by kind, then by position. The target is the
// bytes directly before "［＃「", as many as the quoted text has; a target that
// would reach before the line start is cut at the first whole character, and
// an empty quote gives no record.
std::vector<TEmphasisInfo> FindEmphasis(std::string_view line);

// Ranges of every occurrence of `pattern` (FindAll options).
std::vector<TByteRange> FindTextRanges(std::string_view pattern, std::string_view line, int flags);

// The text without ruby readings ("《" through the first "》" after it) and
// without any "｜". Openers without a closer stay.
std::string RemoveRuby(std::string_view text);

// The text without annotation spans ("［＃" through the first "］" after it).
std::string RemoveAnnotations(std::string_view text);

}  // namespace vorna
