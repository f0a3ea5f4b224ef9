// Screen metrics and system colours from Qt's screen, style and palette.
#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QStyleHints>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/QtServices.h"

namespace vorna::qt {

TColor SystemColorFromPalette(unsigned index) {
  QPalette pal =
      qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::palette() : QPalette();
  auto c = [&](QPalette::ColorGroup group, QPalette::ColorRole role) {
    return FromQColor(pal.color(group, role));
  };
  const auto A = QPalette::Active, I = QPalette::Inactive, D = QPalette::Disabled;
  switch (index) {
    case kColorScrollBar:
      return c(A, QPalette::Mid);
    case kColorBackground:
      return c(A, QPalette::Dark);
    case kColorActiveCaption:
    case kColorGradientActiveCaption:
    case kColorHotLight:
    case kColorMenuHilight:
      return c(A, QPalette::Highlight);
    case kColorInactiveCaption:
    case kColorGradientInactiveCaption:
      return c(I, QPalette::Mid);
    case kColorMenu:
    case kColorMenuBar:
    case kColorBtnFace:
    case kColorActiveBorder:
    case kColorInactiveBorder:
      return c(A, QPalette::Button);
    case kColorWindow:
      return c(A, QPalette::Base);
    case kColorWindowFrame:
    case kColor3DDkShadow:
      return c(A, QPalette::Shadow);
    case kColorMenuText:
    case kColorWindowText:
      return c(A, QPalette::Text);
    case kColorCaptionText:
      return c(A, QPalette::HighlightedText);
    case kColorAppWorkspace:
      return c(A, QPalette::Dark);
    case kColorHighlight:
      return c(A, QPalette::Highlight);
    case kColorHighlightText:
      return c(A, QPalette::HighlightedText);
    case kColorBtnShadow:
      return c(A, QPalette::Dark);
    case kColorGrayText:
      return c(D, QPalette::Text);
    case kColorBtnText:
      return c(A, QPalette::ButtonText);
    case kColorInactiveCaptionText:
      return c(I, QPalette::Text);
    case kColorBtnHighlight:
      return c(A, QPalette::Light);
    case kColor3DLight:
      return c(A, QPalette::Midlight);
    case kColorInfoText:
      return c(A, QPalette::ToolTipText);
    case kColorInfoBk:
      return c(A, QPalette::ToolTipBase);
    default:
      return kClBlack;
  }
}

namespace {
QScreen* Screen() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                      : nullptr;
}
}  // namespace

int TQtSystemMetrics::ScreenPixelsPerInch() {
  QScreen* s = Screen();
  return s ? static_cast<int>(s->logicalDotsPerInchY() + 0.5) : 96;
}

int TQtSystemMetrics::ScreenWidth() {
  QScreen* s = Screen();
  return s ? s->geometry().width() : 1024;
}

int TQtSystemMetrics::ScreenHeight() {
  QScreen* s = Screen();
  return s ? s->geometry().height() : 768;
}

int TQtSystemMetrics::WheelScrollLines() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::wheelScrollLines() : 3;
}

int TQtSystemMetrics::DragThreshold() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
             ? QGuiApplication::styleHints()->startDragDistance()
             : 4;
}

int TQtSystemMetrics::ScrollBarThickness() {
  return qobject_cast<QApplication*>(QCoreApplication::instance())
             ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent)
             : 16;
}

TColor TQtSystemMetrics::SystemColorValue(unsigned index) { return SystemColorFromPalette(index); }

}  // namespace vorna::qt
