// Decoding of the JPEG pictures the windows show into bitmaps a canvas draws.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Canvas.h"

namespace vorna {

class EPictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TPictureLoader {
 public:
  virtual ~TPictureLoader() = default;
  // Decodes JPEG bytes; throws EPictureError for corrupt or truncated data.
  virtual std::unique_ptr<TBitmap> LoadJpeg(std::string_view bytes) = 0;
  // Reads and decodes a JPEG file (native path); throws EPictureError.
  virtual std::unique_ptr<TBitmap> LoadJpegFile(const std::string& path) = 0;
};

}  // namespace vorna
