// The caret's page, row and column and the selection's characters as the
// status bar shows them.
#include <gtest/gtest.h>

#include "EditorViewFixtures.h"
#include "TestSupport.h"
#include "document/DocumentCounts.h"
#include "view/ViewCounts.h"

namespace vorna {
namespace {

using testing::Sj;

class ViewCountsTest : public testing::TEditorViewTest {
 protected:
  // Rows of 10 cells, 3 rows a page, a free caret.
  void SetUp() override {
    MakeView();
    testing::PlainWindow(Style());
    Style().BeginUpdate();
    Style().SetColumnCountAuto(false);
    Style().SetColumnCount(10);
    Style().SetLineCountInPage(3);
    Style().SetPageRoll(true);
    Style().SetFreeCaret(true);
    Style().GetViewInfo(kElemRubi)->SetDisplayMode(kModeShown);
    Style().EndUpdate();
  }
  TPagePlace At(int column, int row) {
    View->SetCaretPos({column, row}, cmAbsolute);
    return CaretPagePlace(*View);
  }
};

TEST_F(ViewCountsTest, TheCaretsPageRowAndColumn) {
  // Rows: "abcdefghij", "k" | "漢字の話" || "x", "y" | "z".
  SetText("abcdefghijk\r\n" + Sj("漢字《かんじ》の話") + "\r\nx\r\ny\r\nz");
  ASSERT_EQ(View->RowsPerPage(), 3);
  EXPECT_EQ(At(1, 0), (TPagePlace{1, 2, 1, 1}));
  EXPECT_EQ(At(4, 0), (TPagePlace{1, 2, 1, 4}));
  EXPECT_EQ(At(2, 1), (TPagePlace{1, 2, 2, 2}));  // "k" of the second row
  // The reading takes no cell: after "漢字" comes column 3.
  EXPECT_EQ(At(5, 2), (TPagePlace{1, 2, 3, 3}));
  EXPECT_EQ(At(1, 3), (TPagePlace{2, 2, 1, 1}));
  // Beyond the end of "x" every cell counts: two cells on is column 4.
  EXPECT_EQ(At(4, 3).Column, 4);
}

TEST_F(ViewCountsTest, TheSelectionsCharacters) {
  SetText("ab cd\r\n" + Sj("｜東京《とうきょう》と　阪") + "\r\nxyz");
  TDocumentCounts counts(View->List());
  EXPECT_EQ(SelectedCharacters(*View, counts), 0);
  View->SelectFromTo({2, 0}, {2, 2}, false);  // "b cd", the whole second line, "x"
  EXPECT_EQ(SelectedCharacters(*View, counts), 3 + 4 + 1);
  View->SelectFromTo({2, 2}, {2, 0}, false);  // backwards
  EXPECT_EQ(SelectedCharacters(*View, counts), 8);
  View->SelectFromTo({1, 0}, {3, 2}, true);  // a box of two cells a row
  EXPECT_EQ(SelectedCharacters(*View, counts), 2 + 1 + 2);
}

}  // namespace
}  // namespace vorna
