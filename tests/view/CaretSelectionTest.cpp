// The caret and selection rules over a document alone, and the marked lines.
#include <gtest/gtest.h>

#include "EditorDoubles.h"
#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "view/CaretSelections.h"
#include "view/LineMarks.h"

namespace vorna {
namespace {

using testing::Sj;

struct CaretSelectionTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
  void Load(std::string_view text, int capacity) {
    TDocumentLayout layout;
    layout.Wrap.TabVisible = true;
    list.ApplyLayoutSettings(layout);
    list.SetText(text);
    testing::LayOutAt(list, capacity);
  }
};

// Wherever it is asked to go, the caret lands inside the document, never on
// a trail byte, and clamping where an absolute move landed keeps it there.
TEST_F(CaretSelectionTest, ClampLandsInsideOffTrailBytesAndIsStable) {
  Load(Sj("あい\tう") + "ab\r\n\r\n" + Sj("　　「かきくけこさしすせそ」") + "\r\nx", 8);
  for (const bool free : {false, true}) {
    const TCaretClampRules rules{8, free, false};
    TCaretSelection sel;
    for (int row = -1; row <= list.RowCount(); ++row) {
      for (int column = -1; column <= 12; ++column) {
        for (const TCaretMode mode : {cmAbsolute, cmBack, cmForward, cmRowUp, cmRowDown}) {
          SCOPED_TRACE(::testing::Message() << row << "," << column << " mode " << mode << " free " << free);
          sel.Caret = {1, std::clamp(row, 0, list.RowCount() - 1)};
          bool stopped = false;
          const TDisplayPos p = sel.Clamp(list, {column, row}, mode, rules, &stopped);
          if (stopped) continue;
          ASSERT_GE(p.Row, 0);
          ASSERT_LT(p.Row, list.RowCount());
          ASSERT_GE(p.Column, 1);
          ASSERT_FALSE(list.IsTrailCell(p));
          if (!free) {
            ASSERT_LE(p.Column, list.RowCaretLimit(p.Row));
          }
          if (mode == cmAbsolute) {
            ASSERT_EQ(sel.Clamp(list, p, cmAbsolute, rules), p);
          }
        }
      }
    }
  }
}

TEST_F(CaretSelectionTest, BoxSelectionsOrderTheirCornersAndCellsFollowCharacters) {
  Load(Sj("あいう") + "\r\nabcdef", 0);
  TCaretSelection sel;
  sel.Select(list, {4, 1}, {3, 0}, true);
  TDisplayPos start, end;
  sel.Normalized(start, end);
  EXPECT_EQ(start, (TDisplayPos{3, 0}));
  EXPECT_EQ(end, (TDisplayPos{4, 1}));
  // On the first row the corner at column 4 is a trail byte: the box takes
  // the whole character.
  int first = 0, last = 0;
  bool lineBreak = false;
  ASSERT_TRUE(sel.SelectedCells(list, 0, first, last, lineBreak));
  EXPECT_EQ(first, 2);
  EXPECT_EQ(last, 3);
  ASSERT_TRUE(sel.SelectedCells(list, 1, first, last, lineBreak));
  EXPECT_EQ(first, 2);
  EXPECT_EQ(last, 2);
  EXPECT_TRUE(sel.IsSelected({3, 1}));
  EXPECT_FALSE(sel.IsSelected({5, 1}));
  // A selection whose ends meet is none.
  sel.Select(list, {3, 1}, {3, 1}, false);
  EXPECT_FALSE(sel.Selecting);
}

TEST(LineMarks, KeptInOrderOncePerLine) {
  TLineMarks marks;
  EXPECT_TRUE(marks.Add({3, 5}));
  EXPECT_TRUE(marks.Add({1, 2}));
  EXPECT_FALSE(marks.Add({7, 5}));  // the line is marked already
  ASSERT_EQ(marks.Items().size(), 2u);
  EXPECT_EQ(marks.Items()[0].Y, 2);
  EXPECT_EQ(marks.IndexOfLine(5), 1);
  EXPECT_TRUE(marks.RemoveLine(2));
  EXPECT_FALSE(marks.RemoveLine(2));
  EXPECT_TRUE(marks.Clear());
  EXPECT_FALSE(marks.Clear());
}

}  // namespace
}  // namespace vorna
