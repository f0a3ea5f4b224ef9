// A window with its recovery folder in a private temporary folder, the
// recovery files a window that is gone left behind, and reading them back.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <memory>

#include "MainForms.h"
#include "PlatformDoubles.h"
#include "TempFolders.h"
#include "control/ControlServices.h"
#include "document/Recoveries.h"
#include "platform/PosixFiles.h"
#include "text/UserCodes.h"

namespace vorna::app {

namespace fs = std::filesystem;

class RecoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FBundle.Clipboard = &FClipboard;
    FBundle.Files = &FFiles;
  }
  void TearDown() override { FWindow.reset(); }

  // A window keeping its recovery files in `folder` (after reading the
  // preferences when asked); each offer is recorded and answered from
  // FAnswers (then 後で).
  TVORNAEditorMain& OpenWindow(const std::string& folder, bool preferences = false) {
    FWindow = std::make_unique<TVORNAEditorMain>(FBundle);
    FWindow->AskRecovery = [this](const TRecoveryRecord& record) {
      FOffered.push_back(record);
      if (FAnswers.empty()) return TRecoveryAnswer::Later;
      const TRecoveryAnswer answer = FAnswers.front();
      FAnswers.erase(FAnswers.begin());
      return answer;
    };
    FWindow->StartRecoveryWindow = [this](const std::string& path) {
      FStarted.push_back(path);
      return true;
    };
    if (preferences) FWindow->StartWithPreferences();
    FWindow->StartRecovery(folder);
    return *FWindow;
  }
  // What a window that is gone left in `folder`: its recovery file's path.
  std::string LeaveBehind(const std::string& folder, const std::string& utf8, const std::string& name,
                          long long savedAt, bool untitled = false) {
    TRecoveryFolder gone(FFiles, folder);
    std::string problem;
    EXPECT_TRUE(gone.Open(problem)) << problem;
    TRecoveryRecord record;
    record.Unsaved = {utf8, TEncoding::Utf8, {}, name, untitled, std::nullopt};
    record.Caret = {3, 1};
    record.SavedAtSeconds = savedAt;
    gone.Write(record);
    return gone.FilePath();
  }
  static std::vector<std::string> RecoveryFiles(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
      if (entry.path().extension() == ".recovery") paths.push_back(entry.path().string());
    return paths;
  }
  // The text of a recovery file: UTF-8, as every text here holds an emoji
  // that CP932 cannot hold.
  static std::string TextOf(const std::string& path) {
    TRecoveryRecord record;
    std::string problem;
    EXPECT_TRUE(ParseRecoveryFile(testing::ReadBytes(path), record, problem)) << path << ": " << problem;
    EXPECT_EQ(record.Unsaved.TextEncoding, TEncoding::Utf8);
    return record.Unsaved.Bytes;
  }
  TEditList& List() { return FWindow->View().List(); }
  void Type(std::string_view utf8) { FWindow->View().TypeText(Cp932TextFromUtf8(utf8), true); }

  testing::TTempFolder FTemp;
  TPosixFiles FFiles;
  control::TQtServiceSet FQt;
  testing::TFakeMessageBoxes FBoxes;
  testing::TMemoryClipboard FClipboard;
  TPlatformServices FBundle;
  std::unique_ptr<TVORNAEditorMain> FWindow;
  std::vector<TRecoveryRecord> FOffered;
  std::vector<TRecoveryAnswer> FAnswers;
  std::vector<std::string> FStarted;
};

}  // namespace vorna::app
