// The records through which the document's range operations report what they
// did: caret, touched rows and texts of an edit, the cuts of a format and the
// lengths of a join.
#pragma once

#include <string>
#include <vector>

#include "document/TextPositions.h"

namespace vorna {

// LastRow value meaning: every row from FirstRow to the end of the document.
inline constexpr int kRowsToEnd = 2147483647;

// Display range of one piece of a box insertion.
struct TBoxPiece {
  TDisplayPos Start;
  TDisplayPos End;
  bool operator==(const TBoxPiece&) const = default;
};

struct TEditResult {
  TDisplayPos CaretPos;      // where the caret goes after the edit
  int FirstRow = 0;          // first row whose contents may have changed
  int LastRow = 0;           // last such row, or kRowsToEnd
  std::string DeletedText;   // removed by DeleteRange, lines joined by CR LF
  std::string InsertedText;  // inserted by InsertText with padding, indents and labels
  std::vector<TBoxPiece> BoxPieces;
  TDisplayPos TrackPos;     // read on entry to DeleteRange, carried through the deletion
  TDisplayPos InsertStart;  // where the inserted text begins (after the edit)
};

struct TFormatResult {
  std::vector<int> RowCounts;  // lines each formatted line was cut into
  std::vector<int> Indents;    // continuation indent (cells = bytes of spaces) per formatted line
  TDisplayPos CaretPos;
};

struct TRestoreResult {
  std::vector<int> Lengths;  // byte length of each joined line before the join
  TDisplayPos CaretPos;
};

}  // namespace vorna
