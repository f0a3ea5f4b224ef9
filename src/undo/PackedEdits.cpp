// Packing a keystroke's edit into 24 bytes and back.
#include "undo/PackedEdits.h"

#include <cstring>

namespace vorna {

namespace {

constexpr size_t kTextBytes = sizeof(TPackedEdit::Bytes);
constexpr int kRowSteps = 3;  // the most rows an end may lie below its start
constexpr int kInsertStartColumns = 255;
constexpr int kDocLines = 1 << 23;

// Shape bits.
constexpr uint8_t kKindMask = 0x03;
constexpr uint8_t kOldSelecting = 0x04;
constexpr uint8_t kNewSelecting = 0x08;
constexpr int kRangeEndRowShift = 4;
constexpr int kInsertEndRowShift = 6;
// Sizes bits.
constexpr uint8_t kLengthMask = 0x07;
constexpr int kDeletedShift = 3;
constexpr uint8_t kOldCaretAtRangeEnd = 0x40;
constexpr uint8_t kInsertAtRangeEnd = 0x80;

bool FitsColumn(int column) { return column >= 1 && column <= UINT16_MAX; }

// Rows `to` lies below `from`, or -1 outside 0 .. kRowSteps.
int RowStep(TDisplayPos from, TDisplayPos to) {
  const long long step = static_cast<long long>(to.Row) - from.Row;
  return step >= 0 && step <= kRowSteps ? static_cast<int>(step) : -1;
}

// The insertion starts at the range start, or at a small column of the row
// next to it (the text went to the next row, or the deletion point to the
// end of the row before).
bool InsertStartFits(const TTaskEdit& edit) {
  if (edit.FInsertStart == edit.FRangeStart) return true;
  const long long step = static_cast<long long>(edit.FInsertStart.Row) - edit.FRangeStart.Row;
  return (step == 1 || step == -1) && edit.FInsertStart.Column >= 1 &&
         edit.FInsertStart.Column <= kInsertStartColumns;
}

}  // namespace

bool Packable(const TTaskEdit& edit) {
  if (edit.FDeleteBox || edit.FInsertBox || !edit.FBoxPieces.empty()) return false;
  if (edit.FInsertedText.size() + edit.FDeletedText.size() > kTextBytes) return false;
  if (static_cast<unsigned>(edit.FKind) > kKindMask) return false;
  if (!InsertStartFits(edit) || !(edit.FNewCaret == edit.FInsertEnd)) return false;
  if (!(edit.FOldCaret == edit.FRangeStart || edit.FOldCaret == edit.FRangeEnd)) return false;
  if (!(edit.FInsertAt == edit.FRangeStart || edit.FInsertAt == edit.FRangeEnd)) return false;
  if (!(edit.FOldScroll == edit.FNewScroll)) return false;
  if (!FitsColumn(edit.FRangeStart.Column) || !FitsColumn(edit.FRangeEnd.Column) ||
      !FitsColumn(edit.FInsertEnd.Column))
    return false;
  if (RowStep(edit.FRangeStart, edit.FRangeEnd) < 0 || RowStep(edit.FInsertStart, edit.FInsertEnd) < 0)
    return false;
  return edit.FInsertStartDoc.X >= 0 && edit.FInsertStartDoc.X <= UINT16_MAX && edit.FInsertStartDoc.Y >= 0 &&
         edit.FInsertStartDoc.Y < kDocLines;
}

bool PackEdit(const TTaskEdit& edit, uint16_t scrollIndex, TPackedEdit& out) {
  if (!Packable(edit)) return false;
  out.StartColumn = static_cast<uint16_t>(edit.FRangeStart.Column);
  out.RangeEndColumn = static_cast<uint16_t>(edit.FRangeEnd.Column);
  out.StartRow = edit.FRangeStart.Row;
  out.DocLine = static_cast<uint32_t>(edit.FInsertStartDoc.Y);
  const bool atStart = edit.FInsertStart == edit.FRangeStart;
  out.InsertStartOnNextRow = !atStart && edit.FInsertStart.Row > edit.FRangeStart.Row;
  out.InsertStartColumn = atStart ? 0 : static_cast<uint32_t>(edit.FInsertStart.Column);
  out.InsertEndColumn = static_cast<uint16_t>(edit.FInsertEnd.Column);
  out.DocByte = static_cast<uint16_t>(edit.FInsertStartDoc.X);
  out.Scroll = scrollIndex;
  out.Shape = static_cast<uint8_t>(edit.FKind | (edit.FOldSelecting ? kOldSelecting : 0) |
                                   (edit.FNewSelecting ? kNewSelecting : 0) |
                                   RowStep(edit.FRangeStart, edit.FRangeEnd) << kRangeEndRowShift |
                                   RowStep(edit.FInsertStart, edit.FInsertEnd) << kInsertEndRowShift);
  // With an empty range both ends are the start: the old caret and the
  // insertion point read as the start either way.
  out.Sizes = static_cast<uint8_t>(edit.FInsertedText.size() | edit.FDeletedText.size() << kDeletedShift |
                                   (edit.FOldCaret == edit.FRangeStart ? 0 : kOldCaretAtRangeEnd) |
                                   (edit.FInsertAt == edit.FRangeStart ? 0 : kInsertAtRangeEnd));
  std::memset(out.Bytes, 0, kTextBytes);
  std::memcpy(out.Bytes, edit.FInsertedText.data(), edit.FInsertedText.size());
  std::memcpy(out.Bytes + edit.FInsertedText.size(), edit.FDeletedText.data(), edit.FDeletedText.size());
  return true;
}

void UnpackEdit(const TPackedEdit& packed, TPoint scroll, TTaskEdit& edit) {
  const TDisplayPos start{packed.StartColumn, packed.StartRow};
  const TDisplayPos rangeEnd{packed.RangeEndColumn,
                             start.Row + (packed.Shape >> kRangeEndRowShift & kRowSteps)};
  const size_t inserted = packed.Sizes & kLengthMask;
  const size_t deleted = packed.Sizes >> kDeletedShift & kLengthMask;
  edit.FRangeStart = edit.FInsertStart = start;
  if (packed.InsertStartColumn != 0)
    edit.FInsertStart = {static_cast<int>(packed.InsertStartColumn),
                         start.Row + (packed.InsertStartOnNextRow ? 1 : -1)};
  edit.FRangeEnd = rangeEnd;
  edit.FInsertEnd = edit.FNewCaret = {
      packed.InsertEndColumn, edit.FInsertStart.Row + (packed.Shape >> kInsertEndRowShift & kRowSteps)};
  edit.FDeleteBox = edit.FInsertBox = false;
  edit.FInsertedText.assign(packed.Bytes, inserted);
  edit.FDeletedText.assign(packed.Bytes + inserted, deleted);
  edit.FKind = static_cast<TEditKind>(packed.Shape & kKindMask);
  edit.FOldScroll = edit.FNewScroll = scroll;
  edit.FOldCaret = packed.Sizes & kOldCaretAtRangeEnd ? rangeEnd : start;
  edit.FOldSelecting = packed.Shape & kOldSelecting;
  edit.FNewSelecting = packed.Shape & kNewSelecting;
  edit.FBoxPieces.clear();
  edit.FInsertAt = packed.Sizes & kInsertAtRangeEnd ? rangeEnd : start;
  edit.FInsertStartDoc = {packed.DocByte, static_cast<int>(packed.DocLine)};
}

}  // namespace vorna
