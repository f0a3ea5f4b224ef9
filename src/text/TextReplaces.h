// Replacing the matches of a TTextSearch in a line: the replacement text
// compiled once (with group references for a regular expression), and the
// new text of a line with every match replaced.
#pragma once

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextSearches.h"

namespace vorna {

class TReplacement {
 public:
  // `text` is CP932. For a plain search it is inserted as written (a line
  // break is "\r\n", the document's own). For a regular expression:
  //   $0 … $99, ${0} … ${99}, $&   the text of a group (the whole match for 0
  //                                and $&), empty when the group took no part
  //   ${name}                      the text of a named group
  //   $$                           a dollar sign
  //   \n  \t  \\  \$               a line break ("\r\n"), a tab, a backslash, a dollar sign
  // Any other "$" or "\" stands for itself. A group the pattern does not
  // have makes the replacement fail: Ok() false, Error() says which (CP932).
  // A group's text is the line's own bytes, never their folded form.
  TReplacement(std::string_view text, const TTextSearch& search);

  bool Ok() const { return FError.empty(); }
  const std::string& Error() const { return FError; }

  // The text that replaces a match of `line` found with `groups` (as
  // TTextSearch::ForEachMatch gives them).
  std::string Expand(std::string_view line, const std::vector<TSearchMatch>& groups) const;

 private:
  struct TPiece {
    std::string Literal;  // used when Group < 0
    int Group = -1;
  };
  std::vector<TPiece> FPieces;
  std::string FError;
};

struct TLineReplacement {
  std::string Text;  // the new line; holds "\r\n" where the replacement breaks it
  int Count = 0;     // matches replaced
  int Skipped = 0;   // matches left as they were: they hold hidden notation
};

// `line` with every match of `search` that lies inside 1-based `from` ..
// `to` (a match from `from` on that ends at or before `to`) replaced.
// A match over notation hidden from the search (it lies between the match's
// visible characters), and an empty match just after hidden notation, is
// left alone and counted in Skipped: replacing it would delete ruby or an
// annotation the writer cannot see, or put text inside a ruby's base. A failed
// replacement, a search that cannot match, or one that stops on this line
// (TTextSearch::Stopped) leaves the line as it is, with Count 0.
TLineReplacement ReplaceInLine(std::string_view line, const TTextSearch& search,
                               const TReplacement& replacement, int from = 1, int to = INT_MAX);

}  // namespace vorna
