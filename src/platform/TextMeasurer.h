// Measuring of CP932 text in a selected font, used by the line wrapping when a
// proportional font decides where rows end.
#pragma once

#include <string_view>

namespace vorna {

class TTextMeasurer {
 public:
  virtual ~TTextMeasurer() = default;
  // Advance width in device pixels of `text` (CP932 bytes) in the current font.
  virtual int TextWidth(std::string_view text) = 0;
  // Height in device pixels of the current font (the cell height of a line).
  virtual int FontHeight() = 0;
};

}  // namespace vorna
