// Internal to the layout: the cell counter shared by FitCells, CellColumn and
// WrapText, and byte-type helpers that walk only inside one row.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "layout/LayoutSettings.h"
#include "text/HiddenMasks.h"
#include "text/ShiftJis.h"

namespace vorna::layout_detail {

// What the counting of one line needs, resolved once per line.
struct TCellCounter {
  std::string_view Text;
  const THiddenSpan* Spans = nullptr;  // hidden runs, ascending; null when nothing is hidden
  int SpanCount = 0;
  // The same as a bit mask by 1-based position, or null: without it the
  // spans answer, which saves building the mask where the hidden bytes are
  // asked only at the ends of rows.
  const uint64_t* Hidden = nullptr;
  // The first span that may end at or after the next start asked; every span
  // before it ends before that start. Rows of a line are counted in order, so
  // each count resumes where the last stopped.
  mutable const THiddenSpan* Cursor = nullptr;
  int TabLength = 0;  // > 0 when a tab runs to the next tab stop
  int Padding = 0;    // name padding amount (2, 4 or 6) or 0

  bool IsHidden(int pos) const {
    if (Hidden) return (Hidden[static_cast<unsigned>(pos) >> 6] >> (pos & 63)) & 1;
    return Spans && HiddenThrough(pos) >= pos;
  }
  // Last byte of the hidden run that holds `pos`, or pos - 1 when `pos` is
  // visible. From the spans, starting at the cursor: the positions asked
  // are near the last.
  int HiddenThrough(int pos) const {
    if (!Spans) return pos - 1;
    const THiddenSpan* end = Spans + SpanCount;
    const THiddenSpan* span = Cursor ? Cursor : Spans;
    while (span != Spans && span[-1].Last >= pos) --span;
    while (span != end && span->Last < pos) ++span;
    Cursor = span;
    return span != end && span->First <= pos ? span->Last : pos - 1;
  }
  // Points Spans at `mask` when it hides something, and Hidden at its bits
  // when they are marked.
  void SetMask(const THiddenMask& mask) {
    if (!mask.AnyHidden()) return;
    Spans = mask.Spans().data();
    SpanCount = static_cast<int>(mask.Spans().size());
    Cursor = Spans;
    Hidden = mask.Data();
  }
};

struct TFit {
  int End = 0;               // last byte of the row, or length + 1 when the line ended first
  bool EndsOnLead = false;   // End is the lead byte of a double-byte character
  bool HardBreak = false;    // the row ends with a CR LF of the line (End is the LF)
  bool Absorbed = false;     // End already takes in the notation hidden after it
  bool StartHidden = false;  // the row's first byte is hidden
};

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

// LineHiddenMask's spans built into `mask` without the one-line cache or the
// byte entries (FillHiddenSpans): a caller that reads each line once
// (WrapText) saves copying the line into it. Returns whether the line holds a
// tab or a CR LF.
TLineControls FillLineHiddenSpans(THiddenMask& mask, std::string_view line, const TLayoutSettings& settings);

// The counting of FitCells from `start` (a character start). With stopAtCrLf a
// shown CR followed by LF ends the row after the LF.
TFit Fit(const TCellCounter& counter, int start, long long cells, int indent, bool stopAtCrLf);

// The LF of the first shown CR LF whose CR lies in `start` .. `last`, or 0.
int CrLfBreak(const TCellCounter& counter, int start, int last);

// Fit where every visible byte is one cell: no shown tab, and no name padding
// (or `start` is past byte 1). Inline so that the row loop of WrapText saves a
// call per row.
inline TFit FitPlain(const TCellCounter& counter, int start, long long cells, int indent, bool stopAtCrLf) {
  const std::string_view text = counter.Text;
  const int size = static_cast<int>(text.size());
  if (start > size) return {size + 1, false, false};
  // Find the byte where the visible count reaches the cells left after the indent.
  const long long reach = std::max<long long>(cells - indent, 1);
  long long end;
  // The last byte of the hidden run right after `end`, or 0 when there is none.
  int hiddenAfter = 0;
  bool startHidden = false;
  if (!counter.Spans) {
    end = start - 1 + reach;  // bytes and cells coincide
  } else {
    // Step over the hidden runs: between them bytes and cells coincide.
    const THiddenSpan* spansEnd = counter.Spans + counter.SpanCount;
    const THiddenSpan* span = counter.Cursor;
    if (!span || (span != counter.Spans && span[-1].Last >= start)) {
      span = std::partition_point(counter.Spans, spansEnd,
                                  [start](const THiddenSpan& s) { return s.Last < start; });
    } else {
      while (span != spansEnd && span->Last < start) ++span;
    }
    startHidden = span != spansEnd && span->First <= start;
    long long pos = start;
    long long need = reach;
    for (; span != spansEnd; ++span) {
      if (span->First > pos) {
        const long long gap = span->First - pos;
        if (gap >= need) break;
        need -= gap;
      }
      pos = span->Last + 1;
    }
    counter.Cursor = span;
    end = pos + need - 1;
    // The walk stopped at the first span after `end`.
    if (span != spansEnd && span->First == end + 1) hiddenAfter = span->Last;
  }
  if (stopAtCrLf) {
    const int lf = CrLfBreak(counter, start, static_cast<int>(std::min<long long>(end, size)));
    if (lf != 0) return {lf, false, true, false, startHidden};
  }
  if (end > size) return {size + 1, false, false, false, startHidden};
  int e = static_cast<int>(end);
  const auto* b = reinterpret_cast<const unsigned char*>(text.data());
  // Byte e is a lead byte that starts a character exactly when the run of
  // lead-range bytes through it is odd: one count, no branch on the byte.
  if (e < size && LeadRunBefore(b, static_cast<size_t>(start - 1), static_cast<size_t>(e)) % 2 == 1)
    return {e, true, false, false, startHidden};
  return {std::max(e, hiddenAfter), false, false, true, startHidden};
}

}  // namespace vorna::layout_detail
