// Supersampled text output through the caller's two bitmaps, so that
// smoothed painting only resizes them.
#include "graphics/SmoothText.h"

#include "graphics/Rects.h"

namespace vorna {

void ReduceBitmap(const TBitmap& large, TBitmap& small, int factor) {
  if (factor < 1) factor = 1;
  const int width = std::min(small.Width(), large.Width() / factor);
  const int height = std::min(small.Height(), large.Height() / factor);
  const unsigned area = static_cast<unsigned>(factor * factor);
  for (int y = 0; y < height; ++y) {
    uint32_t* out = small.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      unsigned r = 0, g = 0, b = 0;
      for (int dy = 0; dy < factor; ++dy) {
        const uint32_t* row = large.ScanLine(y * factor + dy) + x * factor;
        for (int dx = 0; dx < factor; ++dx) {
          r += (row[dx] >> 16) & 0xFF;
          g += (row[dx] >> 8) & 0xFF;
          b += row[dx] & 0xFF;
        }
      }
      out[x] = 0xFF000000u | (r / area) << 16 | (g / area) << 8 | (b / area);
    }
  }
}

void SmoothTextOut(TSmoothTextBitmaps& bitmaps, TCanvas& canvas, const TRect& clip, const TRect& textRect,
                   bool transparent, const TSmoothExtraPaint& extraPaint, std::string_view text,
                   std::span<const int> advances, int factor, int x, int y) {
  if (!RectsIntersect(clip, textRect)) return;
  if (factor < 1) factor = 1;
  const TRect r = IntersectRects(clip, textRect);
  const int smallWidth = r.Width() + 1, smallHeight = r.Height() + 1;
  const int64_t largeWidth = int64_t{smallWidth} * factor, largeHeight = int64_t{smallHeight} * factor;
  if (largeWidth * largeHeight > kMaxBitmapPixels) return;  // no bitmap can hold it

  if (!bitmaps.Large) bitmaps.Large = canvas.CreateBitmap(0, 0);
  if (!bitmaps.Small) bitmaps.Small = canvas.CreateBitmap(0, 0);
  TBitmap& large = *bitmaps.Large;
  TBitmap& small = *bitmaps.Small;
  if (!large.SetSize(static_cast<int>(largeWidth), static_cast<int>(largeHeight)) ||
      !small.SetSize(smallWidth, smallHeight))
    return;

  TCanvas& big = large.Canvas();
  TFontSpec font = canvas.Font();
  font.Height *= factor;
  // A vertical face ("@") keeps its name and turns to vertical writing.
  if (!font.Face.empty() && font.Face[0] == '@') font.Escapement = kVerticalEscapement;
  big.SetFont(font);
  big.SetTextColor(canvas.Font().Color);
  big.SetBrush(canvas.BrushColor(), TBrushStyle::Solid);
  big.ResetClip();
  const TRect whole{0, 0, static_cast<int>(largeWidth), static_cast<int>(largeHeight)};
  big.FillRect(whole);

  const TPoint origin{(x - r.Left) * factor, (y - r.Top) * factor};
  if (!advances.empty())
    big.ExtTextOut(origin.X, origin.Y, kEtoClipped | kEtoOpaque, whole, text, advances);
  else
    big.TextRect(whole, origin.X, origin.Y, text);
  if (extraPaint) extraPaint(big, whole, text, advances, factor, origin);

  ReduceBitmap(large, small, factor);
  canvas.DrawBitmap(r.Left, r.Top, small, transparent);
}

}  // namespace vorna
