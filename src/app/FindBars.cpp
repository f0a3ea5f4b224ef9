// The find bar: its fields, options and buttons, searching as the pattern is
// typed, stepping, the count in slices, replacing, and the notes.
#include "FindBars.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include "control/EditorControls.h"
#include "platform/qt/QtConvert.h"
#include "text/TextReplaces.h"

namespace vorna::app {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A selection longer than this is not taken as the pattern when the bar opens.
constexpr size_t kMaxSeedBytes = 1024;

QString WrapNote(bool forward) { return forward ? U("先頭から検索しました") : U("末尾から検索しました"); }

QString RefusalNote(TReplaceRefusal refusal) {
  switch (refusal) {
    case TReplaceRefusal::ReadOnly:
      return U("読み取り専用の文書は置換できません");
    case TReplaceRefusal::HiddenNotation:
      return U("ルビや注記をまたぐ文字列は置換しません（表示をやめると置換できます）");
    case TReplaceRefusal::NoSelection:
      return U("「選択範囲のみ」には、置換する範囲を選択してください（矩形選択は使えません）");
    case TReplaceRefusal::NoSearch:
      return U("検索する文字列を入力してください");
    default:
      return {};
  }
}

}  // namespace

TFindBar::TFindBar(control::TEditor& editor, QWidget* parent) : QFrame(parent), FEditor(editor) {
  setFrameShape(QFrame::StyledPanel);
  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(6, 4, 4, 4);
  rows->setSpacing(3);

  auto* findRow = new QHBoxLayout;
  findRow->addWidget(new QLabel(U("検索:"), this));
  FPattern = new QLineEdit(this);
  // Long pasted patterns are searched whole, not cut at QLineEdit's default.
  FPattern->setMaxLength(1 << 24);
  FPattern->setPlaceholderText(U("検索する文字列"));
  FPattern->setClearButtonEnabled(true);
  FPattern->installEventFilter(this);
  findRow->addWidget(FPattern, 1);
  auto* previous = new QPushButton(U("前へ"), this);
  previous->setToolTip(U("前を検索 (Shift+Enter, Shift+F3)"));
  auto* next = new QPushButton(U("次へ"), this);
  next->setToolTip(U("次を検索 (Enter, F3)"));
  for (QPushButton* button : {previous, next}) {
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    findRow->addWidget(button);
  }
  FCount = new QLabel(this);
  FCount->setMinimumWidth(fontMetrics().horizontalAdvance(U("000000 件…")));
  FCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  findRow->addWidget(FCount);
  auto* close = new QToolButton(this);
  close->setText(QStringLiteral("×"));
  close->setAutoRaise(true);
  close->setToolTip(U("閉じる (Esc)"));
  findRow->addWidget(close);
  rows->addLayout(findRow);

  auto* optionRow = new QHBoxLayout;
  FMatchCase = new QCheckBox(U("大文字と小文字を区別"), this);
  FWidthAlike = new QCheckBox(U("全角と半角を区別しない"), this);
  FKanaAlike = new QCheckBox(U("ひらがなとカタカナを区別しない"), this);
  FRegex = new QCheckBox(U("正規表現"), this);
  for (QCheckBox* box : {FMatchCase, FWidthAlike, FKanaAlike, FRegex}) {
    optionRow->addWidget(box);
    connect(box, &QCheckBox::toggled, this, [this] { PatternChanged(); });
  }
  FNote = new QLabel(this);
  FNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
  optionRow->addWidget(FNote, 1);
  rows->addLayout(optionRow);

  FReplaceRow = new QWidget(this);
  auto* replaceRow = new QHBoxLayout(FReplaceRow);
  replaceRow->setContentsMargins(0, 0, 0, 0);
  replaceRow->addWidget(new QLabel(U("置換:"), FReplaceRow));
  FReplacement = new QLineEdit(FReplaceRow);
  FReplacement->setMaxLength(1 << 24);
  FReplacement->setPlaceholderText(U("置換後の文字列"));
  FReplacement->setToolTip(U("正規表現では \\n が改行、$1 や ${名前} がグループの文字列、$$ が $ です"));
  replaceRow->addWidget(FReplacement, 1);
  FReplaceButton = new QPushButton(U("置換"), FReplaceRow);
  FReplaceAllButton = new QPushButton(U("すべて置換"), FReplaceRow);
  for (QPushButton* button : {FReplaceButton, FReplaceAllButton}) {
    button->setAutoDefault(false);
    replaceRow->addWidget(button);
  }
  FInSelection = new QCheckBox(U("選択範囲のみ"), FReplaceRow);
  replaceRow->addWidget(FInSelection);
  rows->addWidget(FReplaceRow);

  connect(FPattern, &QLineEdit::textChanged, this, [this] { PatternChanged(); });
  connect(previous, &QPushButton::clicked, this, [this] { FindPrevious(); });
  connect(next, &QPushButton::clicked, this, [this] { FindNext(); });
  connect(close, &QToolButton::clicked, this, [this] { Close(); });
  connect(FReplaceButton, &QPushButton::clicked, this, [this] { ReplaceCurrent(); });
  connect(FReplaceAllButton, &QPushButton::clicked, this, [this] { ReplaceAll(); });
  connect(FReplacement, &QLineEdit::returnPressed, this, [this] { ReplaceCurrent(); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, [this] { Close(); });
  FCountTimer.setInterval(0);
  connect(&FCountTimer, &QTimer::timeout, this, [this] { CountSlice(); });
  FRecountDelay.setSingleShot(true);
  FRecountDelay.setInterval(kRecountDelayMs);
  connect(&FRecountDelay, &QTimer::timeout, this, [this] { StartCount(); });
  setVisible(false);
}

TFindBar::~TFindBar() {
  FCountTimer.stop();
  FRecountDelay.stop();
}

TEditorView& TFindBar::View() const { return FEditor.EditorView(); }

bool TFindBar::ReplaceShown() const { return isVisible() && FReplaceRow->isVisible(); }

QString TFindBar::CountText() const { return FCount->text(); }

QString TFindBar::NoteText() const { return FNote->text(); }

TSearchOptions TFindBar::ChosenOptions() const {
  return {.MatchCase = FMatchCase->isChecked(),
          .WidthAlike = FWidthAlike->isChecked(),
          .KanaAlike = FKanaAlike->isChecked(),
          .Regex = FRegex->isChecked()};
}

// --- opening and closing ------------------------------------------------------------------

void TFindBar::Open(bool replace) {
  FReplaceRow->setVisible(replace);
  const bool wasVisible = isVisible();
  show();
  TEditorView& view = View();
  const std::string selected = view.Selecting() && !view.BoxSelect() ? view.GetSelText() : std::string();
  Refresh();
  bool searched = false;
  if (!selected.empty() && selected.size() <= kMaxSeedBytes &&
      selected.find_first_of("\r\n") == std::string::npos) {
    const QString seed = qt::QStringFromCp932(selected);
    searched = seed != FPattern->text();
    FPattern->setText(seed);  // searches through textChanged when it differs
  }
  if (!searched && (!wasVisible || !FSearch)) PatternChanged();
  if (replace && view.IsReadOnly()) SetNote(RefusalNote(TReplaceRefusal::ReadOnly));
  FPattern->setFocus();
  FPattern->selectAll();
}

void TFindBar::Close() {
  FCountTimer.stop();
  FRecountDelay.stop();
  FCounter.Reset();
  FSearch.reset();
  View().ClearFind();
  SetNote({});
  FCount->clear();
  hide();
  FEditor.setFocus();
}

// --- searching ---------------------------------------------------------------------------

bool TFindBar::Compile() {
  FCountTimer.stop();
  FRecountDelay.stop();
  FCounter.Reset();
  FCount->clear();
  const std::string pattern = qt::Cp932FromQString(FPattern->text());
  FSearch = std::make_shared<const TTextSearch>(pattern, View().SearchOptionsFor(ChosenOptions()));
  View().SetSearch(FSearch);
  if (FSearch->IsEmpty()) {
    SetNote({});
    return false;
  }
  return !ShowSearchError();
}

void TFindBar::PatternChanged() {
  if (!isVisible()) return;
  if (!Compile()) return;
  const TViewFindResult found = View().FindWithSearch(true, true);
  if (ShowSearchError()) return;
  SetNote(!found.Found ? U("見つかりませんでした") : found.Wrapped ? WrapNote(true) : QString());
  StartCount();
}

void TFindBar::FindNext() { Step(true); }

void TFindBar::FindPrevious() { Step(false); }

void TFindBar::Step(bool forward) {
  if (!isVisible()) {
    // F3 after the bar was closed searches for its pattern again.
    show();
    Refresh();
    if (Compile()) StartCount();
  }
  if (!FSearch || FSearch->IsEmpty()) {
    FPattern->setFocus();
    return;
  }
  if (ShowSearchError()) return;
  const TViewFindResult found = View().FindWithSearch(forward);
  if (ShowSearchError()) return;
  SetNote(!found.Found ? U("見つかりませんでした") : found.Wrapped ? WrapNote(forward) : QString());
}

bool TFindBar::ShowSearchError() {
  if (!FSearch || FSearch->Error().empty()) return false;
  FCountTimer.stop();
  FRecountDelay.stop();
  FCount->clear();
  SetNote(qt::QStringFromCp932(FSearch->Error()), true);
  // A search stopped at its limit finds nothing more: no colouring is left
  // half done.
  View().SetSearch(nullptr);
  return true;
}

void TFindBar::SetNote(const QString& text, bool error) {
  FNote->setText(text);
  FNoteIsError = error && !text.isEmpty();
  QPalette palette = FNote->palette();
  palette.setColor(QPalette::WindowText,
                   FNoteIsError ? QColor(0xC0, 0x00, 0x00) : palette.color(QPalette::Text));
  FNote->setPalette(palette);
}

// --- the count ---------------------------------------------------------------------------

void TFindBar::StartCount() {
  FCountTimer.stop();
  FRecountDelay.stop();
  if (!FSearch || !FSearch->CanMatch()) {
    FCounter.Reset();
    FCount->clear();
    return;
  }
  FCounter.Start(View().List(), FSearch);
  // A small document is counted at once; a large one between events.
  CountSlice();
  if (!FCounter.Done()) FCountTimer.start();
}

void TFindBar::CountSlice() {
  if (!FCounter.Started()) {
    FCountTimer.stop();
    return;
  }
  if (FCounter.List() != &View().List()) {
    StartCount();  // another document came into the view
    return;
  }
  FCounter.Step(kCountSliceBytes);
  if (FCounter.Done()) FCountTimer.stop();
  if (ShowSearchError()) return;
  ShowCount();
}

void TFindBar::FinishCount() {
  if (FRecountDelay.isActive()) StartCount();
  while (Counting()) CountSlice();
}

void TFindBar::ShowCount() {
  if (!FCounter.Started()) {
    FCount->clear();
    return;
  }
  FCount->setText(U("%1 件%2").arg(FCounter.Count()).arg(FCounter.Done() ? QString() : U("…")));
}

void TFindBar::TextChanged() {
  if (!isVisible() || !FSearch || !FSearch->CanMatch()) return;
  // The count shown is of the text before the change until the recount.
  FCountTimer.stop();
  if (FCounter.Started()) FCount->setText(U("%1 件…").arg(FCounter.Count()));
  FRecountDelay.start();
}

void TFindBar::Refresh() {
  const bool readOnly = View().IsReadOnly();
  for (QWidget* widget :
       std::initializer_list<QWidget*>{FReplacement, FReplaceButton, FReplaceAllButton, FInSelection}) {
    widget->setEnabled(!readOnly);
    widget->setToolTip(readOnly ? RefusalNote(TReplaceRefusal::ReadOnly) : QString());
  }
  if (!readOnly)
    FReplacement->setToolTip(U("正規表現では \\n が改行、$1 や ${名前} がグループの文字列、$$ が $ です"));
  if (!isVisible() || !FSearch || !FSearch->CanMatch()) return;
  // Ruby or annotations shown or hidden since: they are searched as the cells now show them.
  const TSearchOptions wanted = View().SearchOptionsFor(ChosenOptions());
  if (wanted.SkipRuby != FSearch->Options().SkipRuby ||
      wanted.SkipAnnotations != FSearch->Options().SkipAnnotations) {
    if (Compile()) StartCount();
  } else if (FCounter.Started() && FCounter.List() != &View().List()) {
    StartCount();
  }
}

// --- replacing ---------------------------------------------------------------------------

std::string TFindBar::ReplacementText() const {
  QString text = FReplacement->text();
  if (!FRegex->isChecked()) {
    // A pasted line break goes in as the document's own.
    text.replace(U("\r\n"), U("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    text.replace(QChar('\n'), U("\r\n"));
  }
  return qt::Cp932FromQString(text);
}

std::optional<TReplacement> TFindBar::CheckedReplacement() {
  if (!FSearch || !FSearch->CanMatch()) {
    if (!ShowSearchError()) SetNote(RefusalNote(TReplaceRefusal::NoSearch));
    return std::nullopt;
  }
  TReplacement replacement(ReplacementText(), *FSearch);
  if (!replacement.Ok()) {
    SetNote(qt::QStringFromCp932(replacement.Error()), true);
    return std::nullopt;
  }
  return replacement;
}

void TFindBar::ReplaceCurrent() {
  const std::optional<TReplacement> replacement = CheckedReplacement();
  if (!replacement) return;
  const TViewReplaceResult result = View().ReplaceCurrent(*replacement);
  if (ShowSearchError()) return;
  if (result.Refusal != TReplaceRefusal::None) {
    SetNote(RefusalNote(result.Refusal));
    return;
  }
  QString note = result.Replaced ? U("置換しました") : QString();
  if (!result.Next.Found)
    note += (note.isEmpty() ? QString() : U("。")) + U("見つかりませんでした");
  else if (result.Next.Wrapped)
    note += (note.isEmpty() ? QString() : U("。")) + WrapNote(true);
  SetNote(note);
  if (result.Replaced) StartCount();
}

void TFindBar::ReplaceAll() {
  const std::optional<TReplacement> replacement = CheckedReplacement();
  if (!replacement) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const TViewReplaceAllResult result = View().ReplaceAll(*replacement, FInSelection->isChecked());
  QApplication::restoreOverrideCursor();
  if (ShowSearchError()) return;
  if (result.Refusal != TReplaceRefusal::None) {
    SetNote(RefusalNote(result.Refusal));
    return;
  }
  QString note = U("%1 件置換しました").arg(result.Count);
  if (result.Skipped > 0) note += U("（ルビや注記をまたぐ %1 件は置換しませんでした）").arg(result.Skipped);
  SetNote(note);
  StartCount();
}

// --- keys --------------------------------------------------------------------------------

bool TFindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FPattern && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      Step(!(key->modifiers() & Qt::ShiftModifier));
      return true;
    }
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace vorna::app
