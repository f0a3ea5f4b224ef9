// The compact form of a single keystroke's edit: 24 bytes in place of a task
// object, for the edits whose positions follow from one another.
#pragma once

#include <cstdint>

#include "undo/UndoTasks.h"

namespace vorna {

// A text edit of at most 4 bytes (inserted and deleted together), no box,
// the caret left at the insertion's end (FNewCaret == FInsertEnd), the old
// caret and the insertion point at one end of the range, one scroll offset
// before and after, the range end within 3 rows below the range start, the
// insertion starting where the range starts or (typed at a row's end, or
// deleted at a row's start) at a column up to 255 of the row after or before
// it, the insertion end within 3 rows below the insertion start, columns
// 1 .. 65535, the document byte 0 .. 65535 and its line below 2^23. Every
// other edit stays a task object.
struct TPackedEdit {
  uint16_t StartColumn = 0;  // FRangeStart.Column; 0 never occurs in a packed edit
  uint16_t RangeEndColumn = 0;
  int32_t StartRow = 0;       // FRangeStart.Row
  uint32_t DocLine : 23 = 0;  // FInsertStartDoc.Y
  // FInsertStart: the range start when its column is 0, else on the row after
  // (or before) the range start's.
  uint32_t InsertStartOnNextRow : 1 = 0;
  uint32_t InsertStartColumn : 8 = 0;
  uint16_t InsertEndColumn = 0;
  uint16_t DocByte = 0;  // FInsertStartDoc.X
  uint16_t Scroll = 0;   // index of the scroll offset in the history's table
  uint8_t Shape = 0;     // kind, selecting before and after, the rows from each start to its end
  uint8_t Sizes = 0;     // text lengths, which range end the old caret and the insertion point are
  char Bytes[4] = {};    // the inserted text, then the deleted text
};
static_assert(sizeof(TPackedEdit) == 24);

// Packs `edit` into `out` with `scrollIndex` standing for its scroll offset.
// False (and `out` undefined) when the edit has no compact form.
bool PackEdit(const TTaskEdit& edit, uint16_t scrollIndex, TPackedEdit& out);

// Whether the edit could be packed, apart from its scroll offset's index.
bool Packable(const TTaskEdit& edit);

// Fills every field of `edit` from `packed`; `scroll` is the offset its index
// stands for. Unpacking what PackEdit packed gives the edit back field for field.
void UnpackEdit(const TPackedEdit& packed, TPoint scroll, TTaskEdit& edit);

}  // namespace vorna
