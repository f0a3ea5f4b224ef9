// A view host for tests: a client rectangle of its own size, a recording
// measuring canvas, manual timers, and every request of the view recorded as
// a short text line ("invalidate 0,0,640,480", "update", "scroll 0,0,640,480
// by 0,-38", "focus", "capture on", "cursor 2", "hint on", ...).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PlatformDoubles.h"
#include "RecordingCanvas.h"
#include "platform/ViewHosts.h"

namespace vorna::testing {

class TRecordingViewHost : public TViewHost {
 public:
  explicit TRecordingViewHost(int width = 640, int height = 480) : Width(width), Height(height) {}

  bool HasWindow() override { return Window; }
  TRect ClientRect() override { return {0, 0, Width, Height}; }
  TCanvas& MeasureCanvas() override { return Canvas; }
  void Invalidate(const TRect& r) override;
  void Update() override { Record("update"); }
  void ScrollPainted(const TRect& area, int dx, int dy) override;
  bool ParentFocused() override { return Focused; }
  void FocusParent() override {
    Focused = true;
    Record("focus");
  }
  void SetMouseCapture(bool capture) override { Record(capture ? "capture on" : "capture off"); }
  void SetCursorShape(TCursorShape shape) override {
    Cursor = shape;
    Record("cursor " + std::to_string(static_cast<int>(shape)));
  }
  TPoint CursorPos() override { return PointerPos; }
  TPoint DragThreshold() override { return {Threshold, Threshold}; }
  void BeginDrag() override { Record("drag"); }
  void ShowHint(const std::string& text, TPoint at, int durationMs) override;
  void HideHint() override { Record("hint hide"); }
  void EnableHints(bool enabled) override { Record(enabled ? "hint on" : "hint off"); }
  void SetHintPause(int ms) override { HintPause = ms; }
  std::unique_ptr<TTimer> CreateTimer() override { return Timers.CreateTimer(); }

  // The recorded requests, and forgetting them.
  std::vector<std::string> Calls;
  void Clear() { Calls.clear(); }
  int Count(const std::string& prefix) const;

  int Width, Height;
  bool Window = true;
  bool Focused = false;
  int Threshold = 4;
  int HintPause = 0;
  TPoint PointerPos{0, 0};
  TCursorShape Cursor = TCursorShape::Default;
  TRecordingCanvas Canvas;
  TManualTimers Timers;

 private:
  void Record(std::string line) { Calls.push_back(std::move(line)); }
};

}  // namespace vorna::testing
