// The find bar's operations on the view: stepping with wrapping, colouring
// whole-line matches on rows, replacing the selected match, replace-all as
// one edit that one undo takes back byte for byte, and what changes nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "EditorViewFixtures.h"
#include "TestSupport.h"
#include "text/TextReplaces.h"

namespace vorna {
namespace {

using testing::PlainWindow;
using testing::Sj;

class TSearchViewTest : public testing::TEditorViewTest {
 protected:
  void MakeWindow(const std::string& text) {
    MakeView();
    PlainWindow(Style());
    Element(kElemFind).SetDisplayMode(kModeShown);
    SetText(text);
  }
  std::shared_ptr<const TTextSearch> Use(const std::string& utf8, TSearchOptions options = {}) {
    auto search = std::make_shared<const TTextSearch>(Sj(utf8), View->SearchOptionsFor(options));
    View->SetSearch(search);
    return search;
  }
  std::string Text() const { return View->List().GetText(); }
  std::string Selected() const { return View->GetSelText(); }
  TTextPos SelStartDoc() const {
    TDisplayPos start, end;
    View->GetNormalizedSelection(start, end);
    return View->DocPosOf(start);
  }
  // The cells of the row's display text coloured as matches, as a string of
  // '#' and '.'.
  std::string FoundCells(int row) const {
    const TRowPaintInfo& info = View->GetRowPaintInfo(row);
    std::string out;
    for (size_t i = 0; i + 1 < info.Cells.size(); ++i) out += info.Cells[i].Style == kElemFind ? '#' : '.';
    return out;
  }
};

TEST_F(TSearchViewTest, StepsForwardAndBackWrappingAndSaysWhenItWrapped) {
  MakeWindow("one two One\r\ntwo one");
  Use("one");
  View->SetCaretPos({5, 0}, cmAbsolute);
  TViewFindResult r = View->FindWithSearch(true);
  EXPECT_FALSE(r.Wrapped);
  EXPECT_EQ(SelStartDoc(), (TTextPos{9, 0}));  // case alike by default
  EXPECT_EQ(Selected(), "One");
  r = View->FindWithSearch(true);
  EXPECT_EQ(SelStartDoc(), (TTextPos{5, 1}));
  r = View->FindWithSearch(true);
  EXPECT_TRUE(r.Wrapped);
  EXPECT_EQ(SelStartDoc(), (TTextPos{1, 0}));
  r = View->FindWithSearch(false);
  EXPECT_TRUE(r.Wrapped);
  EXPECT_EQ(SelStartDoc(), (TTextPos{5, 1}));
  // Refining the pattern keeps the match that still fits.
  Use("one", {.MatchCase = true});
  View->SetCaretPos({1, 0}, cmAbsolute);
  EXPECT_TRUE(View->FindWithSearch(true, true).Found);
  EXPECT_EQ(SelStartDoc(), (TTextPos{1, 0}));
  // F3 goes through the compiled search too.
  EXPECT_TRUE(View->FindNext());
  EXPECT_EQ(SelStartDoc(), (TTextPos{5, 1}));
}

TEST_F(TSearchViewTest, AnEmptyMatchIsSteppedPastNotFoundAgain) {
  MakeWindow("ab\r\ncd");
  Use("^", {.Regex = true});
  View->SetCaretPos({1, 0}, cmAbsolute);
  TViewFindResult r = View->FindWithSearch(true);
  EXPECT_EQ(r.Match.Start, (TTextPos{1, 1}));
  r = View->FindWithSearch(true);
  EXPECT_EQ(r.Match.Start, (TTextPos{1, 0}));
  EXPECT_TRUE(r.Wrapped);
}

TEST_F(TSearchViewTest, MatchesAreColouredOnBothRowsOfABreakAndOnlyWhereVisible) {
  MakeWindow("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
  ResizeHost(200, 400);
  const int firstRowBytes = static_cast<int>(View->List().GetRow(0).Length);
  ASSERT_GT(View->List().RowCount(), 1);
  ASSERT_GT(firstRowBytes, 3);
  const std::string line(View->List().Get(0));
  Use(line.substr(static_cast<size_t>(firstRowBytes) - 2, 4));  // two bytes on each row
  const std::string row0 = FoundCells(0), row1 = FoundCells(1);
  EXPECT_EQ(row0.substr(row0.size() - 3), ".##");
  EXPECT_EQ(row1.substr(0, 3), "##.");

  // Ruby shown beside its base: its notation has no cells, a match over it
  // colours the visible characters.
  Element(kElemRubi).SetDisplayMode(kModeShown);
  ResizeHost(1000, 800);
  SetText(Sj("｜東京《とうきょう》へ"));
  Use("京へ");
  EXPECT_EQ(FoundCells(0), "..####");
  View->ClearFind();
  EXPECT_EQ(FoundCells(0), "......");
}

TEST_F(TSearchViewTest, ReplaceCurrentReplacesOnlyASelectedMatchThenSelectsTheNext) {
  MakeWindow("cat cat\r\ncat");
  Use("cat");
  const TReplacement dog("dog", *View->Search());
  View->SetCaretPos({2, 0}, cmAbsolute);
  TViewReplaceResult r = View->ReplaceCurrent(dog);
  EXPECT_FALSE(r.Replaced) << "the caret is no match: the next is selected first";
  EXPECT_EQ(SelStartDoc(), (TTextPos{5, 0}));
  r = View->ReplaceCurrent(dog);
  EXPECT_TRUE(r.Replaced);
  EXPECT_EQ(Text(), "cat dog\r\ncat");
  EXPECT_EQ(SelStartDoc(), (TTextPos{1, 1}));
  View->Undo().Undo(1);  // the step to the next match is no jump of its own
  EXPECT_EQ(Text(), "cat cat\r\ncat");

  // A match over ruby the cells hide is left alone.
  Element(kElemRubi).SetDisplayMode(kModeShown);
  SetText(Sj("｜東京《とうきょう》へ"));
  Use("京へ");
  View->SetCaretPos({1, 0}, cmAbsolute);
  ASSERT_TRUE(View->FindWithSearch(true).Found);
  EXPECT_EQ(View->ReplaceCurrent(TReplacement("x", *View->Search())).Refusal,
            TReplaceRefusal::HiddenNotation);
  EXPECT_EQ(Text(), Sj("｜東京《とうきょう》へ"));
}

TEST_F(TSearchViewTest, ReplaceAllIsOneEditThatOneUndoTakesBackExactly) {
  const std::string text = Sj("一つ目の猫\r\n\r\n猫と猫\r\n終わり");
  MakeWindow(text);
  Use("(猫)", {.Regex = true});
  View->SetCaretPos({3, 3}, cmAbsolute);
  const TViewReplaceAllResult r = View->ReplaceAll(TReplacement(Sj("$1\\n犬"), *View->Search()), false);
  EXPECT_EQ(r.Refusal, TReplaceRefusal::None);
  EXPECT_EQ(r.Count, 3);
  EXPECT_EQ(Text(), Sj("一つ目の猫\r\n犬\r\n\r\n猫\r\n犬と猫\r\n犬\r\n終わり"));
  EXPECT_EQ(View->DocPosOf(View->CaretPos()), (TTextPos{3, 6})) << "the caret stays on its text";
  ASSERT_TRUE(View->Undo().CanUndo());
  View->Undo().Undo(1);
  EXPECT_EQ(Text(), text) << "one step";
  View->Undo().Redo(1);
  EXPECT_EQ(Text(), Sj("一つ目の猫\r\n犬\r\n\r\n猫\r\n犬と猫\r\n犬\r\n終わり"));
}

TEST_F(TSearchViewTest, ReplaceAllInTheSelectionKeepsItOverTheReplacedText) {
  MakeWindow("aa\r\naXa\r\naa");
  Use("a");
  View->SelectFromTo({2, 0}, {3, 1}, false);  // "a", "aX"
  const TViewReplaceAllResult r = View->ReplaceAll(TReplacement("bb", *View->Search()), true);
  EXPECT_EQ(r.Count, 2);
  EXPECT_EQ(Text(), "abb\r\nbbXa\r\naa");
  EXPECT_EQ(Selected(), "bb\r\nbbX");
  View->ClearSelection();
  EXPECT_EQ(View->ReplaceAll(TReplacement("bb", *View->Search()), true).Refusal,
            TReplaceRefusal::NoSelection);
}

TEST_F(TSearchViewTest, ABadReplacementOrAStoppedSearchChangesNothing) {
  MakeWindow("abc");
  EXPECT_EQ(View->ReplaceAll(TReplacement("$3", *Use("(b)", {.Regex = true})), false).Refusal,
            TReplaceRefusal::BadReplacement);
  // A catastrophic pattern on a long line hits the match limit.
  SetText(std::string(5000, 'a') + "b");
  const auto hard = Use("(a+)+$", {.Regex = true});
  EXPECT_EQ(View->ReplaceAll(TReplacement("x", *hard), false).Refusal, TReplaceRefusal::Stopped);
  EXPECT_FALSE(hard->Error().empty());
  EXPECT_EQ(Text(), std::string(5000, 'a') + "b");
}

}  // namespace
}  // namespace vorna
