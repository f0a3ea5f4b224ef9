// The find bar's work over a whole document: counting the matches of a
// TTextSearch, stepping to the next or previous one with wrapping, and the
// new text of the lines a "replace all" changes. Matches lie within one line.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "document/TextPositions.h"
#include "text/TextReplaces.h"
#include "text/TextSearches.h"

namespace vorna {

class TEditList;

// A match in the document: its first byte (X 1-based, Y the 0-based line)
// and its length in bytes (0 for an empty match of a regular expression).
struct TDocumentMatch {
  TTextPos Start;
  int LengthBytes = 0;
  TTextPos End() const { return {Start.X + LengthBytes, Start.Y}; }
  bool operator==(const TDocumentMatch&) const = default;
};

// The matches of every line, as TTextSearch::CountIn counts them. When the
// search stops on a line (the match limit), the count so far is returned
// and search.Stopped() and search.Error() tell.
int CountMatches(const TEditList& list, const TTextSearch& search);

// Calls found(match) for every match of every line, in order (each line's
// as FindAllIn gives them), until it returns false.
using TDocumentMatchEvent = std::function<bool(const TDocumentMatch& match)>;
void FindAllMatches(const TEditList& list, const TTextSearch& search, const TDocumentMatchEvent& found);

struct TFindResult {
  bool Found = false;
  TDocumentMatch Match;
  // The match was found only after passing the document's end (forward) or
  // start (backward) and starting again from the other end.
  bool Wrapped = false;
};

// Forward: the first match that starts at or after `from`; backward: the
// last match (of its line's FindAllIn) that starts before `from`. With
// `wrap`, a search that reaches the document's end (start) goes on from the
// other end up to `from`. `from` is clamped into the document. Nothing is
// found when the search cannot match or stops (search.Error() says why).
TFindResult FindMatch(const TEditList& list, const TTextSearch& search, TTextPos from, bool forward,
                      bool wrap = true);

struct TReplaceAllResult {
  // The lines whose text the replacing changes, first and last, inclusive;
  // -1 when no line changes. Replacing those whole lines with Text, as one
  // edit, is the replace-all.
  int FirstLine = -1;
  int LastLine = -1;
  std::string Text;  // their new text, lines joined by CR LF as TEditList::GetText joins them
  int Count = 0;     // matches replaced
  int Skipped = 0;   // matches over hidden notation, left as they were (see ReplaceInLine)
};

// Replaces every match that lies inside `from` .. `to` (the whole document
// when `to` is not given; a selection otherwise: on from's line the matches
// from from.X on, on to's line those that end at or before to.X). A search
// that cannot match or stops part way (search.Error() says why) and a
// replacement that is not Ok() change nothing: FirstLine -1, Count 0.
TReplaceAllResult ReplaceAllMatches(const TEditList& list, const TTextSearch& search,
                                    const TReplacement& replacement, TTextPos from = {1, 0},
                                    std::optional<TTextPos> to = std::nullopt);

}  // namespace vorna
