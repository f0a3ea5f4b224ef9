// Building and caching the hidden-byte mask of one line.
#include "text/HiddenMasks.h"

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
    // One walk over the characters; an opener stays open until its closer, and
    // everything from the earliest open opener through the closer is hidden.
    // Only character starts are compared, so a marker pair inside another
    // double-byte character is never taken for a marker.
    size_t rubyOpen = SIZE_MAX, noteOpen = SIZE_MAX;
    size_t i = 0;
    while (i < size) {
      const unsigned char lead = bytes[i];
      if (!IsLeadByte(lead) || i + 1 >= size) {
        ++i;
        continue;
      }
      if (lead == kMarkerLead) {
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
      }
      i += 2;
    }
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
