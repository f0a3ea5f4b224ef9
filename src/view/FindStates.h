// TFindState: what the view is searching for — the find bar's compiled
// search, or a byte text with FindAll options — and the matches of a whole
// line, which the view colours with the Find element and selects on Find.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextSearches.h"

namespace vorna {

// Which line of which text a line's matches were computed for: the document,
// the line's index, the painter's generation (bumped by every edit and
// layout) and the line's length in bytes.
struct TFindLineKey {
  const void* Document = nullptr;
  int Line = -1;
  unsigned Generation = 0;
  size_t LineBytes = 0;
  bool operator==(const TFindLineKey&) const = default;
};

class TFindState {
 public:
  // The byte form: `text` found with FindAll's options (text/StrSrch.h).
  const std::string& Text() const { return FText; }
  int Options() const { return FOptions; }
  // The compiled form; null while the byte form (or nothing) is set.
  const std::shared_ptr<const TTextSearch>& Search() const { return FSearch; }
  // Something is searched for that can match.
  bool Active() const { return !FText.empty() || (FSearch && FSearch->CanMatch()); }

  // Each drops the other form. False when nothing changed (the caller
  // repaints only on a change).
  bool Set(const std::string& text, int options);
  bool SetSearch(std::shared_ptr<const TTextSearch> search);

  // Every match of `line` in order (1-based byte ranges, on character
  // boundaries, never overlapping); none while inactive. The last line asked
  // is kept under `key`, so the rows of one long line search it once.
  const std::vector<TSearchMatch>& MatchesInLine(std::string_view line, const TFindLineKey& key) const;

 private:
  std::string FText;
  int FOptions = 0;
  std::shared_ptr<const TTextSearch> FSearch;
  mutable TFindLineKey FCachedKey;
  mutable std::vector<TSearchMatch> FCachedMatches;
};

}  // namespace vorna
