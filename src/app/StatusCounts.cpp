// The status bar's counts, polled by the window after edits, caret moves and
// on idle.
#include "StatusCounts.h"

#include <QHBoxLayout>
#include <QLocale>

#include "view/EditorViews.h"
#include "view/ViewCounts.h"

namespace vorna::app {
namespace {

// A text this long takes a noticeable time to count whole (about 40 ms a
// megabyte on this machine's class). Its line breaks count as bytes: a line
// costs the count about as much as a byte, and a file of empty lines has
// none of its bytes in its lines.
constexpr size_t kDeferredCountBytes = 4 << 20;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QString Number(int64_t n) { return QLocale(QLocale::Japanese, QLocale::Japan).toString(qlonglong(n)); }

QLabel* Panel(QWidget* parent, QHBoxLayout* row, const char* tip) {
  auto* label = new QLabel(parent);
  label->setContentsMargins(6, 0, 6, 0);
  label->setToolTip(U(tip));
  row->addWidget(label);
  return label;
}

}  // namespace

TStatusCounts::TStatusCounts(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  FSelection = Panel(this, row, "選択範囲の文字数（空白・改行・ルビと注記を除く）");
  FManuscript = Panel(this, row, "400字詰め原稿用紙換算枚数");
  FCharacters = Panel(this, row, "文字数（空白・改行・ルビと注記を除く）");
  FPage = Panel(this, row, "カーソルのあるページ／ページ数（現在のスタイル）");
  FCaret = Panel(this, row, "カーソルの行と列（ページの中の行、行の中の文字）");
  FSelection->hide();
}

TStatusCounts::~TStatusCounts() = default;

void TStatusCounts::Update(TEditorView& view, int paints) {
  if (!FCounts || FCounts->List() != &view.List()) {
    FCounts = std::make_unique<TDocumentCounts>(view.List());
    FSelectionKey = {};
  }
  const TPagePlace place = CaretPagePlace(view);
  FPage->setText(U("%1/%2ページ").arg(Number(place.Page), Number(place.Pages)));
  FCaret->setText(U("%1行 %2列").arg(place.Row).arg(place.Column));
  const bool longCount =
      paints >= 0 && FCounts->NeedsRecount() &&
      view.List().TextBytes() + static_cast<size_t>(view.List().Count()) > kDeferredCountBytes;
  if (longCount && (FWaitingSincePaint < 0 || FWaitingSincePaint == paints)) {
    if (FWaitingSincePaint < 0) FWaitingSincePaint = paints;
    FManuscript->setText(U("原稿用紙 …枚"));
    FCharacters->setText(U("…字"));
    FSelection->hide();
    return;
  }
  FWaitingSincePaint = -1;
  const TDocumentTotals& totals = FCounts->Totals();
  FManuscript->setText(U("原稿用紙 %1枚").arg(Number(totals.Pages)));
  FCharacters->setText(U("%1字").arg(Number(totals.Characters)));
  if (!view.Selecting()) {
    FSelection->hide();
    return;
  }
  TSelectionKey key;
  view.GetNormalizedSelection(key.Start, key.End);
  key.Box = view.BoxSelect();
  key.Text = FCounts->Generation();
  key.Layout = view.LayoutGeneration();
  if (!(key == FSelectionKey)) {
    FSelectionCharacters = SelectedCharacters(view, *FCounts);
    FSelectionKey = key;
  }
  FSelection->setText(U("選択 %1字").arg(Number(FSelectionCharacters)));
  FSelection->show();
}

QString TStatusCounts::Text() const {
  QStringList shown;
  for (const QLabel* label : {FSelection, FManuscript, FCharacters, FPage, FCaret})
    if (!label->isHidden()) shown << label->text();
  return shown.join(QStringLiteral("  "));
}

}  // namespace vorna::app
