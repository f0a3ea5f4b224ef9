// The recovery offer's text and box.
#include "RecoveryDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <filesystem>

#include "platform/qt/QtConvert.h"

namespace vorna::app {

QString RecoveryOfferText(const TRecoveryRecord& record) {
  const std::filesystem::path path(record.Unsaved.FileName);
  QString text = QString::fromUtf8("前回保存されなかった文書があります。\n\n文書: ") +
                 qt::QPath(path.filename().string());
  if (!record.Unsaved.Untitled)
    text += QString::fromUtf8("\n場所: ") + qt::QPath(path.parent_path().string());
  const QDateTime kept = QDateTime::fromSecsSinceEpoch(record.SavedAtSeconds);
  text += QString::fromUtf8("\n時刻: ") + kept.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
  text += QString::fromUtf8(
      "\n\n復元すると、保存されていない文書として開きます（元のファイルは書き換えません）。"
      "破棄すると、この文書の保存されなかった内容は失われます。");
  return text;
}

TRecoveryAnswer AskRecoveryInDialog(QWidget* parent, const TRecoveryRecord& record) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), RecoveryOfferText(record),
                  QMessageBox::NoButton, parent);
  QPushButton* restore = box.addButton(QString::fromUtf8("復元"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QString::fromUtf8("破棄"), QMessageBox::DestructiveRole);
  QPushButton* later = box.addButton(QString::fromUtf8("後で"), QMessageBox::RejectRole);
  box.setDefaultButton(restore);
  box.setEscapeButton(later);
  box.exec();
  if (box.clickedButton() == restore) return TRecoveryAnswer::Restore;
  if (box.clickedButton() == discard) return TRecoveryAnswer::Discard;
  return TRecoveryAnswer::Later;
}

bool StartWindowRecovering(const std::string& path) {
  return QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                 {QStringLiteral("--recover"), qt::QPath(path)});
}

}  // namespace vorna::app
