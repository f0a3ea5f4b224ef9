// The three message-box forms on QMessageBox, each after its beep.
#include <QApplication>
#include <QMessageBox>

#include "platform/qt/QtConvert.h"
#include "platform/qt/QtServices.h"

namespace vorna::qt {
namespace {

QString Title() {
  QString title = QGuiApplication::applicationDisplayName();
  return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

}  // namespace

void TQtMessageBoxes::Beep(TBeep) {
  // Qt has one system beep for both kinds.
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

void TQtMessageBoxes::ShowInfo(const std::string& text) {
  Beep(TBeep::Default);
  QMessageBox::information(FParent, Title(), QStringFromCp932(text));
}

void TQtMessageBoxes::ShowError(const std::string& text) {
  Beep(TBeep::Exclamation);
  QMessageBox::warning(FParent, Title(), QStringFromCp932(text));
}

TMessageResult TQtMessageBoxes::AskYesNoCancel(const std::string& text) {
  Beep(TBeep::Default);
  auto answer =
      QMessageBox::question(FParent, Title(), QStringFromCp932(text),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Yes) return TMessageResult::Yes;
  if (answer == QMessageBox::No) return TMessageResult::No;
  return TMessageResult::Cancel;
}

}  // namespace vorna::qt
