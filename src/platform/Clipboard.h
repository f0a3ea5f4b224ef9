// Plain-text clipboard; text crosses the boundary as CP932.
#pragma once

#include <string>

namespace vorna {

class TClipboard {
 public:
  virtual ~TClipboard() = default;
  virtual bool HasText() = 0;
  // The clipboard's text as CP932 (characters CP932 cannot hold become "?");
  // empty when it holds no text.
  virtual std::string GetText() = 0;
  // Puts CP932 text on the clipboard (undecodable bytes become U+FFFD).
  virtual void SetText(const std::string& cp932) = 0;
};

}  // namespace vorna
