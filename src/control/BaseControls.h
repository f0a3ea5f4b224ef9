// TBaseControl: the focusable control that hosts a page view. It owns the
// style and the view (of the classes its caller names), places the view
// inside its border and margin, mirrors the view's offset on two scroll bars
// (reversed on a reversed tiling), paints the border and the margin, and
// turns keys and wheel notches into the view's numbered commands, with an
// accelerated repeat for held arrow keys.
#pragma once

#include <QKeyEvent>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/PlatformServices.h"
#include "settings/BaseStyles.h"
#include "settings/DataLists.h"
#include "view/BaseViews.h"

namespace vorna::control {

class TViewWidget;

enum TControlBorderStyle : int { cbNone = 0, cbSingle = 1, cb3D = 2 };

class TBaseControl : public QWidget {
 public:
  using TNotifyEvent = std::function<void(TBaseControl* sender)>;
  using TKeyToCommandNo = std::function<int(int key)>;
  using TViewFactory =
      std::function<std::unique_ptr<TBaseView>(TViewHost& host, const TPlatformServices&, TBaseStyle* style)>;
  using TStyleFactory = std::function<TDataItemPtr<TBaseStyle>()>;

  // A control with a TBaseView and a TBaseStyle: the paper shown and both
  // bars visible. `services` must outlive the control.
  TBaseControl(QWidget* parent, const TPlatformServices& services);
  ~TBaseControl() override;

  // --- published properties ------------------------------------------------------
  int StyleIndex() const { return FStyleIndex; }
  // The style takes preset `value` (and shows the paper for preset 0 of a
  // simply created control).
  void SetStyleIndex(int value);
  TControlBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TControlBorderStyle value);
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { FWantTabs = value; }
  // Forwarded to the view's events of the same names.
  void SetOnPaint(TBaseView::TPaintEvent event) { FView->OnPaint = std::move(event); }
  void SetOnMouseDown(TBaseView::TMouseEvent event) { FView->OnMouseDown = std::move(event); }
  void SetOnMouseMove(TBaseView::TMouseMoveEvent event) { FView->OnMouseMove = std::move(event); }
  void SetOnMouseUp(TBaseView::TMouseEvent event) { FView->OnMouseUp = std::move(event); }
  TNotifyEvent OnPainting;
  TNotifyEvent OnPainted;
  TNotifyEvent OnStyleChanging;
  TNotifyEvent OnStyleChange;
  TNotifyEvent OnRatioChange;
  TNotifyEvent OnResize;
  // A caller's key map, asked before the view's table (0: not mapped).
  TKeyToCommandNo OnKeyToCommandNo;

  // --- state ---------------------------------------------------------------------
  TBaseView& View() const { return *FView; }
  TBaseStyle& Style() const { return *FStyle; }
  TViewWidget& ViewWidget() const { return *FViewWidget; }
  const TPlatformServices& Services() const { return FServices; }
  QScrollBar& HorzScrollBar() const { return *FHorzScrollBar; }
  QScrollBar& VertScrollBar() const { return *FVertScrollBar; }
  const QRect& ClientArea() const { return FClientArea; }
  const QRect& ViewArea() const { return FViewArea; }
  int BorderWidth() const { return FBorderWidth; }
  int RepeatCount() const { return FRepeatCount; }
  bool RepeatLoopRunning() const { return FRepeatTimer.isActive(); }
  int LastCommand() const { return FLastCommand; }
  // The wheel's commands (away, towards, with Ctrl away, with Ctrl towards)
  // and how often one notch runs them.
  struct TWheelCommands {
    int Up, Down, UpCtrl, DownCtrl, Lines;
  };
  TWheelCommands WheelCommands() const {
    return {FWheelUpCommand, FWheelDownCommand, FWheelUpCtrlCommand, FWheelDownCtrlCommand, FWheelLines};
  }
  // The held-key acceleration (on by default, not stored).
  bool RepeatEnabled() const { return FRepeatEnabled; }
  void SetRepeatEnabled(bool value) { FRepeatEnabled = value; }

  void BeginUpdate();
  void EndUpdate(bool doResize);
  bool Updating() const { return FUpdateCount > 0; }

  // --- virtual operations --------------------------------------------------------
  virtual int KeyToCommand(int key, TShiftState shift);
  virtual void NewDocument() {}
  virtual void OffsetChanged();
  virtual void RatioChanged();
  virtual void StyleChanging();
  virtual void ApplyScrollBarVisibility();
  virtual void StyleChanged();
  virtual void UpdateScrollPositions();
  virtual void UpdateScrollRanges();
  virtual void HorzScroll(int position);
  virtual void VertScroll(int position);
  virtual void WheelSettingsChanged() {}
  // Runs `command` in the view: once, or after RepeatLimit repetitions of a
  // held repeat key every 10 ms until the key is released. Returns whether
  // the view handled it.
  virtual bool ExecuteCommand(int command, int key, bool fromWheel);

 protected:
  // For descendants: the view and the style come from the factories.
  TBaseControl(QWidget* parent, const TPlatformServices& services, const TViewFactory& makeView,
               const TStyleFactory& makeStyle);

  // Lays out the bars, the client area and the view (skipped while creating,
  // updating or closing).
  virtual void ResizeControl();
  // The view began and finished painting.
  virtual void Painting();
  virtual void Painted();
  // A key that no command took: what it types (the editor types its text).
  virtual void KeyText(QKeyEvent* event) { event->ignore(); }
  // The key was released for good (not an auto-repeat).
  virtual void KeyReleased() {}

  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

  int FWheelUpCommand = vcScrollDown;  // 2
  int FWheelDownCommand = vcScrollUp;  // 1
  int FWheelUpCtrlCommand = vcScrollRight;
  int FWheelDownCtrlCommand = vcScrollLeft;
  int FWheelLines = 3;
  bool FSimpleCreated = false;
  bool FClosing = false;

 private:
  void StopRepeatLoop();
  void RepeatTick();
  // Paints the border of `FBorderStyle` around the widget.
  void PaintBorder(QPainter& painter);

  const TPlatformServices FServices;
  TDataItemPtr<TBaseStyle> FStyle;
  TViewWidget* FViewWidget = nullptr;  // child widget, deleted with the control
  std::unique_ptr<TBaseView> FView;
  QScrollBar* FHorzScrollBar = nullptr;
  QScrollBar* FVertScrollBar = nullptr;
  int FScrollBarSize = 16;
  int FRepeatCount = 0;
  int FBorderWidth = 2;
  QRect FClientArea;
  QRect FViewArea;
  int FLastCommand = 0;
  int FUpdateCount = 0;
  bool FResized = false;
  int FStyleIndex = 0;
  bool FCreating = true;
  bool FWantTabs = false;
  TControlBorderStyle FBorderStyle = cb3D;
  bool FScrolling = false;
  bool FSettingBars = false;  // bar values set from the view
  QSet<int> FRepeatKeys;
  bool FRepeatEnabled = true;
  // The held keys (press to release) and the 10 ms loop of a held key.
  QSet<int> FHeldKeys;
  QTimer FRepeatTimer;
  int FRepeatKey = 0;
  int FRepeatCommand = 0;
  int FWheelRemainder = 0;  // eighths of a degree short of a notch
};

}  // namespace vorna::control
