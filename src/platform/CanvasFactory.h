// The maker of off-screen bitmaps at the screen's resolution, for drawing and
// measuring outside a paint event (a view without a device canvas yet).
#pragma once

#include <memory>

#include "platform/Canvas.h"

namespace vorna {

class TCanvasFactory {
 public:
  virtual ~TCanvasFactory() = default;
  // A new bitmap with a canvas of its own, at the screen's pixels per inch.
  // Sizes as for TBitmap::SetSize: negative counts as 0; beyond
  // kMaxBitmapPixels the bitmap is 0 x 0.
  virtual std::unique_ptr<TBitmap> CreateBitmap(int width, int height) = 0;
};

}  // namespace vorna
