// The 文字組 tab and the helpers the format tabs share.
#include <QFormLayout>
#include <QHBoxLayout>

#include "FormatTabs.h"

namespace vorna::app {

QString Ja(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Ranges are wide on purpose: the style's own limits decide, and the tab shows
// what they left after storing.
QSpinBox* MakeSpin(QWidget* parent, int min, int max) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(min, max);
  return spin;
}

QDoubleSpinBox* MakeLengthSpin(QWidget* parent) {
  auto* spin = new QDoubleSpinBox(parent);
  spin->setRange(-kMaxStoredLength, kMaxStoredLength);
  spin->setDecimals(2);
  spin->setSingleStep(0.5);
  return spin;
}

TLayoutTab::TLayoutTab(QWidget* parent) : QWidget(parent) {
  auto* form = new QFormLayout(this);
  Direction = new QComboBox(this);
  Direction->addItems({Ja("横書き"), Ja("縦書き")});
  form->addRow(Ja("書字方向(&D):"), Direction);

  ColumnCountAuto = new QCheckBox(Ja("ウィンドウの幅に合わせる(&A)"), this);
  // A fixed row holds at least one cell; 0 cells is what "automatic" means.
  // Writers count full-width characters; the style counts half-width cells.
  ColumnCount = MakeSpin(this, 1, 50000);
  ColumnCount->setSuffix(Ja(" 字"));
  auto* cells = new QHBoxLayout;
  cells->addWidget(ColumnCount);
  cells->addWidget(ColumnCountAuto);
  form->addRow(Ja("1行の文字数:"), cells);
  connect(ColumnCountAuto, &QCheckBox::toggled, ColumnCount, &QWidget::setDisabled);

  LineCountInPage = MakeSpin(this, 0, 99999);
  LineCountInPage->setSuffix(Ja(" 行"));
  LineCountInPage->setSpecialValueText(Ja("入るだけ"));
  form->addRow(Ja("1ページの行数(&L):"), LineCountInPage);

  PartationCount = MakeSpin(this, 0, 9999);
  PartationCount->setSuffix(Ja(" 段"));
  PartationMargin = MakeLengthSpin(this);
  auto* blocks = new QHBoxLayout;
  blocks->addWidget(PartationCount);
  blocks->addWidget(new QLabel(Ja("段間:"), this));
  blocks->addWidget(PartationMargin);
  form->addRow(Ja("段組:"), blocks);

  LineSpace = MakeLengthSpin(this);
  form->addRow(Ja("行間(&S):"), LineSpace);
  ColumnSpace = MakeLengthSpin(this);
  form->addRow(Ja("字間(&G):"), ColumnSpace);
  WordWrap = new QCheckBox(Ja("単語の途中で折り返さない(&W)"), this);
  form->addRow(QString(), WordWrap);
}

void TLayoutTab::Load(const TEditorStyle& style) {
  Direction->setCurrentIndex(style.GetVertical() ? 1 : 0);
  ColumnCountAuto->setChecked(style.GetColumnCountAuto());
  // A row that was automatic offers the manuscript page's 20 characters. An
  // odd cell count shows rounded up and is kept unless edited.
  ColumnCount->setValue(style.GetColumnCount() >= 1 ? (style.GetColumnCount() + 1) / 2 : 20);
  FShownColumnCount = ColumnCount->value();
  FLoadedAuto = style.GetColumnCountAuto();
  ColumnCount->setEnabled(!style.GetColumnCountAuto());
  LineCountInPage->setValue(std::max(style.GetLineCountInPage(), 0));
  PartationCount->setValue(style.GetPartationCount());
  // Lengths are millimetres on paper and pixels at 100 % in a window.
  FPaperUnits = style.GetPaperVisible();
  const QString unit = FPaperUnits ? Ja(" mm") : Ja(" px");
  for (QDoubleSpinBox* spin : {PartationMargin, LineSpace, ColumnSpace}) spin->setSuffix(unit);
  PartationMargin->setValue(style.GetPartationMargin());
  LineSpace->setValue(style.GetLineSpace());
  ColumnSpace->setValue(style.GetColumnSpace());
  WordWrap->setChecked(style.GetWordWrap());
}

void TLayoutTab::SetPaperUnits(bool paper) {
  if (paper == FPaperUnits) return;
  FPaperUnits = paper;
  for (QDoubleSpinBox* spin : {PartationMargin, LineSpace, ColumnSpace}) {
    const double value = spin->value();
    spin->setSuffix(paper ? Ja(" mm") : Ja(" px"));
    spin->setValue(paper ? TBaseStyle::PixelsToMillimetres(value, nullptr)
                         : TBaseStyle::MillimetresToPixels(value, nullptr));
  }
}

void TLayoutTab::Store(TEditorStyle& style) const {
  style.SetVertical(Direction->currentIndex() == 1);
  style.SetColumnCountAuto(ColumnCountAuto->isChecked());
  // An automatic row keeps the count it had: it is not shown, so not edited.
  if (!ColumnCountAuto->isChecked() && (FLoadedAuto || ColumnCount->value() != FShownColumnCount))
    SetLimited(style, &TEditorStyle::SetColumnCount, "ColumnCount", ColumnCount->value() * 2);
  if (LineCountInPage->value() != std::max(style.GetLineCountInPage(), 0))
    SetLimited(style, &TEditorStyle::SetLineCountInPage, "LineCountInPage", LineCountInPage->value());
  SetLimited(style, &TEditorStyle::SetPartationCount, "PartationCount", PartationCount->value());
  SetLength(style, &TEditorStyle::SetPartationMargin, style.GetPartationMargin(), "PartationMargin",
            PartationMargin);
  SetLength(style, &TEditorStyle::SetLineSpace, style.GetLineSpace(), "LineSpace", LineSpace);
  SetLength(style, &TEditorStyle::SetColumnSpace, style.GetColumnSpace(), "ColumnSpace", ColumnSpace);
  style.SetWordWrap(WordWrap->isChecked());
}

}  // namespace vorna::app
