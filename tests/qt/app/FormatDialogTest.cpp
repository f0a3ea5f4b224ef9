// The format dialog on the offscreen platform: every control round-trips
// through the style and its stored text, OK without edits keeps every preset,
// キャンセル (also after 適用) restores the stored text exactly, one change per
// apply, storage limits, missing and vertical faces, and the menu hook with
// the header preview of the open document.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QAbstractSpinBox>
#include <QApplication>

#include <filesystem>
#include <fstream>

#include "FormatDialogs.h"
#include "MainForms.h"
#include "PlatformDoubles.h"
#include "control/ControlServices.h"
#include "platform/qt/QtFonts.h"
#include "settings/IniStorages.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

std::string IniText(TEditorStyle& style) {
  TIniStorage ini;
  style.WriteSettings(ini, "Style");
  return ini.GetText();
}

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// Every value the dialog shows, in widget order: what a reopened dialog must show again.
std::vector<std::string> Shown(TFormatDialog& dialog) {
  std::vector<std::string> values;
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    if (auto* spin = qobject_cast<QSpinBox*>(w)) values.push_back(std::to_string(spin->value()));
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(w)) values.push_back(std::to_string(spin->value()));
    if (auto* box = qobject_cast<QCheckBox*>(w)) values.push_back(box->isChecked() ? "on" : "off");
    if (auto* combo = qobject_cast<QComboBox*>(w)) values.push_back(combo->currentText().toStdString());
    if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !qobject_cast<QAbstractSpinBox*>(w->parent()))
      values.push_back(edit->text().toStdString());
  }
  return values;
}

class FormatDialogTest : public ::testing::Test {
 protected:
  FormatDialogTest() : FStyle(MakeDataItem<TEditorStyle>()) {
    FStyle->OnChange = [this](TDataItem*, int) { ++FChanges; };
  }
  std::unique_ptr<TFormatDialog> Open() {
    return std::make_unique<TFormatDialog>(*FStyle, FFonts,
                                           [](std::string_view code) { return SplitHeaderFooter(code); });
  }
  void Preset(int index) {
    FStyle->SetDefaultIndex(index);
    FStyle->ApplyPreset();
    FChanges = 0;
  }
  // A value other than the style's in every control.
  static void EditEverything(TFormatDialog& d) {
    // The paper first: the lengths below are then typed in millimetres.
    d.PaperTab->PaperVisible->setChecked(true);
    EXPECT_EQ(d.LayoutTab->LineSpace->suffix(), Q(" mm"));
    d.LayoutTab->Direction->setCurrentIndex(1);
    d.LayoutTab->ColumnCountAuto->setChecked(false);
    d.LayoutTab->ColumnCount->setValue(21);  // full-width characters: 42 cells
    d.LayoutTab->LineCountInPage->setValue(30);
    d.LayoutTab->PartationCount->setValue(2);
    d.LayoutTab->PartationMargin->setValue(7.5);
    d.LayoutTab->LineSpace->setValue(4.25);
    d.LayoutTab->ColumnSpace->setValue(1.5);
    d.LayoutTab->WordWrap->setChecked(true);
    TPaperTab& p = *d.PaperTab;
    p.PaperSize->setCurrentIndex(p.PaperSize->findData(kUserPaperSize));
    p.PaperWidth->setValue(210);
    p.PaperHeight->setValue(290);
    p.Orientation->setCurrentIndex(1);
    p.MarginLeft->setValue(11);
    p.MarginTop->setValue(12.5);
    p.MarginRight->setValue(13);
    p.MarginBottom->setValue(14);
    p.PaperLevelDivide->setValue(2);
    p.PaperVerticalDivide->setValue(3);
    p.HeaderStr->setText(Q("&F&b&b&d"));
    p.FooterStr->setText(Q("－&p－"));
    TFontTab& f = *d.FontTab;
    f.TextFace->Faces->setCurrentIndex(f.TextFace->Faces->findData(Q("@ＭＳ 明朝")));
    f.TextSize->setValue(14);
    f.RubyFace->Faces->setCurrentIndex(f.RubyFace->Faces->findData(Q("ＭＳ Ｐゴシック")));
    f.RubySize->setValue(7);
    f.LineInfoFace->Faces->setCurrentIndex(f.LineInfoFace->Faces->findData(Q("Arial")));
    f.LineInfoSize->setValue(10);
    TKinsokuTab& k = *d.KinsokuTab;
    k.TailHang->setChecked(false);
    k.HangStr->setText(Q("、。"));
    k.TailAdjust->setChecked(true);
    k.ProhibitTopStr->setText(Q("」）ｬ"));
    k.ProhibitBottomStr->setText(Q("「（"));
    TDisplayTab& v = *d.DisplayTab;
    v.LineInfo->setCurrentIndex(3);
    v.GapLine->setCurrentIndex(2);
    v.Rubi->setCurrentIndex(1);
    v.Boten->setCurrentIndex(2);
    v.FootNote->setCurrentIndex(1);
    v.Return->setCurrentIndex(0);
    v.Eof->setCurrentIndex(1);
    v.ViewIndent->setCurrentIndex(2);
    v.HashiraIndentCount->setValue(3);
    v.SerifuIndentCount->setValue(5);
    v.TogakiIndentCount->setValue(9);
  }

  qt::TQtFontList FFonts;
  TDataItemPtr<TEditorStyle> FStyle;
  int FChanges = 0;
};

TEST_F(FormatDialogTest, EveryControlRoundTripsThroughTheStyleAndItsStoredText) {
  auto dialog = Open();
  EditEverything(*dialog);
  const std::vector<std::string> edited = Shown(*dialog);
  dialog->OkClicked();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(Shown(*Open()), edited);

  const std::string ini = IniText(*FStyle);
  for (const char* line : {"Vertical=1",
                           "ColumnCountAuto=0",
                           "ColumnCount=42",
                           "LineCountInPage=30",
                           "PartationCount=2",
                           "PartationMargin=7.5",
                           "LineSpace=4.25",
                           "ColumnSpace=1.5",
                           "WordWrap=1",
                           "PaperVisible=1",
                           "PaperSize=256",
                           "PaperWidth=210",
                           "PaperHeight=290",
                           "Orientation=1",
                           "MarginLeft=11",
                           "MarginTop=12.5",
                           "MarginRight=13",
                           "MarginBottom=14",
                           "PaperLevelDivide=2",
                           "PaperVerticalDivide=3",
                           "HeaderStr=&F&b&b&d",
                           "FooterStr=－&p－",
                           "TailHang=0",
                           "HangStr=、。",
                           "TailAdjust=1",
                           "ProhibitTopStr=」）ｬ",
                           "ProhibitBottomStr=「（",
                           "LineInfoStyle=2",
                           "GapLineStyle=1",
                           "ViewIndent=2",
                           "HashiraIndentCount=3",
                           "SerifuIndentCount=5",
                           "TogakiIndentCount=9",
                           "Normal=,\"@ＭＳ 明朝,14,,\"",
                           "Rubi=1,\",7,,\"" /* the default face is left out */,
                           "LineInfo=,\"Arial,10,,\"",
                           "Boten=2",
                           "FootNote=1",
                           "Return=0",
                           "Eof=1",
                           "GapLine=1"})
    EXPECT_NE(ini.find(Cp932FromUtf8(line)), std::string::npos) << line << "\n" << Utf8FromCp932(ini);
}

TEST_F(FormatDialogTest, OkWithoutEditsKeepsEveryPresetAsItIs) {
  for (int index = 0; index < kPresetCount; ++index) {
    Preset(index);
    const auto before = MakeDataItem<TEditorStyle>();
    before->Assign(FStyle.get());
    Open()->OkClicked();
    EXPECT_TRUE(FStyle->Equals(before.get())) << index << "\n" << Utf8FromCp932(IniText(*FStyle));
    EXPECT_EQ(FStyle->GetDefaultIndex(), index);
    EXPECT_EQ(FChanges, 0) << index;  // no relayout for nothing
  }
}

TEST_F(FormatDialogTest, CancelRestoresTheStoredTextExactlyAlsoAfterApply) {
  Preset(4);
  const std::string opened = IniText(*FStyle);
  auto dialog = Open();
  EditEverything(*dialog);
  dialog->CancelClicked();
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(IniText(*FStyle), opened);
  EXPECT_EQ(FChanges, 0);

  // 適用 shows the change at once; キャンセル then undoes it: the style is as the dialog found it.
  dialog = Open();
  EditEverything(*dialog);
  dialog->ApplyClicked();
  EXPECT_EQ(FChanges, 1);  // one relayout for the whole dialog
  EXPECT_NE(IniText(*FStyle), opened);
  dialog->LayoutTab->ColumnCount->setValue(25);
  dialog->CancelClicked();
  EXPECT_EQ(FChanges, 2);
  EXPECT_EQ(IniText(*FStyle), opened);
  EXPECT_EQ(FStyle->GetDefaultIndex(), 4);
  EXPECT_TRUE(FStyle->GetPresetApplied());

  // Two applies, then キャンセル: back to the opening state, not to the first apply.
  dialog = Open();
  dialog->LayoutTab->LineSpace->setValue(3);
  dialog->ApplyClicked();
  dialog->LayoutTab->LineSpace->setValue(5);
  dialog->ApplyClicked();
  dialog->reject();  // Escape
  EXPECT_EQ(IniText(*FStyle), opened);
}

TEST_F(FormatDialogTest, AChangedPresetBecomesAUserStyleNamedAfterIt) {
  Preset(4);
  auto dialog = Open();
  dialog->LayoutTab->ColumnCount->setValue(15);
  dialog->OkClicked();
  EXPECT_EQ(FStyle->GetDefaultIndex(), -1);
  EXPECT_EQ(Utf8FromCp932(FStyle->GetName()), "原稿用紙（変更）");
  const std::string ini = IniText(*FStyle);
  EXPECT_NE(ini.find("ColumnCount=30"), std::string::npos);
  EXPECT_NE(ini.find("LineCountInPage=20"), std::string::npos);  // the preset's own settings are stored too
}

TEST_F(FormatDialogTest, ValuesBeyondTheStylesLimitsComeBackLimited) {
  auto dialog = Open();
  TLayoutTab& layout = *dialog->LayoutTab;
  layout.ColumnCountAuto->setChecked(false);
  for (auto [typed, kept] : {std::pair{0, 2}, std::pair{10000, 1000}}) {
    layout.ColumnCount->setValue(typed);
    layout.LineCountInPage->setValue(typed == 0 ? 0 : 5000);
    layout.PartationCount->setValue(typed);
    dialog->PaperTab->PaperLevelDivide->setValue(typed == 0 ? 1 : 500);
    dialog->ApplyClicked();
    EXPECT_EQ(FStyle->GetColumnCount(), kept) << typed;
    EXPECT_EQ(layout.ColumnCount->value(), kept / 2) << typed;  // shown in full-width characters
    EXPECT_EQ(FStyle->GetLineCountInPage(), typed == 0 ? 0 : 1000);
    EXPECT_EQ(layout.LineCountInPage->value(), FStyle->GetLineCountInPage());
    EXPECT_EQ(FStyle->GetPartationCount(), typed == 0 ? 1 : 100);
    EXPECT_EQ(FStyle->GetPaperLevelDivide(), typed == 0 ? 1 : 100);
    EXPECT_EQ(dialog->PaperTab->PaperLevelDivide->value(), FStyle->GetPaperLevelDivide());
  }
}

TEST_F(FormatDialogTest, AFaceNotInstalledIsShownMissingAndKeptAndVerticalFacesNeedJapaneseGlyphs) {
  FStyle->GetViewInfo(kElemNormal)->SetFontName(Cp932FromUtf8("存在しない書体"));
  const std::string opened = IniText(*FStyle);
  auto dialog = Open();
  TFaceChooser& face = *dialog->FontTab->TextFace;
  EXPECT_EQ(face.Faces->currentText(), Q("存在しない書体（未インストール）"));
  EXPECT_FALSE(face.Fallback->isHidden());
  EXPECT_TRUE(face.Fallback->text().contains(Q("IPAGothic"))) << face.Fallback->text().toStdString();
  dialog->OkClicked();
  EXPECT_EQ(IniText(*FStyle), opened);

  // An installed face hides the note; "@" is offered for Japanese faces only.
  face.Faces->setCurrentIndex(face.Faces->findData(Q("ＭＳ ゴシック")));
  EXPECT_TRUE(face.Fallback->isHidden());
  EXPECT_GE(face.Faces->findData(Q("@ＭＳ ゴシック")), 0);
  EXPECT_GE(face.Faces->findData(Q("Times New Roman")), 0);
  EXPECT_LT(face.Faces->findData(Q("@Times New Roman")), 0);
}

TEST_F(FormatDialogTest, ResetGivesTheKinsokuSetsOfANewStyle) {
  FStyle->SetHangStr("x");
  FStyle->SetProhibitTopStr("");
  auto dialog = Open();
  dialog->KinsokuTab->Reset->click();
  dialog->OkClicked();
  EXPECT_EQ(FStyle->GetHangStr().size(), 17u);
  EXPECT_EQ(FStyle->GetProhibitTopStr().size(), 60u);
  EXPECT_EQ(FStyle->GetProhibitBottomStr().size(), 25u);
}

TEST(FormatDialogWindow, TheMenuOpensItOnTheEditorsStyleAndThePreviewIsPageOneOfTheDocument) {
  control::TQtServiceSet qtServices;
  testing::TFakeMessageBoxes boxes;
  TPlatformServices services = qtServices.Services();
  services.Boxes = &boxes;
  const auto folder = std::filesystem::path(::testing::TempDir()) / ("format-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "memo.txt") << "text";
  TVORNAEditorMain window(services);
  window.OpenFromCommandLine((folder / "memo.txt").string());
  EXPECT_EQ(window.CustFormat->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  int runs = 0;
  window.RunFormatDialog = [&](TFormatDialog& dialog) {
    ++runs;
    EXPECT_EQ(&dialog.Style(), &window.Editor().EditorStyle());
    dialog.PaperTab->HeaderStr->setText(Q("&F&b- &p -&b&P"));
    EXPECT_EQ(dialog.PaperTab->HeaderPreview->Left->text(), Q("memo"));
    EXPECT_EQ(dialog.PaperTab->HeaderPreview->Centre->text(), Q("- 1 -"));
    EXPECT_EQ(dialog.PaperTab->HeaderPreview->Right->text(), QString::number(window.View().PageCount()));
    dialog.LayoutTab->Direction->setCurrentIndex(1);
    dialog.OkClicked();
  };
  window.CustFormat->trigger();
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(window.Editor().EditorStyle().GetVertical());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vorna::app
