// A view host without a widget: the view paints into a QImage of the host's
// size, for tools, rendering tests and benchmarks.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ViewHosts.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtMeasureSurfaces.h"

namespace vorna::qt {

// The host reaches its view only through OnPaint and OnResize, so this layer
// needs no view library:
//   TQtImageViewHost host(800, 600);
//   TBaseView view(host, services);
//   host.OnPaint = [&](TCanvas& c, const TRect& clip) { view.Paint(c, clip); };
//   host.OnResize = [&] { view.Resize(); };

class TQtImageViewHost : public TViewHost {
 public:
  // An image of width x height pixels (negative sizes count as 0) at
  // `pixelsPerInch`, white until painted. Needs a QGuiApplication.
  explicit TQtImageViewHost(int width, int height, int pixelsPerInch = 96);
  ~TQtImageViewHost() override;
  TQtImageViewHost(const TQtImageViewHost&) = delete;
  TQtImageViewHost& operator=(const TQtImageViewHost&) = delete;

  // Paints `clip` on a canvas clipped to it (the view's Paint). Clear it
  // before the view goes while the host lives on.
  std::function<void(TCanvas& canvas, const TRect& clip)> OnPaint;
  // The client rectangle changed (the view's Resize).
  std::function<void()> OnResize;

  // A new image size: contents white, everything marked, then OnResize.
  void SetSize(int width, int height);
  // Marks the whole image and paints it now.
  void PaintAll();
  const QImage& Image() const { return FImage; }
  // What is marked and not painted yet.
  const QRegion& Dirty() const { return FDirty; }
  // The rectangles the last Update painted, in painting order.
  const std::vector<TRect>& LastPainted() const { return FLastPainted; }
  // What the view asked for last, which an off-screen host only remembers.
  TCursorShape Cursor() const { return FCursor; }
  bool Captured() const { return FCaptured; }
  const std::string& HintText() const { return FHintText; }
  TPoint HintPoint() const { return FHintPoint; }
  int HintDurationMs() const { return FHintDurationMs; }

  bool HasWindow() override { return true; }
  TRect ClientRect() override { return {0, 0, FImage.width(), FImage.height()}; }
  TCanvas& MeasureCanvas() override { return FMeasure.Canvas(); }
  // Collects `rect` (within the image) into the dirty region.
  void Invalidate(const TRect& rect) override;
  // Paints the dirty region rectangle by rectangle (its bounding rectangle
  // when it falls into many pieces), each on a canvas clipped to it; without
  // OnPaint the region stays marked.
  void Update() override;
  // Moves the pixels of `area` (within the image) and the marks inside it;
  // what the move uncovers is marked.
  void ScrollPainted(const TRect& area, int dx, int dy) override;

  bool ParentFocused() override { return false; }
  void FocusParent() override {}
  void SetMouseCapture(bool capture) override { FCaptured = capture; }
  void SetCursorShape(TCursorShape shape) override { FCursor = shape; }
  TPoint CursorPos() override { return {-1, -1}; }  // no pointer over an image
  TPoint DragThreshold() override;
  void BeginDrag() override {}
  void ShowHint(const std::string& text, TPoint at, int durationMs) override;
  void HideHint() override { FHintText.clear(); }
  void EnableHints(bool) override {}
  void SetHintPause(int) override {}
  std::unique_ptr<TTimer> CreateTimer() override;

 private:
  QImage FImage;
  int FPixelsPerInch;
  QRegion FDirty;
  std::vector<TRect> FLastPainted;
  // Text is measured on a small image of the same resolution.
  TQtMeasureSurface FMeasure;
  TCursorShape FCursor = TCursorShape::Default;
  bool FCaptured = false;
  std::string FHintText;
  TPoint FHintPoint;
  int FHintDurationMs = 0;
};

}  // namespace vorna::qt
