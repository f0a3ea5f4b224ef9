// The document's counts in a form of captions and values, closed by OK.
#include "DocumentInfoDialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLocale>
#include <QVBoxLayout>

namespace vorna::app {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

TDocumentInfoDialog::TDocumentInfoDialog(const TDocumentInfo& info, QWidget* parent) : QDialog(parent) {
  setWindowTitle(U("文書情報"));
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignLeft);
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  const auto add = [&](const char* field, const char* caption, int64_t value, const char* unit) {
    auto* label = new QLabel(japanese.toString(qlonglong(value)) + U(unit), this);
    label->setObjectName(QString::fromLatin1(field));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(U(caption), label);
  };
  const TDocumentTotals& t = info.Totals;
  add("characters", "文字数（空白を除く）", t.Characters, " 字");
  add("characters_with_spaces", "文字数（空白を含む）", t.CharactersWithSpaces, " 字");
  add("manuscript_pages_400", "400字詰め原稿用紙換算", t.Pages, " 枚");
  add("pages", "ページ数（現在のスタイル）", info.StylePages, " ページ");
  add("lines", "行数", t.Lines, " 行");
  add("paragraphs", "段落数（空でない行）", t.Paragraphs, " 段落");
  add("ruby", "ルビ", t.Rubies, " 個");
  column->addLayout(form);
  auto* note = new QLabel(U("文字数には改行、ルビと注記の記号（｜《》［＃］）を含みません。"), this);
  note->setWordWrap(true);
  column->addWidget(note);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  column->addWidget(buttons);
}

QString TDocumentInfoDialog::Value(const QString& field) const {
  const QLabel* label = findChild<QLabel*>(field);
  return label ? label->text() : QString();
}

}  // namespace vorna::app
