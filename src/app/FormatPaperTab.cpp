// The 用紙 tab: paper, orientation, margins, pages per sheet, header and footer.
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPageSize>

#include "FormatTabs.h"
#include "platform/qt/QtConvert.h"

namespace vorna::app {
namespace {

struct TPaperName {
  int Code;
  const char* Name;
};

// The papers writers print on; another stored code is listed by its page-size name.
constexpr TPaperName kPapers[] = {
    {8, "A3"},        {9, "A4"},        {11, "A5"},
    {12, "B4 (JIS)"}, {13, "B5 (JIS)"}, {1, "レター"},
    {5, "リーガル"},  {43, "はがき"},   {kUserPaperSize, "ユーザー定義"},
};

}  // namespace

TCodePreview::TCodePreview(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::StyledPanel);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  Left = new QLabel(this);
  Centre = new QLabel(this);
  Right = new QLabel(this);
  Centre->setAlignment(Qt::AlignCenter);
  Right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  for (QLabel* label : {Left, Centre, Right}) row->addWidget(label, 1);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
}

void TCodePreview::Show(const THeaderFooterParts& parts) {
  Left->setText(qt::QStringFromCp932(parts.Left));
  Centre->setText(qt::QStringFromCp932(parts.Centre));
  Right->setText(qt::QStringFromCp932(parts.Right));
}

TPaperTab::TPaperTab(TExpand expand, QWidget* parent) : QWidget(parent), FExpand(std::move(expand)) {
  auto* form = new QFormLayout(this);
  PaperVisible = new QCheckBox(Ja("用紙を表示する(&V)"), this);
  form->addRow(QString(), PaperVisible);

  PaperSize = new QComboBox(this);
  for (const TPaperName& paper : kPapers) PaperSize->addItem(Ja(paper.Name), paper.Code);
  form->addRow(Ja("用紙サイズ(&Z):"), PaperSize);
  PaperWidth = MakeSpin(this, 1, 10000);
  PaperHeight = MakeSpin(this, 1, 10000);
  auto* user = new QHBoxLayout;
  user->addWidget(new QLabel(Ja("幅:"), this));
  user->addWidget(PaperWidth);
  user->addWidget(new QLabel(Ja("高さ:"), this));
  user->addWidget(PaperHeight);
  form->addRow(Ja("ユーザー定義 (mm):"), user);
  connect(PaperSize, &QComboBox::currentIndexChanged, this, [this] { UpdateUserSize(); });

  Orientation = new QComboBox(this);
  Orientation->addItems({Ja("縦"), Ja("横")});
  form->addRow(Ja("印刷の向き(&O):"), Orientation);

  MarginLeft = MakeLengthSpin(this);
  MarginTop = MakeLengthSpin(this);
  MarginRight = MakeLengthSpin(this);
  MarginBottom = MakeLengthSpin(this);
  auto* margins = new QGridLayout;
  const std::pair<const char*, QDoubleSpinBox*> sides[] = {
      {"上:", MarginTop}, {"下:", MarginBottom}, {"左:", MarginLeft}, {"右:", MarginRight}};
  for (int i = 0; i < 4; ++i) {
    sides[i].second->setSuffix(Ja(" mm"));
    margins->addWidget(new QLabel(Ja(sides[i].first), this), i / 2, (i % 2) * 2);
    margins->addWidget(sides[i].second, i / 2, (i % 2) * 2 + 1);
  }
  form->addRow(Ja("余白:"), margins);

  PaperLevelDivide = MakeSpin(this, 1, 9999);
  PaperVerticalDivide = MakeSpin(this, 1, 9999);
  auto* divide = new QHBoxLayout;
  divide->addWidget(new QLabel(Ja("横"), this));
  divide->addWidget(PaperLevelDivide);
  divide->addWidget(new QLabel(Ja("× 縦"), this));
  divide->addWidget(PaperVerticalDivide);
  form->addRow(Ja("1枚のページ数:"), divide);

  HeaderStr = new QLineEdit(this);
  FooterStr = new QLineEdit(this);
  HeaderPreview = new TCodePreview(this);
  FooterPreview = new TCodePreview(this);
  form->addRow(Ja("ヘッダー(&H):"), HeaderStr);
  form->addRow(Ja("1ページ目:"), HeaderPreview);
  form->addRow(Ja("フッター(&F):"), FooterStr);
  form->addRow(Ja("1ページ目:"), FooterPreview);
  auto* codes = new QLabel(Ja("&b 左・中央・右の区切り　&p ページ番号　&P 総ページ数\n"
                              "&o 奇数ページの番号　&e 偶数ページの番号　&d 日付　&t 時刻\n"
                              "&F ファイル名（拡張子なし）　&f ファイル名"),
                           this);
  form->addRow(QString(), codes);
  for (QLineEdit* edit : {HeaderStr, FooterStr})
    connect(edit, &QLineEdit::textChanged, this, [this] { UpdatePreviews(); });
}

void TPaperTab::SelectPaper(int code) {
  int index = PaperSize->findData(code);
  if (index < 0) {
    const QPageSize size(QPageSize::id(code));
    const QString name = size.isValid() ? size.name() : Ja("用紙コード %1").arg(code);
    PaperSize->insertItem(PaperSize->count() - 1, name, code);
    index = PaperSize->findData(code);
  }
  PaperSize->setCurrentIndex(index);
}

void TPaperTab::UpdateUserSize() {
  const bool user = PaperSize->currentData().toInt() == kUserPaperSize;
  PaperWidth->setEnabled(user);
  PaperHeight->setEnabled(user);
}

void TPaperTab::UpdatePreviews() {
  if (!FExpand) return;
  HeaderPreview->Show(FExpand(qt::Cp932FromQString(HeaderStr->text())));
  FooterPreview->Show(FExpand(qt::Cp932FromQString(FooterStr->text())));
}

void TPaperTab::Load(const TEditorStyle& style) {
  PaperVisible->setChecked(style.GetPaperVisible());
  SelectPaper(style.GetPaperSize());
  // A user size still 0 x 0 gets the size the style gives one.
  PaperWidth->setValue(style.GetPaperWidth() > 0 ? style.GetPaperWidth() : 100);
  PaperHeight->setValue(style.GetPaperHeight() > 0 ? style.GetPaperHeight() : 148);
  UpdateUserSize();
  Orientation->setCurrentIndex(style.GetOrientation() ? 1 : 0);
  MarginLeft->setValue(style.GetMarginLeft());
  MarginTop->setValue(style.GetMarginTop());
  MarginRight->setValue(style.GetMarginRight());
  MarginBottom->setValue(style.GetMarginBottom());
  PaperLevelDivide->setValue(style.GetPaperLevelDivide());
  PaperVerticalDivide->setValue(style.GetPaperVerticalDivide());
  HeaderStr->setText(qt::QStringFromCp932(style.GetHeaderStr()));
  FooterStr->setText(qt::QStringFromCp932(style.GetFooterStr()));
  UpdatePreviews();
}

void TPaperTab::Store(TEditorStyle& style) const {
  style.ShowPaper(PaperVisible->isChecked());
  const int code = PaperSize->currentData().toInt();
  style.SetPaperSize(code);
  if (code == kUserPaperSize) {
    SetLimited(style, &TBaseStyle::SetPaperWidth, "PaperWidth", PaperWidth->value());
    SetLimited(style, &TBaseStyle::SetPaperHeight, "PaperHeight", PaperHeight->value());
  }
  style.SetOrientation(Orientation->currentIndex() == 1);
  SetLength(style, &TBaseStyle::SetMarginLeft, style.GetMarginLeft(), "MarginLeft", MarginLeft);
  SetLength(style, &TBaseStyle::SetMarginTop, style.GetMarginTop(), "MarginTop", MarginTop);
  SetLength(style, &TBaseStyle::SetMarginRight, style.GetMarginRight(), "MarginRight", MarginRight);
  SetLength(style, &TBaseStyle::SetMarginBottom, style.GetMarginBottom(), "MarginBottom", MarginBottom);
  SetLimited(style, &TBaseStyle::SetPaperLevelDivide, "PaperLevelDivide", PaperLevelDivide->value());
  SetLimited(style, &TBaseStyle::SetPaperVerticalDivide, "PaperVerticalDivide", PaperVerticalDivide->value());
  style.SetHeaderStr(qt::Cp932FromQString(HeaderStr->text()));
  style.SetFooterStr(qt::Cp932FromQString(FooterStr->text()));
}

}  // namespace vorna::app
