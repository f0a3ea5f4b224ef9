// Clipboard text through QClipboard, converted to and from CP932 here.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/QtConvert.h"
#include "platform/qt/QtServices.h"

namespace vorna::qt {
namespace {

QClipboard* Board() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                      : nullptr;
}

}  // namespace

bool TQtClipboard::HasText() {
  QClipboard* board = Board();
  const QMimeData* data = board ? board->mimeData() : nullptr;
  return data && data->hasText();
}

std::string TQtClipboard::GetText() {
  if (!HasText()) return {};
  return Cp932FromQString(Board()->text());
}

void TQtClipboard::SetText(const std::string& cp932) {
  if (QClipboard* board = Board()) board->setText(QStringFromCp932(cp932));
}

}  // namespace vorna::qt
