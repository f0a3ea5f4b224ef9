// Test doubles of the drawing helpers' tests: an in-memory bitmap whose
// canvas records text calls and fills pixels, and fakes of the services.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "platform/SystemMetrics.h"
#include "platform/Timers.h"

namespace vorna::testing::gfx {

class TMemoryBitmap;

// A canvas over a pixel array (0xFFRRGGBB) that fills rectangles and pixels
// and logs the calls the helpers make; lines and text are only logged.
class TMemoryCanvas : public TCanvas {
 public:
  TMemoryCanvas(int width, int height) { Resize(width, height); }
  // Resizing starts a new picture: white pixels and an empty log.
  void Resize(int width, int height) {
    FWidth = width;
    FHeight = height;
    Pixels.assign(size_t(width) * height, 0xFFFFFFFF);
    Log.clear();
  }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  std::vector<std::string> Log;
  std::vector<uint32_t> Pixels;
  int BitmapsCreated = 0;

  void SetFont(const TFontSpec& font) override { FFont = font; }
  const TFontSpec& Font() const override { return FFont; }
  void SetTextColor(TColor color) override { FFont.Color = color; }
  void SetBrush(TColor color, TBrushStyle style) override {
    FBrush = color;
    FBrushStyle = style;
  }
  TColor BrushColor() const override { return FBrush; }
  TBrushStyle BrushStyle() const override { return FBrushStyle; }
  void SetPen(TColor color, TPenStyle style, int width) override {
    FPen = color;
    FPenStyle = style;
    FPenWidth = width;
  }
  TColor PenColor() const override { return FPen; }
  TPenStyle PenStyle() const override { return FPenStyle; }
  int PenWidth() const override { return FPenWidth; }

  void FillRect(const TRect& r) override {
    Log.push_back("fill " + Text(r));
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, FHeight); ++y)
      for (int x = std::max(r.Left, 0); x < std::min(r.Right, FWidth); ++x) Put(x, y, FBrush);
  }
  void Rectangle(const TRect& r) override { Log.push_back("rectangle " + Text(r)); }
  void MoveTo(int x, int y) override { FAt = {x, y}; }
  void LineTo(int x, int y) override {
    Log.push_back("line " + std::to_string(FAt.X) + "," + std::to_string(FAt.Y) + "-" + std::to_string(x) +
                  "," + std::to_string(y));
    FAt = {x, y};
  }
  void Polyline(const TPoint*, size_t) override { Log.push_back("polyline"); }
  void SetPixel(int x, int y, TColor color) override {
    if (x >= 0 && y >= 0 && x < FWidth && y < FHeight) Put(x, y, color);
  }
  void DrawBitmap(int x, int y, const TBitmap& bitmap, bool transparent) override;
  void CopyRect(const TRect&, const TBitmap&, const TRect&) override { Log.push_back("copyrect"); }
  void ExtTextOut(int x, int y, unsigned options, const TRect& rect, std::string_view text,
                  std::span<const int> advances) override {
    std::string a;
    for (int v : advances) a += std::to_string(v) + " ";
    Log.push_back("exttext " + std::to_string(x) + "," + std::to_string(y) + " o" + std::to_string(options) +
                  " " + Text(rect) + " " + std::string(text) + " [" + a + "] h" +
                  std::to_string(FFont.Height) + " e" + std::to_string(FFont.Escapement) + " c" +
                  std::to_string(FFont.Color));
  }
  void TextRect(const TRect& rect, int x, int y, std::string_view text) override {
    Log.push_back("textrect " + Text(rect) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                  std::string(text));
  }
  void TextOut(int, int, std::string_view) override { Log.push_back("textout"); }
  int TextWidth(std::string_view text) override { return int(text.size()) * 8; }
  int TextHeight(std::string_view) override { return 16; }
  void SetClipRect(const TRect& r) override { FClip = r; }
  void ResetClip() override { FClip = {0, 0, FWidth, FHeight}; }
  TRect ClipRect() const override { return FClip; }
  TRect ScrollRect(const TRect& area, int, int) override { return area; }
  std::unique_ptr<TBitmap> CreateBitmap(int width, int height) override;
  int PixelsPerInch() const override { return 96; }

  uint32_t At(int x, int y) const { return Pixels[size_t(y) * FWidth + x] & 0xFFFFFF; }
  static std::string Text(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
  }

 private:
  // Core colours are $00BBGGRR; pixels are 0xFFRRGGBB.
  void Put(int x, int y, TColor c) {
    Pixels[size_t(y) * FWidth + x] = 0xFF000000u | RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c);
  }
  int FWidth = 0, FHeight = 0;
  TFontSpec FFont;
  TColor FBrush = kClWhite, FPen = kClBlack;
  TBrushStyle FBrushStyle = TBrushStyle::Solid;
  TPenStyle FPenStyle = TPenStyle::Solid;
  int FPenWidth = 1;
  TPoint FAt;
  TRect FClip{0, 0, 1 << 20, 1 << 20};
};

class TMemoryBitmap : public TBitmap {
 public:
  TMemoryBitmap(int width, int height) : FCanvas(std::max(width, 0), std::max(height, 0)) {}
  int Width() const override { return FCanvas.Width(); }
  int Height() const override { return FCanvas.Height(); }
  bool SetSize(int width, int height) override {
    ++Resizes;
    FCanvas.Resize(std::max(width, 0), std::max(height, 0));
    return true;
  }
  TCanvas& Canvas() override { return FCanvas; }
  TMemoryCanvas& Memory() { return FCanvas; }
  uint32_t* ScanLine(int y) override { return FCanvas.Pixels.data() + size_t(y) * FCanvas.Width(); }
  const uint32_t* ScanLine(int y) const override {
    return FCanvas.Pixels.data() + size_t(y) * FCanvas.Width();
  }
  int Resizes = 0;

 private:
  TMemoryCanvas FCanvas;
};

inline std::unique_ptr<TBitmap> TMemoryCanvas::CreateBitmap(int width, int height) {
  ++BitmapsCreated;
  return std::make_unique<TMemoryBitmap>(width, height);
}

inline void TMemoryCanvas::DrawBitmap(int x, int y, const TBitmap& bitmap, bool transparent) {
  Log.push_back("bitmap " + std::to_string(x) + "," + std::to_string(y) + " " +
                std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()) +
                (transparent ? " transparent" : ""));
  for (int row = 0; row < bitmap.Height(); ++row)
    for (int col = 0; col < bitmap.Width(); ++col)
      if (x + col >= 0 && y + row >= 0 && x + col < FWidth && y + row < FHeight)
        Pixels[size_t(y + row) * FWidth + x + col] = bitmap.ScanLine(row)[col];
}

class TFakeMetrics : public TSystemMetrics {
 public:
  int ScreenPixelsPerInch() override { return 96; }
  int ScreenWidth() override { return 800; }
  int ScreenHeight() override { return 600; }
  int WheelScrollLines() override { return 3; }
  int DragThreshold() override { return 4; }
  int ScrollBarThickness() override { return 16; }
  TColor SystemColorValue(unsigned index) override {
    return index == kColorBtnFace ? Rgb(200, 100, 50) : kClBlack;
  }
};

class TFakeBoxes : public TMessageBoxes {
 public:
  std::vector<std::string> Log;
  TMessageResult Answer = TMessageResult::No;
  void Beep(TBeep kind) override { Log.push_back(kind == TBeep::Default ? "beep" : "exclamation"); }
  void ShowInfo(const std::string& text) override { Log.push_back("info " + text); }
  void ShowError(const std::string& text) override { Log.push_back("error " + text); }
  TMessageResult AskYesNoCancel(const std::string& text) override {
    Log.push_back("ask " + text);
    return Answer;
  }
};

// A clock that moves 7 ms each time it is read, and a shell that counts the
// message loops it ran.
class TFakeTimers : public TTimers {
 public:
  uint32_t Now = 0xFFFFFFF0u;  // wraps during a wait
  std::unique_ptr<TTimer> CreateTimer() override { return nullptr; }
  uint32_t TickCount() override { return Now += 7; }
};

class TFakeShell : public TShell {
 public:
  int Loops = 0;
  void Open(const std::string&, const std::string&, const std::string&) override {}
  bool StartProgram(const std::string&, const std::vector<std::string>&) override { return false; }
  void ProcessMessages() override { ++Loops; }
};

}  // namespace vorna::testing::gfx
