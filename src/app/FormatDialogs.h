// TFormatDialog: the "書式設定" dialog over an editor style, in five tabs, with
// OK, キャンセル and 適用. Its handlers run without exec(), so tests drive it.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QTabWidget>

#include "FormatTabs.h"
#include "settings/DataLists.h"

namespace vorna::app {

class TFormatDialog : public QDialog {
 public:
  // `style` (and `fonts`) must outlive the dialog; `expand` gives what a header
  // or footer text prints on page 1 of the document.
  TFormatDialog(TEditorStyle& style, const TFontList& fonts, TPaperTab::TExpand expand,
                QWidget* parent = nullptr);

  // The style into every tab.
  void Load();
  // Every tab into the style in one change bracket (one relayout; none when
  // nothing changed), then the tabs show what the style kept after its limits. A preset that changed
  // becomes a user style named after it with "（変更）", so what it shows is
  // also what it stores.
  void ApplyClicked();
  // Applies and closes.
  void OkClicked();
  // Closes and puts the style back as it was when the dialog opened, also
  // after 適用 (one change bracket); nothing changes when nothing was applied.
  void CancelClicked();
  void reject() override;  // Escape and the close box cancel too

  TEditorStyle& Style() const { return FStyle; }
  bool Applied() const { return FApplied; }

  QTabWidget* Tabs;
  TLayoutTab* LayoutTab;
  TPaperTab* PaperTab;
  TFontTab* FontTab;
  TKinsokuTab* KinsokuTab;
  TDisplayTab* DisplayTab;
  QDialogButtonBox* Buttons;

 private:
  TEditorStyle& FStyle;
  TDataItemPtr<TEditorStyle> FOpened;  // the style as the dialog found it
  bool FApplied = false;
};

}  // namespace vorna::app
