// The installed font faces, for choosing the vertical-writing "@" face.
#pragma once

#include <string>

namespace vorna {

class TFontList {
 public:
  virtual ~TFontList() = default;
  // True when `cp932Face` can be drawn; "@" + face answers whether the face
  // can be drawn in vertical writing.
  virtual bool HasFace(const std::string& cp932Face) const = 0;
};

}  // namespace vorna
