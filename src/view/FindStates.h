// TFindState: what the view is searching for (the text and its FindAll
// options) and where it matches in a stretch of text; the view colours
// those matches with the Find element and selects them on Find.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/ByteRanges.h"

namespace vorna {

class TFindState {
 public:
  const std::string& Text() const { return FText; }
  int Options() const { return FOptions; }
  bool Active() const { return !FText.empty(); }
  // False when nothing changed (the caller repaints only on a change).
  bool Set(const std::string& text, int options);
  // The matches in `text` as 1-based byte ranges, in order; none while
  // inactive. A match never starts on a trail byte.
  std::vector<TByteRange> MatchesIn(std::string_view text) const;

 private:
  std::string FText;
  int FOptions = 0;
};

}  // namespace vorna
