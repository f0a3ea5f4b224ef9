// The preferences and user styles kept per user, on the offscreen platform:
// two runs of the window over one XDG_CONFIG_HOME, the start with nothing
// stored, a damaged or unusable store, and the recent files.
#include <gtest/gtest.h>

#include <QApplication>
#include <fstream>

#include "FormatDialogs.h"
#include "FormatTabs.h"
#include "MainForms.h"
#include "PlatformDoubles.h"
#include "SaveOptionDialogs.h"
#include "TempFolders.h"
#include "ViewMenus.h"
#include "control/ControlServices.h"
#include "settings/EditorStyles.h"
#include "settings/StyleElements.h"
#include "settings/UserStorages.h"
#include "text/Cp932.h"

namespace vorna::app {
namespace {

namespace fs = std::filesystem;

class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FBundle.Clipboard = &FClipboard;
  }
  // A run of the window with the user's preferences.
  std::unique_ptr<TVORNAEditorMain> Start() {
    auto window = std::make_unique<TVORNAEditorMain>(FBundle);
    window->OnPreferenceWarning = [this](const std::string& line) { FWarnings.push_back(line); };
    window->AskStyleName = [this](const QString&, const std::string&) { return FStyleName; };
    window->StartWithPreferences();
    return window;
  }
  fs::path StoreFile() const { return TUserStorage::FileNameFor(FConfig.Path(), DefaultSubKey()); }
  static TEditorStyle& Style(TVORNAEditorMain& window) { return window.Editor().EditorStyle(); }

  testing::TTempFolder FConfig;
  testing::TScopedEnvironment FXdg{"XDG_CONFIG_HOME", FConfig.Path().string()};
  testing::TTempFolder FDocuments;
  control::TQtServiceSet FQt;
  testing::TFakeMessageBoxes FBoxes;
  testing::TMemoryClipboard FClipboard;
  TPlatformServices FBundle;
  std::vector<std::string> FWarnings;
  std::optional<std::string> FStyleName;
};

TEST_F(PreferencesTest, NothingStoredStartsAsTheWindowAlwaysDid) {
  TVORNAEditorMain plain(FBundle);
  auto window = Start();
  EXPECT_TRUE(Style(*window).Equals(&Style(plain)));
  EXPECT_EQ(Style(*window).GetDefaultIndex(), 0);
  EXPECT_TRUE(window->RecentFiles().empty());
  EXPECT_TRUE(FWarnings.empty());
  EXPECT_FALSE(fs::exists(StoreFile()));
}

TEST_F(PreferencesTest, AUserStyleAndThePreferencesSurviveARestart) {
  const std::string document = FDocuments.Path("a.txt");
  testing::WriteBytes(document, "text\r\n");
  {
    auto first = Start();
    first->ChoosePreset(4);
    first->SetVerticalWriting(false);
    FStyleName = Cp932FromUtf8("私の原稿");
    first->SaveStyleExecute();
    ASSERT_EQ(first->ViewMenu().UserStyles().size(), 1u);
    first->ZoomTo(130);
    first->CustLineNoExecute();
    first->OpenFromCommandLine(document);
    first->setGeometry(40, 50, 700, 650);
    first->show();
    ASSERT_TRUE(first->close());
  }
  auto second = Start();
  TEditorStyle& style = Style(*second);
  EXPECT_EQ(style.GetName(), Cp932FromUtf8("私の原稿"));
  EXPECT_EQ(style.GetDefaultIndex(), -1);
  EXPECT_FALSE(style.GetVertical());
  EXPECT_EQ(style.GetColumnCount(), 40);  // the rest of the preset came along
  EXPECT_EQ(second->View().GetRatioValue(), 130);
  EXPECT_EQ(style.GetViewInfo(kElemLineInfo)->GetDisplayMode(), kModeShown);
  EXPECT_EQ(second->RecentFiles(), std::vector<std::string>{document});
  EXPECT_EQ(second->geometry().size(), QSize(700, 650));
  ASSERT_EQ(second->ViewMenu().UserStyles().size(), 1u);
  second->ViewMenu().Update();
  EXPECT_TRUE(second->ViewMenu().UserStyles().front()->isChecked());
  // Left and chosen again from the menu.
  second->ChoosePreset(2);
  second->ViewMenu().UserStyles().front()->trigger();
  EXPECT_EQ(style.GetName(), Cp932FromUtf8("私の原稿"));
  EXPECT_FALSE(style.GetVertical());
  EXPECT_TRUE(FWarnings.empty());
}

// The format dialog changed the style but nothing remembered it: a restart
// came back with the preset.
TEST_F(PreferencesTest, AStyleChangedInTheFormatDialogSurvivesARestart) {
  {
    auto first = Start();
    first->ChoosePreset(4);
    first->RunFormatDialog = [](TFormatDialog& dialog) {
      dialog.LayoutTab->LineCountInPage->setValue(30);
      dialog.OkClicked();
    };
    first->CustFormatExecute();
  }
  auto second = Start();
  EXPECT_EQ(Style(*second).GetLineCountInPage(), 30);
  EXPECT_EQ(Style(*second).GetName(), Cp932FromUtf8("原稿用紙（変更）"));
}

TEST_F(PreferencesTest, UserStylesAreRenamedAndDeletedAndRefuseBadNames) {
  auto window = Start();
  for (const char* refused : {"", "原稿用紙"}) {
    FStyleName = Cp932FromUtf8(refused);
    FBoxes.Shown.clear();
    window->SaveStyleExecute();
    ASSERT_FALSE(FBoxes.Shown.empty());
    EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
  }
  EXPECT_TRUE(window->ViewMenu().UserStyles().empty());
  FStyleName = Cp932FromUtf8("一");
  window->SaveStyleExecute();
  FStyleName = Cp932FromUtf8("二");
  window->SaveStyleExecute();
  ASSERT_EQ(window->ViewMenu().UserStyles().size(), 2u);
  // A name that is taken is refused; a free one renames the style in use too.
  FStyleName = Cp932FromUtf8("一");
  EXPECT_FALSE(window->RenameUserStyleExecute(Cp932FromUtf8("二")));
  FStyleName = Cp932FromUtf8("三");
  EXPECT_TRUE(window->RenameUserStyleExecute(Cp932FromUtf8("二")));
  EXPECT_EQ(Style(*window).GetName(), Cp932FromUtf8("三"));
  FBoxes.Answer = TMessageResult::Yes;
  EXPECT_TRUE(window->DeleteUserStyleExecute(Cp932FromUtf8("一")));
  ASSERT_EQ(window->ViewMenu().UserStyles().size(), 1u);
  EXPECT_EQ(window->ViewMenu().UserStyles().front()->text().toStdString(), "三");
}

TEST_F(PreferencesTest, ADamagedStoreGivesTheDefaultsOneWarningAndIsNotWrittenOver) {
  fs::create_directories(StoreFile().parent_path());
  const std::string damaged = std::string("\x89PNG\0\x01garbage\n[Preferences]\nRatioValue=oops\n", 40);
  testing::WriteBytes(StoreFile(), damaged);
  auto window = Start();
  EXPECT_EQ(Style(*window).GetDefaultIndex(), 0);
  ASSERT_EQ(FWarnings.size(), 1u);
  EXPECT_NE(FWarnings.front().find("damaged"), std::string::npos) << FWarnings.front();
  // The window works; the store's failures are not told again.
  window->ChoosePreset(4);
  window->ZoomTo(150);
  window->View().TypeText(Cp932FromUtf8("書ける"), true);
  EXPECT_EQ(window->View().List().Get(0), Cp932FromUtf8("書ける"));
  EXPECT_EQ(FWarnings.size(), 1u);
  EXPECT_EQ(testing::ReadBytes(StoreFile()), damaged);
}

TEST_F(PreferencesTest, AnUnusableStoreGivesTheDefaultsAndTheWindowWorks) {
  // The store's folder is a file: nothing can be read or written there.
  testing::WriteBytes(FConfig.Path() / "UrProject", "not a folder");
  auto window = Start();
  EXPECT_EQ(Style(*window).GetDefaultIndex(), 0);
  EXPECT_EQ(FWarnings.size(), 1u);
  window->ChoosePreset(5);
  window->CustLineNoExecute();
  FStyleName = Cp932FromUtf8("保存不可");
  FBoxes.Shown.clear();
  window->SaveStyleExecute();
  ASSERT_FALSE(FBoxes.Shown.empty());
  EXPECT_EQ(FBoxes.Shown.back().rfind("error ", 0), 0u);
  EXPECT_EQ(Style(*window).GetDefaultIndex(), 5);  // unchanged by the refused save
  EXPECT_EQ(FWarnings.size(), 1u);
  EXPECT_EQ(testing::ReadBytes(FConfig.Path() / "UrProject"), "not a folder");
}

TEST_F(PreferencesTest, AMissingRecentFileLeavesTheListWithAMessage) {
  const std::string kept = FDocuments.Path("kept.txt"), gone = FDocuments.Path("gone.txt");
  testing::WriteBytes(kept, "a\r\n");
  testing::WriteBytes(gone, "b\r\n");
  {
    auto first = Start();
    first->OpenFromCommandLine(kept);
    first->OpenFromCommandLine(gone);
    EXPECT_EQ(first->RecentFiles(), (std::vector<std::string>{gone, kept}));
    EXPECT_EQ(first->RecentMenu()->actions().size(), 2);
  }
  fs::remove(gone);
  auto second = Start();
  FBoxes.Shown.clear();
  second->OpenRecentFile(gone);
  ASSERT_FALSE(FBoxes.Shown.empty());
  EXPECT_EQ(Utf8FromCp932(FBoxes.Shown.back()),
            "error " + gone + " が見つかりません。最近使ったファイルの一覧から外しました。");
  EXPECT_EQ(second->RecentFiles(), std::vector<std::string>{kept});
  EXPECT_EQ(Start()->RecentFiles(), std::vector<std::string>{kept});
  // At most ten, the newest first.
  for (int i = 0; i < 12; ++i) {
    const std::string path = FDocuments.Path("f" + std::to_string(i) + ".txt");
    testing::WriteBytes(path, "x");
    second->OpenFromCommandLine(path);
  }
  ASSERT_EQ(second->RecentFiles().size(), 10u);
  EXPECT_EQ(second->RecentFiles().front(), FDocuments.Path("f11.txt"));
}

// Nothing in the window let a user choose a backup rule.
TEST_F(PreferencesTest, TheBackupRuleIsChosenInTheWindowAndKeptAcrossARestart) {
  const fs::path backups = FDocuments.Path() / "backups";
  {
    auto window = Start();
    window->RunSaveOptionDialog = [&](TSaveOptionDialog& dialog) {
      dialog.ChooseMode(bmBackupFolder);
      dialog.SetFolder(backups.string());
      dialog.SetAutoSaveSeconds(5);
      return true;
    };
    window->CustSaveOptionsExecute();
    window->close();
  }
  auto window = Start();
  TSaveOptions kept;
  window->RunSaveOptionDialog = [&](TSaveOptionDialog& dialog) {
    kept = dialog.Options();
    return false;
  };
  window->CustSaveOptionsExecute();
  EXPECT_EQ(kept, (TSaveOptions{bmBackupFolder, backups.string(), 5}));

  const std::string file = FDocuments.Path("memo.txt");
  std::ofstream(file, std::ios::binary) << "old\r\n";
  window->OpenFromCommandLine(file);
  window->View().TypeText("new ", true);
  window->FileSaveExecute();
  std::ifstream backup(backups / "memo.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}), "old\r\n");
}

}  // namespace
}  // namespace vorna::app
