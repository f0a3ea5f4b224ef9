// The base view's offset, scrolling, zoom and its commands.
#include <algorithm>

#include "platform/KeyState.h"
#include "view/BaseViews.h"
#include "view/ViewMath.h"

namespace vorna {
namespace {

constexpr int kZoomStep = 10;
constexpr int kZoomInLimit = 200;
constexpr int kZoomOutLimit = 20;

// `value` within 0 .. range on a reversed axis, -range .. 0 otherwise.
int ClampAxis(int value, int range, bool reversed) {
  range = std::max(range, 0);
  return reversed ? std::clamp(value, 0, range) : std::clamp(value, -range, 0);
}

}  // namespace

void TBaseView::SetOffset(TPoint offset) {
  if (!FStyle) return;
  offset.X = ClampAxis(offset.X, FScrollRange.X, FStyle->GetPaperTileHReverse());
  offset.Y = ClampAxis(offset.Y, FScrollRange.Y, FStyle->GetPaperTileVReverse());
  if (offset == FOffset) return;
  Fire(OnOffsetChanging);
  const int dx = offset.X - FOffset.X, dy = offset.Y - FOffset.Y;
  if ((dx != 0 && dy != 0) || FNoScrollBlit) {
    FOffset = offset;
    UpdateVisibleRange();
    Invalidate();
    if (FPaintLock == 0) FHost.Update();
  } else {
    const TRect client = FHost.ClientRect();
    if (FPaintLock == 0) {
      DoPainting();
      FHost.ScrollPainted(client, dx, dy);
      DoPainted();
    }
    FOffset = offset;
    UpdateVisibleRange();
    if (FPaintLock == 0) {
      // Only the strip the move uncovered needs painting.
      TRect strip = client;
      if (dy < 0) strip.Top = std::max(client.Bottom + dy, client.Top);
      if (dy > 0) strip.Bottom = std::min(client.Top + dy, client.Bottom);
      if (dx < 0) strip.Left = std::max(client.Right + dx, client.Left);
      if (dx > 0) strip.Right = std::min(client.Left + dx, client.Right);
      FHost.Invalidate(strip);
      FHost.Update();
    }
  }
  OffsetChanged();
  Fire(OnOffsetChange);
}

void TBaseView::OffsetChanged() {}

void TBaseView::ScrollStep(int direction) {
  if (!FStyle) return;
  if (FStyle->GetPaperTileVReverse() && (direction == 3 || direction == 4)) direction = 7 - direction;
  if (FStyle->GetPaperTileHReverse() && (direction == 1 || direction == 2)) direction = 3 - direction;
  TPoint to = FOffset;
  switch (direction) {
    case 1:
      to.X -= FScrollStep.X;
      break;
    case 2:
      to.X += FScrollStep.X;
      break;
    case 3:
      to.Y -= FScrollStep.Y;
      break;
    case 4:
      to.Y += FScrollStep.Y;
      break;
    default:
      return;
  }
  FUserScroll = true;
  SetOffset(to);
  FUserScroll = false;
}

void TBaseView::ScrollToTop() { SetOffset({0, 0}); }

// The far end of the tiling axis. On a reversed axis offsets are positive, so
// the end lies at the positive side there.
void TBaseView::ScrollToEnd() {
  if (!FStyle) return;
  if (FStyle->GetPaperTileVertical() || !PaperMode()) {
    const int end = FSheetHeight - FExtent.Y + kSheetGap;
    SetOffset({0, FStyle->GetPaperTileVReverse() ? -end : end});
  } else {
    const int end = FSheetWidth - FExtent.X + kSheetGap;
    SetOffset({FStyle->GetPaperTileHReverse() ? -end : end, 0});
  }
}

void TBaseView::ScrollBy(int dx, int dy) {
  FUserScroll = true;
  SetOffset(
      {ClampPixels(static_cast<int64_t>(FOffset.X) + dx), ClampPixels(static_cast<int64_t>(FOffset.Y) + dy)});
  FUserScroll = false;
}

void TBaseView::SetRatioValue(int value) {
  if (value == FRatioValue) return;
  FRatioValue = value;
  BeginPaintLock();
  SetOffset({0, 0});
  Resize();
  EndPaintLock(true);
  Fire(OnRatioChange);
}

void TBaseView::StepZoom(int delta, bool allowed) {
  const int zoom = RoundPixels(FZoom * 100);
  if (allowed && zoom + delta != FRatioValue) {
    SetRatioValue(zoom + delta);
    return;
  }
  // At a limit the zoom stays, but the view is still laid out and repainted.
  BeginPaintLock();
  Resize();
  EndPaintLock(true);
}

void TBaseView::ZoomIn() { StepZoom(kZoomStep, RoundPixels(FZoom * 100) < kZoomInLimit); }

void TBaseView::ZoomOut() { StepZoom(-kZoomStep, RoundPixels(FZoom * 100) > kZoomOutLimit); }

int TBaseView::ZoomInRatio() const {
  const int zoom = RoundPixels(FZoom * 100);
  return zoom < kZoomInLimit ? zoom + kZoomStep : FRatioValue;
}

int TBaseView::ZoomOutRatio() const {
  const int zoom = RoundPixels(FZoom * 100);
  return zoom > kZoomOutLimit ? zoom - kZoomStep : FRatioValue;
}

int TBaseView::KeyToCommand(int key, TShiftState shift) {
  if (shift & ssCtrl) {
    if (key == kVkPrior) return vcZoomIn;
    if (key == kVkNext) return vcZoomOut;
  }
  return 0;
}

bool TBaseView::ExecuteCommand(int command) {
  switch (command) {
    case vcScrollUp:
      ScrollStep(3);
      return true;
    case vcScrollDown:
      ScrollStep(4);
      return true;
    case vcScrollLeft:
      ScrollStep(1);
      return true;
    case vcScrollRight:
      ScrollStep(2);
      return true;
    case vcScrollToTop:
      ScrollToTop();
      return true;
    case vcScrollToEnd:
      ScrollToEnd();
      return true;
    case vcFitSheet:
      FRatioValue = kRatioFitSheet;
      return true;  // takes effect at the next resize
    case vcZoomIn:
      ZoomIn();
      return true;
    case vcZoomOut:
      ZoomOut();
      return true;
    default:
      return false;
  }
}

}  // namespace vorna
