// The format dialog: its tabs and buttons, applying in one change bracket and
// putting the style back on cancel.
#include "FormatDialogs.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "text/Cp932.h"

namespace vorna::app {

TFormatDialog::TFormatDialog(TEditorStyle& style, const TFontList& fonts, TPaperTab::TExpand expand,
                             QWidget* parent)
    : QDialog(parent), FStyle(style), FOpened(MakeDataItem<TEditorStyle>()) {
  setWindowTitle(Ja("書式設定"));
  FOpened->Assign(&style);
  Tabs = new QTabWidget(this);
  LayoutTab = new TLayoutTab(Tabs);
  PaperTab = new TPaperTab(std::move(expand), Tabs);
  FontTab = new TFontTab(fonts, Tabs);
  KinsokuTab = new TKinsokuTab(Tabs);
  DisplayTab = new TDisplayTab(Tabs);
  Tabs->addTab(LayoutTab, Ja("文字組"));
  Tabs->addTab(PaperTab, Ja("用紙"));
  Tabs->addTab(FontTab, Ja("フォント"));
  Tabs->addTab(KinsokuTab, Ja("禁則"));
  Tabs->addTab(DisplayTab, Ja("表示"));

  Buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
  Buttons->button(QDialogButtonBox::Ok)->setText(Ja("OK"));
  Buttons->button(QDialogButtonBox::Cancel)->setText(Ja("キャンセル"));
  Buttons->button(QDialogButtonBox::Apply)->setText(Ja("適用(&A)"));
  connect(Buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, [this] { OkClicked(); });
  connect(Buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this,
          [this] { CancelClicked(); });
  connect(Buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { ApplyClicked(); });

  auto* column = new QVBoxLayout(this);
  column->addWidget(Tabs);
  column->addWidget(Buttons);
  // The lengths follow the paper at once, in the unit they will have.
  connect(PaperTab->PaperVisible, &QCheckBox::toggled, this,
          [this](bool on) { LayoutTab->SetPaperUnits(on); });
  Load();
}

void TFormatDialog::Load() {
  LayoutTab->Load(FStyle);
  PaperTab->Load(FStyle);
  FontTab->Load(FStyle);
  KinsokuTab->Load(FStyle);
  DisplayTab->Load(FStyle);
}

void TFormatDialog::ApplyClicked() {
  // The tabs store into a copy, which the style then takes in one change
  // bracket (one relayout), or not at all when nothing differs.
  const auto edited = MakeDataItem<TEditorStyle>();
  edited->Assign(&FStyle);
  PaperTab->Store(*edited);  // first: showing or hiding the paper turns the lengths
  LayoutTab->Store(*edited);
  FontTab->Store(*edited);
  KinsokuTab->Store(*edited);
  DisplayTab->Store(*edited);
  if (!edited->Equals(&FStyle)) {
    edited->BecomeUserStyle();
    FStyle.Assign(edited.get());
  }
  FApplied = true;
  Load();
}

void TFormatDialog::OkClicked() {
  ApplyClicked();
  accept();
}

void TFormatDialog::CancelClicked() { reject(); }

void TFormatDialog::reject() {
  if (FApplied) {
    FStyle.Assign(FOpened.get());
    FApplied = false;
    Load();
  }
  QDialog::reject();
}

}  // namespace vorna::app
