// Internal to the layout: the cell counter shared by FitCells, CellColumn and
// WrapText, and byte-type helpers that walk only inside one row.
#pragma once

#include <string_view>

#include "layout/LayoutSettings.h"
#include "text/HiddenMasks.h"
#include "text/ShiftJis.h"

namespace vorna::layout_detail {

// What the counting of one line needs, resolved once per line.
struct TCellCounter {
  std::string_view Text;
  const unsigned char* Hidden = nullptr;  // mask by 1-based position; null when nothing is hidden
  const THiddenSpan* Spans = nullptr;     // the same as runs, ascending (set with Hidden)
  int SpanCount = 0;
  // The first span that may end at or after the next start asked; every span
  // before it ends before that start. Rows of a line are counted in order, so
  // each count resumes where the last stopped.
  mutable const THiddenSpan* Cursor = nullptr;
  int TabLength = 0;  // > 0 when a tab runs to the next tab stop
  int Padding = 0;    // name padding amount (2, 4 or 6) or 0

  bool IsHidden(int pos) const { return Hidden && Hidden[pos]; }
  // Points Hidden and Spans at `mask` when it hides something.
  void SetMask(const THiddenMask& mask) {
    if (!mask.AnyHidden()) return;
    Hidden = mask.Data();
    Spans = mask.Spans().data();
    SpanCount = static_cast<int>(mask.Spans().size());
  }
};

struct TFit {
  int End = 0;              // last byte of the row, or length + 1 when the line ended first
  bool EndsOnLead = false;  // End is the lead byte of a double-byte character
  bool HardBreak = false;   // the row ends with a CR LF of the line (End is the LF)
};

// LineHiddenMask's mask built into `mask` without the one-line cache: a
// caller that reads each line once (WrapText) saves copying the line into it.
void FillLineHiddenMask(THiddenMask& mask, std::string_view line, const TLayoutSettings& settings);

// The counting of FitCells from `start` (a character start). With stopAtCrLf a
// shown CR followed by LF ends the row after the LF.
TFit Fit(const TCellCounter& counter, int start, long long cells, int indent, bool stopAtCrLf);

// Applies the name padding to the counter after an increment.
inline long long Pad(long long counter, int amount) {
  switch (amount) {
    case 2:
      return counter == 2 ? 4 : counter;
    case 4:
      return counter == 1 ? 3 : counter == 4 ? 6 : counter;
    case 6:
      return counter == 1 ? 7 : counter;
    default:
      return counter;
  }
}

// True when 1-based `pos` starts a character, `boundary` (<= pos) being known
// to start one. Bytes outside the lead range always end a character, so only
// the run of lead-range bytes before `pos` is read.
inline bool StartsChar(std::string_view text, int boundary, int pos) {
  if (pos <= boundary) return true;
  const auto* b = reinterpret_cast<const unsigned char*>(text.data());
  return LeadRunBefore(b, static_cast<size_t>(boundary - 1), static_cast<size_t>(pos - 1)) % 2 == 0;
}

}  // namespace vorna::layout_detail
