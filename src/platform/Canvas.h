// The drawing surface of the core: fonts, pens, brushes, fills, lines, pixels,
// bitmaps, text with per-byte advances, clipping and region scrolling, in
// device pixels with CP932 text. One implementation serves the screen, off-screen
// bitmaps and the printer.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/Geometry.h"
#include "platform/TextMeasurer.h"

namespace vorna {

// A logical font. Height < 0 is the character (em) height in pixels, > 0 the
// cell height (ascent + descent), 0 the default height. Escapement is in
// tenths of a degree: 2700 is vertical writing (full-width characters upright
// with their vertical forms, half-width ones rotated clockwise), whether or not
// the face carries the "@" of a vertical face; any other value counts as 0.
struct TFontSpec {
  std::string Face;  // CP932, as stored
  int Height = -12;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  TColor Color = kClBlack;
  int Escapement = 0;
  friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

constexpr int kVerticalEscapement = 2700;

// True for the vertical-writing form: escapement 2700.
inline bool IsVerticalFont(const TFontSpec& f) { return f.Escapement == kVerticalEscapement; }

// Brush styles; 2 to 7 are the hatch styles (horizontal, vertical, forward
// diagonal, backward diagonal, cross, diagonal cross).
enum class TBrushStyle : int {
  Solid = 0,
  Clear = 1,
  Horizontal = 2,
  Vertical = 3,
  FDiagonal = 4,
  BDiagonal = 5,
  Cross = 6,
  DiagCross = 7,
};

enum class TPenStyle : int { Solid = 0, Dash = 1, Dot = 2, Clear = 5 };

// Options of ExtTextOut.
enum TTextOutOptions : unsigned {
  kEtoNone = 0,
  kEtoOpaque = 1,   // fill the rectangle with the brush colour first
  kEtoClipped = 2,  // clip the glyphs to the rectangle
};

class TCanvas;

// An off-screen 32-bit bitmap with a canvas of its own. Pixels are 0xFFRRGGBB
// in native byte order, rows top to bottom.
class TBitmap {
 public:
  virtual ~TBitmap() = default;
  TBitmap() = default;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Resizes (contents undefined afterwards). Negative sizes count as 0; a size
  // beyond kMaxBitmapPixels leaves a 0 x 0 bitmap and returns false.
  virtual bool SetSize(int width, int height) = 0;
  // The bitmap's own canvas; drawing on it after SetSize is valid.
  virtual TCanvas& Canvas() = 0;
  // Row y (0 <= y < Height) of pixels; finishes pending drawing first.
  virtual uint32_t* ScanLine(int y) = 0;
  virtual const uint32_t* ScanLine(int y) const = 0;
};

// Largest bitmap (in pixels) that SetSize accepts: 64 M pixels, 256 MB.
constexpr int64_t kMaxBitmapPixels = int64_t{64} << 20;

class TCanvas : public TTextMeasurer {
 public:
  TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  ~TCanvas() override = default;

  // State. Colours may be system colours ($FF0000nn); kClNone draws nothing.
  virtual void SetFont(const TFontSpec& font) = 0;
  virtual const TFontSpec& Font() const = 0;
  // Text colour only (the font's colour field follows).
  virtual void SetTextColor(TColor color) = 0;
  virtual void SetBrush(TColor color, TBrushStyle style) = 0;
  virtual TColor BrushColor() const = 0;
  virtual TBrushStyle BrushStyle() const = 0;
  virtual void SetPen(TColor color, TPenStyle style, int width) = 0;
  virtual TColor PenColor() const = 0;
  virtual TPenStyle PenStyle() const = 0;
  virtual int PenWidth() const = 0;

  // Fills with the brush, no outline.
  virtual void FillRect(const TRect& r) = 0;
  // Outline with the pen (inside r, as GDI) and interior with the brush.
  virtual void Rectangle(const TRect& r) = 0;
  // Lines with the pen; the last point of each segment is not drawn (as GDI).
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void Polyline(const TPoint* points, size_t count) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;

  // Draws the bitmap with its top-left at (x, y). With `transparent` the colour
  // of its bottom-left pixel is not drawn.
  virtual void DrawBitmap(int x, int y, const TBitmap& bitmap, bool transparent) = 0;
  // Copies (and stretches) `source` of the bitmap onto `dest`.
  virtual void CopyRect(const TRect& dest, const TBitmap& bitmap, const TRect& source) = 0;

  // Text with its cell's top-left (horizontal) or top-right (vertical font) at
  // (x, y); `rect` is used by the options. `advances` has one entry per byte:
  // a double-byte character advances by the sum of its two entries; a
  // character whose first byte has no entry (a short or empty array) takes its
  // natural advance.
  virtual void ExtTextOut(int x, int y, unsigned options, const TRect& rect, std::string_view text,
                          std::span<const int> advances) = 0;
  // Text at (x, y) with natural advances, transparent, clipped to `rect`.
  virtual void TextRect(const TRect& rect, int x, int y, std::string_view text) = 0;
  // Text at (x, y) with natural advances, transparent.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // Width along the writing direction of `text` in the current font.
  int TextWidth(std::string_view text) override = 0;
  // Cell height of the current font (ascent + descent); the same for any text.
  virtual int TextHeight(std::string_view text) = 0;
  int FontHeight() override { return TextHeight({}); }

  // Clipping to one rectangle in device pixels; an empty or inverted
  // rectangle clips everything away. ClipRect() is the device when unclipped.
  virtual void SetClipRect(const TRect& r) = 0;
  virtual void ResetClip() = 0;
  virtual TRect ClipRect() const = 0;

  // Moves the pixels of `area` by (dx, dy) and returns the part of `area` that
  // needs repainting (the bounding rectangle of what was uncovered; may be the
  // whole area when the device cannot scroll).
  virtual TRect ScrollRect(const TRect& area, int dx, int dy) = 0;

  // Creates an off-screen bitmap with the device's resolution.
  virtual std::unique_ptr<TBitmap> CreateBitmap(int width, int height) = 0;
  // Device resolution in pixels per inch (vertical).
  virtual int PixelsPerInch() const = 0;
};

}  // namespace vorna
