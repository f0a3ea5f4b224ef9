// The control's caret: created while focused, shown and hidden under a
// counter that stays 0 or 1, moved with the view's caret, blinking, drawn
// inverted over the view's pixels; and the composition point that follows it.
#include <QGuiApplication>
#include <QInputMethod>
#include <QPainter>

#include "control/EditorControls.h"
#include "control/ViewWidgets.h"
#include "platform/qt/QtConvert.h"

namespace vorna::control {

bool TEditor::CaretElementVisible() const {
  const TViewInfo* caret = EditorStyle().GetViewInfo(kElemCaret);
  return caret && caret->IsVisible();
}

bool TEditor::CaretActive() const {
  return isVisible() && !EditorView().IsReadOnly() && !CaretElementVisible() && !Updating() && hasFocus();
}

bool TEditor::CaretDrawn() const {
  return FCaretCreated && FCaretShowCount > 0 && FBlinkOn && !FComposing && !FCaretRect.isEmpty() &&
         ViewWidget().rect().contains(FCaretRect.topLeft());
}

void TEditor::InvalidateCaret() {
  // The paint that hides and shows the caret around itself draws it last.
  if (!FCaretRect.isEmpty() && !ViewWidget().Painting()) ViewWidget().update(FCaretRect);
}

void TEditor::CreateCaretShape() {
  if (!CaretActive()) return;
  const TEditorView& view = EditorView();
  FCaretRect = qt::ToQRect(view.GetCaretRect(view.CaretPos()));
  FCaretCreated = true;
  FCaretShowCount = 0;
  ShowCaret();
}

void TEditor::DestroyCaretShape(bool force) {
  if (!isVisible() || Updating() || !(hasFocus() || force)) return;
  HideCaret();
  FBlinkTimer.stop();
  InvalidateCaret();
  FCaretCreated = false;
}

void TEditor::RecreateCaret() {
  if (!isVisible() || Updating() || !hasFocus()) return;
  DestroyCaretShape(false);
  CreateCaretShape();
  UpdateCaretPos();
}

void TEditor::ShowCaret() {
  if (!CaretActive() || !FCaretCreated || FCaretShowCount > 0) return;
  ++FCaretShowCount;
  FBlinkOn = true;
  if (FBlinkTimer.interval() > 0) FBlinkTimer.start();
  InvalidateCaret();
}

void TEditor::HideCaret() {
  if (!CaretActive() || !FCaretCreated || FCaretShowCount == 0) return;
  --FCaretShowCount;
  FBlinkTimer.stop();
  InvalidateCaret();
}

void TEditor::BlinkCaret() {
  FBlinkOn = !FBlinkOn;
  InvalidateCaret();
}

void TEditor::UpdateCaretPos() {
  if (!isVisible() || EditorView().IsReadOnly() || Updating() || !hasFocus()) return;
  const TEditorView& view = EditorView();
  if (!CaretElementVisible() && FCaretCreated) {
    const QRect moved = qt::ToQRect(view.GetCaretRect(view.CaretPos()));
    if (moved != FCaretRect) {
      InvalidateCaret();
      FCaretRect = moved;
      // A moved caret shows at once and starts its blink anew.
      FBlinkOn = true;
      if (FCaretShowCount > 0 && FBlinkTimer.interval() > 0) FBlinkTimer.start();
      InvalidateCaret();
    }
  }
  SetImeWindowPos(view.ImePoint());
}

void TEditor::SetImeWindowPos(TPoint viewPoint) {
  QPoint p = ViewWidget().mapTo(this, QPoint(viewPoint.X, viewPoint.Y));
  // A vertical composition window is placed by its right edge.
  if (EditorStyle().GetVertical()) p.rx() += std::max(EditorView().FontHeight() - 1, 0);
  if (p == FImeWindowPos) return;
  FImeWindowPos = p;
  if (hasFocus()) updateMicroFocus();
}

void TEditor::Painting() {
  HideCaret();
  TBaseControl::Painting();
}

void TEditor::Painted() {
  ShowCaret();
  TBaseControl::Painted();
}

// The painted pixels moved: so did any caret or preedit drawn on them, and
// those pixels are painted again.
void TEditor::PaintedMoved(const QRect& area, int dx, int dy) {
  if (!FCaretRect.isEmpty()) ViewWidget().update(FCaretRect.translated(dx, dy).intersected(area));
  if (!FPreedit.Empty()) ViewWidget().update(ViewWidget().rect());
}

void TEditor::PaintOverlay(QPainter& painter) {
  if (!FPreedit.Empty()) {
    PaintPreedit(painter, FPreedit, CurrentPreeditPlace());
    return;
  }
  if (!CaretDrawn()) return;
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_Difference);
  painter.fillRect(FCaretRect, Qt::white);
  painter.restore();
}

}  // namespace vorna::control
