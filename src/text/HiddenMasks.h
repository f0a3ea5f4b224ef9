// The mask of notation bytes that take no room in the layout, with the
// one-line cache that lets every row of a line share one mask.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorna {

// Number of lead-range bytes (0x81-0x9F, 0xE0-0xFC) directly before 0-based
// `end` in `bytes`, counting back no further than `floor`. Bytes outside that
// range always end a character, so the parity of this run tells whether `end`
// starts one. Sixteen bytes a time where SSE2 is there: the run is short but of
// unpredictable length.
inline size_t LeadRunBefore(const unsigned char* bytes, size_t floor, size_t end) {
  size_t run = 0;
#if defined(__SSE2__)
  // As signed bytes after flipping the top bit, the lead range is 1..31 and
  // 96..124. Bytes before `floor` may be read (they are still in the buffer)
  // but the count is cut at it.
  const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
  while (end - run > floor && end - run >= 16) {
    const __m128i v =
        _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + end - run - 16)), flip);
    const __m128i low =
        _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(0)), _mm_cmplt_epi8(v, _mm_set1_epi8(32)));
    const __m128i high =
        _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(95)), _mm_cmplt_epi8(v, _mm_set1_epi8(125)));
    const auto other = static_cast<unsigned>(~_mm_movemask_epi8(_mm_or_si128(low, high))) & 0xFFFFu;
    const size_t leads = other != 0 ? static_cast<size_t>(std::countl_zero(other << 16)) : 16;
    if (leads < 16 || end - run - 16 <= floor) return std::min(run + leads, end - floor);
    run += 16;
  }
#endif
  while (end - run > floor) {
    const unsigned char byte = bytes[end - run - 1];
    if (!((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC))) break;
    ++run;
  }
  return run;
}

// A run of hidden bytes, 1-based positions First .. Last inclusive.
struct THiddenSpan {
  int First = 0;
  int Last = 0;
};

// Bytes besides the notation that change how a line wraps, found in the same
// pass over the line as its notation. Neither byte is ever a trail byte.
struct TLineControls {
  bool Tab = false;   // a tab (0x09) occurs
  bool CrLf = false;  // a CR directly followed by an LF occurs
};

// One bit per byte position 0 .. length + 1 (so 1-based positions index it
// directly); a set bit marks a byte of notation. Bit `pos` is bit pos % 64 of
// word pos / 64: an eighth of the memory of a byte per position, which a line
// with notation clears and marks each time it is wrapped. Empty when no hiding
// option was set or nothing is hidden, and after FillHiddenSpans until
// MarkBytes.
class THiddenMask {
 public:
  bool Empty() const { return FBits.empty(); }
  // True when some byte of the line is hidden.
  bool AnyHidden() const { return FAnyHidden; }
  // The entry of 1-based `pos`; 0 outside 1 .. length and for an empty mask.
  bool Hidden(int pos) const {
    return pos >= 0 && static_cast<size_t>(pos) < FEntries &&
           (FBits[static_cast<size_t>(pos) >> 6] >> (pos & 63)) & 1;
  }
  // The words of entries 0 .. length + 1, or nullptr for an empty mask.
  const uint64_t* Data() const { return FBits.empty() ? nullptr : FBits.data(); }
  // Entries covered: length + 2, or 0 for an empty mask.
  int Size() const { return static_cast<int>(FEntries); }
  // The same bytes as maximal runs in ascending order (no two touch), so a
  // counter can step over hidden notation without reading the mask.
  const std::vector<THiddenSpan>& Spans() const { return FSpans; }
  // Fills the entries from the spans where FillHiddenSpans left them out;
  // does nothing when they are there or nothing is hidden.
  void MarkBytes();

 private:
  friend void FillHiddenMask(THiddenMask& mask, std::string_view line, bool hideRuby, bool hideAnnotations,
                             bool hidePrefix, std::string_view prefix);
  friend TLineControls FillHiddenSpans(THiddenMask& mask, std::string_view line, bool hideRuby,
                                       bool hideAnnotations, bool hidePrefix, std::string_view prefix);
  void Clear() {
    FBits.clear();
    FEntries = 0;
  }
  std::vector<uint64_t> FBits;
  size_t FEntries = 0;  // length + 2 once marked
  std::vector<THiddenSpan> FSpans;
  size_t FLineSize = 0;  // Bytes
  bool FAnyHidden = false;
};

// Builds the mask of `line` into `mask` (no cache). hideRuby hides every
// "《" … "》" reading and every "｜"; hideAnnotations every "［＃" … "］" span;
// hidePrefix the leading `prefix` when the line begins with it. An opener with
// no closer after it hides nothing. With no option set the mask is empty.
void FillHiddenMask(THiddenMask& mask, std::string_view line, bool hideRuby, bool hideAnnotations,
                    bool hidePrefix, std::string_view prefix);

// FillHiddenMask without the byte entries (Data() stays null until
// MarkBytes), for a caller that steps over the spans; returns whether the line
// holds a tab or a CR LF, read in the same pass as the notation (with no
// hiding option set, the line is read for those alone).
TLineControls FillHiddenSpans(THiddenMask& mask, std::string_view line, bool hideRuby, bool hideAnnotations,
                              bool hidePrefix, std::string_view prefix);

// The same through a one-line cache per thread: a call with the same line and
// the same options returns the mask built before. The reference stays valid
// until the next call on the same thread.
const THiddenMask& BuildHiddenMask(std::string_view line, bool hideRuby, bool hideAnnotations,
                                   bool hidePrefix, std::string_view prefix);

}  // namespace vorna
