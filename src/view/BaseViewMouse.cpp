// The base view's mouse handling: focus on press, the drag threshold, the
// double-click guard and the auto-scroll timer while dragging outside.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/Timers.h"
#include "view/BaseViews.h"

namespace vorna {
namespace {

constexpr int kAutoScrollStartMs = 100;

}  // namespace

bool TBaseView::CanDrag() { return true; }

void TBaseView::MouseDownHook(TMouseButton, TShiftState, int, int) {}
void TBaseView::MouseMoveHook(TShiftState, int, int) {}
void TBaseView::MouseUpHook(TMouseButton, TShiftState, int, int) {}
void TBaseView::EndDragHook(bool, TShiftState) {}
void TBaseView::DoubleClickHook() {}

void TBaseView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FDoubleClicked) {
    // The press that follows a handled double click belongs to it.
    FDoubleClicked = false;
    return;
  }
  if (FFocusOnClick && !FHost.ParentFocused()) FHost.FocusParent();
  FHost.EnableHints(false);
  if (button == TMouseButton::Left) FMousePressed = true;
  FPressPoint = {x, y};
  MouseDownHook(button, shift, x, y);
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TBaseView::MouseMove(TShiftState shift, int x, int y) {
  if (FMousePressed && !FDragging) {
    const TPoint threshold = FHost.DragThreshold();
    if ((std::abs(x - FPressPoint.X) > threshold.X || std::abs(y - FPressPoint.Y) > threshold.Y) &&
        CanDrag()) {
      FDragging = true;
      FHost.BeginDrag();
      FDragging = false;
    }
  }
  MouseMoveHook(shift, x, y);
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TBaseView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FDragging) return;  // the release that ends a starting drag belongs to it
  const bool clicked = FMousePressed && button == TMouseButton::Left;
  FMousePressed = false;
  MouseUpHook(button, shift, x, y);
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  if (clicked) Fire(OnClick);
  FHost.EnableHints(true);
}

void TBaseView::DoubleClick() {
  DoubleClickHook();
  Fire(OnDblClick);
  FDoubleClicked = true;
}

void TBaseView::EndDrag(bool dropped, TShiftState shift) {
  FHost.SetCursorShape(TCursorShape::Default);
  FMousePressed = false;
  if (FAutoScrollTimer) FAutoScrollTimer->Stop();
  EndDragHook(dropped, shift);
}

void TBaseView::DragOverHook(bool outside) {
  if (!FTimerOnDrag || !FAutoScrollTimer) return;
  if (outside && !FAutoScrollTimer->IsActive()) FAutoScrollTimer->Start(kAutoScrollStartMs);
  if (!outside) FAutoScrollTimer->Stop();
}

// The farther the pointer is outside, the shorter the interval: from
// FAutoScrollInterval down to a tenth of it.
void TBaseView::AutoScrollTick() {
  const TPoint p = FHost.CursorPos();
  const TRect client = FHost.ClientRect();
  int command = 0, distance = 0;
  if (p.Y < client.Top) {
    command = FAutoScrollCommands.Above;
    distance = client.Top - p.Y;
  } else if (p.X < client.Left) {
    command = FAutoScrollCommands.Left;
    distance = client.Left - p.X;
  } else if (p.Y >= client.Bottom) {
    command = FAutoScrollCommands.Below;
    distance = p.Y - client.Bottom + 1;
  } else if (p.X >= client.Right) {
    command = FAutoScrollCommands.Right;
    distance = p.X - client.Right + 1;
  }
  const int fastest = static_cast<int>(std::lround(FAutoScrollInterval * 0.9));
  if (FAutoScrollTimer)
    FAutoScrollTimer->Start(std::max(FAutoScrollInterval - std::min(distance, fastest), 1));
  if (command != 0) ExecuteCommand(command);
}

}  // namespace vorna
