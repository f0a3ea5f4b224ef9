// The "表示" menu on the offscreen platform: the presets in their groups
// between 編集 and 設定, every preset applied to a corpus document keeping
// its bytes and caret, a changed preset becoming a user style, the zoom
// kept across style changes and Ctrl+wheel; the shared style options of the
// command lines and bad style files read through the menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QPainter>
#include <QWheelEvent>
#include <set>

#include "Corpus.h"
#include "MainForms.h"
#include "PlatformDoubles.h"
#include "PrintPdfCommands.h"
#include "StyleArguments.h"
#include "TempFolders.h"
#include "ViewMenus.h"
#include "control/ControlServices.h"
#include "settings/EditorStyles.h"
#include "settings/StyleElements.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

namespace fs = std::filesystem;

class ViewMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FBundle.Clipboard = &FClipboard;
    FWindow = std::make_unique<TVORNAEditorMain>(FBundle);
  }
  TEditorStyle& Style() { return FWindow->Editor().EditorStyle(); }
  std::string Text() {
    std::string all;
    for (int i = 0; i < FWindow->View().List().Count(); ++i) {
      all += FWindow->View().List().Get(i);
      all += '\n';
    }
    return all;
  }
  TTextPos Caret() { return FWindow->View().DocPosOf(FWindow->View().CaretPos()); }

  testing::TTempFolder FConfig;
  testing::TScopedEnvironment FXdg{"XDG_CONFIG_HOME", FConfig.Path().string()};
  control::TQtServiceSet FQt;
  testing::TFakeMessageBoxes FBoxes;
  testing::TMemoryClipboard FClipboard;
  TPlatformServices FBundle;
  std::unique_ptr<TVORNAEditorMain> FWindow;
};

TEST_F(ViewMenuTest, TheMenuHoldsEveryPresetOnceInItsGroupsBetweenEditAndSettings) {
  QStringList titles;
  for (QAction* menu : FWindow->menuBar()->actions()) titles << menu->text();
  EXPECT_EQ(titles.join('|').toStdString(), "ファイル(&F)|編集(&E)|検索(&S)|表示(&V)|設定(&C)|ヘルプ(&H)");
  std::multiset<int> presets;
  for (const auto& group : PresetGroups()) presets.insert(group.begin(), group.end());
  ASSERT_EQ(presets.size(), static_cast<size_t>(kPresetCount));
  for (int i = 0; i < kPresetCount; ++i) EXPECT_EQ(presets.count(i), 1u) << i;
  // The groups stand between separators, in the menu's own order.
  int separators = 0, seen = 0;
  for (QAction* item : FWindow->ViewMenu().Menu().actions()) {
    if (seen == kPresetCount) break;
    if (item->isSeparator())
      ++separators;
    else
      ++seen;
  }
  EXPECT_EQ(separators, static_cast<int>(PresetGroups().size()) - 1);
  EXPECT_EQ(FWindow->ViewMenu().Preset(4)->text().toStdString(), "原稿用紙");
  FWindow->ViewMenu().Update();
  EXPECT_TRUE(FWindow->ViewMenu().Preset(0)->isChecked());
  EXPECT_TRUE(FWindow->ViewMenu().Horizontal->isChecked());
}

TEST_F(ViewMenuTest, EveryPresetKeepsTheCorpusTextByteExactAndTheCaretOnItsPosition) {
  std::vector<fs::path> files = testing::CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "corpus absent (set VORNA_CORPUS)";
  // The smallest text keeps 28 layouts quick under the sanitizers.
  const fs::path file = *std::min_element(
      files.begin(), files.end(),
      [](const fs::path& a, const fs::path& b) { return fs::file_size(a) < fs::file_size(b); });
  FWindow->OpenFromCommandLine(file.string());
  TEditorView& view = FWindow->View();
  ASSERT_GT(view.List().Count(), 10);
  const int line = view.List().Count() / 2;
  view.SetCaretPos(view.DisplayPosOf(TTextPos{1, line}), cmAbsolute);
  const TTextPos caret = Caret();
  const std::string text = Text();
  int styleChanges = 0;
  FWindow->Editor().OnStyleChange = [&](control::TBaseControl*) { ++styleChanges; };
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < kPresetCount; ++i) {
      const int preset = round == 0 ? i : kPresetCount - 1 - i;
      styleChanges = 0;
      FWindow->ChoosePreset(preset);
      EXPECT_EQ(styleChanges, 1) << "one layout for preset " << preset;
      EXPECT_EQ(Style().GetDefaultIndex(), preset);
      EXPECT_EQ(FWindow->Editor().StyleIndex(), preset);
      EXPECT_EQ(Caret(), caret) << "preset " << preset;
      ASSERT_EQ(Text(), text) << "preset " << preset;
    }
  }
  EXPECT_FALSE(view.List().GetModified());
}

TEST_F(ViewMenuTest, TheWindowsColoursGoOnPresetZeroOnly) {
  const TBitmap* picture = FWindow->View().BackgroundBitmap();
  ASSERT_NE(picture, nullptr);
  FWindow->ChoosePreset(4);
  EXPECT_NE(Style().GetViewInfo(kElemNormal)->GetFontColor(), kSchemeTextColor);
  // The dark picture would hide the preset's dark text.
  EXPECT_EQ(FWindow->View().BackgroundBitmap(), nullptr);
  FWindow->ChoosePreset(0);
  EXPECT_EQ(Style().GetViewInfo(kElemNormal)->GetFontColor(), kSchemeTextColor);
  EXPECT_EQ(Style().GetViewInfo(kElemUnfilled)->GetDisplayMode(), kModeHidden);
  EXPECT_EQ(FWindow->View().BackgroundBitmap(), picture);
}

TEST_F(ViewMenuTest, AChangedPresetBecomesAUserStyleNamedAfterIt) {
  FWindow->ChoosePreset(4);
  ASSERT_TRUE(Style().GetVertical());
  FWindow->SetVerticalWriting(false);
  EXPECT_FALSE(Style().GetVertical());
  EXPECT_EQ(Style().GetDefaultIndex(), -1);
  EXPECT_EQ(Style().GetName(), Cp932FromUtf8("原稿用紙（変更）"));
  FWindow->ViewMenu().Update();
  for (int i = 0; i < kPresetCount; ++i) EXPECT_FALSE(FWindow->ViewMenu().Preset(i)->isChecked()) << i;
  // A second change keeps the name; choosing the preset again rebuilds it.
  FWindow->TogglePaper();
  EXPECT_EQ(Style().GetName(), Cp932FromUtf8("原稿用紙（変更）"));
  FWindow->ChoosePreset(4);
  EXPECT_TRUE(Style().GetVertical());
  EXPECT_EQ(Style().GetName(), Cp932FromUtf8("原稿用紙"));
  // Choosing the direction the style already has changes nothing.
  FWindow->SetVerticalWriting(true);
  EXPECT_EQ(Style().GetDefaultIndex(), 4);
}

TEST_F(ViewMenuTest, TheZoomStepsAndSurvivesStyleChangesAndCtrlWheelZooms) {
  FWindow->ZoomTo(100);
  FWindow->ZoomInExecute();
  EXPECT_EQ(FWindow->View().GetRatioValue(), 110);
  FWindow->CustLineNoExecute();  // any change of the style applies its ratio again
  EXPECT_EQ(FWindow->View().GetRatioValue(), 110);
  QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&FWindow->Editor(), &wheel);
  EXPECT_EQ(FWindow->View().GetRatioValue(), 120);
  FWindow->ChoosePreset(4);
  EXPECT_EQ(FWindow->View().GetRatioValue(), 120);
  EXPECT_EQ(Style().GetDefaultIndex(), 4);  // zooming is no change of the preset
  FWindow->ZoomTo(kRatioFitWidth);
  EXPECT_EQ(FWindow->View().GetRatioValue(), kRatioFitWidth);
  FWindow->ViewMenu().Update();
  EXPECT_TRUE(FWindow->ViewMenu().FitWidth->isChecked());
  FWindow->ZoomTo(20);
  FWindow->ZoomOutExecute();  // at the limit
  EXPECT_EQ(FWindow->View().GetRatioValue(), 20);
}

TEST(WindowArguments, TheWindowSharesThePrintingsStyleOptionsAndMessages) {
  std::string unused;
  const auto good = ParseWindowArguments({"--preset", "4", "a.txt"}, unused);
  ASSERT_TRUE(good);
  EXPECT_EQ(good->Style.Preset, 4);
  EXPECT_EQ(good->File, "a.txt");
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"--preset", "28"},
                                             {"--preset", "x"},
                                             {"--preset"},
                                             {"--style"},
                                             {"--preset", "1", "--style", "s.ini"}}) {
    std::string windowError, printError;
    EXPECT_FALSE(ParseWindowArguments(bad, windowError));
    std::vector<std::string> print{"--print-pdf", "o.pdf", "in.txt"};
    print.insert(print.end() - 1, bad.begin(), bad.end());
    if (bad.size() == 1) print = {"--print-pdf", "o.pdf", "in.txt", bad.front()};
    EXPECT_FALSE(ParsePrintPdfArguments(print, printError));
    EXPECT_EQ(windowError, printError);
  }
  std::string error;
  EXPECT_FALSE(ParseWindowArguments({"a.txt", "b.txt"}, error));
  EXPECT_FALSE(ParseWindowArguments({"--bogus"}, error));
}

TEST_F(ViewMenuTest, BadStyleFilesAreRefusedWithTheirReasonAndChangeNothing) {
  testing::TTempFolder folder;
  testing::WriteBytes(folder.Path() / "empty.ini", "");
  testing::WriteBytes(folder.Path() / "binary.ini", std::string("[Style]\0\x01\x02", 10));
  testing::WriteBytes(folder.Path() / "garbage.ini", "this is no style\n{}\n");
  FWindow->View().TypeText(Cp932FromUtf8("本文です"), true);
  const std::string text = Text();
  FWindow->ChoosePreset(4);
  TDataItemPtr<TEditorStyle> before = MakeDataItem<TEditorStyle>();
  before->Assign(&Style());
  for (const char* name : {"missing.ini", "empty.ini", "binary.ini", "garbage.ini"}) {
    const std::string path = folder.Path(name);
    FWindow->AskStyleFile = [&](bool, const std::string&) { return std::optional<std::string>(path); };
    FBoxes.Shown.clear();
    FWindow->ImportStyleExecute();
    ASSERT_FALSE(FBoxes.Shown.empty()) << name;
    const std::string shown = Utf8FromCp932(FBoxes.Shown.back());
    EXPECT_EQ(shown.rfind("error スタイルを読み込めません: " + path + ": ", 0), 0u) << shown;
    EXPECT_TRUE(Style().Equals(before.get())) << name;
    EXPECT_EQ(Text(), text);
  }
  // Garbage values: the style is used, the values named, their defaults kept.
  testing::WriteBytes(
      folder.Path() / "values.ini",
      "[Style]\r\nDefaultIndex=-1\r\nName=x\r\nVertical=maybe\r\nLineSpace=abc\r\nColumnCount=7\r\n");
  const std::string values = folder.Path("values.ini");
  FWindow->AskStyleFile = [&](bool, const std::string&) { return std::optional<std::string>(values); };
  FWindow->ImportStyleExecute();
  EXPECT_EQ(Style().GetColumnCount(), 7);
  EXPECT_FALSE(Style().GetVertical());
  const std::string shown = Utf8FromCp932(FBoxes.Shown.back());
  EXPECT_NE(shown.find("Vertical=maybe"), std::string::npos) << shown;
  EXPECT_NE(shown.find("LineSpace=abc"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("ColumnCount"), std::string::npos) << shown;
  EXPECT_EQ(Text(), text);
}

TEST_F(ViewMenuTest, AnExportedStyleIsTheFileThePrintingReads) {
  testing::TTempFolder folder;
  FWindow->ChoosePreset(8);
  FWindow->TogglePaper();
  const std::string path = folder.Path("mine.ini");
  FWindow->AskStyleFile = [&](bool save, const std::string&) {
    EXPECT_TRUE(save);
    return std::optional<std::string>(path);
  };
  FWindow->ExportStyleExecute();
  TDataItemPtr<TEditorStyle> read = MakeDataItem<TEditorStyle>();
  std::string error, warning;
  ASSERT_TRUE(LoadStyleFile(*read, *FBundle.Files, path, error, warning)) << error;
  EXPECT_TRUE(warning.empty()) << warning;
  EXPECT_TRUE(read->Equals(&Style()));
  // A preset's file names only its number, and reads as the whole preset.
  FWindow->ChoosePreset(5);
  FWindow->ExportStyleExecute();
  ASSERT_TRUE(LoadStyleFile(*read, *FBundle.Files, path, error, warning)) << error;
  EXPECT_TRUE(read->Equals(&Style()));
}

}  // namespace
}  // namespace vorna::app

namespace vorna::app {
namespace {

// Writes docs/screenshots/view-menu.png and vertical-window.png into
// $VORNA_SCREENSHOTS (run under xvfb-run with QT_QPA_PLATFORM=xcb).
TEST_F(ViewMenuTest, Screenshots) {
  const char* folder = std::getenv("VORNA_SCREENSHOTS");
  if (!folder) GTEST_SKIP() << "VORNA_SCREENSHOTS not set";
  const auto settle = [] {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
  };
  FWindow->OpenFromCommandLine(std::string(std::getenv("VORNA_TEST_DATA")) + "/pages/texts/prose.txt");
  FWindow->resize(900, 1120);
  FWindow->show();
  settle();
  QMenu& menu = FWindow->ViewMenu().Menu();
  QAction* title = menu.menuAction();
  const QPoint at = FWindow->menuBar()->actionGeometry(title).bottomLeft();
  menu.popup(FWindow->menuBar()->mapToGlobal(at));
  settle();
  QPixmap shot = FWindow->grab();
  {
    QPainter painter(&shot);
    painter.drawPixmap(FWindow->mapFromGlobal(menu.pos()), menu.grab());
  }
  menu.hide();
  EXPECT_TRUE(shot.save(QString::fromLocal8Bit(folder) + "/view-menu.png"));
  FWindow->resize(900, 700);
  FWindow->ChoosePreset(4);
  settle();
  EXPECT_TRUE(FWindow->grab().save(QString::fromLocal8Bit(folder) + "/vertical-window.png"));
}

}  // namespace
}  // namespace vorna::app
