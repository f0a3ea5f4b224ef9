// Range edits of the document: text of a range, deleting and inserting (stream
// and box), find, selection ranges, format and join. Random edits are checked
// against their inverse and the row table against a fresh layout.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "PlatformDoubles.h"
#include "RelayoutOracle.h"
#include "TestSupport.h"
#include "document/EditResults.h"
#include "text/StrSrch.h"

namespace vorna {
namespace {

using testing::Sj;

struct RangeEditsTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
  TEditResult result;

  // The tests start from the plain layout defaults, whatever style the document gets.
  RangeEditsTest() { list.ApplyLayoutSettings(TDocumentLayout{}); }
  void Load(std::string_view text, int capacity = 40) {
    list.SetText(text);
    list.SetWrapInputs({.CapacityCells = capacity});
    list.Relayout();
  }
  void Apply(const std::function<void(TDocumentLayout&)>& change) {
    TDocumentLayout layout = list.Layout();
    change(layout);
    list.ApplyLayoutSettings(layout);
    list.Relayout();
  }
  std::vector<TRowInfo> FreshRows() { return testing::FreshLayoutRows(list); }
  TDisplayPos Doc(int x, int line) { return list.DocToDisplay({x, line}); }
};

TEST_F(RangeEditsTest, StreamAndBoxRangeText) {
  Load("abc\r\n" + Sj("あいう") + "\r\nxy");
  EXPECT_EQ(list.GetRangeText({2, 0}, {3, 2}, false), "bc\r\n" + Sj("あいう") + "\r\nxy");
  EXPECT_EQ(list.GetRangeText({3, 2}, {2, 0}, false), "bc\r\n" + Sj("あいう") + "\r\nxy");  // swapped
  EXPECT_EQ(list.GetRangeText({1, 0}, {3, 2}, false), list.GetText());
  EXPECT_EQ(list.GetRangeText({2, 1}, {2, 1}, false), "");
  // Columns 2..3 of each row: on the double-byte row both ends sit on trail
  // cells and move one byte right, so the piece is "い".
  EXPECT_EQ(list.GetRangeText({2, 0}, {4, 2}, true), "bc\r\n" + Sj("い") + "\r\ny");
  EXPECT_EQ(list.GetRangeText({4, 2}, {2, 0}, true), "bc\r\n" + Sj("い") + "\r\ny");
  // Rows past the end are the last row; columns past a row give nothing there.
  EXPECT_EQ(list.GetRangeText({2, 1}, {9, 50}, true), Sj("いう") + "\r\ny");
  EXPECT_EQ(list.GetRangeText({-5, -5}, {99, 99}, false), list.GetText().substr(0, 13));
}

TEST_F(RangeEditsTest, VirtualSpaceIsPaddedWithSpaces) {
  struct TCase {
    bool Zenkaku;
    std::string Line;
  };
  for (const TCase& c : {TCase{false, "ab  x"}, TCase{true, "ab" + Sj("　") + "x"}}) {
    Apply([&](TDocumentLayout& l) { l.UseZenkaku = c.Zenkaku; });
    Load("ab");
    list.InsertText({5, 0}, "x", result, false);  // three cells past the end of "ab"
    EXPECT_EQ(list.Get(0), c.Line);
    EXPECT_EQ(result.InsertedText, c.Line.substr(2));
    EXPECT_EQ(result.CaretPos, (TDisplayPos{6, 0}));
    EXPECT_EQ(result.InsertStart, (TDisplayPos{3, 0}));
    EXPECT_TRUE(list.GetModified());
  }
}

TEST_F(RangeEditsTest, EnterKeepsTheIndentAndContinuesLists) {
  struct TCase {
    bool EditIndent, Itemized, Zenkaku;
    std::string Line, NewLine;
  };
  const TCase cases[] = {
      {true, false, false, "    text", "    "},
      {true, false, true, "    text", Sj("　　")},
      {false, false, false, "    text", ""},
      {false, true, false, "3. item", "4."},  // the label ends at the full stop
      {false, true, false, Sj("３．項目"), Sj("４．")},
      {false, false, false, "3. item", ""},
      {true, true, false, "no number", ""},
  };
  for (const TCase& c : cases) {
    Apply([&](TDocumentLayout& l) {
      l.UseZenkaku = c.Zenkaku;
      l.Wrap.ItemizedStatement = c.Itemized;
    });
    list.FEditSettings.EditIndent = c.EditIndent;
    Load(c.Line + "\r\nnext");
    list.InsertText(Doc(static_cast<int>(c.Line.size()) + 1, 0), "\r\n", result, false);
    ASSERT_EQ(list.Count(), 3) << c.Line;
    EXPECT_EQ(list.Get(0), c.Line);
    EXPECT_EQ(list.Get(1), c.NewLine) << c.Line;
    EXPECT_EQ(result.InsertedText, "\r\n" + c.NewLine);
    EXPECT_EQ(result.CaretPos, Doc(static_cast<int>(c.NewLine.size()) + 1, 1));
    EXPECT_EQ(result.LastRow, kRowsToEnd);
    EXPECT_EQ(list.Rows().Rows(), FreshRows());
  }
}

TEST_F(RangeEditsTest, PastedLinesKeepTheIndent) {
  list.FEditSettings.EditIndent = true;
  Apply([](TDocumentLayout& l) { l.UseZenkaku = true; });
  Load("  xyz");
  // Three pieces into an indented line with full-width pairs: every new line
  // gets the indent of the line pasted into.
  list.InsertText({4, 0}, "a\r\nb\r\nc", result, false);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"  xa", Sj("　") + "b", Sj("　") + "cyz"}));
  EXPECT_EQ(result.InsertedText, "a\r\n" + Sj("　") + "b\r\n" + Sj("　") + "c");
  EXPECT_EQ(result.CaretPos, (TDisplayPos{4, 2}));
  // The label of a list follows every new line of a paste.
  Apply([](TDocumentLayout& l) { l.Wrap.ItemizedStatement = true; });
  list.FEditSettings.EditIndent = false;
  Load("1. one");
  list.InsertText({7, 0}, "\r\ntwo\r\nthree", result, false);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"1. one", "2.two", "3.three"}));
}

TEST_F(RangeEditsTest, VerbatimInsertionKeepsNoIndentAndNoNumber) {
  list.FEditSettings.EditIndent = true;
  Load("    a");
  list.InsertText({6, 0}, "\r\nx", result, false, true);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"    a", "x"}));
  EXPECT_EQ(result.InsertedText, "\r\nx");
  list.FEditSettings.EditIndent = false;
  Apply([](TDocumentLayout& l) { l.Wrap.ItemizedStatement = true; });
  Load("1. one");
  list.InsertText({7, 0}, "\r\nx", result, false, true);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"1. one", "x"}));
}

TEST_F(RangeEditsTest, LoneLineEndsBreakLinesLikeCrLf) {
  Load("ab");
  list.InsertText({2, 0}, "1\r2\n3\r\n", result, false);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a1", "2", "3", "b"}));
  EXPECT_EQ(result.InsertedText, "1\r\n2\r\n3\r\n");
  EXPECT_EQ(result.CaretPos, (TDisplayPos{1, 3}));
  list.InsertText({1, 3}, "\n\r", result, false);  // LF then CR: two breaks
  EXPECT_EQ(list.Count(), 6);
  for (const auto& line : list.Lines()) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
}

TEST_F(RangeEditsTest, DeletionCarriesATrackedPosition) {
  Load("0123\r\nabcdef\r\nuvwxyz\r\nlast");
  struct TCase {
    TTextPos Track, Expected;
  };
  // Delete from (3, 0) to (4, 2): "23", "abcdef", "uvw".
  const TCase cases[] = {
      {{6, 2}, {5, 0}},  // behind the deletion on its last line: same distance behind the cut
      {{4, 2}, {3, 0}},  // right at its end
      {{3, 3}, {3, 1}},  // a later line moves up by the lines removed
      {{2, 0}, {2, 0}},  // before it: unchanged
      {{2, 1}, {3, 0}},  // inside it: collapses onto the cut
  };
  for (const TCase& c : cases) {
    Load("0123\r\nabcdef\r\nuvwxyz\r\nlast");
    result.TrackPos = Doc(c.Track.X, c.Track.Y);
    list.DeleteRange({3, 0}, {4, 2}, result, false);
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"01xyz", "last"}));
    EXPECT_EQ(result.DeletedText, "23\r\nabcdef\r\nuvw");
    EXPECT_EQ(result.TrackPos, Doc(c.Expected.X, c.Expected.Y)) << c.Track.X << "," << c.Track.Y;
    EXPECT_EQ(result.CaretPos, (TDisplayPos{3, 0}));
    EXPECT_EQ(result.FirstRow, 0);
    EXPECT_EQ(result.LastRow, kRowsToEnd);
  }
}

TEST_F(RangeEditsTest, RepaintRangeOfEditsInsideOneLine) {
  Load(std::string(20, 'x') + "\r\nyy", 8);
  list.DeleteRange({2, 1}, {4, 1}, result, false);  // inside the second row: row count unchanged
  EXPECT_EQ(result.FirstRow, 1);
  EXPECT_EQ(result.LastRow, 2);
  list.InsertText({1, 1}, "ab", result, false);  // not a line's first row: the row before repaints too
  EXPECT_EQ(result.FirstRow, 0);
  EXPECT_EQ(result.LastRow, 2);
  list.InsertText({3, 3}, "zz", result, false);
  EXPECT_EQ(result.FirstRow, 3);
  EXPECT_EQ(result.LastRow, 3);
  list.InsertText({1, 2}, std::string(8, 'q'), result, false);  // a new row: to the end
  EXPECT_EQ(result.LastRow, kRowsToEnd);
}

TEST_F(RangeEditsTest, BoxDeletionAndInsertion) {
  Load("abcdef\r\n" + Sj("あいう") + "\r\nxy\r\n12345");
  list.DeleteRange({2, 0}, {4, 3}, result, true);
  EXPECT_EQ(result.DeletedText, "bc\r\n" + Sj("い") + "\r\ny\r\n23");
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"adef", Sj("あう"), "x", "145"}));
  EXPECT_EQ(result.CaretPos, (TDisplayPos{2, 0}));
  EXPECT_EQ(list.Rows().Rows(), FreshRows());
  // Putting the text back as a box at the same corner restores every row.
  list.InsertText({2, 0}, result.DeletedText, result, true);
  EXPECT_EQ(list.GetText(), "abcdef\r\n" + Sj("あいう") + "\r\nxy\r\n12345");
  ASSERT_EQ(result.BoxPieces.size(), 4u);
  EXPECT_EQ(result.BoxPieces[1], (TBoxPiece{{3, 1}, {5, 1}}));
  // A piece beyond a short row is padded up to the box's column.
  Load("abcdef\r\nx");
  list.InsertText({5, 0}, "1\r\n2", result, true);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"abcd1ef", "x   2"}));
  EXPECT_EQ(result.InsertedText, "1\r\n   2");
  EXPECT_EQ(result.BoxPieces[1], (TBoxPiece{{2, 1}, {6, 1}}));
  // Rows below the last map to the start of the last row: no line is added.
  Load("ab");
  list.InsertText({2, 0}, "1\r\n2", result, true);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"2a1b"}));
}

TEST_F(RangeEditsTest, HeadingEditsRenumberScenes) {
  Apply([](TDocumentLayout& l) {
    l.LineInfoVisible = true;
    l.LineInfoStyle = 4;
  });
  list.FEditSettings.HeadingVisible = true;
  int fired = 0;
  list.OnHeadingChange = [&](TEditList*) { ++fired; };
  Load(Sj("○一") + "\r\nx\r\n" + Sj("○二") + "\r\ny\r\n" + Sj("○三"));
  list.DeleteRange({1, 1}, {1, 3}, result, false);  // removes the second heading
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(result.LastRow, kRowsToEnd);
  EXPECT_EQ(list.GetRow(2).SceneNo, 2);
  EXPECT_EQ(list.Rows().Rows(), FreshRows());
  // Deleting a heading mark out of a single line is a heading change too.
  list.DeleteRange({1, 2}, {3, 2}, result, false);
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(list.GetRow(2).SceneNo, 0);
  list.InsertText({1, 1}, Sj("■"), result, false);
  EXPECT_EQ(fired, 3);
  EXPECT_EQ(list.GetRow(1).SceneNo, 2);
  EXPECT_EQ(list.Rows().Rows(), FreshRows());
  // Without the heading view element a plain edit fires nothing.
  list.FEditSettings.HeadingVisible = false;
  Apply([](TDocumentLayout& l) { l.LineInfoVisible = false; });
  list.DeleteRange({1, 2}, {2, 2}, result, false);
  EXPECT_EQ(fired, 3);
}

TEST_F(RangeEditsTest, FindCountsOccurrencesWithoutWrappingAround) {
  Load("ab ab\r\nxx\r\nAb ab");
  TDisplayPos found;
  list.FindText("ab", {1, 0}, found, 1, true);
  EXPECT_EQ(found, (TDisplayPos{1, 0}));
  list.FindText("ab", {2, 0}, found, 1, true);
  EXPECT_EQ(found, (TDisplayPos{4, 0}));
  list.FindText("ab", {2, 0}, found, 2, true);
  EXPECT_EQ(found, (TDisplayPos{4, 2}));  // "Ab" differs in case
  list.FindText("ab", {2, 0}, found, 3, true);
  EXPECT_EQ(found, (TDisplayPos{-1, -1}));
  list.FFindOptions = 1;
  list.FindText("ab", {2, 0}, found, 2, true);
  EXPECT_EQ(found, (TDisplayPos{1, 2}));
  list.FFindOptions = 0;
  // Backward: a match counts when it ends at or before the start byte.
  list.FindText("ab", {5, 2}, found, 1, false);
  EXPECT_EQ(found, (TDisplayPos{4, 2}));
  list.FindText("ab", {4, 2}, found, 1, false);
  EXPECT_EQ(found, (TDisplayPos{4, 0}));
  list.FindText("ab", {4, 2}, found, 2, false);
  EXPECT_EQ(found, (TDisplayPos{1, 0}));
  list.FindText("ab", {4, 2}, found, 3, false);
  EXPECT_EQ(found, (TDisplayPos{-1, -1}));
  list.FFindOptions = 2;  // whole words
  Load("abc ab");
  list.FindText("ab", {1, 0}, found, 1, true);
  EXPECT_EQ(found, (TDisplayPos{5, 0}));
  for (const std::string& pattern : {std::string(), std::string(20, 'a')}) {
    list.FindText(pattern, {1, 0}, found, 1, true);
    EXPECT_EQ(found, (TDisplayPos{-1, -1}));
  }
  list.FindText("ab", {1, 0}, found, 0, true);
  EXPECT_EQ(found, (TDisplayPos{-1, -1}));
}

TEST_F(RangeEditsTest, SelectRangesOfEveryKind) {
  list.FEditSettings.LineCountInPage = 2;
  Load(Sj("あい") + " word\r\n" + std::string(12, 'x') + "\r\nend", 8);
  // Rows: 0 "あい word"(9 cells, 2 rows: 8 + 1), ... check through the layout.
  TDisplayPos a, b;
  list.GetSelectRange(skCharacter, {1, 0}, a, b);
  EXPECT_EQ(a, (TDisplayPos{1, 0}));
  EXPECT_EQ(b, (TDisplayPos{3, 0}));
  const int lastRow = list.RowCount() - 1;
  list.GetSelectRange(skCharacter, {4, lastRow}, a, b);  // at the end of the last line
  EXPECT_EQ(b.Row, -1);
  list.GetSelectRange(skWord, {6, 0}, a, b);  // "word" across the row end
  EXPECT_EQ(a, Doc(6, 0));
  EXPECT_EQ(b, list.DocToDisplay({10, 0}, true));
  list.GetSelectRange(skWord, {4, lastRow}, a, b);  // just after the end steps back into "end"
  EXPECT_EQ(a, (TDisplayPos{1, lastRow}));
  EXPECT_EQ(b, (TDisplayPos{4, lastRow}));
  list.GetSelectRange(skRow, {2, 3}, a, b);
  EXPECT_EQ(a, (TDisplayPos{1, 3}));
  EXPECT_EQ(b, (TDisplayPos{list.RowCellCount(3) + 1, 3}));
  list.GetSelectRange(skLine, {2, 1}, a, b);
  EXPECT_EQ(a, (TDisplayPos{1, 0}));
  EXPECT_EQ(b, Doc(1, 1));
  list.GetSelectRange(skLine, {2, lastRow}, a, b);
  EXPECT_EQ(b, (TDisplayPos{4, lastRow}));
  list.GetSelectRange(skPage, {3, 1}, a, b);
  EXPECT_EQ(a, (TDisplayPos{1, 0}));
  EXPECT_EQ(b, (TDisplayPos{1, 2}));
  // The last page ends at the end of the last row, whatever row is given.
  ASSERT_EQ(lastRow, 4);
  list.GetSelectRange(skPage, {1, 4}, a, b);
  EXPECT_EQ(a, (TDisplayPos{1, 4}));
  EXPECT_EQ(b, (TDisplayPos{4, 4}));
  list.GetSelectRange(skPage, {1, 99}, a, b);
  EXPECT_EQ(b, (TDisplayPos{4, 4}));
  list.GetSelectRange(skAll, {2, 2}, a, b);
  EXPECT_EQ(a, (TDisplayPos{1, 0}));
  EXPECT_EQ(b, (TDisplayPos{4, 4}));
  list.FEditSettings.LineCountInPage = 0;
  list.GetSelectRange(skPage, {1, 1}, a, b);
  EXPECT_EQ(a, (TDisplayPos{0, -1}));
  EXPECT_EQ(b, (TDisplayPos{0, -1}));
  list.GetSelectRange(static_cast<TSelectKind>(9), {2, 1}, a, b);
  EXPECT_EQ(a, (TDisplayPos{2, 1}));
  EXPECT_EQ(b, (TDisplayPos{2, 1}));
}

TEST_F(RangeEditsTest, FormatCutsAtTheLayoutsWrapPoints) {
  const std::string item = Sj("・") + std::string(12, 'a');
  Load(item + "\r\n" + std::string(10, 'b') + "\r\nend");
  TFormatResult format;
  list.FormatLines({1, 0}, {2, list.FirstRowOfLine(2)}, format, nullptr, 8);
  // The mark's hanging indent goes in front of every continuation piece.
  EXPECT_EQ(list.Lines(),
            (std::vector<std::string>{Sj("・") + "aaaaaa", "  aaaaaa", std::string(8, 'b'), "bb", "end"}));
  EXPECT_EQ(format.RowCounts, (std::vector<int>{2, 2}));
  EXPECT_EQ(format.Indents, (std::vector<int>{2, 0}));
  EXPECT_EQ(format.CaretPos, Doc(2, 4));
  EXPECT_EQ(list.Rows().Rows(), FreshRows());
  // Same line: nothing happens.
  list.FormatLines({1, 0}, {3, 0}, format, nullptr, 8);
  EXPECT_TRUE(format.RowCounts.empty());
  EXPECT_EQ(list.Count(), 5);
  // Given lengths cut every line alike; bytes beyond them form one more piece.
  Load("abcdef\r\n123\r\nend");
  const std::vector<int> lengths{2, 1};
  list.FormatLines({1, 0}, {1, 2}, format, &lengths, 0);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"ab", "c", "def", "12", "3", "end"}));
  EXPECT_EQ(format.RowCounts, (std::vector<int>{3, 2}));
  // An entry past the line's end gives an empty piece: the cut of a join that
  // took an empty line comes back.
  Load("abc\r\nend");
  const std::vector<int> joined{3, 0};
  list.FormatLines({1, 0}, {1, 1}, format, &joined, 0);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"abc", "", "end"}));
}

TEST_F(RangeEditsTest, RestoreJoinsAndDropsTheIndent) {
  Load("abc\r\n  def\r\n  " + Sj("　") + "g\r\nend");
  TRestoreResult restore;
  list.RestoreFormat({1, 0}, {1, 3}, restore, 2);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"abcdef" + Sj("　") + "g", "end"}));
  EXPECT_EQ(restore.Lengths, (std::vector<int>{3, 5, 5}));
  EXPECT_EQ(restore.CaretPos, (TDisplayPos{1, 1}));
  // An indent length that would split a double-byte character keeps it whole.
  Load("a\r\n" + Sj("あい") + "\r\nend");
  list.RestoreFormat({1, 0}, {1, 2}, restore, 1);
  EXPECT_EQ(list.Get(0), "a" + Sj("あい"));
}

TEST_F(RangeEditsTest, LineEndQuestions) {
  Load(std::string(20, 'x') + "\r\nab", 8);
  EXPECT_EQ(list.RowsToLineEnd(0), 3);
  EXPECT_EQ(list.RowsToLineEnd(2), 1);
  EXPECT_EQ(list.RowsToLineEnd(3), 1);
  EXPECT_EQ(list.RowsToLineEnd(-1), 1);
  EXPECT_EQ(list.RowsToLineEnd(40), 1);
  EXPECT_FALSE(list.IsAtLineEnd({9, 0}));  // end of a row, not of the line
  EXPECT_TRUE(list.IsAtLineEnd({5, 2}));
  EXPECT_FALSE(list.IsAtLineEnd({4, 2}));
  EXPECT_TRUE(list.IsAtLineEnd({7, 3}));  // beyond the end: nothing to overwrite either
  EXPECT_FALSE(list.IsAtLineEnd({1, 9}));
}

// Random documents and edits: every edit is undone by its inverse, the range
// text equals what a deletion removes, and the row table always equals a fresh
// layout.
struct RandomEditsTest : RangeEditsTest {
  std::mt19937 rng{2718};
  const std::vector<std::string> pieces = {"",       "a",        "ab cd ", "123",    "\t",
                                           Sj("あ"), Sj("漢字"), Sj("「"), Sj("」"), Sj("。"),
                                           Sj("○"),  Sj("・"),   "3. ",    Sj("　"), "  "};
  std::string RandomText(int maxPieces, bool breaks) {
    std::string s;
    const int n = static_cast<int>(rng() % static_cast<unsigned>(maxPieces + 1));
    for (int i = 0; i < n; ++i) s += breaks && rng() % 5 == 0 ? "\r\n" : pieces[rng() % pieces.size()];
    return s;
  }
  TDisplayPos RandomPos() {
    const int row = static_cast<int>(rng() % static_cast<unsigned>(list.RowCount()));
    return {1 + static_cast<int>(rng() % static_cast<unsigned>(list.RowCellCount(row) + 1)), row};
  }
  void Setup(int variant) {
    Apply([&](TDocumentLayout& l) {
      l.Wrap.ViewIndent = variant % 3;
      l.Wrap.TabVisible = variant % 2;
      l.UseZenkaku = variant & 2;
      l.Wrap.ItemizedStatement = variant & 4;
      l.LineInfoVisible = true;
      l.LineInfoStyle = 4;
    });
    list.FEditSettings.HeadingVisible = true;
    std::string text = RandomText(30, true);
    Load(text, variant % 3 == 0 ? 0 : 8 + 4 * variant);
  }
};

TEST_F(RandomEditsTest, InsertionIsUndoneByDeletingWhatItReported) {
  for (int variant = 0; variant < 8; ++variant) {
    Setup(variant);
    list.FEditSettings.EditIndent = variant & 1;
    for (int step = 0; step < 150; ++step) {
      const std::string before = list.GetText();
      const std::string text = RandomText(6, true);
      const bool box = rng() % 3 == 0;
      list.InsertText(RandomPos(), text, result, box);
      ASSERT_EQ(list.Rows().Rows(), FreshRows()) << variant << " " << step;
      if (box) {
        for (size_t i = result.BoxPieces.size(); i-- > 0;) {
          TEditResult undo;
          list.DeleteRange(result.BoxPieces[i].Start, result.BoxPieces[i].End, undo, false);
        }
      } else {
        TEditResult undo;
        list.DeleteRange(result.InsertStart, result.CaretPos, undo, false);
        ASSERT_EQ(undo.DeletedText, result.InsertedText);
      }
      ASSERT_EQ(list.GetText(), before) << variant << " " << step << " box " << box;
      ASSERT_EQ(list.Rows().Rows(), FreshRows());
      if (step % 10 == 0) Load(RandomText(30, true), list.WrapInputs().CapacityCells);
    }
  }
}

TEST_F(RandomEditsTest, DeletionRemovesTheRangeTextAndInsertingItRestores) {
  for (int variant = 0; variant < 8; ++variant) {
    Setup(variant & ~4);  // no list labels: the text goes back as it was
    for (int step = 0; step < 150; ++step) {
      const std::string before = list.GetText();
      const TDisplayPos a = RandomPos(), b = RandomPos();
      const std::string range = list.GetRangeText(a, b, false);
      list.DeleteRange(a, b, result, false);
      ASSERT_EQ(result.DeletedText, range);
      ASSERT_EQ(list.Rows().Rows(), FreshRows()) << variant << " " << step;
      list.InsertText(result.CaretPos, range, result, false);
      ASSERT_EQ(list.GetText(), before) << variant << " " << step;
      if (step % 10 == 0) Load(RandomText(30, true), list.WrapInputs().CapacityCells);
    }
  }
}

TEST_F(RandomEditsTest, BoxDeletionIsUndoneByABoxInsertion) {
  for (int variant = 0; variant < 4; ++variant) {
    Apply([&](TDocumentLayout& l) {
      l.Wrap.ViewIndent = 0;
      l.UseZenkaku = variant & 1;
    });
    for (int step = 0; step < 150; ++step) {
      if (step % 10 == 0) {
        std::string text;
        for (int line = 0; line < 6; ++line) {
          for (int k = static_cast<int>(rng() % 8); k > 0; --k) text += rng() % 2 ? Sj("あ") : "b";
          text += "\r\n";
        }
        Load(text, 0);
      }
      const std::string before = list.GetText();
      const TDisplayPos a = RandomPos(), b = RandomPos();
      const std::string range = list.GetRangeText(a, b, true);
      list.DeleteRange(a, b, result, true);
      ASSERT_EQ(result.DeletedText, range);
      ASSERT_EQ(list.Rows().Rows(), FreshRows());
      list.InsertText({std::min(a.Column, b.Column), std::min(a.Row, b.Row)}, range, result, true);
      ASSERT_EQ(list.GetText(), before) << variant << " " << step;
    }
  }
}

TEST_F(RandomEditsTest, FormatIsUndoneByRestoringWithItsIndents) {
  for (int variant = 0; variant < 8; ++variant) {
    Setup(variant);
    for (int step = 0; step < 60; ++step) {
      Load(RandomText(40, true), list.WrapInputs().CapacityCells);
      const std::string before = list.GetText();
      const int rows = list.RowCount();
      int r1 = static_cast<int>(rng() % static_cast<unsigned>(rows));
      int r2 = static_cast<int>(rng() % static_cast<unsigned>(rows));
      if (r2 < r1) std::swap(r1, r2);
      const int width = 3 + static_cast<int>(rng() % 20);
      TFormatResult format;
      list.FormatLines({1, r1}, {1, r2}, format, nullptr, width);
      ASSERT_EQ(list.Rows().Rows(), FreshRows());
      // Undo: join every formatted line's pieces again, from the last up.
      int line = list.DisplayToDoc(format.CaretPos).Y;
      for (size_t i = format.RowCounts.size(); i-- > 0;) {
        TRestoreResult restore;
        const int from = line - format.RowCounts[i];
        list.RestoreFormat({1, list.FirstRowOfLine(from)}, {1, list.FirstRowOfLine(line)}, restore,
                           format.Indents[i]);
        line = from;
      }
      ASSERT_EQ(list.GetText(), before) << variant << " " << step << " width " << width;
      // And a join is undone by cutting at the lengths it recorded.
      TRestoreResult restore;
      list.RestoreFormat({1, r1}, {1, r2}, restore, 0);
      ASSERT_EQ(list.Rows().Rows(), FreshRows());
      if (!restore.Lengths.empty()) {
        const int first = list.GetRow(r1).Line;
        list.FormatLines({1, list.FirstRowOfLine(first)}, {1, list.FirstRowOfLine(first + 1)}, format,
                         &restore.Lengths, 0);
      }
      ASSERT_EQ(list.GetText(), before) << variant << " " << step;
    }
  }
}

TEST_F(RandomEditsTest, FindVisitsTheOccurrencesFindAllLists) {
  for (int variant = 0; variant < 4; ++variant) {
    Setup(variant);
    list.FFindOptions = static_cast<unsigned char>(variant);
    for (const std::string& pattern : std::vector<std::string>{"a", "ab", Sj("あ"), " ", Sj("漢字"), "3"}) {
      std::vector<TTextPos> all;
      for (int line = 0; line < list.Count(); ++line)
        for (const int o : FindAll(pattern, list.Get(line), variant)) all.push_back({o, line});
      TDisplayPos found;
      for (size_t k = 0; k < all.size(); ++k) {
        list.FindText(pattern, {1, 0}, found, static_cast<int>(k) + 1, true);
        ASSERT_EQ(found, list.DocToDisplay(all[k]));
      }
      list.FindText(pattern, {1, 0}, found, static_cast<int>(all.size()) + 1, true);
      EXPECT_EQ(found, (TDisplayPos{-1, -1}));
    }
  }
}

TEST_F(RangeEditsTest, EditsBeforeTheFirstLayoutKeepTheLines) {
  list.SetText("abc\r\ndef");  // no rows yet: every position reads as a row's start
  list.InsertText({1, 1}, "x\r\ny", result, false);
  list.DeleteRange({1, 0}, {2, 0}, result, true);
  TDisplayPos found;
  list.FindText("y", {1, 0}, found, 1, true);
  EXPECT_EQ(found.Row, -1);  // found, but no row shows it yet
  list.Relayout();
  EXPECT_EQ(list.GetText(), "abc\r\nx\r\nydef");
  EXPECT_EQ(list.Rows().Rows(), FreshRows());
}

TEST_F(RandomEditsTest, PositionsFarOutsideAreClamped) {
  const TDisplayPos wild[] = {{-100, -100}, {1, 1 << 30}, {1 << 30, 0}, {-5, 3}, {3, -1}, {1 << 30, 1 << 30}};
  for (int variant = 0; variant < 4; ++variant) {
    Setup(variant);
    for (const TDisplayPos a : wild) {
      for (const TDisplayPos b : wild) {
        for (const bool box : {false, true}) {
          list.GetRangeText(a, b, box);
          list.DeleteRange(a, b, result, box);
          list.InsertText(a, "x\r\ny", result, box);
          ASSERT_LE(result.InsertedText.size(), 2 * 4100u);  // virtual space is capped per piece
          TDisplayPos found, s, e;
          list.FindText("x", a, found, 1, b.Row > 0);
          for (int kind = 0; kind <= 7; ++kind) list.GetSelectRange(static_cast<TSelectKind>(kind), a, s, e);
          TFormatResult format;
          list.FormatLines(a, b, format, nullptr, b.Column % 4);
          TRestoreResult restore;
          list.RestoreFormat(a, b, restore, a.Column);
          ASSERT_EQ(list.Rows().Rows(), FreshRows());
        }
      }
    }
  }
}

}  // namespace
}  // namespace vorna
