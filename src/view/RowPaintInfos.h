// What painting keeps per visible row (the cell styles, the measured
// advances, the annotation hot spots) and the plain rules of row painting
// that need no view: upright pairs, joined rules, line-number texts, ruby
// spreading and emphasis sizes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "settings/StyleElements.h"
#include "settings/StyleKinds.h"

namespace vorna {

// One cell of a row's display text (one byte), plus one after its end.
struct TCellStatus {
  uint8_t Style = kElemNormal;   // the view element the cell is painted with (52 .. 80)
  uint8_t Style2 = kElemNormal;  // the style the selection covered, for the hit test of links
  int Advance = 0;               // pixels along the row; only with a proportional font
};

// An annotation mark of a row: the hot spot (the mark's square grown by 4
// pixels on every side, relative to the top-left corner of the row's
// rectangle, so scrolling leaves it valid) and the 1-based bytes of the
// "［＃" … "］" span in its line.
struct TFootNoteMark {
  TRect HotSpot;
  int First = 0;
  int Last = 0;
};

// The paint state of one visible row slot. It is valid for `Row` as long as
// the row's raw text, the caret row, the selected cells and the view's paint
// generation are those it was built with.
struct TRowPaintInfo {
  int Row = -1;  // -1: empty slot
  unsigned Generation = 0;
  std::string RawText;      // the row's bytes in its line (notation included)
  std::string DisplayText;  // what the row shows, one byte a cell
  bool CaretRow = false;
  int SelFirst = 0, SelLast = -1;  // selected cells (0-based), empty when last < first
  std::vector<TCellStatus> Cells;  // DisplayText.size() + 1 entries
  std::vector<TFootNoteMark> FootNoteMarks;
};

// --- upright pairs -------------------------------------------------------------

// True for the bytes an upright pair is made of: digits, "!", "?" and space.
constexpr bool IsUprightPairByte(char c) {
  return (c >= '0' && c <= '9') || c == '!' || c == '?' || c == ' ';
}

// 0-based starts of the upright pairs of a display text: runs of exactly two
// pair bytes not preceded (from byte `indentBytes` on) nor followed by
// another, unless both are spaces. Bytes of double-byte characters never
// count (their trail bytes may look like pair bytes).
std::vector<int> FindUprightPairs(std::string_view text, int indentBytes);

// --- joined rules ----------------------------------------------------------------

// In every run of two or more "─" (each two bytes) of `text`, the lead cell
// before each following "─" advances `ruleWidthPx` (already multiplied by
// the supersampling factor), its trail cell 0, and what the pair gave up
// goes to the next cell, so that the rules touch. `advances` has one entry
// per byte of `text`; the total advance stays the same.
void ConnectRules(std::string_view text, std::vector<int>& advances, int ruleWidthPx);

// --- line numbers -----------------------------------------------------------------

// What the line-number column of a row shows, before its style is chosen.
struct TLineInfoInputs {
  int Style = kLineInfoRows;  // a TLineInfoStyle
  int Row = 0;                // display row (0-based)
  int Line = 0;               // document line (0-based)
  bool FirstRowOfLine = false;
  int SceneNo = 0;  // of a heading's first row, else 0
  int LineCountInPage = 0;
  int StartLineNo = 0;    // LineInfoStartLineNo, subtracted from the number
  int Interval = 0;       // LineInfoInterval
  int StartNo = 0;        // StartLineInfoNo
  bool FillZero = false;  // LineInfoFillZero: pad numbers to `Digits`
  int Digits = 0;
};

// The text ("12", "P3") or empty when nothing is shown on this row.
std::string LineInfoText(const TLineInfoInputs& in);

// --- the manuscript grid ------------------------------------------------------------

// Where a row stands in its block of joined grid rows. On paper or with page
// roll a block is a partition (its slots); otherwise it is a page of
// `LineCountInPage` rows, cut again where a partition ends, or the whole
// document when pages have no length and there is one partition.
struct TGridBlockInputs {
  int Row = 0;                  // display row (0-based)
  int Slot = 0;                 // GetRowPlace's slot
  int SlotsPerPartition = 0;    // RowsPerPartition
  bool SlotBlocks = false;      // paper shown or page roll
  bool Partitioned = false;     // more than one partition
  int LineCountInPage = 0;      // 0 or less: pages have no length
  bool ClosesDocument = false;  // the document's last row, with EofOverUnfilled
};
struct TGridBlockEnds {
  bool First = false;  // the block's near edge is closed on this row
  bool Last = false;   // the block's far edge is closed on this row
};
TGridBlockEnds GridBlockEnds(const TGridBlockInputs& in);

// --- ruby --------------------------------------------------------------------------

// Where the characters of a ruby reading stand along its base: the offset of
// each reading byte from the base's start (pixels; a double-byte
// character's trail byte repeats its lead's offset) and the advance of each
// byte. `baseAdvances` are the base cells' advances on this row, `charPx`
// the size of one full-width reading character along the row.
struct TRubyPlacement {
  int StartPx = 0;            // offset of the first character from the base start (may be < 0)
  std::vector<int> Advances;  // one per reading byte
};
TRubyPlacement PlaceRuby(std::string_view reading, const std::vector<int>& baseAdvances, int charPx);

// --- emphasis ------------------------------------------------------------------------

// How much smaller than the text font an emphasis mark is, before the
// supersampling factor: 2 x k with k = 1 up to 16 pixels, 2 up to 24, 3
// above; the sesame kind one step more.
int EmphasisShrink(int textHeightPx, bool sesame);

}  // namespace vorna
