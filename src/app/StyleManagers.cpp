// The user-style manager dialog.
#include "StyleManagers.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/QtConvert.h"

namespace vorna::app {

TStyleManagerDialog::TStyleManagerDialog(QWidget* parent, TCommands commands)
    : QDialog(parent), FCommands(std::move(commands)) {
  setWindowTitle(QString::fromUtf8("スタイルの管理"));
  FList = new QListWidget(this);
  auto* rename = new QPushButton(QString::fromUtf8("名前の変更(&R)..."), this);
  auto* remove = new QPushButton(QString::fromUtf8("削除(&D)"), this);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(rename);
  buttons->addWidget(remove);
  buttons->addStretch();
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  close->button(QDialogButtonBox::Close)->setText(QString::fromUtf8("閉じる"));
  auto* row = new QHBoxLayout;
  row->addWidget(FList, 1);
  row->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(close);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(rename, &QPushButton::clicked, this, [this] {
    if (const std::string name = Selected(); !name.empty() && FCommands.Rename(name)) Fill();
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (const std::string name = Selected(); !name.empty() && FCommands.Delete(name)) Fill();
  });
  const auto enable = [this, rename, remove] {
    rename->setEnabled(FList->currentItem() != nullptr);
    remove->setEnabled(FList->currentItem() != nullptr);
  };
  connect(FList, &QListWidget::currentRowChanged, this, enable);
  Fill();
  enable();
}

void TStyleManagerDialog::Fill() {
  FList->clear();
  for (const std::string& name : FCommands.Names()) {
    auto* item = new QListWidgetItem(qt::QStringFromCp932(name), FList);
    item->setData(Qt::UserRole, QByteArray::fromStdString(name));
  }
  if (FList->count() > 0) FList->setCurrentRow(0);
}

std::string TStyleManagerDialog::Selected() const {
  const QListWidgetItem* item = FList->currentItem();
  return item ? item->data(Qt::UserRole).toByteArray().toStdString() : std::string();
}

}  // namespace vorna::app
