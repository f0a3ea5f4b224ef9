// A canvas that records its calls as short text lines for exact painting
// tests, measures with fixed metrics, and keeps pixels for its bitmaps.
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/CanvasFactory.h"

namespace vorna::testing {

// Metrics: a half-width byte is em / 2 wide, a double-byte character em; the
// cell height is em, where em is -height, height, or 12 for 0. Calls are
// recorded one per line ("FillRect 0,0,10,10", "ExtTextOut 5,5 opaque|clipped
// 0,0,20,20 \"text\" [6,6]"); text appears as UTF-8. When the canvas belongs
// to a bitmap, solid fills and pixels also write the bitmap's pixels.
class TRecordingCanvas : public TCanvas {
 public:
  explicit TRecordingCanvas(int width = 640, int height = 480, int pixelsPerInch = 96);

  // The calls so far, one line each, and forgetting them.
  const std::vector<std::string>& Calls() const { return FCalls; }
  std::string Dump() const;
  void Clear() { FCalls.clear(); }

  void SetFont(const TFontSpec& font) override;
  const TFontSpec& Font() const override { return FFont; }
  void SetTextColor(TColor color) override;
  void SetBrush(TColor color, TBrushStyle style) override;
  TColor BrushColor() const override { return FBrushColor; }
  TBrushStyle BrushStyle() const override { return FBrushStyle; }
  void SetPen(TColor color, TPenStyle style, int width) override;
  TColor PenColor() const override { return FPenColor; }
  TPenStyle PenStyle() const override { return FPenStyle; }
  int PenWidth() const override { return FPenWidth; }
  void FillRect(const TRect& r) override;
  void Rectangle(const TRect& r) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const TPoint* points, size_t count) override;
  void SetPixel(int x, int y, TColor color) override;
  void DrawBitmap(int x, int y, const TBitmap& bitmap, bool transparent) override;
  void CopyRect(const TRect& dest, const TBitmap& bitmap, const TRect& source) override;
  void ExtTextOut(int x, int y, unsigned options, const TRect& rect, std::string_view text,
                  std::span<const int> advances) override;
  void TextRect(const TRect& rect, int x, int y, std::string_view text) override;
  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void SetClipRect(const TRect& r) override;
  void ResetClip() override;
  TRect ClipRect() const override;
  TRect ScrollRect(const TRect& area, int dx, int dy) override;
  std::unique_ptr<TBitmap> CreateBitmap(int width, int height) override;
  int PixelsPerInch() const override { return FPixelsPerInch; }

  // The em of the current font in pixels.
  int Em() const;

  // Writes pixels here (set by a memory bitmap for its own canvas).
  void AttachPixels(std::vector<uint32_t>* pixels, int* width, int* height);

 private:
  void Record(std::string line) { FCalls.push_back(std::move(line)); }
  void WritePixel(int x, int y, TColor color);
  TRect DeviceRect() const;

  std::vector<std::string> FCalls;
  int FWidth, FHeight, FPixelsPerInch;
  TFontSpec FFont;
  TColor FBrushColor = kClWhite;
  TBrushStyle FBrushStyle = TBrushStyle::Solid;
  TColor FPenColor = kClBlack;
  TPenStyle FPenStyle = TPenStyle::Solid;
  int FPenWidth = 1;
  bool FHasClip = false;
  TRect FClip;
  std::vector<uint32_t>* FPixels = nullptr;
  int* FPixelWidth = nullptr;
  int* FPixelHeight = nullptr;
};

// A bitmap in memory whose canvas records and writes solid fills and pixels.
class TMemoryBitmap : public TBitmap {
 public:
  TMemoryBitmap(int width, int height);
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  bool SetSize(int width, int height) override;
  TCanvas& Canvas() override { return FCanvas; }
  uint32_t* ScanLine(int y) override { return FPixels.data() + static_cast<size_t>(y) * FWidth; }
  const uint32_t* ScanLine(int y) const override { return FPixels.data() + static_cast<size_t>(y) * FWidth; }
  TRecordingCanvas& Recorder() { return FCanvas; }

 private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<uint32_t> FPixels;
  TRecordingCanvas FCanvas;
};

// Makes memory bitmaps (whose canvases record) and notes each request as
// "CreateBitmap WxH".
class TRecordingCanvasFactory : public TCanvasFactory {
 public:
  std::unique_ptr<TBitmap> CreateBitmap(int width, int height) override;
  std::vector<std::string> Made;
};

// The text form of a colour in recorded calls: "sysNN", "none" or BBGGRR hex.
std::string ColorText(TColor color);

}  // namespace vorna::testing
