// The save options dialog: four backup rules, the folder of the first with
// a browse button (OK needs a folder when that rule is chosen), and the
// autosave wait.
#include "SaveOptionDialogs.h"

#include "Preferences.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vorna::app {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

}  // namespace

TSaveOptionDialog::TSaveOptionDialog(const TSaveOptions& options, QWidget* parent)
    : QDialog(parent), FModes(new QButtonGroup(this)) {
  setWindowTitle(U("保存の設定"));
  auto* column = new QVBoxLayout(this);
  column->addWidget(new QLabel(U("保存するとき、前の内容を："), this));
  const char* captions[] = {"残さない", "バックアップ用フォルダーにコピーする",
                            "同じフォルダーに拡張子 .bak でコピーする", "ごみ箱に入れる"};
  for (int mode = bmNone; mode <= bmTrash; ++mode) {
    auto* button = new QRadioButton(U(captions[mode]), this);
    FModes->addButton(button, mode);
    column->addWidget(button);
  }
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(new QLabel(U("フォルダー:"), this));
  FFolder = new QLineEdit(QString::fromStdString(options.BackupFolder), this);
  folderRow->addWidget(FFolder, 1);
  FBrowse = new QPushButton(U("参照..."), this);
  folderRow->addWidget(FBrowse);
  column->addLayout(folderRow);
  column->addWidget(new QLabel(U("前の内容は、新しい内容が書き込まれるまで元の名前に残ります。"), this));
  auto* autoSaveRow = new QHBoxLayout;
  autoSaveRow->addWidget(new QLabel(U("保存していない文書を復元用に書き出すまでの待ち時間:"), this));
  FAutoSave = new QSpinBox(this);
  FAutoSave->setRange(0, kMaxAutoSaveSeconds);
  FAutoSave->setSuffix(U(" 秒"));
  FAutoSave->setSpecialValueText(U("終了させられたときだけ"));
  FAutoSave->setValue(options.AutoSaveSeconds);
  autoSaveRow->addWidget(FAutoSave);
  autoSaveRow->addStretch(1);
  column->addLayout(autoSaveRow);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  FOk = buttons->button(QDialogButtonBox::Ok);
  column->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(FBrowse, &QPushButton::clicked, this, [this] {
    const QString folder =
        QFileDialog::getExistingDirectory(this, U("バックアップ用フォルダー"), FFolder->text());
    if (!folder.isEmpty()) FFolder->setText(folder);
  });
  connect(FModes, &QButtonGroup::idClicked, this, [this] { UpdateControls(); });
  connect(FFolder, &QLineEdit::textChanged, this, [this] { UpdateControls(); });
  ChooseMode(options.BackupMode);
}

void TSaveOptionDialog::ChooseMode(TBackupMode mode) {
  if (QAbstractButton* button = FModes->button(mode < bmNone || mode > bmTrash ? bmNone : mode))
    button->setChecked(true);
  UpdateControls();
}

void TSaveOptionDialog::SetFolder(const std::string& folder) {
  FFolder->setText(QString::fromStdString(folder));
}

void TSaveOptionDialog::SetAutoSaveSeconds(int seconds) { FAutoSave->setValue(seconds); }

void TSaveOptionDialog::UpdateControls() {
  const bool folder = FModes->checkedId() == bmBackupFolder;
  FFolder->setEnabled(folder);
  FBrowse->setEnabled(folder);
  FOk->setEnabled(!folder || !FFolder->text().trimmed().isEmpty());
}

TSaveOptions TSaveOptionDialog::Options() const {
  return {static_cast<TBackupMode>(FModes->checkedId()), FFolder->text().trimmed().toStdString(),
          FAutoSave->value()};
}

}  // namespace vorna::app
