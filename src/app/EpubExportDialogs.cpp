// The title and author dialog and the save dialog of the EPUB export.
#include "EpubExportDialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>

#include "platform/qt/QtConvert.h"

namespace vorna::app {

TEpubTitleDialog::TEpubTitleDialog(QWidget* parent, const TBookTitle& offered) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("EPUBに書き出し"));
  auto* form = new QFormLayout(this);
  FTitle = new QLineEdit(QString::fromStdString(offered.Title), this);
  FAuthor = new QLineEdit(QString::fromStdString(offered.Author), this);
  FTitle->setMinimumWidth(320);
  form->addRow(QString::fromUtf8("タイトル(&T):"), FTitle);
  form->addRow(QString::fromUtf8("著者(&A):"), FAuthor);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

TBookTitle TEpubTitleDialog::Chosen() const {
  return {FTitle->text().trimmed().toStdString(), FAuthor->text().trimmed().toStdString()};
}

std::optional<TBookTitle> AskEpubTitleInDialog(QWidget* parent, const TBookTitle& offered) {
  TEpubTitleDialog dialog(parent, offered);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

std::optional<std::string> AskEpubFileNameInDialog(QWidget* parent, const std::string& suggested) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QString::fromUtf8("EPUBファイル (*.epub)"));
  dialog.setDefaultSuffix(QStringLiteral("epub"));
  const QFileInfo offered(qt::QPath(suggested));
  dialog.setDirectory(offered.absolutePath());
  dialog.selectFile(offered.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace vorna::app
