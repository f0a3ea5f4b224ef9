// Building and caching the hidden-byte mask of one line.
#include "text/HiddenMasks.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "text/ShiftJis.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

constexpr bool IsMarkerTrail(unsigned char byte) {
  return byte == kBar || byte == kRubyOpen || byte == kRubyClose || byte == kNoteOpen || byte == kNoteClose;
}

// Calls visit(i) with the 0-based offset of every byte pair that has the
// bytes of "｜", "《", "》", "［" or "］" (whether or not it starts a
// character), in order. Sixteen pairs at a time where SSE2 is there.
template <typename F>
void ForEachMarkerPair(const unsigned char* bytes, size_t size, F&& visit) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i lead = _mm_set1_epi8(static_cast<char>(kMarkerLead));
  const __m128i bar = _mm_set1_epi8(static_cast<char>(kBar));
  const __m128i rubyOpen = _mm_set1_epi8(static_cast<char>(kRubyOpen));
  const __m128i rubyClose = _mm_set1_epi8(static_cast<char>(kRubyClose));
  const __m128i noteOpen = _mm_set1_epi8(static_cast<char>(kNoteOpen));
  const __m128i noteClose = _mm_set1_epi8(static_cast<char>(kNoteClose));
  for (; i + 17 <= size; i += 16) {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i + 1));
    __m128i trail = _mm_or_si128(_mm_cmpeq_epi8(second, bar), _mm_cmpeq_epi8(second, rubyOpen));
    trail = _mm_or_si128(trail, _mm_cmpeq_epi8(second, rubyClose));
    trail = _mm_or_si128(trail,
                         _mm_or_si128(_mm_cmpeq_epi8(second, noteOpen), _mm_cmpeq_epi8(second, noteClose)));
    auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(first, lead), trail)));
    for (; hits != 0; hits &= hits - 1) visit(i + static_cast<size_t>(std::countr_zero(hits)));
  }
#endif
  for (; i + 1 < size; ++i)
    if (bytes[i] == kMarkerLead && IsMarkerTrail(bytes[i + 1])) visit(i);
}

struct TMaskCache {
  bool Valid = false;
  bool HideRuby = false, HideAnnotations = false, HidePrefix = false;
  std::string Line;
  std::string Prefix;
  THiddenMask Mask;
};

}  // namespace

void FillHiddenMask(THiddenMask& mask, std::string_view line, bool hideRuby, bool hideAnnotations,
                    bool hidePrefix, std::string_view prefix) {
  mask.FBytes.clear();
  mask.FAnyHidden = false;
  if (!hideRuby && !hideAnnotations && !hidePrefix) return;
  const size_t size = line.size();
  mask.FBytes.assign(size + 2, 0);
  unsigned char* hidden = mask.FBytes.data();  // indexed by 1-based position
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  bool any = false;
  if (hideRuby || hideAnnotations) {
    // A pair found is a character start when an even number of lead-range
    // bytes precede it back to a byte that ends a character (or to the last
    // known start), so a marker pair inside another double-byte character is
    // never taken for a marker. An opener stays open until its closer;
    // everything from the earliest open opener through the closer is hidden.
    size_t rubyOpen = SIZE_MAX, noteOpen = SIZE_MAX;
    size_t known = 0;  // a character start at or before the next pair
    ForEachMarkerPair(bytes, size, [&](size_t i) {
      if (i < known) return;  // inside a character already passed
      size_t run = i;
      while (run > known && IsLeadByte(bytes[run - 1])) --run;
      if ((i - run) % 2 == 1) {  // a trail byte
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
            std::memset(hidden + rubyOpen + 1, 1, i + 2 - rubyOpen);
            rubyOpen = SIZE_MAX;
            any = true;
          }
        } else if (trail == kBar) {
          hidden[i + 1] = hidden[i + 2] = 1;
          any = true;
        }
      }
      if (hideAnnotations) {
        if (trail == kNoteOpen) {
          if (i + 3 < size && bytes[i + 2] == kMarkerLead && bytes[i + 3] == kNoteHash &&
              noteOpen == SIZE_MAX)
            noteOpen = i;
        } else if (trail == kNoteClose) {
          if (noteOpen != SIZE_MAX) {
            std::memset(hidden + noteOpen + 1, 1, i + 2 - noteOpen);
            noteOpen = SIZE_MAX;
            any = true;
          }
        }
      }
    });
  }
  if (hidePrefix && !prefix.empty() && line.starts_with(prefix)) {
    std::memset(hidden + 1, 1, prefix.size());
    any = true;
  }
  mask.FAnyHidden = any;
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
