// The 表示 tab: line numbers, gap lines, ruby, emphasis and annotation marks,
// screenplay indents and end marks.
#include <QFormLayout>
#include <QHBoxLayout>
#include <algorithm>

#include "FormatTabs.h"
#include "settings/StyleElements.h"
#include "settings/StyleKinds.h"
#include "settings/ViewInfos.h"

namespace vorna::app {
namespace {

QComboBox* ModeChoice(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->addItems({Ja("表示しない"), Ja("表示して印刷する"), Ja("画面だけに表示する")});
  return combo;
}

// The print conversion's "hidden" (-1) reads as hidden.
int ModeIndex(const TViewInfo& info) { return info.IsVisible() ? info.GetDisplayMode() : 0; }

// A choice of "hidden, or shown in one of several kinds": index 0 hides the
// element and keeps the kind; another index shows it (keeping a screen-only
// mode) with the kind index - 1.
void StoreShownKind(TViewInfo& info, int index, TEditorStyle& style, void (TEditorStyle::*setKind)(int)) {
  if (index == 0) {
    info.SetDisplayMode(kModeHidden);
    return;
  }
  if (!info.IsVisible()) info.SetDisplayMode(kModeShown);
  (style.*setKind)(index - 1);
}

}  // namespace

TDisplayTab::TDisplayTab(QWidget* parent) : QWidget(parent) {
  auto* form = new QFormLayout(this);
  LineInfo = new QComboBox(this);
  LineInfo->addItems({Ja("表示しない"), Ja("表示行の番号"), Ja("論理行の番号"), Ja("ページ番号と行番号"),
                      Ja("ページ番号だけ"), Ja("シーン番号")});
  form->addRow(Ja("行番号(&L):"), LineInfo);
  GapLine = new QComboBox(this);
  GapLine->addItems({Ja("表示しない"), Ja("行の罫線"), Ja("原稿用紙のマス目"), Ja("シーンの区切り")});
  form->addRow(Ja("罫線(&G):"), GapLine);
  Rubi = ModeChoice(this);
  form->addRow(Ja("ルビ(&R):"), Rubi);
  Boten = ModeChoice(this);
  form->addRow(Ja("傍点(&B):"), Boten);
  FootNote = ModeChoice(this);
  form->addRow(Ja("注記(&N):"), FootNote);
  Return = ModeChoice(this);
  form->addRow(Ja("改行マーク(&E):"), Return);
  Eof = ModeChoice(this);
  form->addRow(Ja("EOFマーク(&O):"), Eof);

  ViewIndent = new QComboBox(this);
  ViewIndent->addItems({Ja("字下げしない"), Ja("記号で始まる段落を字下げ"), Ja("台本（柱・台詞・ト書き）")});
  form->addRow(Ja("字下げ(&I):"), ViewIndent);
  HashiraIndentCount = MakeSpin(this, 0, 999);
  SerifuIndentCount = MakeSpin(this, 0, 999);
  TogakiIndentCount = MakeSpin(this, 0, 999);
  auto* counts = new QHBoxLayout;
  const std::pair<const char*, QSpinBox*> kinds[] = {
      {"柱:", HashiraIndentCount}, {"台詞:", SerifuIndentCount}, {"ト書き:", TogakiIndentCount}};
  for (const auto& [label, spin] : kinds) {
    spin->setSuffix(Ja(" 字"));
    counts->addWidget(new QLabel(Ja(label), this));
    counts->addWidget(spin);
  }
  form->addRow(Ja("台本の字下げ:"), counts);
  const auto screenplay = [this] {
    for (QSpinBox* spin : {HashiraIndentCount, SerifuIndentCount, TogakiIndentCount})
      spin->setEnabled(ViewIndent->currentIndex() == kViewIndentScreenplay);
  };
  connect(ViewIndent, &QComboBox::currentIndexChanged, this, screenplay);
}

void TDisplayTab::Load(const TEditorStyle& style) {
  const TViewInfo& lineInfo = *style.GetViewInfo(kElemLineInfo);
  LineInfo->setCurrentIndex(
      lineInfo.IsVisible() ? std::clamp<int>(style.GetLineInfoStyle(), kLineInfoRows, kLineInfoScenes) + 1
                           : 0);
  const TViewInfo& gapLine = *style.GetViewInfo(kElemGapLine);
  GapLine->setCurrentIndex(
      gapLine.IsVisible() ? std::clamp<int>(style.GetGapLineStyle(), kGapLineRules, kGapLineScenes) + 1 : 0);
  Rubi->setCurrentIndex(ModeIndex(*style.GetViewInfo(kElemRubi)));
  Boten->setCurrentIndex(ModeIndex(*style.GetViewInfo(kElemBoten)));
  FootNote->setCurrentIndex(ModeIndex(*style.GetViewInfo(kElemFootNote)));
  Return->setCurrentIndex(ModeIndex(*style.GetViewInfo(kElemReturn)));
  Eof->setCurrentIndex(ModeIndex(*style.GetViewInfo(kElemEof)));
  ViewIndent->setCurrentIndex(std::clamp<int>(style.GetViewIndent(), kViewIndentNone, kViewIndentScreenplay));
  HashiraIndentCount->setValue(style.GetHashiraIndentCount());
  SerifuIndentCount->setValue(style.GetSerifuIndentCount());
  TogakiIndentCount->setValue(style.GetTogakiIndentCount());
  for (QSpinBox* spin : {HashiraIndentCount, SerifuIndentCount, TogakiIndentCount})
    spin->setEnabled(style.GetViewIndent() == kViewIndentScreenplay);
}

void TDisplayTab::Store(TEditorStyle& style) const {
  // A kind the list cannot show (stored out of range) stays while its choice is untouched.
  const TViewInfo& lineInfo = *style.GetViewInfo(kElemLineInfo);
  const int lineInfoShown =
      lineInfo.IsVisible() ? std::clamp<int>(style.GetLineInfoStyle(), kLineInfoRows, kLineInfoScenes) + 1
                           : 0;
  if (LineInfo->currentIndex() != lineInfoShown)
    StoreShownKind(*style.GetViewInfo(kElemLineInfo), LineInfo->currentIndex(), style,
                   &TEditorStyle::SetLineInfoStyle);
  const TViewInfo& gapLine = *style.GetViewInfo(kElemGapLine);
  const int gapLineShown =
      gapLine.IsVisible() ? std::clamp<int>(style.GetGapLineStyle(), kGapLineRules, kGapLineScenes) + 1 : 0;
  if (GapLine->currentIndex() != gapLineShown)
    StoreShownKind(*style.GetViewInfo(kElemGapLine), GapLine->currentIndex(), style,
                   &TEditorStyle::SetGapLineStyle);
  const std::pair<int, QComboBox*> modes[] = {{kElemRubi, Rubi},
                                              {kElemBoten, Boten},
                                              {kElemFootNote, FootNote},
                                              {kElemReturn, Return},
                                              {kElemEof, Eof}};
  for (const auto& [element, combo] : modes) {
    TViewInfo& info = *style.GetViewInfo(element);
    if (combo->currentIndex() != ModeIndex(info))
      info.SetDisplayMode(static_cast<TDisplayMode>(combo->currentIndex()));
  }
  if (ViewIndent->currentIndex() !=
      std::clamp<int>(style.GetViewIndent(), kViewIndentNone, kViewIndentScreenplay))
    style.SetViewIndent(ViewIndent->currentIndex());
  const auto storeCount = [&](const QSpinBox* spin, int current, void (TEditorStyle::*set)(int)) {
    if (spin->value() != std::clamp(current, spin->minimum(), spin->maximum())) (style.*set)(spin->value());
  };
  storeCount(HashiraIndentCount, style.GetHashiraIndentCount(), &TEditorStyle::SetHashiraIndentCount);
  storeCount(SerifuIndentCount, style.GetSerifuIndentCount(), &TEditorStyle::SetSerifuIndentCount);
  storeCount(TogakiIndentCount, style.GetTogakiIndentCount(), &TEditorStyle::SetTogakiIndentCount);
}

}  // namespace vorna::app
