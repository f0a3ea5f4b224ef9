// Counting the cells of a line: FitCells, CellColumn and their shared counter.
#include <algorithm>
#include <climits>
#include <cstring>

#include "layout/CellCounting.h"
#include "layout/LineWraps.h"

namespace vorna {

namespace layout_detail {

int CrLfBreak(const TCellCounter& counter, int start, int last) {
  const std::string_view text = counter.Text;
  const int size = static_cast<int>(text.size());
  const auto* b = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* from = b + start - 1;
  const unsigned char* to = b + last;
  while (from < to) {
    const auto* cr =
        static_cast<const unsigned char*>(std::memchr(from, '\r', static_cast<size_t>(to - from)));
    if (!cr) break;
    const int pos = static_cast<int>(cr - b) + 1;
    if (pos < size && cr[1] == '\n' && !counter.IsHidden(pos) && StartsChar(text, start, pos)) return pos + 1;
    from = cr + 1;
  }
  return 0;
}

TFit Fit(const TCellCounter& counter, int start, long long cells, int indent, bool stopAtCrLf) {
  const std::string_view text = counter.Text;
  const int size = static_cast<int>(text.size());
  if (start > size) return {size + 1, false, false};
  const auto* b = reinterpret_cast<const unsigned char*>(text.data());
  const int padding = start == 1 ? counter.Padding : 0;

  if (counter.TabLength == 0 && padding == 0) return FitPlain(counter, start, cells, indent, stopAtCrLf);

  const bool startHidden = counter.IsHidden(start);
  long long count = indent;
  const int tab = counter.TabLength;
  for (int pos = start; pos <= size; ++pos) {
    if (counter.IsHidden(pos)) continue;
    const unsigned char c = b[pos - 1];
    if (IsLeadByte(c) && pos < size) {
      count = Pad(count + 1, padding);
      if (count >= cells) return {pos, true, false, false, startHidden};
      count = Pad(count + 1, padding);
      ++pos;
    } else {
      if (c == '\r' && stopAtCrLf && pos < size && b[pos] == '\n')
        return {pos + 1, false, true, false, startHidden};
      // The padding belongs to the byte's own cell; a tab then runs on from there,
      // so the cell reported for the byte is never ahead of the next one.
      count = Pad(count + 1, padding);
      if (c == '\t' && tab > 0) count += tab - (count - 1) % tab - 1;
    }
    if (count >= cells) {
      int end = pos;
      while (end < size && counter.IsHidden(end + 1)) ++end;
      return {end, false, false, true, startHidden};
    }
  }
  return {size + 1, false, false, false, startHidden};
}

}  // namespace layout_detail

using layout_detail::Pad;
using layout_detail::TCellCounter;

namespace {

// Counting bytes start .. end - 1 (1-based): only a tab among them needs the
// tab stops, so a count within one row of a long line reads only that row.
TCellCounter CounterFor(std::string_view line, int start, const TLayoutSettings& settings,
                        int end = INT_MAX) {
  TCellCounter counter;
  counter.Text = line;
  const THiddenMask& mask = LineHiddenMask(line, settings);
  counter.SetMask(mask);
  const size_t from = static_cast<size_t>(start) - 1;
  const std::string_view counted = from < line.size()
                                       ? line.substr(from, static_cast<size_t>(std::max(end - start, 0)))
                                       : std::string_view();
  if (settings.TabVisible && settings.TabLength > 0 && counted.find('\t') != std::string_view::npos)
    counter.TabLength = settings.TabLength;
  if (start == 1) counter.Padding = NamePadding(line, settings);
  return counter;
}

int ClampToInt(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

}  // namespace

int FitCells(std::string_view line, int start, int cells, const TLayoutSettings& settings, int indent) {
  const int size = static_cast<int>(line.size());
  if (start < 1) start = 1;
  if (start > size) return size + 1;
  const TCellCounter counter = CounterFor(line, start, settings);
  return layout_detail::Fit(counter, start, cells, indent, false).End;
}

int CellColumn(std::string_view text, int byte, const TLayoutSettings& settings, int indent,
               bool beforePadding, int start) {
  const int size = static_cast<int>(text.size());
  start = std::clamp(start, 1, size + 1);
  byte = std::clamp(byte, start, size + 1);
  const TCellCounter counter = CounterFor(text, start, settings, byte);
  const auto* b = reinterpret_cast<const unsigned char*>(text.data());
  const int padding = counter.Padding;
  long long count = indent;
  int pos = start;
  while (pos < byte) {
    if (counter.IsHidden(pos)) {
      ++pos;
      continue;
    }
    const unsigned char c = b[pos - 1];
    if (IsLeadByte(c) && pos < size) {
      count = Pad(count + 1, padding);
      if (pos + 1 == byte) {  // the asked byte is this character's trail byte
        ++count;
        return ClampToInt(beforePadding ? count : Pad(count, padding));
      }
      count = Pad(count + 1, padding);
      pos += 2;
      continue;
    }
    count = Pad(count + 1, padding);
    if (c == '\t' && counter.TabLength > 0) count += counter.TabLength - (count - 1) % counter.TabLength - 1;
    ++pos;
  }
  if (counter.IsHidden(byte)) return ClampToInt(count + 1);
  ++count;
  return ClampToInt(beforePadding ? count : Pad(count, padding));
}

}  // namespace vorna
