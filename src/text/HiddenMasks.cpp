// Building and caching the hidden-byte mask of one line.
#include "text/HiddenMasks.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "text/ShiftJis.h"

namespace vorna {

namespace {

// Every marker is a full-width character with lead byte 0x81; these are their
// trail bytes ("［＃" is two of them).
constexpr unsigned char kMarkerLead = 0x81;
constexpr unsigned char kBar = 0x62;        // ｜
constexpr unsigned char kRubyOpen = 0x73;   // 《
constexpr unsigned char kRubyClose = 0x74;  // 》
constexpr unsigned char kNoteOpen = 0x6D;   // ［
constexpr unsigned char kNoteHash = 0x94;   // ＃
constexpr unsigned char kNoteClose = 0x6E;  // ］

#if !defined(__SSE2__)
constexpr bool IsMarkerTrail(unsigned char byte) {
  return byte == kBar || byte == kRubyOpen || byte == kRubyClose || byte == kNoteOpen || byte == kNoteClose;
}
#endif

// Whether `bytes` hold a tab or a CR LF, read for those alone.
TLineControls ReadControls(const unsigned char* bytes, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  return {text.find('\t') != std::string_view::npos, text.find("\r\n") != std::string_view::npos};
}

#if defined(__SSE2__)
// Tests blocks of bytes for marker pairs; with kControls it also keeps which
// blocks held a tab or a CR LF, so the line is read once for all three.
template <bool kControls>
struct TPairScan {
  // The least byte in each lane of the blocks' p[1..16]: a line that held a
  // byte up to CR is read again for its tabs and CR LF, which text rarely
  // holds. One minimum per block rather than three tests keeps the scan's
  // constants in registers.
  __m128i Least = _mm_set1_epi8(static_cast<char>(0xFF));

  bool HeldControls() const {
    return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(Least, _mm_set1_epi8('\r')), Least)) != 0;
  }

  // Bit k set when bytes p[k], p[k + 1] are a marker pair (k < 16; reads p[0..16]).
  __attribute__((always_inline)) unsigned Hits16(const unsigned char* p) {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    if constexpr (kControls) Least = _mm_min_epu8(Least, second);
    // The openers and closers come in adjacent pairs (0x73 0x74, 0x6D 0x6E):
    // adding one and clearing the low bit makes each pair one value.
    static_assert(((kRubyOpen + 1) & 0xFE) == kRubyClose && ((kRubyClose + 1) & 0xFE) == kRubyClose);
    static_assert(((kNoteOpen + 1) & 0xFE) == kNoteClose && ((kNoteClose + 1) & 0xFE) == kNoteClose);
    const __m128i paired =
        _mm_and_si128(_mm_add_epi8(second, _mm_set1_epi8(1)), _mm_set1_epi8(static_cast<char>(0xFE)));
    const __m128i trail =
        _mm_or_si128(_mm_cmpeq_epi8(second, _mm_set1_epi8(static_cast<char>(kBar))),
                     _mm_or_si128(_mm_cmpeq_epi8(paired, _mm_set1_epi8(static_cast<char>(kRubyClose))),
                                  _mm_cmpeq_epi8(paired, _mm_set1_epi8(static_cast<char>(kNoteClose)))));
    const __m128i lead = _mm_cmpeq_epi8(first, _mm_set1_epi8(static_cast<char>(kMarkerLead)));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(lead, trail)));
  }

  // Bit k set when bytes p[k], p[k + 1] are a marker pair (k < 64; reads p[0..64]).
  __attribute__((always_inline)) uint64_t Hits64(const unsigned char* p) {
    return Hits16(p) | uint64_t{Hits16(p + 16)} << 16 | uint64_t{Hits16(p + 32)} << 32 |
           uint64_t{Hits16(p + 48)} << 48;
  }
};

// Appends `base` + the index of each set bit of `hits` to `out`, lowest first,
// and returns the end. The first four are written whether or not they exist
// and the end moves by whether each does: a loop that ran as many times as
// there are hits mispredicted its exit about once per block, which cost more
// than the scan.
__attribute__((always_inline)) inline size_t* AppendHits(size_t* out, size_t base, uint64_t hits) {
  for (int k = 0; k < 4; ++k) {
    *out = base + static_cast<size_t>(std::countr_zero(hits | uint64_t{1} << 63));
    out += hits != 0;
    hits &= hits - 1;
  }
  for (; hits != 0; hits &= hits - 1) *out++ = base + static_cast<size_t>(std::countr_zero(hits));
  return out;
}
#endif

// Calls visit(i) with the 0-based offset of every byte pair that has the
// bytes of "｜", "《", "》", "［" or "］" (whether or not it starts a
// character), in order. With SSE2, blocks of 64 pairs are tested and their
// offsets gathered before any is visited; the last block overlaps the one
// before it, or on a line shorter than a block is a space-padded copy. With
// kControls, returns whether the bytes held a tab or a CR LF.
template <bool kControls, typename F>
__attribute__((always_inline)) inline TLineControls ForEachMarkerPair(const unsigned char* bytes, size_t size,
                                                                      F&& visit) {
  TLineControls controls;
#if defined(__SSE2__)
  TPairScan<kControls> scan;
  // Visited when this many are gathered; a block adds at most 32 (pairs of
  // 0x81 and an ASCII byte never overlap) and AppendHits writes one past.
  constexpr size_t kGathered = 256;
  size_t found[kGathered + 32 + 1];
  size_t* out = found;
  const auto visitFound = [&] {
    for (const size_t* hit = found; hit != out; ++hit) visit(*hit);
    out = found;
  };
  size_t i = 0;
  for (; i + 65 <= size; i += 64) {
    out = AppendHits(out, i, scan.Hits64(bytes + i));
    if (out >= found + kGathered) visitFound();
  }
  if (i + 1 < size) {
    if (size >= 65) {
      // The last 64 pairs of the line, less those already tested.
      const size_t from = size - 65;
      out = AppendHits(out, i, scan.Hits64(bytes + from) >> (i - from));
    } else {
      // Spaces after the end pair with nothing and are no control bytes.
      unsigned char tail[96];
      std::memset(tail, ' ', sizeof tail);
      std::memcpy(tail, bytes, size);
      out = AppendHits(out, 0, scan.Hits64(tail));
    }
  }
  visitFound();
  if constexpr (kControls) {
    // The blocks read every byte after the first as a second byte.
    if (scan.HeldControls() || (size > 0 && bytes[0] == '\t')) controls = ReadControls(bytes, size);
  }
#else
  for (size_t i = 0; i + 1 < size; ++i)
    if (bytes[i] == kMarkerLead && IsMarkerTrail(bytes[i + 1])) visit(i);
  if constexpr (kControls) controls = ReadControls(bytes, size);
#endif
  return controls;
}

struct TMaskCache {
  bool Valid = false;
  bool HideRuby = false, HideAnnotations = false, HidePrefix = false;
  std::string Line;
  std::string Prefix;
  THiddenMask Mask;
};

// The hidden spans of `line` into `spans` (cleared first), as FillHiddenMask
// describes them; with kControls also whether the line holds a tab or a CR LF.
template <bool kControls>
TLineControls FindHiddenSpans(std::vector<THiddenSpan>& spans, std::string_view line, bool hideRuby,
                              bool hideAnnotations, bool hidePrefix, std::string_view prefix) {
  spans.clear();
  const size_t size = line.size();
  // Spans come in ascending order of their last byte; one that reaches back
  // over earlier ones (or touches them) absorbs them.
  const auto hide = [&](size_t first, size_t last) {
    while (!spans.empty() && static_cast<size_t>(spans.back().Last) + 1 >= first) {
      first = std::min(first, static_cast<size_t>(spans.back().First));
      spans.pop_back();
    }
    spans.push_back({static_cast<int>(first), static_cast<int>(last)});
  };
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  TLineControls controls;
  if (hideRuby || hideAnnotations) {
    // A pair found is a character start when an even number of lead-range
    // bytes precede it back to a byte that ends a character (or to the last
    // known start), so a marker pair inside another double-byte character is
    // never taken for a marker. An opener stays open until its closer;
    // everything from the earliest open opener through the closer is hidden.
    size_t rubyOpen = SIZE_MAX, noteOpen = SIZE_MAX;
    size_t known = 0;  // a character start at or before the next pair
    controls = ForEachMarkerPair<kControls>(
        bytes, size, [&](size_t i) __attribute__((always_inline)) {
          if (i < known) return;                          // inside a character already passed
          if (LeadRunBefore(bytes, known, i) % 2 == 1) {  // a trail byte
            known = i + 1;
            return;
          }
          known = i + 2;
          const unsigned char trail = bytes[i + 1];
          if (hideRuby) {
            if (trail == kRubyOpen) {
              if (rubyOpen == SIZE_MAX) rubyOpen = i;
            } else if (trail == kRubyClose) {
              if (rubyOpen != SIZE_MAX) {
                hide(rubyOpen + 1, i + 2);
                rubyOpen = SIZE_MAX;
              }
            } else if (trail == kBar) {
              hide(i + 1, i + 2);
            }
          }
          if (hideAnnotations) {
            if (trail == kNoteOpen) {
              if (i + 3 < size && bytes[i + 2] == kMarkerLead && bytes[i + 3] == kNoteHash &&
                  noteOpen == SIZE_MAX)
                noteOpen = i;
            } else if (trail == kNoteClose) {
              if (noteOpen != SIZE_MAX) {
                hide(noteOpen + 1, i + 2);
                noteOpen = SIZE_MAX;
              }
            }
          }
        });
  } else if constexpr (kControls) {
    controls = ReadControls(bytes, size);
  }
  if (hidePrefix && !prefix.empty() && line.starts_with(prefix)) {
    // The prefix lies before every other span: it absorbs those it touches.
    int last = static_cast<int>(prefix.size());
    size_t absorbed = 0;
    while (absorbed < spans.size() && spans[absorbed].First <= last + 1)
      last = std::max(last, spans[absorbed++].Last);
    spans.erase(spans.begin(), spans.begin() + static_cast<std::ptrdiff_t>(absorbed));
    spans.insert(spans.begin(), THiddenSpan{1, last});
  }
  return controls;
}

}  // namespace

void THiddenMask::MarkBytes() {
  if (!FAnyHidden || !FBits.empty()) return;
  FEntries = FLineSize + 2;
  FBits.assign((FEntries + 63) / 64, 0);
  uint64_t* words = FBits.data();
  for (const THiddenSpan& span : FSpans) {
    const auto first = static_cast<size_t>(span.First), last = static_cast<size_t>(span.Last);
    const uint64_t head = ~uint64_t{0} << (first & 63), tail = ~uint64_t{0} >> (63 - (last & 63));
    if (first >> 6 == last >> 6) {
      words[first >> 6] |= head & tail;
      continue;
    }
    words[first >> 6] |= head;
    for (size_t w = (first >> 6) + 1; w < last >> 6; ++w) words[w] = ~uint64_t{0};
    words[last >> 6] |= tail;
  }
}

TLineControls FillHiddenSpans(THiddenMask& mask, std::string_view line, bool hideRuby, bool hideAnnotations,
                              bool hidePrefix, std::string_view prefix) {
  mask.Clear();
  const TLineControls controls =
      FindHiddenSpans<true>(mask.FSpans, line, hideRuby, hideAnnotations, hidePrefix, prefix);
  mask.FLineSize = line.size();
  mask.FAnyHidden = !mask.FSpans.empty();
  return controls;
}

void FillHiddenMask(THiddenMask& mask, std::string_view line, bool hideRuby, bool hideAnnotations,
                    bool hidePrefix, std::string_view prefix) {
  mask.Clear();
  mask.FSpans.clear();
  mask.FAnyHidden = false;
  if (!hideRuby && !hideAnnotations && !hidePrefix) return;
  FindHiddenSpans<false>(mask.FSpans, line, hideRuby, hideAnnotations, hidePrefix, prefix);
  mask.FLineSize = line.size();
  mask.FAnyHidden = !mask.FSpans.empty();
  // Cleared and marked only once a line hides something: most lines hide
  // nothing, and clearing was most of their cost.
  mask.MarkBytes();
}

const THiddenMask& BuildHiddenMask(std::string_view line, bool hideRuby, bool hideAnnotations,
                                   bool hidePrefix, std::string_view prefix) {
  static const THiddenMask empty;
  if (!hideRuby && !hideAnnotations && !hidePrefix) return empty;
  // The cache is keyed on the options as well as the line, so a call with other
  // options never sees a mask built for different ones.
  thread_local TMaskCache cache;
  if (cache.Valid && cache.HideRuby == hideRuby && cache.HideAnnotations == hideAnnotations &&
      cache.HidePrefix == hidePrefix && (!hidePrefix || cache.Prefix == prefix) && cache.Line == line)
    return cache.Mask;
  cache.Valid = false;
  FillHiddenMask(cache.Mask, line, hideRuby, hideAnnotations, hidePrefix, prefix);
  cache.Line.assign(line);
  cache.Prefix.assign(hidePrefix ? prefix : std::string_view());
  cache.HideRuby = hideRuby;
  cache.HideAnnotations = hideAnnotations;
  cache.HidePrefix = hidePrefix;
  cache.Valid = true;
  return cache.Mask;
}

}  // namespace vorna
