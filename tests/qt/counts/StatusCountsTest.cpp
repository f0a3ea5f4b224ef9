// The window's counts: the status bar while typing, moving and selecting,
// and the "文書情報" dialog.
#include <gtest/gtest.h>

#include <QLocale>
#include <map>

#include "DocumentInfoDialogs.h"
#include "MainForms.h"
#include "PlatformDoubles.h"
#include "StatusCounts.h"
#include "control/ControlServices.h"
#include "control/EditorControls.h"
#include "control/ViewWidgets.h"
#include "print/LpPrinters.h"
#include "text/Cp932.h"
#include "view/ViewCounts.h"

namespace vorna::app {
namespace {

class StatusCountsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBundle = FQt.Services();
    FBundle.Boxes = &FBoxes;
    FBundle.Clipboard = &FClipboard;
    FWindow = std::make_unique<TVORNAEditorMain>(FBundle);
    // On paper a page holds 20 rows whatever the window's size.
    FWindow->ChoosePreset(4);
    FWindow->TogglePaper();
  }
  void Type(std::string_view utf8) {
    FWindow->View().TypeText(Cp932FromUtf8(utf8), true);
    FWindow->UpdateActions();
  }
  std::string Shown() { return FWindow->StatusCounts().Text().toStdString(); }

  TLpPrinter FPrinter;
  control::TQtServiceSet FQt{&FPrinter};
  testing::TFakeMessageBoxes FBoxes;
  testing::TMemoryClipboard FClipboard;
  TPlatformServices FBundle;
  std::unique_ptr<TVORNAEditorMain> FWindow;
};

TEST_F(StatusCountsTest, TheStatusBarFollowsTypingCaretAndSelection) {
  FWindow->UpdateActions();
  EXPECT_EQ(Shown(), "原稿用紙 1枚  0字  1/1ページ  1行 1列");
  Type("｜吾輩《わがはい》は猫である。");
  EXPECT_EQ(Shown(), "原稿用紙 1枚  8字  1/1ページ  1行 9列");
  for (int i = 0; i < 25; ++i) Type("\r\n");
  EXPECT_EQ(Shown(), "原稿用紙 2枚  8字  2/2ページ  6行 1列");
  Type("x");
  EXPECT_EQ(Shown(), "原稿用紙 2枚  9字  2/2ページ  6行 2列");
  TEditorView& view = FWindow->View();
  view.SelectFromTo({1, 0}, view.CaretPos(), false);
  FWindow->UpdateActions();
  EXPECT_EQ(Shown(), "選択 9字  原稿用紙 2枚  9字  2/2ページ  6行 2列");
  Type("y");  // in place of the selection, every line of it
  EXPECT_EQ(Shown(), "原稿用紙 1枚  1字  1/1ページ  1行 2列");
}

// A regression: the whole count of a long file ran before its first page.
TEST_F(StatusCountsTest, ALongTextIsCountedWholeOnlyOnceItsFirstPageIsPainted) {
  std::string line;
  for (int i = 0; i < 1000; ++i) line += Cp932FromUtf8("あ");
  std::string text;
  while (text.size() <= (5u << 20)) text += line + "\r\n";
  TEditorView& view = FWindow->View();
  view.List().SetText(text);
  TStatusCounts& counts = FWindow->StatusCounts();
  const auto number = [](int64_t n) {
    return QLocale(QLocale::Japanese).toString(qlonglong(n)).toStdString();
  };
  // The window is not shown here, so its view never paints.
  FWindow->UpdateActions();
  EXPECT_EQ(Shown(), "原稿用紙 …枚  …字  1/" + number(CaretPagePlace(view).Pages) + "ページ  1行 1列");
  FWindow->UpdateActions();
  EXPECT_NE(Shown().find("…字"), std::string::npos) << "not painted since";
  counts.Update(view, FWindow->Editor().ViewWidget().PaintCount() + 1);
  const std::string characters = number(static_cast<int64_t>(text.size() / 2002 * 1000));
  EXPECT_NE(Shown().find("  " + characters + "字  "), std::string::npos) << Shown();
  // Without a paint count (a dialog asking) the text is counted at once.
  view.List().SetText(text);
  counts.Update(view);
  EXPECT_NE(Shown().find("  " + characters + "字  "), std::string::npos) << Shown();
}

TEST_F(StatusCountsTest, TheInformationDialogShowsTheFullSet) {
  Type("｜吾輩《わがはい》は猫　である。\r\n\r\n名前はまだ無い。");
  const std::map<std::string, std::string> expected = {{"characters", "16 字"},
                                                       {"characters_with_spaces", "17 字"},
                                                       {"manuscript_pages_400", "1 枚"},
                                                       {"pages", "1 ページ"},
                                                       {"lines", "3 行"},
                                                       {"paragraphs", "2 段落"},
                                                       {"ruby", "1 個"}};
  std::map<std::string, std::string> shown;
  FWindow->RunDocumentInfoDialog = [&](TDocumentInfoDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "文書情報");
    for (const auto& [field, value] : expected)
      shown[field] = dialog.Value(QString::fromStdString(field)).toStdString();
  };
  FWindow->FileInfo->trigger();
  EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace vorna::app
