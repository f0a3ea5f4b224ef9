// Keys held down now: tracked from the application's key events, with the
// modifiers and mouse buttons asked of Qt directly.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

#include "platform/qt/QtServices.h"

namespace vorna::qt {

TQtKeyState::TQtKeyState() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

TQtKeyState::~TQtKeyState() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

int TQtKeyState::VirtualKeyOf(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return kVkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kVkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kVkReturn;
    case Qt::Key_Shift:
      return kVkShift;
    case Qt::Key_Control:
      return kVkControl;
    case Qt::Key_Alt:
      return kVkMenu;
    case Qt::Key_Escape:
      return kVkEscape;
    case Qt::Key_Space:
      return kVkSpace;
    case Qt::Key_PageUp:
      return kVkPrior;
    case Qt::Key_PageDown:
      return kVkNext;
    case Qt::Key_End:
      return kVkEnd;
    case Qt::Key_Home:
      return kVkHome;
    case Qt::Key_Left:
      return kVkLeft;
    case Qt::Key_Up:
      return kVkUp;
    case Qt::Key_Right:
      return kVkRight;
    case Qt::Key_Down:
      return kVkDown;
    case Qt::Key_Insert:
      return kVkInsert;
    case Qt::Key_Delete:
      return kVkDelete;
    default:
      return 0;
  }
}

bool TQtKeyState::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (int vk = VirtualKeyOf(key->key()); vk && !key->isAutoRepeat()) {
        if (event->type() == QEvent::KeyPress)
          FDown.insert(vk);
        else
          FDown.remove(vk);
      }
      break;
    }
    case QEvent::ApplicationDeactivate:
      // Releases while another program has the keyboard never arrive.
      FDown.clear();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

bool TQtKeyState::IsKeyDown(int vk) {
  bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  if (gui) {
    Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    switch (vk) {
      case kVkShift:
        return mods & Qt::ShiftModifier;
      case kVkControl:
        return mods & Qt::ControlModifier;
      case kVkMenu:
        return mods & Qt::AltModifier;
      case kVkLButton:
        return buttons & Qt::LeftButton;
      case kVkRButton:
        return buttons & Qt::RightButton;
      case kVkMButton:
        return buttons & Qt::MiddleButton;
      default:
        break;
    }
  }
  return FDown.contains(vk);
}

}  // namespace vorna::qt
