// The recording canvas and the memory bitmap of the tests.
#include "RecordingCanvas.h"

#include <algorithm>
#include <cstdio>

#include "text/Cp932.h"

namespace vorna::testing {
namespace {

std::string RectText(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

std::string PointText(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

const char* BrushName(TBrushStyle s) {
  static const char* const names[] = {"Solid",     "Clear",     "Horizontal", "Vertical",
                                      "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};
  int i = static_cast<int>(s);
  return i >= 0 && i < 8 ? names[i] : "?";
}

const char* PenName(TPenStyle s) {
  switch (s) {
    case TPenStyle::Solid:
      return "Solid";
    case TPenStyle::Dash:
      return "Dash";
    case TPenStyle::Dot:
      return "Dot";
    case TPenStyle::Clear:
      return "Clear";
  }
  return "?";
}

std::string Quoted(std::string_view cp932) { return "\"" + Utf8FromCp932(cp932) + "\""; }

// Pixel value (0xFFRRGGBB) of an RGB colour; system colours count as black.
uint32_t PixelOf(TColor c) {
  if (IsSystemColor(c)) return 0xFF000000u;
  return 0xFF000000u | RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c);
}

}  // namespace

std::string ColorText(TColor color) {
  if (color == kClNone) return "none";
  char buffer[16];
  if (IsSystemColor(color))
    std::snprintf(buffer, sizeof buffer, "sys%u", color & 0xFF);
  else
    std::snprintf(buffer, sizeof buffer, "%06X", color & 0xFFFFFF);
  return buffer;
}

TRecordingCanvas::TRecordingCanvas(int width, int height, int pixelsPerInch)
    : FWidth(width), FHeight(height), FPixelsPerInch(pixelsPerInch) {}

std::string TRecordingCanvas::Dump() const {
  std::string out;
  for (const std::string& line : FCalls) out += line + "\n";
  return out;
}

void TRecordingCanvas::AttachPixels(std::vector<uint32_t>* pixels, int* width, int* height) {
  FPixels = pixels;
  FPixelWidth = width;
  FPixelHeight = height;
}

TRect TRecordingCanvas::DeviceRect() const {
  if (FPixels) return {0, 0, *FPixelWidth, *FPixelHeight};
  return {0, 0, FWidth, FHeight};
}

void TRecordingCanvas::WritePixel(int x, int y, TColor color) {
  if (!FPixels || color == kClNone) return;
  TRect clip = ClipRect();
  if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom) return;
  if (x < 0 || y < 0 || x >= *FPixelWidth || y >= *FPixelHeight) return;
  (*FPixels)[static_cast<size_t>(y) * *FPixelWidth + x] = PixelOf(color);
}

int TRecordingCanvas::Em() const {
  if (FFont.Height == 0) return 12;
  long long h = FFont.Height;
  return static_cast<int>(std::clamp<long long>(h < 0 ? -h : h, 1, 4096));
}

void TRecordingCanvas::SetFont(const TFontSpec& f) {
  FFont = f;
  std::string line = "Font " + Utf8FromCp932(f.Face) + " " + std::to_string(f.Height);
  if (f.Bold) line += " bold";
  if (f.Italic) line += " italic";
  if (f.Underline) line += " underline";
  if (f.StrikeOut) line += " strikeout";
  line += " " + ColorText(f.Color);
  if (f.Escapement) line += " esc" + std::to_string(f.Escapement);
  Record(line);
}

void TRecordingCanvas::SetTextColor(TColor color) {
  FFont.Color = color;
  Record("TextColor " + ColorText(color));
}

void TRecordingCanvas::SetBrush(TColor color, TBrushStyle style) {
  FBrushColor = color;
  FBrushStyle = style;
  Record("Brush " + ColorText(color) + " " + BrushName(style));
}

void TRecordingCanvas::SetPen(TColor color, TPenStyle style, int width) {
  FPenColor = color;
  FPenStyle = style;
  FPenWidth = std::max(width, 1);
  Record("Pen " + ColorText(color) + " " + PenName(style) + " " + std::to_string(FPenWidth));
}

void TRecordingCanvas::FillRect(const TRect& r) {
  Record("FillRect " + RectText(r));
  if (FBrushStyle != TBrushStyle::Solid) return;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) WritePixel(x, y, FBrushColor);
}

void TRecordingCanvas::Rectangle(const TRect& r) { Record("Rectangle " + RectText(r)); }
void TRecordingCanvas::MoveTo(int x, int y) { Record("MoveTo " + PointText(x, y)); }
void TRecordingCanvas::LineTo(int x, int y) { Record("LineTo " + PointText(x, y)); }

void TRecordingCanvas::Polyline(const TPoint* points, size_t count) {
  std::string line = "Polyline";
  for (size_t i = 0; points && i < count; ++i) line += " " + PointText(points[i].X, points[i].Y);
  Record(line);
}

void TRecordingCanvas::SetPixel(int x, int y, TColor color) {
  Record("Pixel " + PointText(x, y) + " " + ColorText(color));
  WritePixel(x, y, color);
}

void TRecordingCanvas::DrawBitmap(int x, int y, const TBitmap& bitmap, bool transparent) {
  Record("DrawBitmap " + PointText(x, y) + " " + std::to_string(bitmap.Width()) + "x" +
         std::to_string(bitmap.Height()) + (transparent ? " transparent" : ""));
}

void TRecordingCanvas::CopyRect(const TRect& dest, const TBitmap& bitmap, const TRect& source) {
  Record("CopyRect " + RectText(dest) + " from " + std::to_string(bitmap.Width()) + "x" +
         std::to_string(bitmap.Height()) + " " + RectText(source));
}

void TRecordingCanvas::ExtTextOut(int x, int y, unsigned options, const TRect& rect, std::string_view text,
                                  std::span<const int> advances) {
  std::string opts = (options & kEtoOpaque) ? "opaque" : "";
  if (options & kEtoClipped) opts += opts.empty() ? "clipped" : "|clipped";
  if (opts.empty()) opts = "-";
  std::string line = "ExtTextOut " + PointText(x, y) + " " + opts + " " + RectText(rect) + " " + Quoted(text);
  if (!advances.empty()) {
    line += " [";
    for (size_t i = 0; i < advances.size(); ++i) line += (i ? "," : "") + std::to_string(advances[i]);
    line += "]";
  }
  Record(line);
  if ((options & kEtoOpaque) && FBrushColor != kClNone)
    for (int py = rect.Top; py < rect.Bottom; ++py)
      for (int px = rect.Left; px < rect.Right; ++px) WritePixel(px, py, FBrushColor);
}

void TRecordingCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
  Record("TextRect " + RectText(rect) + " " + PointText(x, y) + " " + Quoted(text));
}

void TRecordingCanvas::TextOut(int x, int y, std::string_view text) {
  Record("TextOut " + PointText(x, y) + " " + Quoted(text));
}

int TRecordingCanvas::TextWidth(std::string_view text) {
  int em = Em(), width = 0;
  for (size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    int length = Cp932DecodeAt(text, i, cp);
    width += length == 2 ? em : em / 2;
    i += static_cast<size_t>(length);
  }
  return width;
}

int TRecordingCanvas::TextHeight(std::string_view) { return Em(); }

void TRecordingCanvas::SetClipRect(const TRect& r) {
  FHasClip = true;
  FClip = r;
  Record("Clip " + RectText(r));
}

void TRecordingCanvas::ResetClip() {
  FHasClip = false;
  Record("ResetClip");
}

TRect TRecordingCanvas::ClipRect() const {
  if (!FHasClip) return DeviceRect();
  return FClip.IsEmpty() ? TRect{} : FClip;
}

TRect TRecordingCanvas::ScrollRect(const TRect& area, int dx, int dy) {
  Record("Scroll " + RectText(area) + " " + PointText(dx, dy));
  return area;  // a recording device cannot move pixels: everything is uncovered
}

std::unique_ptr<TBitmap> TRecordingCanvas::CreateBitmap(int width, int height) {
  Record("CreateBitmap " + std::to_string(width) + "x" + std::to_string(height));
  return std::make_unique<TMemoryBitmap>(width, height);
}

std::unique_ptr<TBitmap> TRecordingCanvasFactory::CreateBitmap(int width, int height) {
  Made.push_back("CreateBitmap " + std::to_string(width) + "x" + std::to_string(height));
  return std::make_unique<TMemoryBitmap>(width, height);
}

TMemoryBitmap::TMemoryBitmap(int width, int height) {
  FCanvas.AttachPixels(&FPixels, &FWidth, &FHeight);
  SetSize(width, height);
}

bool TMemoryBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (static_cast<int64_t>(width) * height > kMaxBitmapPixels) {
    FWidth = FHeight = 0;
    FPixels.clear();
    return false;
  }
  FWidth = width;
  FHeight = height;
  FPixels.assign(static_cast<size_t>(width) * height, 0xFFFFFFFFu);
  return true;
}

}  // namespace vorna::testing
