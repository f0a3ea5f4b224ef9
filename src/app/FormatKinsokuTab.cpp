// The 禁則 tab: hanging punctuation, line-end adjustment and the character sets
// that may not begin or end a line.
#include <QFormLayout>

#include "FormatTabs.h"
#include "platform/qt/QtConvert.h"

namespace vorna::app {

TKinsokuTab::TKinsokuTab(QWidget* parent) : QWidget(parent) {
  auto* form = new QFormLayout(this);
  TailHang = new QCheckBox(Ja("行末のぶら下げを行う(&H)"), this);
  form->addRow(QString(), TailHang);
  HangStr = new QLineEdit(this);
  form->addRow(Ja("ぶら下げる文字(&G):"), HangStr);
  connect(TailHang, &QCheckBox::toggled, HangStr, &QWidget::setEnabled);
  TailAdjust = new QCheckBox(Ja("行末をそろえる(&A)"), this);
  form->addRow(QString(), TailAdjust);
  ProhibitTopStr = new QLineEdit(this);
  form->addRow(Ja("行頭禁則文字(&T):"), ProhibitTopStr);
  ProhibitBottomStr = new QLineEdit(this);
  form->addRow(Ja("行末禁則文字(&B):"), ProhibitBottomStr);
  Reset = new QPushButton(Ja("既定の文字に戻す(&R)"), this);
  form->addRow(QString(), Reset);
  connect(Reset, &QPushButton::clicked, this, [this] { ResetSets(); });
}

void TKinsokuTab::ResetSets() {
  // The sets a new style starts with, so the defaults live in one place.
  const auto fresh = MakeDataItem<TEditorStyle>();
  HangStr->setText(qt::QStringFromCp932(fresh->GetHangStr()));
  ProhibitTopStr->setText(qt::QStringFromCp932(fresh->GetProhibitTopStr()));
  ProhibitBottomStr->setText(qt::QStringFromCp932(fresh->GetProhibitBottomStr()));
}

void TKinsokuTab::Load(const TEditorStyle& style) {
  TailHang->setChecked(style.GetTailHang());
  HangStr->setText(qt::QStringFromCp932(style.GetHangStr()));
  HangStr->setEnabled(style.GetTailHang());
  TailAdjust->setChecked(style.GetTailAdjust());
  ProhibitTopStr->setText(qt::QStringFromCp932(style.GetProhibitTopStr()));
  ProhibitBottomStr->setText(qt::QStringFromCp932(style.GetProhibitBottomStr()));
}

void TKinsokuTab::Store(TEditorStyle& style) const {
  style.SetTailHang(TailHang->isChecked());
  style.SetHangStr(qt::Cp932FromQString(HangStr->text()));
  style.SetTailAdjust(TailAdjust->isChecked());
  style.SetProhibitTopStr(qt::Cp932FromQString(ProhibitTopStr->text()));
  style.SetProhibitBottomStr(qt::Cp932FromQString(ProhibitBottomStr->text()));
}

}  // namespace vorna::app
