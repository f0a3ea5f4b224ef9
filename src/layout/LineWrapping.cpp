// WrapText: cutting one line into display rows with kinsoku, hanging, word
// wrap, CR LF breaks and proportional measuring.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "layout/CellCounting.h"
#include "layout/LineWraps.h"
#include "platform/TextMeasurer.h"
#include "text/CharClasses.h"

namespace vorna {

using layout_detail::StartsChar;
using layout_detail::TCellCounter;
using layout_detail::TFit;

namespace {

constexpr int kMinCapacity = 8;
// Tab stops are measured at most this many spaces apart, so the measured text
// of a line stays within a bounded multiple of its length.
constexpr int kMaxMeasuredTab = 256;

// GetCharClass of each single byte, looked up once.
int ByteClass(unsigned char byte) {
  static const std::array<unsigned char, 256> classes = [] {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) {
      const char c = static_cast<char>(i);
      table[static_cast<size_t>(i)] = static_cast<unsigned char>(GetCharClass(std::string_view(&c, 1)));
    }
    return table;
  }();
  return classes[byte];
}

// Row-level questions about one line, answered inside the row [Start, ...].
struct TRowScan {
  const TCellCounter& Counter;
  int Start;  // first byte of the row, a character start
  int Size;

  bool IsDouble(int pos) const {
    return pos < Size && IsLeadByte(static_cast<unsigned char>(Counter.Text[static_cast<size_t>(pos - 1)]));
  }
  // Last byte of the character at `pos` with the notation hidden after it.
  int UnitEnd(int pos) const {
    const int end = IsDouble(pos) ? pos + 1 : pos;
    return end < Size ? std::max(end, Counter.HiddenThrough(end + 1)) : end;
  }
  // Start of the last visible character at or before `pos`, or 0.
  int VisibleStartAtOrBefore(int pos) const {
    while (pos >= Start && Counter.IsHidden(pos)) --pos;
    if (pos < Start) return 0;
    return StartsChar(Counter.Text, Start, pos) ? pos : pos - 1;
  }
  int FirstVisible() const {
    int pos = Start;
    while (pos <= Size && Counter.IsHidden(pos)) ++pos;
    return pos;
  }
};

// The visible bytes of a line from one byte on, shown tabs expanded to spaces:
// the text that proportional measuring sees. Built only as far as asked.
class TDisplayText {
 public:
  TDisplayText(const TCellCounter& counter, bool expandTabs, int tabLength, std::string& buffer)
      : FCounter(counter), FTabLength(expandTabs ? std::min(tabLength, kMaxMeasuredTab) : 0), FText(buffer) {}

  void Reset(int start) {
    FText.clear();
    FRaw = start;
    FPendingSpaces = 0;
    FComplete = false;
  }
  // Extends the text to at least `bytes` bytes unless the line or a CR LF ends
  // it first (then Complete() holds and the text is the whole limit).
  void Extend(size_t bytes) {
    const std::string_view line = FCounter.Text;
    const int size = static_cast<int>(line.size());
    while (FText.size() < bytes && !FComplete) {
      if (FPendingSpaces > 0) {
        const size_t count = std::min<size_t>(static_cast<size_t>(FPendingSpaces), bytes - FText.size());
        FText.append(count, ' ');
        FPendingSpaces -= static_cast<long long>(count);
        continue;
      }
      if (FRaw > size) {
        FComplete = true;
        break;
      }
      if (FCounter.IsHidden(FRaw)) {
        ++FRaw;
        continue;
      }
      const char c = line[static_cast<size_t>(FRaw - 1)];
      if (c == '\r' && FRaw < size && line[static_cast<size_t>(FRaw)] == '\n') {
        FComplete = true;
        break;
      }
      if (IsDoubleByteAt(line, static_cast<size_t>(FRaw - 1))) {
        FText.append(line.substr(static_cast<size_t>(FRaw - 1), 2));
        FRaw += 2;
      } else if (c == '\t' && FTabLength > 0) {
        FPendingSpaces = FTabLength - static_cast<long long>(FText.size() % static_cast<size_t>(FTabLength));
        ++FRaw;
      } else {
        FText.push_back(c);
        ++FRaw;
      }
    }
  }
  bool Complete() const { return FComplete; }
  const std::string& Text() const { return FText; }

 private:
  const TCellCounter& FCounter;
  int FTabLength;
  std::string& FText;
  int FRaw = 1;
  long long FPendingSpaces = 0;
  bool FComplete = false;
};

bool HasCrLf(std::string_view line) { return line.find("\r\n") != std::string_view::npos; }

// Display bytes of the row starting at `start` that fit the wrap width: from
// an estimate, whole characters are added while they fit.
int MeasuredBytes(TDisplayText& display, std::string_view line, int start, const TWrapInputs& inputs,
                  bool indented) {
  TTextMeasurer& measurer = *inputs.Measurer;
  long long width = inputs.WrapWidthPx;
  if (indented) width -= measurer.TextWidth(line.substr(0, IsDoubleByteAt(line, 0) ? 2 : 1));
  const int height = measurer.FontHeight();
  long long estimate = 2;
  if (height > 0) {
    const double cells = static_cast<double>(width) / height * 2 + inputs.ColumnSpacePx;
    estimate = static_cast<long long>(std::trunc(std::clamp(cells, -1e9, 1e9))) - 12;
  }
  estimate = std::max<long long>(estimate, 2);
  display.Reset(start);
  display.Extend(static_cast<size_t>(estimate) + 1);
  const std::string& text = display.Text();
  if (display.Complete() && static_cast<long long>(text.size()) <= estimate)
    return static_cast<int>(text.size());
  long long bytes = estimate;
  if (IsDoubleByteAt(text, static_cast<size_t>(bytes - 1)) && StartsChar(text, 1, static_cast<int>(bytes)))
    --bytes;  // the estimate ends on a lead byte
  while (true) {
    display.Extend(static_cast<size_t>(bytes) + 2);
    const long long length = static_cast<long long>(text.size());
    if (bytes >= length) break;
    const long long next = bytes + (IsDoubleByteAt(text, static_cast<size_t>(bytes)) ? 2 : 1);
    const long long w = measurer.TextWidth(std::string_view(text).substr(0, static_cast<size_t>(next))) +
                        static_cast<long long>(inputs.ColumnSpacePx) * (next - 1);
    if (w > width) break;
    bytes = next;
  }
  return static_cast<int>(bytes);
}

// Last byte of the row from `start` given its fit: a row keeps at least one
// visible character, then hanging, push-out kinsoku and word wrap move its
// end, a CR or LF after it joins it, and so does the notation hidden after.
__attribute__((always_inline)) inline int RowEnd(const TCellCounter& counter, const TLayoutSettings& settings,
                                                 int start, const TFit& fit) {
  const std::string_view line = counter.Text;
  const int size = static_cast<int>(line.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  int end = std::min(fit.End, size);
  if (!fit.HardBreak && end < size) {
    const TRowScan scan{counter, start, size};
    if (fit.EndsOnLead) --end;
    // A row keeps at least one visible character.
    if (end < start || fit.StartHidden) {
      const int firstVisible = scan.FirstVisible();
      if (end < firstVisible) end = scan.UnitEnd(firstVisible);
    }
    // Hanging: one character of HangStr joins the row.
    bool hung = false;
    if (settings.TailHang && end < size && settings.HangStr.ContainsAt(line, static_cast<size_t>(end))) {
      end = scan.UnitEnd(end + 1);
      hung = true;
    }
    // Push-out kinsoku, one step: the last character moves to the next row.
    if (settings.TailAdjust && !hung && end < size) {
      const int last = scan.VisibleStartAtOrBefore(end);
      if (settings.ProhibitBottomStr.ContainsAt(line, static_cast<size_t>(last - 1)) ||
          settings.ProhibitTopStr.ContainsAt(line, static_cast<size_t>(end))) {
        if (scan.VisibleStartAtOrBefore(last - 1) != 0) end = last - 1;
      }
    }
    // Word wrap: half-width digits or letters are not split from their word.
    if (settings.WordWrap && end < size && !scan.IsDouble(end + 1)) {
      const int cls = ByteClass(bytes[end]);
      if (cls == 1 || cls == 2) {
        int unit = scan.VisibleStartAtOrBefore(end);
        int newEnd = end;
        while (unit != 0 && !scan.IsDouble(unit) && ByteClass(bytes[unit - 1]) == cls) {
          newEnd = unit - 1;
          unit = scan.VisibleStartAtOrBefore(unit - 1);
        }
        if (unit != 0) end = newEnd;  // something stays on the row
      }
    }
  }
  if (!fit.HardBreak) {
    if (end < size && bytes[end] == '\r') ++end;
    if (end < size && bytes[end] == '\n') ++end;
  }
  // Notation hidden after a joined CR or LF stays with it.
  if (counter.Spans && end < size && !(end == fit.End && fit.Absorbed))
    end = std::max(end, counter.HiddenThrough(end + 1));
  return end;
}

// The rows of a line at a fixed capacity where every visible byte is one
// cell (no shown tab, no name padding): the common case, kept to a loop of
// its own with nothing but the fit and the row's end.
void WrapFixedCells(const TCellCounter& counter, const TLayoutSettings& settings, int capacity,
                    TLineIndent indent, bool crLf, std::vector<int>& rows) {
  const int size = static_cast<int>(counter.Text.size());
  const int lineIndent = std::max(indent.Cells, 0);
  int rowIndent = indent.FirstRow ? lineIndent : 0;
  for (int start = 1; start <= size;) {
    const int end =
        RowEnd(counter, settings, start, layout_detail::FitPlain(counter, start, capacity, rowIndent, crLf));
    rows.push_back(end - start + 1);
    start = end + 1;
    rowIndent = lineIndent;
  }
}

}  // namespace

void WrapText(std::string_view line, const TWrapInputs& inputs, const TLayoutSettings& settings,
              TLineIndent indent, std::vector<int>& rows) {
  rows.clear();
  const int size = static_cast<int>(line.size());
  const auto whole = [&] { rows.push_back(size); };
  if (size == 0) return whole();
  int capacity = std::max(inputs.CapacityCells, 0);
  const int lineIndent = std::max(indent.Cells, 0);
  const int firstIndent = indent.FirstRow ? lineIndent : 0;
  if (capacity == 0 && inputs.WrapWidthPx <= 0) return whole();
  if (capacity > 0 && capacity < kMinCapacity) capacity = kMinCapacity;

  TCellCounter counter;
  counter.Text = line;
  counter.Padding = NamePadding(line, settings);
  const bool tabsShown = settings.TabVisible && settings.TabLength > 0;
  if (!settings.ProportionalFont) {
    if (!settings.ColumnCountAuto && capacity == 0) return whole();
    // Tabs and name padding can make a short line wider than its bytes, and a
    // CR LF in it still ends a row.
    if (capacity > 0 && capacity - firstIndent >= size && counter.Padding == 0 &&
        !(tabsShown && std::memchr(line.data(), '\t', line.size())) && !HasCrLf(line))
      return whole();
  }
  // The notation, tabs and CR LF of a longer line in one pass.
  thread_local THiddenMask mask;
  const TLineControls controls = layout_detail::FillLineHiddenSpans(mask, line, settings);
  if (tabsShown && controls.Tab) counter.TabLength = settings.TabLength;
  const bool crLf = controls.CrLf;
  counter.SetMask(mask);
  if (capacity > 0 && counter.TabLength == 0 && counter.Padding == 0)
    return WrapFixedCells(counter, settings, capacity, indent, crLf, rows);
  // The counting of tabs, padding and measured text reads the mask byte by byte.
  mask.MarkBytes();
  counter.SetMask(mask);

  const bool measuring =
      capacity == 0 && settings.ColumnCountAuto && settings.ProportionalFont && inputs.Measurer;
  thread_local std::string displayBuffer;
  TDisplayText display(counter, settings.TabVisible, settings.TabLength, displayBuffer);
  if (measuring && !crLf) {
    display.Reset(1);
    display.Extend(SIZE_MAX);
    const std::string& text = display.Text();
    const long long width = inputs.Measurer->TextWidth(text) + static_cast<long long>(inputs.ColumnSpacePx) *
                                                                   static_cast<long long>(text.size());
    if (width < inputs.WrapWidthPx) return whole();
  }
  long long autoCells = 0;
  if (capacity == 0 && settings.ColumnCountAuto && !measuring && inputs.Measurer) {
    const double cell = inputs.ColumnSpacePx + inputs.Measurer->FontHeight() / 2.0;
    autoCells = cell > 0 ? std::llround(std::min(inputs.WrapWidthPx / cell, 1e12)) : 0;
    autoCells -= 2 * (settings.TailHang ? 1 : 0) + (settings.ReturnVisible ? 1 : 0);
    autoCells = std::max<long long>(autoCells, kMinCapacity);
  }

  int start = 1;
  bool firstRow = true;
  while (start <= size) {
    const int rowIndent = indent.FirstRow || !firstRow ? lineIndent : 0;
    TFit fit{size + 1, false, false};
    if (capacity > 0 && counter.TabLength == 0 && (counter.Padding == 0 || start > 1))
      fit = layout_detail::FitPlain(counter, start, capacity, rowIndent, crLf);
    else if (capacity > 0)
      fit = layout_detail::Fit(counter, start, capacity, rowIndent, crLf);
    else if (measuring)
      fit = layout_detail::Fit(counter, start,
                               MeasuredBytes(display, line, start, inputs, rowIndent > 0) + rowIndent,
                               rowIndent, crLf);
    else if (autoCells > 0)
      fit = layout_detail::Fit(counter, start, autoCells, rowIndent, crLf);
    const int end = RowEnd(counter, settings, start, fit);
    rows.push_back(end - start + 1);
    start = end + 1;
    firstRow = false;
  }
}

std::vector<int> WrapText(std::string_view line, const TWrapInputs& inputs, const TLayoutSettings& settings,
                          TLineIndent indent) {
  std::vector<int> rows;
  WrapText(line, inputs, settings, indent, rows);
  return rows;
}

bool SameWrapInputs(const TWrapInputs& a, const TWrapInputs& b) {
  const auto capacity = [](int cells) { return cells <= 0 ? 0 : std::max(cells, kMinCapacity); };
  if (capacity(a.CapacityCells) != capacity(b.CapacityCells)) return false;
  // A fixed capacity leaves the measuring inputs unread; so does a missing width.
  if (capacity(a.CapacityCells) > 0 || (a.WrapWidthPx <= 0 && b.WrapWidthPx <= 0)) return true;
  return a.WrapWidthPx == b.WrapWidthPx && a.ColumnSpacePx == b.ColumnSpacePx && a.Measurer == b.Measurer;
}

}  // namespace vorna
