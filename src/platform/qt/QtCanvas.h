// The canvas on a QPainter: one implementation for a widget, a QImage, an
// off-screen bitmap and a QPrinter (whose painter origin is the corner of the
// printable area, as a printer device context's is).
#pragma once

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Canvas.h"
#include "platform/CanvasFactory.h"
#include "platform/SystemMetrics.h"
#include "platform/qt/QtGlyphCache.h"
#include "platform/qt/QtStrokeBatches.h"

class QWidget;

namespace vorna::qt {

class TQtCanvas : public TCanvas {
 public:
  // Draws with `painter` (not owned; it must be active while the canvas draws).
  // While the canvas draws, the painter's clip is the canvas's: a caller that
  // draws on the same painter in between restores any clip it sets.
  explicit TQtCanvas(QPainter* painter);
  ~TQtCanvas() override;

  // For a widget: ScrollRect asks the widget to scroll (QWidget::scroll) and
  // the widget repaints what was uncovered.
  void SetScrollHandler(std::function<void(const TRect& area, int dx, int dy)> handler) {
    FScrollHandler = std::move(handler);
  }

  void SetFont(const TFontSpec& font) override;
  const TFontSpec& Font() const override { return FFontSpec; }
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
  int PixelsPerInch() const override;

  // Glyph ids drawn by the last text output, in drawing order, with whether
  // each was rotated (for tests of the vertical forms).
  struct TDrawnGlyph {
    uint32_t Index;
    bool Rotated;
    bool Fallback;
    bool Extra;   // from a font found for the character
    bool Colour;  // drawn as a colour image
  };
  const std::vector<TDrawnGlyph>& LastGlyphs() const { return FLastGlyphs; }

  // Draws the line segments a PDF canvas holds back (QtStrokeBatches.h). The
  // printer calls it before a page ends; any drawing that may overlap them
  // does it too.
  void SettleStrokes();

 protected:
  // Bitmaps start their painter on demand.
  TQtCanvas();
  virtual QPainter* Painter() { return FPainter; }
  virtual const QPaintDevice* Device() const { return FPainter ? FPainter->device() : nullptr; }
  // Applies the clip and render hints to a painter that has just begun.
  void PainterStarted(QPainter* painter);

 private:
  struct TPlaced {
    TGlyph Glyph;
    int Pen;  // offset along the line, pixels
    char32_t Cp;
  };
  QColor Resolve(TColor color) const;
  TQtFont& CurrentFont();
  // Lays out `text`: glyphs and their integer pen offsets; returns the total.
  int Layout(std::string_view text, std::span<const int> advances, std::vector<TPlaced>& out);
  void DrawTextRun(QPainter* p, int x, int y, std::string_view text, std::span<const int> advances);
  void DrawHorizontal(QPainter* p, TQtFont& font, int x, int y, const std::vector<TPlaced>& placed,
                      int total);
  void DrawVertical(QPainter* p, TQtFont& font, int x, int y, const std::vector<TPlaced>& placed, int total);
  // A colour glyph with its origin at `origin`.
  void DrawColourGlyph(QPainter* p, TQtFont& font, int face, uint32_t index, QPointF origin);
  // Sets the painter's clip to the canvas clip ∩ `extra` (when given); false
  // when nothing can be drawn. Draws the held segments first unless
  // `keepStrokes` (lines, and text that checks its own overlap). On pixels the
  // clip last set is remembered and not set again.
  bool ApplyClip(QPainter* p, const TRect* extra, bool keepStrokes = false);
  // Notes the clip just set on `p` (`on` false: clipping off).
  void ClipApplied(QPainter* p, bool on, const TRect& clip);
  // After ApplyClip: writes `color` over `r` into the image's pixels when
  // that gives what p->fillRect would (QtDirectFills.h); false when the
  // painter must fill.
  bool FilledDirectly(QPainter* p, const QRect& r, const QColor& color);
  // The painter draws pixels (an image or a widget), not a printer's page.
  static bool Raster(QPainter* p);
  // What can show, in the painter's logical coordinates (glyphs outside it
  // are left out of a run).
  TRect VisibleRect(QPainter* p) const;
  void StrokeSegment(QPainter* p, TPoint from, TPoint to);
  void SettleStrokes(QPainter* p);

  QPainter* FPainter = nullptr;
  std::function<void(const TRect&, int, int)> FScrollHandler;
  TFontSpec FFontSpec;
  std::shared_ptr<TQtFont> FFont;
  TColor FTextColor = kClBlack;
  TColor FBrushColor = kClWhite;
  TBrushStyle FBrushStyle = TBrushStyle::Solid;
  TColor FPenColor = kClBlack;
  TPenStyle FPenStyle = TPenStyle::Solid;
  int FPenWidth = 1;
  bool FHasClip = false;
  TRect FClip;
  // The clip last set on the painter FClipPainter (null: not known).
  QPainter* FClipPainter = nullptr;
  bool FClipOn = false;
  TRect FClipSet;
  // FClipSet is in device pixels: it was set on an untransformed painter.
  bool FClipInDevicePixels = false;
  TPoint FPenPos;
  std::vector<TPlaced> FPlaced;
  std::vector<TDrawnGlyph> FLastGlyphs;
  TStrokeBatch FStrokes;
};

// An off-screen 32-bit bitmap (QImage, RGB32) with its own canvas.
class TQtBitmap : public TBitmap {
 public:
  TQtBitmap(int width, int height, int pixelsPerInch = 96);
  ~TQtBitmap() override;
  int Width() const override { return FImage.width(); }
  int Height() const override { return FImage.height(); }
  bool SetSize(int width, int height) override;
  TCanvas& Canvas() override;
  uint32_t* ScanLine(int y) override;
  const uint32_t* ScanLine(int y) const override;
  // The image, with pending drawing finished.
  const QImage& Image() const;
  // Takes an image (converted to RGB32).
  void SetImage(const QImage& image);

 private:
  class TBitmapCanvas;
  void EndPainting() const;
  mutable QImage FImage;
  int FPixelsPerInch;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

// Off-screen Qt bitmaps at the screen's resolution, as `screen` reports it
// when each bitmap is made (not owned; it must outlive the factory).
class TQtCanvasFactory : public TCanvasFactory {
 public:
  explicit TQtCanvasFactory(TSystemMetrics& screen) : FScreen(screen) {}
  std::unique_ptr<TBitmap> CreateBitmap(int width, int height) override;

 private:
  TSystemMetrics& FScreen;
};

// Makes ScrollRect on `canvas` scroll `widget` (QWidget::scroll), which
// repaints the uncovered part itself.
void AttachWidgetScrolling(TQtCanvas& canvas, QWidget* widget);

// Resolves a system colour number through the application palette.
TColor SystemColorFromPalette(unsigned index);

}  // namespace vorna::qt
