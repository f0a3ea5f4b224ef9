// Going to a line or a page (Ctrl+G): the jump, numbers that name no place
// refused in the dialog with the range, full-width digits, and a style
// without pages.
#include <QLineEdit>
#include <QRadioButton>

#include "OutlineWindows.h"
#include "view/StylePages.h"

namespace vorna::app::testing {
namespace {

class GoToTest : public OutlineWindowTest {
 protected:
  void SetUp() override {
    OutlineWindowTest::SetUp();
    std::string text;
    for (int i = 1; i <= 300; ++i) text += "第" + std::to_string(i) + "行の本文です。\r\n";
    Load(4, text);  // 原稿用紙: pages of 20 rows, without paper
    FWindow->RunGoToDialog = [this](TGoToDialog& dialog) {
      ++FDialogs;
      for (const auto& [page, number] : FEntries) {
        (page ? dialog.PageChoice() : dialog.LineChoice()).setChecked(true);
        dialog.NumberEdit().setText(QString::fromUtf8(number));
        dialog.accept();
        FProblems.push_back(dialog.Problem().toStdString());
      }
      return dialog.result() == QDialog::Accepted;
    };
  }
  // Runs Ctrl+G with these entries typed in turn (page?, number).
  void GoTo(std::vector<std::pair<bool, const char*>> entries) {
    FEntries = std::move(entries);
    FProblems.clear();
    QTest::keyClick(FWindow.get(), Qt::Key_G, Qt::ControlModifier);
  }
  int CaretPage() { return View().CaretPos().Row / 20 + 1; }

  int FDialogs = 0;
  std::vector<std::pair<bool, const char*>> FEntries;
  std::vector<std::string> FProblems;
};

TEST_F(GoToTest, ALineOrAPageTakesTheCaretToItsStart) {
  GoTo({{false, "１５０"}});
  EXPECT_EQ(FDialogs, 1);
  EXPECT_EQ(CaretLine(), 149);
  EXPECT_EQ(View().CaretPos().Column, 1);
  EXPECT_TRUE(FWindow->Editor().hasFocus());
  GoTo({{true, "3"}});
  EXPECT_EQ(CaretPage(), 3);
  EXPECT_EQ(View().CaretPos().Row, 40);
  const std::string last = std::to_string((View().List().RowCount() + 19) / 20);
  GoTo({{true, last.c_str()}});
  EXPECT_EQ(std::to_string(CaretPage()), last);
  // On paper, the view's own pages.
  FWindow->ChoosePreset(5);
  GoTo({{true, "2"}});
  EXPECT_EQ(View().GetRowPlace(View().CaretPos().Row).Page, 1);
  EXPECT_EQ(View().CaretPos().Row, View().GetRowPlace(View().CaretPos().Row).PageFirstRow);
}

TEST_F(GoToTest, NumbersThatNameNoPlaceAreRefusedSayingWhy) {
  const TDisplayPos before = View().CaretPos();
  const std::string pages = std::to_string(StylePageCount(View()));
  // The text ends with a line break: 301 lines.
  GoTo({{false, "302"}, {false, "0"}, {false, "十"}, {false, " "}, {true, "99999999999"}});
  EXPECT_EQ(FProblems, (std::vector<std::string>{
                           "302 行目はありません。行番号は 1 から 301 までです。",
                           "0 行目はありません。行番号は 1 から 301 までです。",
                           "「十」は数字ではありません。", "行番号を入力してください。",
                           "99999999999 ページはありません。ページ番号は 1 から " + pages + " までです。"}));
  EXPECT_EQ(View().CaretPos(), before);
}

TEST_F(GoToTest, AStyleWithoutRowsPerPageHasNoPagesToGoTo) {
  FWindow->ChoosePreset(0);
  TGoToDialog dialog(View().List().Count(), 0, 1, 0, FWindow.get());
  EXPECT_FALSE(dialog.PageChoice().isEnabled());
  int number = 0;
  EXPECT_EQ(GoToProblem(TGoToKind::Page, "1", 301, 0, number).toStdString(),
            "このスタイルには 1 ページの行数がないので、ページがありません。");
  EXPECT_FALSE(FWindow->GoTo({TGoToKind::Page, 1}));
  EXPECT_TRUE(FWindow->GoTo({TGoToKind::Line, 301}));
  EXPECT_EQ(CaretLine(), 300);
}

}  // namespace
}  // namespace vorna::app::testing
