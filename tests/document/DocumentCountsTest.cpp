// The document's counts: what counts as a character, a paragraph and a
// manuscript row, and the incremental counts against a fresh count over
// random edits.
#include <gtest/gtest.h>

#include <random>

#include "PlatformDoubles.h"
#include "TestSupport.h"
#include "document/DocumentCounts.h"
#include "document/EditLists.h"
#include "document/EditResults.h"

namespace vorna {
namespace {

using testing::Sj;

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

struct DocumentCountsTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
  TDocumentCounts counts{list};
  // Chunks of a few lines, so that edits cross and merge them.
  TDocumentCounts small{list, ManuscriptPageRule(), {.Lines = 3, .Bytes = 40}};

  const TDocumentTotals& Of(std::string_view text) {
    list.SetText(text);
    return counts.Totals();
  }
  int Rows(const std::string& line) { return CountLine(line, ManuscriptPageRule()).Rows; }
};

TEST_F(DocumentCountsTest, NotationSpacesAndLineBreaksAreNotCharacters) {
  const TDocumentTotals& t = Of(Sj(
      "｜東京《とうきょう》へ［＃「東京」に傍点］行く\r\na b\t　c\r\n\r\n［＃改ページ］\r\n漢字《かんじ》"));
  EXPECT_EQ(t.Characters, 5 + 3 + 2);
  EXPECT_EQ(t.CharactersWithSpaces, 5 + 6 + 2);
  EXPECT_EQ(t.Lines, 5);
  EXPECT_EQ(t.Paragraphs, 3);  // the empty line and the lone annotation are none
  EXPECT_EQ(t.Rubies, 2);
  EXPECT_EQ(t.Rows, 5);
  EXPECT_EQ(t.Pages, 1);
  // A reading whose "》" is past the range is still hidden up to it.
  const std::string line = Sj("漢字《かんじ》です");
  EXPECT_EQ(CountCharacters(line, 1, 7, false), 2);
  EXPECT_EQ(CountCharacters(line, 5, 1000, false), 2);
  EXPECT_EQ(CountCharacters(Sj("a　b"), 1, 100, true), 3);
}

TEST_F(DocumentCountsTest, RowsFollowKinsokuHangingAndHiddenNotation) {
  const std::string a19 = Repeat(Sj("あ"), 19);
  EXPECT_EQ(Rows(""), 1);
  EXPECT_EQ(Rows(a19 + Sj("い")), 1);
  EXPECT_EQ(Rows(a19 + Sj("いう")), 2);
  // The full stop hangs in the 21st cell, so the 20 characters after it fit
  // one row; preset 4 pushes nothing out, so an opening bracket may end a row.
  const std::string u20 = Repeat(Sj("う"), 20);
  EXPECT_EQ(Rows(a19 + Sj("い。") + u20), 2);
  EXPECT_EQ(Rows(a19 + Sj("「") + u20), 2);
  // A rule that pushes out moves the 20th character on, and a third row follows.
  TPageRule pushing = ManuscriptPageRule();
  pushing.Wrap.TailAdjust = true;
  EXPECT_EQ(CountLine(a19 + Sj("「") + u20, pushing).Rows, 3);
  EXPECT_EQ(CountLine(a19 + Sj("い！") + Repeat(Sj("う"), 19), pushing).Rows, 3);
  EXPECT_EQ(CountLine(a19 + Sj("い。") + u20, pushing).Rows, 2);
  EXPECT_EQ(Rows(Sj("｜") + a19 + Sj("い《るびるびるびるびるびるびるび》")), 1);
  EXPECT_EQ(Rows(a19 + Sj("い［＃ここで改段］")), 1);
  EXPECT_EQ(Rows(Repeat("ab", 20)), 1);  // half-width characters take one cell
  EXPECT_EQ(Rows(Repeat("ab", 20) + "c"), 2);
}

TEST_F(DocumentCountsTest, PagesHoldTwentyRows) {
  EXPECT_EQ(Of("").Pages, 1);
  EXPECT_EQ(Of("").Rows, 1);
  EXPECT_EQ(Of(Repeat("x\r\n", 19) + "x").Pages, 1);
  EXPECT_EQ(Of(Repeat("x\r\n", 20)).Pages, 2);  // the empty line after the last break is a row
  EXPECT_EQ(Of(Repeat(Sj("あ"), 20 * 20 + 1)).Pages, 2);
}

TEST_F(DocumentCountsTest, CountsFollowRandomEditsAsAFreshCountSeesThem) {
  const std::vector<std::string> pieces = {Sj("あ"), "a", " ", Sj("　"), "\t", Sj("東京"), Sj("｜"), Sj("《"),
                                           Sj("》"), Sj("［＃"), Sj("］"), Sj("。"), Sj("「"), "\r\n",
                                           Repeat(Sj("い"), 25),
                                           // more spaces than a line's packed counts hold
                                           std::string(1100, ' ')};
  std::mt19937 random(31);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const int kinds = static_cast<int>(pieces.size());
  list.SetText(Sj("｜吾輩《わがはい》は猫である。\r\n名前はまだ無い。\r\n\r\n［＃改ページ］"));
  list.SetWrapInputs({.CapacityCells = 40});
  list.Relayout();
  for (int step = 0; step < 400; ++step) {
    const int rows = list.RowCount();
    const TDisplayPos at{1 + pick(30), pick(rows)};
    TEditResult result;
    switch (pick(5)) {
      case 0:
      case 1: {
        std::string text;
        for (int n = 1 + pick(4); n > 0; --n) text += pieces[static_cast<size_t>(pick(kinds))];
        list.InsertText(at, text, result, false);
        break;
      }
      case 2:
        list.DeleteRange(at, {at.Column + pick(8), at.Row + pick(3) / 2}, result, false);
        break;
      case 3:
        list.Put(pick(list.Count()), pieces[static_cast<size_t>(pick(kinds))] + Sj("《よみ》"));
        break;
      default:
        if (list.Count() > 1) list.DeleteLines(pick(list.Count()), 1 + pick(2));
        break;
    }
    TDocumentCounts fresh(list);
    ASSERT_EQ(counts.Totals(), fresh.Totals()) << "step " << step;
    ASSERT_EQ(small.Totals(), fresh.Totals()) << "step " << step;
    const TTextPos a{1 + pick(40), pick(list.Count())}, b{1 + pick(40), pick(list.Count())};
    int64_t expected = 0;
    for (int y = std::min(a.Y, b.Y); y <= std::max(a.Y, b.Y); ++y) {
      const TTextPos& lo = Before(a, b) ? a : b;
      const TTextPos& hi = Before(a, b) ? b : a;
      expected += CountCharacters(list.Get(y), y == lo.Y ? lo.X : 1, y == hi.Y ? hi.X : 1 << 30, false);
    }
    ASSERT_EQ(counts.CharactersBetween(a, b), expected) << "step " << step;
    ASSERT_EQ(small.CharactersBetween(a, b), expected) << "step " << step;
  }
}

TEST_F(DocumentCountsTest, LineBreaksTypedAtOnePlaceLeaveNoTrailOfSmallChunks) {
  list.SetText(Repeat("abc\r\n", 300));
  list.SetWrapInputs({.CapacityCells = 40});
  list.Relayout();
  ASSERT_EQ(small.Totals().Lines, 301);
  const int before = small.ChunkCount();
  TEditResult result;
  for (int i = 0; i < 200; ++i) list.InsertText({2, 100}, "\r\n", result, false);
  TDocumentCounts fresh(list);
  EXPECT_EQ(small.Totals(), fresh.Totals());
  EXPECT_LE(small.ChunkCount(), before + 200 / 3 + 2);
}

TEST(DocumentCountsLifetime, CountsOutlivingTheirDocumentCountNothing) {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  auto list = std::make_unique<TEditList>(files, messages);
  list->SetText(Sj("あいう"));
  TDocumentCounts counts(*list);
  EXPECT_EQ(counts.Totals().Characters, 3);
  list.reset();
  EXPECT_EQ(counts.List(), nullptr);
  EXPECT_EQ(counts.Totals(), TDocumentTotals{});
  EXPECT_EQ(counts.CharactersBetween({1, 0}, {9, 9}), 0);
}

}  // namespace
}  // namespace vorna
