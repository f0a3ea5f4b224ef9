// The mask of notation bytes that take no room in the layout, with the
// one-line cache that lets every row of a line share one mask.
#pragma once

#include <string_view>
#include <vector>

namespace vorna {

// One entry per byte position 0 .. length + 1 (so 1-based positions index it
// directly); 1 marks a byte of notation. Empty when no hiding option was set.
class THiddenMask {
 public:
  bool Empty() const { return FBytes.empty(); }
  // True when some byte of the line is hidden.
  bool AnyHidden() const { return FAnyHidden; }
  // The entry of 1-based `pos`; 0 outside 1 .. length and for an empty mask.
  bool Hidden(int pos) const {
    return pos >= 0 && static_cast<size_t>(pos) < FBytes.size() && FBytes[static_cast<size_t>(pos)] != 0;
  }
  // Entries 0 .. length + 1, or nullptr for an empty mask.
  const unsigned char* Data() const { return FBytes.empty() ? nullptr : FBytes.data(); }
  int Size() const { return static_cast<int>(FBytes.size()); }

 private:
  friend void FillHiddenMask(THiddenMask& mask, std::string_view line, bool hideRuby, bool hideAnnotations,
                             bool hidePrefix, std::string_view prefix);
  std::vector<unsigned char> FBytes;
  bool FAnyHidden = false;
};

// Builds the mask of `line` into `mask` (no cache). hideRuby hides every
// "《" … "》" reading and every "｜"; hideAnnotations every "［＃" … "］" span;
// hidePrefix the leading `prefix` when the line begins with it. An opener with
// no closer after it hides nothing. With no option set the mask is empty.
void FillHiddenMask(THiddenMask& mask, std::string_view line, bool hideRuby, bool hideAnnotations,
                    bool hidePrefix, std::string_view prefix);

// The same through a one-line cache per thread: a call with the same line and
// the same options returns the mask built before. The reference stays valid
// until the next call on the same thread.
const THiddenMask& BuildHiddenMask(std::string_view line, bool hideRuby, bool hideAnnotations,
                                   bool hidePrefix, std::string_view prefix);

}  // namespace vorna
