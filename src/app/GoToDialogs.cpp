// The go-to dialog: its controls, the range it shows and the numbers it refuses.
#include "GoToDialogs.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vorna::app {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Digits a place can have: more are out of every range.
constexpr int kMaxDigits = 9;

}  // namespace

QString GoToProblem(TGoToKind kind, const QString& text, int lines, int pages, int& number) {
  const QString digits = text.trimmed();
  const bool page = kind == TGoToKind::Page;
  if (page && pages < 1) return U("このスタイルには 1 ページの行数がないので、ページがありません。");
  if (digits.isEmpty()) return page ? U("ページ番号を入力してください。") : U("行番号を入力してください。");
  long long value = 0;
  for (const QChar c : digits) {
    // digitValue also reads the full-width digits an input method types.
    if (c.digitValue() < 0) return U("「%1」は数字ではありません。").arg(digits);
    if (value < 1'000'000'000LL) value = value * 10 + c.digitValue();
  }
  const int last = page ? pages : lines;
  if (value < 1 || value > last || digits.size() > kMaxDigits)
    return (page ? U("%1 ページはありません。ページ番号は 1 から %2 までです。")
                 : U("%1 行目はありません。行番号は 1 から %2 までです。"))
        .arg(digits)
        .arg(last);
  number = static_cast<int>(value);
  return {};
}

TGoToDialog::TGoToDialog(int lines, int pages, int currentLine, int currentPage, QWidget* parent)
    : QDialog(parent), FLines(std::max(lines, 1)), FPages(std::max(pages, 0)) {
  setWindowTitle(U("移動"));
  FLine = new QRadioButton(U("行(&L)"), this);
  FPage = new QRadioButton(U("ページ(&P)"), this);
  FLine->setChecked(true);
  if (FPages == 0) {
    FPage->setEnabled(false);
    FPage->setToolTip(U("このスタイルには 1 ページの行数がないので、ページがありません。"));
  }
  FNumber = new QLineEdit(QString::number(std::max(currentLine, 1)), this);
  FNumber->selectAll();
  FRange = new QLabel(this);
  FProblem = new QLabel(this);
  FProblem->setWordWrap(true);
  FProblem->setStyleSheet(QStringLiteral("color: #c00000"));
  FProblem->hide();
  auto* choices = new QHBoxLayout;
  choices->addWidget(FLine);
  choices->addWidget(FPage);
  choices->addStretch();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText(U("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TGoToDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TGoToDialog::reject);
  auto* column = new QVBoxLayout(this);
  column->addLayout(choices);
  auto* form = new QFormLayout;
  form->addRow(U("番号(&N):"), FNumber);
  form->addRow(QString(), FRange);
  column->addLayout(form);
  column->addWidget(FProblem);
  column->addWidget(buttons);
  // Switching the kind offers where the caret is in that kind.
  connect(FLine, &QRadioButton::toggled, this, [this, currentLine, currentPage](bool line) {
    FNumber->setText(QString::number(std::max(line ? currentLine : currentPage, 1)));
    FNumber->selectAll();
    FNumber->setFocus();
    FProblem->hide();
    ShowRange();
  });
  ShowRange();
}

TGoToKind TGoToDialog::Kind() const { return FPage->isChecked() ? TGoToKind::Page : TGoToKind::Line; }

void TGoToDialog::ShowRange() {
  FRange->setText(Kind() == TGoToKind::Page ? U("1 ～ %1 ページ").arg(FPages) : U("1 ～ %1 行").arg(FLines));
}

QString TGoToDialog::Problem() const { return FProblem->isHidden() ? QString() : FProblem->text(); }

void TGoToDialog::accept() {
  int number = 0;
  const QString problem = GoToProblem(Kind(), FNumber->text(), FLines, FPages, number);
  if (!problem.isEmpty()) {
    FProblem->setText(problem);
    FProblem->show();
    FNumber->setFocus();
    FNumber->selectAll();
    return;
  }
  FProblem->hide();
  FTarget = {Kind(), number};
  QDialog::accept();
}

}  // namespace vorna::app
