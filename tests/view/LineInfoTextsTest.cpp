// The plain rules behind the number column and the manuscript grid: which
// number a row shows, and which rows open and close a block of the grid.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "view/RowPaintInfos.h"

namespace vorna {
namespace {

// Rows 0 .. count-1 under `in`, the shown ones as "text@row".
std::string Shown(TLineInfoInputs in, int count, int first = 0) {
  std::string out;
  for (int row = first; row < first + count; ++row) {
    in.Row = row;
    in.Line = row;
    const std::string text = LineInfoText(in);
    if (!text.empty()) out += text + "@" + std::to_string(row) + " ";
  }
  return out;
}

TEST(LineInfoTexts, PagesIntervalsOffsetsAndPadding) {
  TLineInfoInputs in{.Style = 3, .LineCountInPage = 20, .Interval = 1, .StartNo = 1, .Digits = 3};
  EXPECT_EQ(Shown(in, 41), "P1@0 P2@20 P3@40 ");
  // Without a page length: row numbers, or nothing at all.
  for (int perPage : {0, -20}) {
    in.LineCountInPage = perPage;
    EXPECT_EQ(Shown(in, 30), "");
    in.Style = 2;
    EXPECT_EQ(Shown(in, 1, 20), "21@20 ");
    in.Style = 3;
  }
  TLineInfoInputs rows{.Style = 0, .Interval = 5, .StartNo = 1, .Digits = 3};
  EXPECT_EQ(Shown(rows, 12), "1@0 6@5 11@10 ");
  rows.StartNo = 8;  // nothing below the first number shown
  EXPECT_EQ(Shown(rows, 14), "8@7 13@12 ");
  rows.Interval = 0;
  rows.StartLineNo = 2;  // numbers of 0 or less stay away
  EXPECT_EQ(Shown(rows, 4), "1@2 2@3 ");
  // Page labels are no line numbers: neither offset nor interval applies.
  TLineInfoInputs pages{.Style = 2, .LineCountInPage = 10, .StartLineNo = 1, .Interval = 4, .StartNo = 1};
  EXPECT_EQ(Shown(pages, 6, 10), "P2@10 1@11 5@15 ");
  pages = {.Style = 2, .LineCountInPage = 10, .FillZero = true, .Digits = 4};
  EXPECT_EQ(Shown(pages, 2, 10), "P002@10 0002@11 ");
}

TEST(LineInfoTexts, LinesAndScenesOnFirstRowsAndBadSettings) {
  EXPECT_EQ(LineInfoText({.Style = 1, .Line = 6, .FirstRowOfLine = true}), "7");
  EXPECT_EQ(LineInfoText({.Style = 1, .Line = 6}), "");
  EXPECT_EQ(LineInfoText({.Style = 4, .FirstRowOfLine = true, .SceneNo = 12}), "12");
  EXPECT_EQ(LineInfoText({.Style = 4, .FirstRowOfLine = true}), "");
  // Counted in 64 bits, padded no further than 20 digits.
  EXPECT_EQ(LineInfoText({.Style = 0, .Row = INT_MAX - 1, .StartLineNo = INT_MIN}), "4294967295");
  EXPECT_EQ(LineInfoText({.Style = 0, .Row = 5, .Interval = INT_MAX, .StartNo = INT_MIN}), "");
  EXPECT_EQ(LineInfoText({.Style = 0, .Row = 5, .FillZero = true, .Digits = INT_MAX}).size(), 20u);
  EXPECT_EQ(LineInfoText({.Style = 0, .Row = -1}) + LineInfoText({.Style = 9, .Row = 3}), "");
}

TEST(GridBlocks, PagesInTheWindowPartitionsOnPaperAndTheDocumentsEnd) {
  const auto ends = [](TGridBlockInputs in, int row, int slot) {
    in.Row = row;
    in.Slot = slot;
    const TGridBlockEnds e = GridBlockEnds(in);
    return std::string(e.First ? "F" : "") + (e.Last ? "L" : "");
  };
  // The window's slot counts from the row scrolled into view: it must not matter.
  const TGridBlockInputs window{.SlotsPerPartition = 30, .LineCountInPage = 20};
  EXPECT_EQ(ends(window, 20, 3) + ends(window, 39, 0) + ends(window, 25, 29), "FL");
  EXPECT_EQ(ends({.SlotsPerPartition = 30, .LineCountInPage = -4}, 0, 4), "F");
  EXPECT_EQ(ends({.SlotsPerPartition = 30, .LineCountInPage = -4}, 4, 0), "");
  // Partitions cut a page of rows where they end; on paper they are the block.
  const TGridBlockInputs parts{.SlotsPerPartition = 12, .Partitioned = true, .LineCountInPage = 20};
  EXPECT_EQ(ends(parts, 12, 0) + ends(parts, 11, 11) + ends(parts, 19, 7), "FLL");
  const TGridBlockInputs paper{.SlotsPerPartition = 10, .SlotBlocks = true, .LineCountInPage = 20};
  EXPECT_EQ(ends(paper, 10, 0) + ends(paper, 19, 5) + ends(paper, 9, 9), "FL");
  EXPECT_EQ(ends({.SlotsPerPartition = 10, .SlotBlocks = true, .ClosesDocument = true}, 3, 3), "L");
}

}  // namespace
}  // namespace vorna
