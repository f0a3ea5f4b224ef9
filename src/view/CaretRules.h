// Rules of where the caret may stand that need no view.
#pragma once

#include <optional>

#include "layout/LineWraps.h"
#include "view/EditorCommands.h"

namespace vorna {

// Where a caret asked to go to cell `cell` (counted after the row's indent,
// at most kSpeakerNameCells) of a padded speaker's name stands, for a move in
// `mode`; `header` is the row's SerifuHeaderByte (a TSpeakerHeader for a
// padded name) and `rowBefore` tells that a row precedes this one. The caret
// never stays in the padding: it goes to a character of the name or to the
// header's cell (kSpeakerNameCells + 1). Empty: to the end of the row before.
// Headers of other kinds leave the cell as it is.
std::optional<int> NameAreaCaretCell(int header, int cell, TCaretMode mode, bool rowBefore);

}  // namespace vorna
