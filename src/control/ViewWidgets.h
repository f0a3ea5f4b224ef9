// TViewWidget: the child widget that shows a windowless page view inside its
// control. It is the view's host: it paints the view through the Qt canvas,
// collects invalidated rectangles, moves painted pixels when the view
// scrolls, turns mouse events into the view's calls (with the drag of a
// selection run as a loop of moves until the release), sets cursors, shows
// hints as tooltips and gives out timers.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/PlatformServices.h"
#include "platform/ViewHosts.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtMeasureSurfaces.h"
#include "view/BaseViews.h"

namespace vorna::control {

class TViewWidget : public QWidget, public TViewHost {
 public:
  // `services` must outlive the widget. The widget never takes the focus:
  // it hands it to its parent (the control).
  TViewWidget(QWidget* parent, const TPlatformServices& services);
  ~TViewWidget() override;

  // The view painted and driven by this widget (not owned; null detaches).
  void SetView(TBaseView* view);
  TBaseView* View() const { return FView; }
  // While closing, the view neither lays out nor paints.
  void SetClosing() { FClosing = true; }

  // Painted after the view, on the same painter, within what was repainted:
  // the control's caret and input-method preedit.
  std::function<void(QPainter& painter)> OnOverlay;
  // The painted pixels of `area` moved by (dx, dy).
  std::function<void(const QRect& area, int dx, int dy)> OnScrolled;

  // The mouse cursor disappears until the mouse moves (typing hides it).
  void HideMouseCursor();
  // Ends a running drag without a drop (Escape, focus lost).
  void CancelDrag();
  bool DragActive() const { return FDragActive; }
  // Inside a paint event (what is drawn now needs no further marks).
  bool Painting() const { return FPainting; }
  // The rectangles painted since the log was cleared (the latest 256), for
  // tests of what a change repaints.
  const std::vector<QRect>& PaintLog() const { return FPaintLog; }
  void ClearPaintLog() { FPaintLog.clear(); }
  int PaintCount() const { return FPaintCount; }

  // --- TViewHost ---------------------------------------------------------------
  bool HasWindow() override { return !FClosing; }
  TRect ClientRect() override { return {0, 0, width(), height()}; }
  TCanvas& MeasureCanvas() override { return FMeasure.Canvas(); }
  void Invalidate(const TRect& rect) override;
  void Update() override;
  void ScrollPainted(const TRect& area, int dx, int dy) override;
  bool ParentFocused() override;
  void FocusParent() override;
  void SetMouseCapture(bool capture) override;
  void SetCursorShape(TCursorShape shape) override;
  TPoint CursorPos() override;
  TPoint DragThreshold() override;
  void BeginDrag() override { FDragActive = true; }
  void ShowHint(const std::string& text, TPoint at, int durationMs) override;
  void HideHint() override;
  void EnableHints(bool enabled) override;
  void SetHintPause(int ms) override { FHintTimer.setInterval(std::max(ms, 1)); }
  std::unique_ptr<TTimer> CreateTimer() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void ApplyCursor();
  void TrackPointer(const QMouseEvent* event);
  void EndDrag(bool dropped, TShiftState shift);

  const TPlatformServices FServices;
  TBaseView* FView = nullptr;
  bool FClosing = false;
  QRegion FDirty;  // invalidated and not painted yet
  bool FPainting = false;
  std::vector<QRect> FPaintLog;
  int FPaintCount = 0;
  qt::TQtMeasureSurface FMeasure;
  TCursorShape FCursor = TCursorShape::Default;
  bool FMouseHidden = false;
  bool FDragActive = false;
  bool FHintsEnabled = true;
  QTimer FHintTimer;
  QPoint FHintAt;
  QPoint FPointer;  // where the latest mouse event was
  bool FPointerKnown = false;
};

// The modifier keys and buttons of a Qt input event as the view takes them.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

}  // namespace vorna::control
