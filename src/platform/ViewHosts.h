// The view's host: the services a windowless page view takes from the control
// that shows it (client area, repainting, scrolling the painted pixels, mouse
// capture, cursor, hints, drag threshold, timers, screen resolution). The Qt
// control implements it; tests use a recording double. No platform type
// crosses it: points and rectangles are the view's client pixels.
#pragma once

#include <memory>
#include <string>

#include "platform/Geometry.h"

namespace vorna {

class TCanvas;
class TTimer;

// Mouse cursor shapes the view asks for.
// ReverseArrow (over the line-number column) points up and to the right;
// VerticalBeam is the text cursor turned for vertical writing.
enum class TCursorShape : int {
  Default = 0,
  IBeam = 1,
  Hand = 2,
  Arrow = 3,
  Drag = 4,
  Copy = 5,
  NoDrop = 6,
  ReverseArrow = 7,
  VerticalBeam = 8,
};

class TViewHost {
 public:
  virtual ~TViewHost() = default;

  // False while the host has no window to show the view in (during
  // construction and destruction): the view then neither lays out nor paints.
  virtual bool HasWindow() = 0;
  // The view's client rectangle: (0, 0, width, height); widths may be 0.
  virtual TRect ClientRect() = 0;
  // A canvas for measuring outside painting, in screen resolution; painting
  // itself draws on the canvas the host hands to TBaseView::Paint.
  virtual TCanvas& MeasureCanvas() = 0;

  // Marks `rect` for repainting; the host later calls TBaseView::Paint with a
  // canvas clipped to what needs painting.
  virtual void Invalidate(const TRect& rect) = 0;
  // Paints whatever is marked, now.
  virtual void Update() = 0;
  // Moves the already painted pixels of `area` by (dx, dy). A host that cannot
  // move pixels marks the whole area instead.
  virtual void ScrollPainted(const TRect& area, int dx, int dy) = 0;

  virtual bool ParentFocused() = 0;
  virtual void FocusParent() = 0;
  virtual void SetMouseCapture(bool capture) = 0;
  virtual void SetCursorShape(TCursorShape shape) = 0;
  // The pointer in client pixels (may lie outside the client rectangle).
  virtual TPoint CursorPos() = 0;
  // How far the pointer must move from a press before a drag starts.
  virtual TPoint DragThreshold() = 0;
  // Starts the platform's drag of the view (the view's drag hooks follow).
  virtual void BeginDrag() = 0;

  // Hints: `text` (CP932) shown at `at` (client pixels) for `durationMs`.
  virtual void ShowHint(const std::string& text, TPoint at, int durationMs) = 0;
  virtual void HideHint() = 0;
  virtual void EnableHints(bool enabled) = 0;
  // How long the pointer must rest before a hint shows.
  virtual void SetHintPause(int ms) = 0;

  virtual std::unique_ptr<TTimer> CreateTimer() = 0;
};

}  // namespace vorna
