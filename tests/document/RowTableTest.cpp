// The row table: full layout, incremental updates checked against a fresh
// layout after every random edit, scene numbers, position mapping and the
// progress stages of a full layout.
#include <gtest/gtest.h>

#include <random>

#include "PlatformDoubles.h"
#include "RelayoutOracle.h"
#include "TestSupport.h"
#include "document/EditLists.h"

namespace vorna {
namespace {

using testing::Sj;

struct RowTableTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};

  void Layout(int capacity) {
    list.SetWrapInputs({.CapacityCells = capacity});
    list.Relayout();
  }
  std::vector<TRowInfo> FreshRows() { return testing::FreshLayoutRows(list); }
};

TEST_F(RowTableTest, EmptyDocumentHasOneRow) {
  Layout(40);
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.Rows().Count(), 1);
  EXPECT_EQ(list.GetRow(0).LastRow, 1);
  EXPECT_EQ(list.GetRow(5).Line, -1);
  EXPECT_EQ(list.RowText(5), "");
  EXPECT_EQ(list.RowCellCount(-1), 0);
}

TEST_F(RowTableTest, RowsOfAWrappedLine) {
  TDocumentLayout layout;
  layout.Wrap.TailAdjust = false;
  list.ApplyLayoutSettings(layout);
  list.SetText(std::string(20, 'x') + "\r\n" + std::string(5, 'y'));
  Layout(8);
  ASSERT_EQ(list.Rows().Count(), 4);
  EXPECT_EQ(list.GetRow(0), (TRowInfo{0, 1, 8, 0, 0, 0, 0}));
  EXPECT_EQ(list.GetRow(1), (TRowInfo{0, 9, 8, 1, 0, 0, 0}));
  EXPECT_EQ(list.GetRow(2), (TRowInfo{0, 17, 4, 2, 0, 1, 0}));
  EXPECT_EQ(list.GetRow(3), (TRowInfo{1, 1, 5, 0, 0, 1, 0}));
  EXPECT_EQ(list.FirstRowOfLine(0), 0);
  EXPECT_EQ(list.FirstRowOfLine(1), 3);
  EXPECT_EQ(list.FirstRowOfLine(2), -1);
  EXPECT_EQ(list.RowText(1), std::string(8, 'x'));
  EXPECT_EQ(list.FMaxLineLength, 20);
  EXPECT_EQ(list.LineNumberDigits(), 1);
}

TEST_F(RowTableTest, PositionMappingAtRowEnds) {
  list.SetText(std::string(20, 'x'));
  Layout(8);
  // An offset equal to a row's length stays on that row; the next goes on.
  EXPECT_EQ(list.DocToDisplay({8, 0}), (TDisplayPos{8, 0}));
  EXPECT_EQ(list.DocToDisplay({9, 0}), (TDisplayPos{1, 1}));
  EXPECT_EQ(list.DocToDisplay({21, 0}), (TDisplayPos{5, 2}));
  EXPECT_EQ(list.DocToDisplay({1, 7}), (TDisplayPos{1, -1}));
  EXPECT_EQ(list.DisplayToDoc({1, 1}), (TTextPos{9, 0}));
  EXPECT_EQ(list.DisplayToDoc({99, 1}), (TTextPos{17, 0}));  // clamped to the row's end
  EXPECT_EQ(list.DisplayToDoc({3, 99}), (TTextPos{17, 0}));  // past the end: column 1 of the last row
  EXPECT_EQ(list.DisplayToDoc({-4, -4}), (TTextPos{1, 0}));
  EXPECT_EQ(list.RowCaretLimit(0), 8);
  EXPECT_EQ(list.RowCaretLimit(2), 5);
}

TEST_F(RowTableTest, TrailCellsOfDoubleByteCharacters) {
  list.SetText(Sj("あいう"));
  Layout(40);
  EXPECT_FALSE(list.IsTrailCell({1, 0}));
  EXPECT_TRUE(list.IsTrailCell({2, 0}));
  EXPECT_EQ(list.RowCellCount(0), 6);
  EXPECT_EQ(list.RowCaretLimit(0), 7);
  EXPECT_EQ(list.DocToDisplay({3, 0}), (TDisplayPos{3, 0}));
}

TEST_F(RowTableTest, DisplayTextOfIndentedAndNotatedRows) {
  TDocumentLayout layout;
  layout.Wrap.RubiVisible = true;
  layout.Wrap.TabLength = 4;
  list.ApplyLayoutSettings(layout);
  list.SetText(Sj("・") + "a\tb" + Sj("漢《かん》") + std::string(20, 'z'));
  Layout(16);
  // "・a" takes cells 1-3, so the tab fills cell 4 alone; the ruby takes no cells.
  EXPECT_EQ(list.RowDisplayText(0), Sj("・") + "a\tb" + Sj("漢") + std::string(9, 'z'));
  // Rows after the first carry the mark's hanging indent.
  EXPECT_EQ(list.GetRow(1).Indent, 2);
  EXPECT_EQ(list.RowDisplayText(1).substr(0, 2), "  ");
}

TEST_F(RowTableTest, SpeakerNamesArePaddedToCellSeven) {
  TDocumentLayout layout;
  layout.Wrap.SerifuNameRestore = true;
  layout.Wrap.ViewIndent = 0;
  list.ApplyLayoutSettings(layout);
  list.SetText(Sj("太郎「はい」") + "\r\n" + Sj("「はい」") + "\r\n" + Sj("太「はい」"));
  Layout(40);
  for (int row = 0; row < 3; ++row) {
    const std::string text = list.RowDisplayText(row);
    EXPECT_EQ(text.find(Sj("「")), 6u) << row;
    EXPECT_EQ(list.DocToDisplay({static_cast<int>(list.Get(row).find(Sj("「"))) + 1, row}).Column, 7) << row;
  }
}

TEST_F(RowTableTest, SceneNumbersFollowHeadingEdits) {
  TDocumentLayout layout;
  layout.LineInfoVisible = true;
  layout.LineInfoStyle = 4;
  list.ApplyLayoutSettings(layout);
  list.SetText(Sj("○一") + "\r\nx\r\n" + Sj("○二") + "\r\n" + Sj("○三"));
  Layout(40);
  EXPECT_EQ(list.GetRow(0).SceneNo, 1);
  EXPECT_EQ(list.GetRow(2).SceneNo, 2);
  EXPECT_EQ(list.GetRow(3).SceneNo, 3);
  list.Put(1, Sj("■挿入"));
  EXPECT_EQ(list.GetRow(1).SceneNo, 2);
  EXPECT_EQ(list.GetRow(3).SceneNo, 4);
  list.Delete(0);
  EXPECT_EQ(list.GetRow(0).SceneNo, 1);
  EXPECT_EQ(list.GetRow(2).SceneNo, 3);
  list.Insert(0, "");
  EXPECT_EQ(list.GetRow(0).SceneNo, 0);  // an empty line is never a heading
  list.Insert(0, Sj("□"));
  EXPECT_EQ(list.GetRow(0).SceneNo, 1);
  EXPECT_EQ(list.GetRow(4).SceneNo, 4);
  EXPECT_EQ(list.Rows().Rows(), FreshRows());
}

TEST_F(RowTableTest, IncrementalUpdatesMatchAFreshLayout) {
  const std::vector<std::string> pieces = {
      "",
      "a",
      "abc def ",
      "1234567890",
      "\t",
      Sj("あ"),
      Sj("「"),
      Sj("」"),
      Sj("。"),
      Sj("漢字《かんじ》"),
      Sj("｜青空《あおぞら》"),
      Sj("［＃傍点］"),
      Sj("○"),
      Sj("・"),
      Sj("太郎「"),
      Sj("ー"),
      "\r\n",
      Sj("　"),
  };
  std::mt19937 rng(4242);
  auto randomLine = [&] {
    std::string s;
    const int n = static_cast<int>(rng() % 14);
    for (int i = 0; i < n; ++i) s += pieces[rng() % pieces.size()];
    return s;
  };
  for (int settings = 0; settings < 4; ++settings) {
    TDocumentLayout layout;
    layout.Wrap.ViewIndent = settings % 3;
    layout.Wrap.RubiVisible = settings & 1;
    layout.Wrap.FootNoteVisible = settings & 2;
    layout.Wrap.TailAdjust = settings & 1;
    layout.Wrap.WordWrap = settings & 2;
    layout.Wrap.SerifuNameRestore = settings == 2;
    layout.Wrap.GapLineStyle = settings == 3 ? 2 : 0;
    layout.LineInfoVisible = true;
    layout.LineInfoStyle = 4;
    list.ApplyLayoutSettings(layout);
    list.SetText("");
    Layout(settings == 0 ? 0 : 8 + settings * 6);
    for (int step = 0; step < 600; ++step) {
      const int count = list.Count();
      switch (rng() % 6) {
        case 0:
          list.Put(static_cast<int>(rng() % count), randomLine());
          break;
        case 1:
          list.Insert(static_cast<int>(rng() % (count + 1)), randomLine());
          break;
        case 2:
          list.Add(randomLine());
          break;
        case 3:
          list.Delete(static_cast<int>(rng() % count));
          break;
        case 4: {
          std::vector<std::string> block(rng() % 4);
          for (auto& line : block) line = randomLine();
          list.InsertLines(static_cast<int>(rng() % (count + 1)), block);
          break;
        }
        case 5:
          list.DeleteLines(static_cast<int>(rng() % count), static_cast<int>(rng() % 4));
          break;
      }
      ASSERT_EQ(list.Rows().Rows(), FreshRows()) << "settings " << settings << " step " << step;
      // Every row end maps to a document position and back to itself.
      for (int row = 0; row < list.Rows().Count(); ++row) {
        const TDisplayPos end{list.RowCaretLimit(row), row};
        const TTextPos doc = list.DisplayToDoc(end);
        ASSERT_EQ(list.DisplayToDoc(list.DocToDisplay(doc)), doc)
            << "row " << row << " settings " << settings << " line '" << list.Get(doc.Y) << "' start "
            << list.GetRow(row).Start << " length " << list.GetRow(row).Length << " end column " << end.Column
            << " display " << list.DocToDisplay(doc).Column << "," << list.DocToDisplay(doc).Row;
      }
    }
  }
}

// Walks the whole table: every line has its rows in order, each line's last
// row is marked, and the numbered headings count 1, 2, 3, ... Returns the
// first row of every line.
std::vector<int> CheckRowOrder(const TEditList& list) {
  std::vector<int> firstRows;
  int scene = 0;
  for (int row = 0; row < list.Rows().Count(); ++row) {
    const TRowInfo r = list.GetRow(row);
    if (r.RowInLine == 0) {
      EXPECT_EQ(r.Line, static_cast<int>(firstRows.size())) << "row " << row;
      firstRows.push_back(row);
    }
    if (r.SceneNo != 0) {
      EXPECT_EQ(r.SceneNo, ++scene) << "row " << row;
    }
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_EQ(static_cast<int>(firstRows.size()), list.Count());
  return firstRows;
}

TEST_F(RowTableTest, LongDocumentEditsMatchAFreshLayout) {
  // Tens of thousands of rows in many blocks, with numbered headings: single
  // and block edits split and merge the row blocks and move line and scene
  // numbers across block ends.
  TDocumentLayout layout;
  layout.LineInfoVisible = true;
  layout.LineInfoStyle = 4;
  list.ApplyLayoutSettings(layout);
  std::mt19937 rng(99);
  const std::vector<std::string> pieces = {"abc ",   Sj("あいう"),         Sj("「はい」"),
                                           Sj("。"), Sj("漢字《かんじ》"), ""};
  auto randomLine = [&] {
    std::string s = rng() % 6 == 0 ? Sj("○") : std::string();
    for (int n = static_cast<int>(rng() % 12); n > 0; --n) s += pieces[rng() % pieces.size()];
    return s;
  };
  auto randomBlock = [&](int most) {
    std::vector<std::string> lines(1 + rng() % static_cast<unsigned>(most));
    for (auto& line : lines) line = randomLine();
    return lines;
  };
  std::string text;
  for (int i = 0; i < 14000; ++i) text += randomLine() + "\r\n";
  list.SetText(text);
  Layout(16);
  ASSERT_GT(list.Rows().Count(), 30000);
  for (int step = 0; step < 240; ++step) {
    const int count = list.Count();
    const int line = static_cast<int>(rng() % static_cast<unsigned>(count));
    switch (rng() % 7) {
      case 0:
        list.Put(line, randomLine());
        break;
      case 1:
        list.Insert(line, randomLine());
        break;
      case 2:
        list.Delete(line);
        break;
      case 3:
        list.InsertLines(line, randomBlock(step % 3 == 0 ? 3000 : 20));
        break;
      case 4:
        list.DeleteLines(line, 1 + static_cast<int>(rng() % (step % 3 == 0 ? 3000u : 20u)));
        break;
      case 5:
        list.Add(randomLine());
        break;
      case 6:
        list.RenumberScenes();  // the numbers are right already: nothing may change
        break;
    }
    const std::vector<int> firstRows = CheckRowOrder(list);
    ASSERT_FALSE(HasFailure()) << "step " << step;
    const int probe = static_cast<int>(rng() % firstRows.size());
    ASSERT_EQ(list.FirstRowOfLine(probe), firstRows[static_cast<size_t>(probe)]) << "step " << step;
    if (step % 30 == 29) {
      ASSERT_EQ(list.Rows().Rows(), FreshRows()) << "step " << step;
    }
  }
}

TEST_F(RowTableTest, ProgressStagesAndCancelledSlowLayout) {
  std::vector<std::pair<int, int>> reports;
  list.OnRelayoutProgress = [&](TEditList*, int stage, int value, bool&) {
    reports.push_back({stage, value});
  };
  std::string text;
  for (int i = 0; i < 25; ++i) text += "line\r\n";
  list.SetText(text);
  list.FProgressInterval = 10;
  Layout(40);
  ASSERT_GE(reports.size(), 3u);
  EXPECT_EQ(reports.front(), std::make_pair(0, 0));
  EXPECT_EQ(reports[1], std::make_pair(1, 10));
  EXPECT_EQ(reports[2], std::make_pair(1, 20));
  EXPECT_EQ(reports.back(), std::make_pair(3, 26));
  EXPECT_FALSE(list.FNeedRelayout);
}

TEST_F(RowTableTest, LongRunsOfEmptyLinesLayOutAsLineByLine) {
  // A full layout stores long runs of empty lines in one piece; lines added
  // one at a time go through the incremental path. Both must agree, with and
  // without an indent and numbered scenes, and progress counts every line.
  std::vector<std::string> lines;
  for (int run : {64, 63, 5000, 1, 65, 4097}) {
    lines.push_back(Sj("○場面"));
    lines.insert(lines.end(), static_cast<size_t>(run), "");
    lines.push_back("abc");
  }
  for (int settings = 0; settings < 3; ++settings) {
    TDocumentLayout layout;
    layout.Wrap.ViewIndent = settings;
    layout.LineInfoVisible = settings == 2;
    layout.LineInfoStyle = settings == 2 ? 4 : 0;
    list.ApplyLayoutSettings(layout);
    list.SetText("");
    Layout(12);
    for (const std::string& line : lines) list.Add(line);
    ASSERT_EQ(list.Rows().Rows(), FreshRows()) << "settings " << settings;
  }
  std::vector<int> reported;
  list.OnRelayoutProgress = [&](TEditList*, int stage, int value, bool&) {
    if (stage == 1 || stage == 3) reported.push_back(value);
  };
  list.FProgressInterval = 1000;
  Layout(12);
  std::vector<int> expected;
  for (int line = 1000; line < list.Count(); line += 1000) expected.push_back(line);
  expected.push_back(list.Rows().Count());
  EXPECT_EQ(reported, expected);
}

TEST_F(RowTableTest, LineNumberDigitsBeforeTheFirstLayoutCountTheRowsToCome) {
  // Before a layout the column is sized for a row per capacity bytes of each
  // line, at least one a line; the text is read only when the bounds differ.
  const auto digitsFor = [&](const std::string& text) {
    list.SetText(text);
    return list.LineNumberDigits(10);
  };
  EXPECT_EQ(digitsFor(std::string(8, '\n')), 1);
  EXPECT_EQ(digitsFor(std::string(5, '\n') + std::string(30, 'x')), 1);  // 6 lines, 8 rows
  EXPECT_EQ(digitsFor(std::string(4, '\n') + std::string(60, 'x')), 2);  // 5 lines, 10 rows
  std::string lines;
  for (int i = 0; i < 5; ++i) lines += std::string(19, 'x') + "\n";
  EXPECT_EQ(digitsFor(lines), 2);                                         // 6 lines, 11 rows
  EXPECT_EQ(digitsFor(std::string(95, '\n') + std::string(50, 'x')), 3);  // 96 lines, 100 rows
  EXPECT_EQ(digitsFor(std::string(95, '\n') + std::string(40, 'x')), 2);  // 96 lines, 99 rows
}

TEST_F(RowTableTest, RelayoutIsSkippedWhileUpdating) {
  list.SetText("a\r\nb");
  list.BeginUpdate();
  Layout(40);
  EXPECT_EQ(list.Rows().Count(), 0);
  list.EndUpdate();
  Layout(40);
  EXPECT_EQ(list.Rows().Count(), 2);
}

TEST_F(RowTableTest, ChangedWrappingSettingsAskForALayout) {
  TDocumentLayout layout;
  list.ApplyLayoutSettings(layout);
  EXPECT_FALSE(list.FNeedRelayout);
  layout.HeadingStrs = {"#"};
  list.ApplyLayoutSettings(layout);
  EXPECT_FALSE(list.FNeedRelayout);  // headings do not move row ends
  layout.Wrap.TailHang = !layout.Wrap.TailHang;
  list.ApplyLayoutSettings(layout);
  EXPECT_TRUE(list.FNeedRelayout);
  list.ApplyLayoutSettings(layout);
  EXPECT_FALSE(list.FNeedRelayout);
  layout.Wrap.ProportionalFont = true;
  list.ApplyLayoutSettings(layout);
  list.ApplyLayoutSettings(layout);
  EXPECT_TRUE(list.FNeedRelayout);  // proportional measuring always lays out again
}

TEST_F(RowTableTest, WrapInputsAskForALayoutOnlyWhenRowsWouldMove) {
  list.SetText(std::string(30, 'x'));
  list.SetWrapInputs({.CapacityCells = 8});
  EXPECT_TRUE(list.FNeedRelayout);  // set by the new capacity, cleared only by the layout itself
  list.Relayout();
  EXPECT_FALSE(list.FNeedRelayout);
  list.SetWrapInputs({.CapacityCells = 3, .WrapWidthPx = 500});  // below 8 counts as 8; the width is unread
  EXPECT_FALSE(list.FNeedRelayout);
  EXPECT_EQ(list.WrapInputs().CapacityCells, 3);
  list.SetWrapInputs({.CapacityCells = 10});
  EXPECT_TRUE(list.FNeedRelayout);
  list.Relayout();
  EXPECT_EQ(list.RowCount(), 3);
  list.SetWrapInputs({.ColumnSpacePx = 4});
  EXPECT_TRUE(list.FNeedRelayout);
  list.Relayout();
  list.SetWrapInputs({.ColumnSpacePx = 9});  // without a width nothing wraps either way
  EXPECT_FALSE(list.FNeedRelayout);
  EXPECT_EQ(list.RowCount(), 1);
}

TEST_F(RowTableTest, LinesLongerThan65535BytesKeepTheirRows) {
  list.SetText(std::string(70000, 'a') + "\r\nb");
  Layout(0);
  EXPECT_EQ(list.GetRow(0).Length, 70000u);
  Layout(40);
  const int rows = list.FirstRowOfLine(1);
  EXPECT_EQ(rows, 1750);
  EXPECT_EQ(list.GetRow(rows - 1).Start, 69961u);
  EXPECT_EQ(list.DocToDisplay({70001, 0}), (TDisplayPos{41, rows - 1}));
}

}  // namespace
}  // namespace vorna
