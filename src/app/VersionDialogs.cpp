// The about box: layout, texts from the version data, and closing on Enter,
// Escape, a click on the background or the loss of activation.
#include "VersionDialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"

namespace vorna::app {
namespace {

constexpr TColor kGradientEnd = 0x00645344;
constexpr unsigned kColorButtonFace = 15;
constexpr const char* kCredit = "© The VORNA Editor developers";

QLabel* RightLabel(QWidget* parent, int top, int height) {
  auto* label = new QLabel(parent);
  label->setGeometry(8, top, 288 - 16, height);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, qt::ToQColor(qt::SystemColorFromPalette(kColorButtonFace)));
  label->setPalette(palette);
  return label;
}

}  // namespace

TVersionDialog::TVersionDialog(TVerInfo& info, QWidget* parent) : QDialog(parent), FInfo(info) {
  setWindowTitle(QString::fromUtf8("バージョン情報"));
  setFixedSize(288, 192);
  QFont font(QStringLiteral("MS UI Gothic"));
  font.setPixelSize(12);
  setFont(font);
  FGradBox = new TGradBox(this);
  FGradBox->setGeometry(rect());
  FGradBox->SetStartColor(SystemColor(kColorButtonFace));
  FGradBox->SetEndColor(kGradientEnd);
  FGradBox->installEventFilter(this);
  FImageIcon = new QLabel(this);
  FImageIcon->setGeometry(8, 192 - 8 - 32, 32, 32);
  FImageIcon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
  FLabelTitle = RightLabel(this, 12, 24);
  QFont title = font;
  title.setPixelSize(18);
  title.setBold(true);
  FLabelTitle->setFont(title);
  FLabelComment = RightLabel(this, 44, 18);
  FLabelVersion = RightLabel(this, 66, 18);
  FLabelStatus = RightLabel(this, 88, 18);
  FLabelCredit = RightLabel(this, 192 - 8 - 18, 18);
  FLabelCredit->setText(QString::fromUtf8(kCredit));
}

void TVersionDialog::Execute() { exec(); }

void TVersionDialog::FillTexts() {
  bool preRelease = false;
  try {
    preRelease = FInfo.IsPreRelease();
  } catch (const EVerInfo& e) {
    if (OnError) OnError(e.what());
  }
  FLabelStatus->setText(preRelease ? QString::fromUtf8("β版") : QString());
  FLabelComment->setText(QString::fromStdString(FInfo.FileDescription()));
  FLabelTitle->setText(QString::fromStdString(FInfo.ProductName()));
  FLabelVersion->setText(QStringLiteral("Version ") + QString::fromStdString(FInfo.FileVersion()));
}

void TVersionDialog::showEvent(QShowEvent* event) {
  FillTexts();
  QDialog::showEvent(event);
}

void TVersionDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TVersionDialog::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate && isVisible()) accept();
  return QDialog::event(event);
}

bool TVersionDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FGradBox && event->type() == QEvent::MouseButtonPress) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vorna::app
