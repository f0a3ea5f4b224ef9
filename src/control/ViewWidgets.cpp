// The view's host widget: painting, invalidation, blit scrolling, mouse
// events and the drag loop, cursors, tooltip hints and timers.
#include "control/ViewWidgets.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPixmap>
#include <QPolygon>
#include <QStyleHints>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "platform/SystemMetrics.h"
#include "platform/Timers.h"
#include "platform/qt/QtConvert.h"

namespace vorna::control {
namespace {

// A region in more pieces than this is painted as its bounding rectangle:
// each piece is a pass over the visible sheets.
constexpr int kMaxPaintPieces = 8;

TMouseButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return TMouseButton::Right;
    case Qt::MiddleButton:
      return TMouseButton::Middle;
    default:
      return TMouseButton::Left;
  }
}

// The arrow turned to point up and to the right (over the line numbers).
QCursor ReverseArrowCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QPolygon arrow({{31, 0}, {31, 17}, {27, 13}, {23, 21}, {20, 19}, {24, 11}, {18, 11}});
  p.setPen(Qt::white);
  p.setBrush(Qt::black);
  p.drawPolygon(arrow);
  p.end();
  return QCursor(pixmap, 31, 0);
}

// The text cursor laid on its side for vertical writing.
QCursor VerticalBeamCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  for (int pass = 0; pass < 2; ++pass) {
    p.setPen(QPen(pass == 0 ? Qt::white : Qt::black, pass == 0 ? 3 : 1));
    p.drawLine(8, 16, 24, 16);
    p.drawLine(7, 12, 7, 20);
    p.drawLine(25, 12, 25, 20);
  }
  p.end();
  return QCursor(pixmap, 16, 16);
}

QCursor CursorOf(TCursorShape shape) {
  switch (shape) {
    case TCursorShape::IBeam:
      return Qt::IBeamCursor;
    case TCursorShape::Hand:
      return Qt::PointingHandCursor;
    case TCursorShape::Drag:
      return Qt::DragMoveCursor;
    case TCursorShape::Copy:
      return Qt::DragCopyCursor;
    case TCursorShape::NoDrop:
      return Qt::ForbiddenCursor;
    case TCursorShape::ReverseArrow: {
      static const QCursor cursor = ReverseArrowCursor();
      return cursor;
    }
    case TCursorShape::VerticalBeam: {
      static const QCursor cursor = VerticalBeamCursor();
      return cursor;
    }
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

TViewWidget::TViewWidget(QWidget* parent, const TPlatformServices& services)
    : QWidget(parent),
      FServices(services),
      FMeasure(services.Metrics ? services.Metrics->ScreenPixelsPerInch() : 96) {
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  // The view paints every pixel it is asked for.
  setAttribute(Qt::WA_OpaquePaintEvent);
  FHintTimer.setSingleShot(true);
  FHintTimer.setInterval(500);
  connect(&FHintTimer, &QTimer::timeout, this, [this] {
    if (FView && FHintsEnabled && !FDragActive) FView->HintRequested({FHintAt.x(), FHintAt.y()});
  });
}

TViewWidget::~TViewWidget() { FView = nullptr; }

void TViewWidget::SetView(TBaseView* view) { FView = view; }

// --- painting ----------------------------------------------------------------------

void TViewWidget::Invalidate(const TRect& rect) {
  const QRect r = qt::ToQRect(rect).intersected(this->rect());
  if (r.isEmpty()) return;
  FDirty += r;
  update(r);
}

void TViewWidget::Update() {
  // Painting from inside a paint event would recurse; what is marked then
  // is painted by the next event.
  if (FPainting || FDirty.isEmpty() || !isVisible()) return;
  repaint(FDirty);
}

void TViewWidget::paintEvent(QPaintEvent* event) {
  FDirty -= event->region();
  ++FPaintCount;
  if (FPaintLog.size() > 256) FPaintLog.erase(FPaintLog.begin(), FPaintLog.begin() + 128);
  QPainter painter(this);
  if (!FView || FClosing) {
    painter.fillRect(event->rect(), palette().window());
    return;
  }
  std::vector<QRect> pieces;
  if (event->region().rectCount() > kMaxPaintPieces)
    pieces.push_back(event->region().boundingRect());
  else
    pieces.assign(event->region().begin(), event->region().end());
  FPainting = true;
  {
    qt::TQtCanvas canvas(&painter);
    for (const QRect& piece : pieces) {
      FPaintLog.push_back(piece);
      const TRect clip = qt::FromQRect(piece);
      canvas.SetClipRect(clip);
      FView->Paint(canvas, clip);
    }
  }
  painter.setClipRegion(event->region());
  if (OnOverlay) OnOverlay(painter);
  FPainting = false;
}

void TViewWidget::ScrollPainted(const TRect& area, int dx, int dy) {
  const QRect r = qt::ToQRect(area).intersected(rect());
  if (r.isEmpty()) return;
  // Marks not painted yet move with the pixels they cover.
  const QRegion moved = FDirty.intersected(r).translated(dx, dy).intersected(r);
  FDirty = FDirty.subtracted(r).united(moved);
  scroll(dx, dy, r);
  if (OnScrolled) OnScrolled(r, dx, dy);
}

void TViewWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FDirty = QRegion(rect());
  if (FView && !FClosing) FView->Resize();
}

// --- focus, capture, cursor -------------------------------------------------------

bool TViewWidget::ParentFocused() { return parentWidget() && parentWidget()->hasFocus(); }

void TViewWidget::FocusParent() {
  if (parentWidget()) parentWidget()->setFocus(Qt::MouseFocusReason);
}

void TViewWidget::SetMouseCapture(bool capture) {
  // A pressed button grabs the mouse already; a capture without one grabs it.
  if (capture && QApplication::mouseButtons() == Qt::NoButton && isVisible())
    grabMouse();
  else if (!capture && QWidget::mouseGrabber() == this)
    releaseMouse();
}

void TViewWidget::SetCursorShape(TCursorShape shape) {
  FCursor = shape;
  if (!FMouseHidden) ApplyCursor();
}

void TViewWidget::ApplyCursor() { setCursor(CursorOf(FCursor)); }

void TViewWidget::HideMouseCursor() {
  if (FMouseHidden) return;
  FMouseHidden = true;
  setCursor(Qt::BlankCursor);
}

// The pointer where the latest mouse event saw it: with a button held the
// widget sees every move, also outside it.
TPoint TViewWidget::CursorPos() {
  const QPoint p = FPointerKnown ? FPointer : mapFromGlobal(QCursor::pos());
  return {p.x(), p.y()};
}

TPoint TViewWidget::DragThreshold() {
  const int d = FServices.Metrics ? FServices.Metrics->DragThreshold() : 4;
  return {d, d};
}

// --- hints and timers --------------------------------------------------------------

void TViewWidget::ShowHint(const std::string& text, TPoint at, int durationMs) {
  QToolTip::showText(mapToGlobal(QPoint(at.X, at.Y)), qt::QStringFromCp932(text), this, QRect(),
                     durationMs > 0 ? durationMs : -1);
}

void TViewWidget::HideHint() { QToolTip::hideText(); }

void TViewWidget::EnableHints(bool enabled) {
  FHintsEnabled = enabled;
  if (!enabled) FHintTimer.stop();
}

std::unique_ptr<TTimer> TViewWidget::CreateTimer() {
  return FServices.Timers ? FServices.Timers->CreateTimer() : nullptr;
}

// --- mouse -------------------------------------------------------------------------

void TViewWidget::TrackPointer(const QMouseEvent* event) {
  FPointer = event->position().toPoint();
  FPointerKnown = true;
}

void TViewWidget::mousePressEvent(QMouseEvent* event) {
  TrackPointer(event);
  if (!FView) return;
  const QPoint p = event->position().toPoint();
  FView->MouseDown(ButtonOf(event->button()), ShiftStateOf(event->modifiers(), event->buttons()), p.x(),
                   p.y());
}

void TViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  TrackPointer(event);
  if (!FView) return;
  // Qt sends the double click in place of the second press; the view expects
  // the press after it, which it then swallows.
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons()) | ssDouble;
  if (event->button() == Qt::LeftButton) FView->DoubleClick();
  FView->MouseDown(ButtonOf(event->button()), shift, p.x(), p.y());
}

void TViewWidget::mouseMoveEvent(QMouseEvent* event) {
  TrackPointer(event);
  if (FMouseHidden) {
    FMouseHidden = false;
    ApplyCursor();
  }
  if (!FView) return;
  const QPoint p = event->position().toPoint();
  if (FDragActive) {
    FView->DragOver(!rect().contains(p));
    return;
  }
  FView->MouseMove(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
  if (FHintsEnabled && event->buttons() == Qt::NoButton) {
    FHintAt = p;
    FHintTimer.start();
  }
}

void TViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  TrackPointer(event);
  if (!FView) return;
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
  if (FDragActive) {
    EndDrag(rect().contains(p), shift);
    return;
  }
  FView->MouseUp(ButtonOf(event->button()), shift, p.x(), p.y());
}

void TViewWidget::EndDrag(bool dropped, TShiftState shift) {
  FDragActive = false;
  if (FView) FView->EndDrag(dropped, shift);
}

void TViewWidget::CancelDrag() {
  if (FDragActive) EndDrag(false, 0);
}

void TViewWidget::leaveEvent(QEvent* event) {
  FHintTimer.stop();
  // Without a button held no more moves arrive: the pointer is asked for.
  if (QApplication::mouseButtons() == Qt::NoButton) FPointerKnown = false;
  QWidget::leaveEvent(event);
}

}  // namespace vorna::control
