// The base control: construction, geometry of the bars, border and view,
// painting, scroll bars, keys with the held-key loop, and the wheel.
#include "control/BaseControls.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

#include "control/ViewWidgets.h"
#include "platform/KeyState.h"
#include "platform/SystemMetrics.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtServices.h"
#include "settings/StyleElements.h"

namespace vorna::control {
namespace {

constexpr int kRepeatIntervalMs = 10;
constexpr int kWheelNotch = 120;  // eighths of a degree
constexpr unsigned kColorActiveCaption = 2;
constexpr unsigned kColorButtonFace = 15;

}  // namespace

TBaseControl::TBaseControl(QWidget* parent, const TPlatformServices& services)
    : TBaseControl(
          parent, services,
          [](TViewHost& host, const TPlatformServices& s, TBaseStyle* style) {
            return std::make_unique<TBaseView>(host, s, style);
          },
          [] { return MakeDataItem<TBaseStyle>(); }) {
  FSimpleCreated = true;
  FStyle->SetPaperVisible(true);
  StyleChanged();
  FVertScrollBar->show();
  FHorzScrollBar->show();
  ResizeControl();
}

TBaseControl::TBaseControl(QWidget* parent, const TPlatformServices& services, const TViewFactory& makeView,
                           const TStyleFactory& makeStyle)
    : QWidget(parent), FServices(services) {
  resize(200, 200);
  setMinimumSize(50, 50);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);

  FHorzScrollBar = new QScrollBar(Qt::Horizontal, this);
  FVertScrollBar = new QScrollBar(Qt::Vertical, this);
  for (QScrollBar* bar : {FHorzScrollBar, FVertScrollBar}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
  }
  connect(FHorzScrollBar, &QScrollBar::valueChanged, this, [this](int value) { HorzScroll(value); });
  connect(FVertScrollBar, &QScrollBar::valueChanged, this, [this](int value) { VertScroll(value); });

  if (FServices.Metrics) {
    FScrollBarSize = FServices.Metrics->ScrollBarThickness();
    FWheelLines = FServices.Metrics->WheelScrollLines();
  }
  FRepeatKeys = {kVkLeft, kVkUp, kVkRight, kVkDown};
  FRepeatTimer.setInterval(kRepeatIntervalMs);
  connect(&FRepeatTimer, &QTimer::timeout, this, [this] { RepeatTick(); });

  FStyle = makeStyle();
  FStyle->OnChanging = [this](TDataItem*, int) { StyleChanging(); };
  FStyle->OnChange = [this](TDataItem*, int) { StyleChanged(); };

  FViewWidget = new TViewWidget(this, FServices);
  FView = makeView(*FViewWidget, FServices, FStyle.get());
  FViewWidget->SetView(FView.get());
  FView->OnOffsetChange = [this](TBaseView*) { OffsetChanged(); };
  FView->OnRangeChange = [this](TBaseView*) { UpdateScrollRanges(); };
  FView->OnRatioChange = [this](TBaseView*) { RatioChanged(); };
  FView->OnPainting = [this](TBaseView*) { Painting(); };
  FView->OnPainted = [this](TBaseView*) { Painted(); };

  FCreating = false;
  if (!FResized) ResizeControl();
}

TBaseControl::~TBaseControl() {
  // No more resizes or paints while the children go.
  ++FUpdateCount;
  FClosing = true;
  FRepeatTimer.stop();
  FViewWidget->SetClosing();
  FViewWidget->SetView(nullptr);
  FViewWidget->OnOverlay = nullptr;
  FViewWidget->OnScrolled = nullptr;
  FStyle->OnChanging = nullptr;
  FStyle->OnChange = nullptr;
  FView.reset();
}

// --- properties --------------------------------------------------------------------

void TBaseControl::SetStyleIndex(int value) {
  FStyleIndex = value;
  FStyle->SetDefaultIndex(value);
  FStyle->ApplyPreset();
  if (FSimpleCreated && value == 0) FStyle->SetPaperVisible(true);
}

void TBaseControl::SetBorderStyle(TControlBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  FBorderWidth = value == cbNone ? 0 : 2;
  ResizeControl();
  update();
}

void TBaseControl::BeginUpdate() {
  FView->BeginResize();
  ++FUpdateCount;
}

void TBaseControl::EndUpdate(bool doResize) {
  FView->EndResize(false);
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0 && doResize) {
    FView->BeginResize();
    ResizeControl();
    FView->EndResize(true);
    if (OnResize) OnResize(this);
  }
}

// --- geometry and painting ---------------------------------------------------------------

void TBaseControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ResizeControl();
}

void TBaseControl::ResizeControl() {
  if (FCreating || FUpdateCount > 0 || FClosing || QCoreApplication::closingDown()) return;
  const int w = width(), h = height(), b = FBorderWidth, bar = FScrollBarSize;
  const bool vBar = FVertScrollBar->isVisibleTo(this), hBar = FHorzScrollBar->isVisibleTo(this);
  if (vBar) FVertScrollBar->setGeometry(w - b - bar, b, bar, std::max(h - 2 * b - (hBar ? bar : 0), 0));
  if (hBar) FHorzScrollBar->setGeometry(b, h - b - bar, std::max(w - 2 * b - (vBar ? bar : 0), 0), bar);
  const int right = w - b - (vBar ? bar : 0), bottom = h - b - (hBar ? bar : 0);
  FClientArea = QRect(QPoint(b, b), QPoint(right - 1, bottom - 1));
  const int margin = std::max(FStyle->GetBorderMargin(), 0);
  QRect view = FClientArea.adjusted(margin, margin, vBar ? 0 : -margin, hBar ? 0 : -margin);
  if (view.width() < 0) view.setWidth(0);
  if (view.height() < 0) view.setHeight(0);
  FViewArea = view;
  FView->BeginPaintLock();
  FViewWidget->setGeometry(FViewArea);
  FView->EndPaintLock(true);
  FResized = true;
  update();
}

void TBaseControl::PaintBorder(QPainter& painter) {
  const QRect all = rect();
  if (FBorderStyle == cbSingle) {
    painter.setPen(qt::ToQColor(qt::SystemColorFromPalette(kColorActiveCaption)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(all.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(all.adjusted(1, 1, -2, -2));
  } else if (FBorderStyle == cb3D) {
    qDrawWinPanel(&painter, all, palette(), true);
  }
}

void TBaseControl::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  PaintBorder(painter);
  const TViewInfo* margin = FStyle->GetViewInfo(kElemMargin);
  if (margin && margin->GetBackColor() != kClNone) {
    TColor back = margin->GetBackColor();
    if (IsSystemColor(back)) back = qt::SystemColorFromPalette(back & 0xFF);
    const QRegion frame = QRegion(FClientArea).subtracted(QRegion(FViewArea));
    for (const QRect& r : frame.intersected(event->region())) painter.fillRect(r, qt::ToQColor(back));
  }
  if (FVertScrollBar->isVisibleTo(this) && FHorzScrollBar->isVisibleTo(this)) {
    const QRect corner(width() - FBorderWidth - FScrollBarSize, height() - FBorderWidth - FScrollBarSize,
                       FScrollBarSize, FScrollBarSize);
    painter.fillRect(corner, qt::ToQColor(qt::SystemColorFromPalette(kColorButtonFace)));
  }
}

void TBaseControl::Painting() {
  if (OnPainting) OnPainting(this);
}

void TBaseControl::Painted() {
  if (OnPainted) OnPainted(this);
}

// --- style ---------------------------------------------------------------------------

void TBaseControl::StyleChanging() {
  if (OnStyleChanging) OnStyleChanging(this);
}

void TBaseControl::ApplyScrollBarVisibility() {
  FVertScrollBar->setVisible(FStyle->GetVScrollBarVisible());
  FHorzScrollBar->setVisible(FStyle->GetHScrollBarVisible());
  FRepeatCount = 0;
}

void TBaseControl::StyleChanged() {
  FView->BeginPaintLock();
  BeginUpdate();
  ApplyScrollBarVisibility();
  FView->StyleChanged();
  EndUpdate(true);
  FView->EndPaintLock(true);
  UpdateScrollPositions();
  if (OnStyleChange) OnStyleChange(this);
}

void TBaseControl::RatioChanged() {
  if (OnRatioChange) OnRatioChange(this);
  WheelSettingsChanged();
}

void TBaseControl::OffsetChanged() { UpdateScrollPositions(); }

// --- scroll bars -----------------------------------------------------------------------------
// Qt's bar runs 0 .. maximum with the page beside it, so its maximum is the
// view's scroll range and a position p stands for the offset -p (reversed:
// range - p).

void TBaseControl::UpdateScrollRanges() {
  const TRect client = FViewWidget->ClientRect();
  const TPoint extent = FView->Extent(), range = FView->ScrollRange(), step = FView->ScrollStepSize();
  FSettingBars = true;
  const auto setBar = [](QScrollBar* bar, int clientSize, int extentSize, int rangeSize, int stepSize) {
    const bool enabled = bar->isVisibleTo(bar->parentWidget()) && clientSize < extentSize;
    bar->setEnabled(enabled);
    if (!enabled) {
      bar->setRange(0, 0);
      return;
    }
    bar->setRange(0, std::max(rangeSize, 0));
    bar->setPageStep(std::max(clientSize, 1));
    bar->setSingleStep(std::max(stepSize, 1));
  };
  setBar(FVertScrollBar, client.Height(), extent.Y, range.Y, step.Y);
  setBar(FHorzScrollBar, client.Width(), extent.X, range.X, step.X);
  FSettingBars = false;
  UpdateScrollPositions();
}

namespace {

// The bar's position of a view offset along its axis, and back.
int BarValueOf(const QScrollBar& bar, int offset, bool reversed) {
  return reversed ? bar.maximum() - offset : -offset;
}
int OffsetOfBar(const QScrollBar& bar, int position, bool reversed) {
  position = std::clamp(position, 0, bar.maximum());
  return reversed ? bar.maximum() - position : -position;
}

}  // namespace

void TBaseControl::UpdateScrollPositions() {
  if (FScrolling) return;
  const TPoint offset = FView->Offset();
  FSettingBars = true;
  if (FVertScrollBar->isEnabled())
    FVertScrollBar->setValue(BarValueOf(*FVertScrollBar, offset.Y, FStyle->GetPaperTileVReverse()));
  if (FHorzScrollBar->isEnabled())
    FHorzScrollBar->setValue(BarValueOf(*FHorzScrollBar, offset.X, FStyle->GetPaperTileHReverse()));
  FSettingBars = false;
}

void TBaseControl::VertScroll(int position) {
  if (FSettingBars) return;
  const int offset = OffsetOfBar(*FVertScrollBar, position, FStyle->GetPaperTileVReverse());
  FScrolling = true;
  FView->ScrollBy(0, offset - FView->Offset().Y);
  FScrolling = false;
}

void TBaseControl::HorzScroll(int position) {
  if (FSettingBars) return;
  const int offset = OffsetOfBar(*FHorzScrollBar, position, FStyle->GetPaperTileHReverse());
  FScrolling = true;
  FView->ScrollBy(offset - FView->Offset().X, 0);
  FScrolling = false;
}

// --- keys ----------------------------------------------------------------------------------------

int TBaseControl::KeyToCommand(int key, TShiftState) { return OnKeyToCommandNo ? OnKeyToCommandNo(key) : 0; }

bool TBaseControl::event(QEvent* event) {
  // Tab reaches the keys only while the control wants it; otherwise Qt moves
  // the focus with it.
  if (event->type() == QEvent::KeyPress && FWantTabs) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  return QWidget::event(event);
}

void TBaseControl::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && FViewWidget->DragActive()) {
    FViewWidget->CancelDrag();
    return;
  }
  const int key = qt::TQtKeyState::VirtualKeyOf(event->key());
  if (!event->isAutoRepeat() && key) FHeldKeys.insert(key);
  // The loop runs the held key's command itself; its repeats add nothing.
  if (event->isAutoRepeat() && FRepeatTimer.isActive() && key == FRepeatKey) return;
  if (FRepeatTimer.isActive() && key != FRepeatKey) StopRepeatLoop();
  const TShiftState shift = ShiftStateOf(event->modifiers());
  int command = key ? KeyToCommand(key, shift) : 0;
  if (command == 0 && key) command = FView->KeyToCommand(key, shift);
  ExecuteCommand(command, key, false);
  if (command > 0) {
    event->accept();
    return;
  }
  KeyText(event);
}

void TBaseControl::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  const int key = qt::TQtKeyState::VirtualKeyOf(event->key());
  FHeldKeys.remove(key);
  FRepeatCount = 0;
  if (key == FRepeatKey) StopRepeatLoop();
  KeyReleased();
  event->ignore();
}

void TBaseControl::focusOutEvent(QFocusEvent* event) {
  // Releases that happen elsewhere never arrive here.
  FHeldKeys.clear();
  StopRepeatLoop();
  FRepeatCount = 0;
  QWidget::focusOutEvent(event);
}

bool TBaseControl::ExecuteCommand(int command, int key, bool fromWheel) {
  if (command != FLastCommand)
    FRepeatCount = 0;
  else if (!fromWheel && FRepeatEnabled && FRepeatKeys.contains(key))
    ++FRepeatCount;
  const bool handled = FView->ExecuteCommand(command);
  if (FRepeatCount > FStyle->GetRepeatLimit() && FHeldKeys.contains(key)) {
    FRepeatKey = key;
    FRepeatCommand = command;
    FRepeatTimer.start();
  }
  FLastCommand = command;
  return handled;
}

void TBaseControl::RepeatTick() {
  if (!FHeldKeys.contains(FRepeatKey)) {
    StopRepeatLoop();
    return;
  }
  FView->ExecuteCommand(FRepeatCommand);
}

void TBaseControl::StopRepeatLoop() {
  if (!FRepeatTimer.isActive()) return;
  FRepeatTimer.stop();
  FRepeatKey = 0;
  FRepeatCount = 0;
}

// --- wheel ---------------------------------------------------------------------------------------

void TBaseControl::wheelEvent(QWheelEvent* event) {
  FWheelRemainder += event->angleDelta().y();
  const int notches = FWheelRemainder / kWheelNotch;
  FWheelRemainder -= notches * kWheelNotch;
  if (notches == 0) {
    event->accept();
    return;
  }
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const bool up = notches > 0;
  const int command = up ? (ctrl ? FWheelUpCtrlCommand : FWheelUpCommand)
                         : (ctrl ? FWheelDownCtrlCommand : FWheelDownCommand);
  bool handled = true;
  const int runs = std::abs(notches) * std::max(FWheelLines, 1);
  for (int i = 0; i < runs && handled; ++i) handled = ExecuteCommand(command, 0, true);
  if (handled)
    event->accept();
  else
    event->ignore();
}

}  // namespace vorna::control
