// What the editor view's find and replace operations report to the find bar.
#pragma once

#include "document/DocumentSearches.h"

namespace vorna {

// Why a replace changed nothing.
enum class TReplaceRefusal {
  None,
  NoSearch,        // no search is set, or it cannot match (empty, bad pattern, stopped)
  ReadOnly,        // the document or the style is read-only
  BadReplacement,  // the replacement names a group the pattern does not have
  HiddenNotation,  // the match holds ruby or an annotation hidden from the cells
  NoSelection,     // replacing in the selection without a stream selection
  Stopped,         // the search hit its match limit part way: nothing was replaced
};

struct TViewFindResult {
  bool Found = false;
  bool Wrapped = false;  // found only after passing the document's end (start, backward)
  TDocumentMatch Match;
};

struct TViewReplaceResult {
  TReplaceRefusal Refusal = TReplaceRefusal::None;
  bool Replaced = false;  // the selection was a match and was replaced
  TViewFindResult Next;   // the match selected afterwards
};

struct TViewReplaceAllResult {
  TReplaceRefusal Refusal = TReplaceRefusal::None;
  int Count = 0;    // matches replaced, in one edit
  int Skipped = 0;  // matches left alone: they hold hidden notation
};

}  // namespace vorna
