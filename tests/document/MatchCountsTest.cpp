// The find bar's count taken in slices: the same as one full count however
// small the slices, and a stopped search ends the count.
#include "document/MatchCounts.h"

#include <gtest/gtest.h>

#include "PlatformDoubles.h"
#include "document/DocumentSearches.h"
#include "document/EditLists.h"

namespace vorna {
namespace {

struct MatchCountsTest : ::testing::Test {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
};

TEST_F(MatchCountsTest, SlicedCountsEqualOneFullCount) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += std::string(static_cast<size_t>(i % 7), 'a') + "ba\r\n";
  list.SetText(text);
  const auto search = std::make_shared<const TTextSearch>("a", TSearchOptions{});
  const int expected = CountMatches(list, *search);
  for (const size_t budget : {size_t{1}, size_t{50}, size_t{1} << 20}) {
    TMatchCounter counter;
    counter.Start(list, search);
    int steps = 0;
    while (!counter.Step(budget)) ++steps;
    EXPECT_EQ(counter.Count(), expected) << budget;
    EXPECT_EQ(counter.LinesDone(), list.Count());
    if (budget == 1) {
      EXPECT_EQ(steps + 1, list.Count()) << "one line a step at least";
    }
  }
  TMatchCounter none;
  none.Start(list, std::make_shared<const TTextSearch>("", TSearchOptions{}));
  EXPECT_TRUE(none.Done());
  EXPECT_EQ(none.Count(), 0);
}

TEST_F(MatchCountsTest, AStoppedSearchEndsTheCount) {
  list.SetText("aaa\r\n" + std::string(5000, 'a') + "b\r\naaa");
  const auto search = std::make_shared<const TTextSearch>("(a+)+$", TSearchOptions{.Regex = true});
  TMatchCounter counter;
  counter.Start(list, search);
  while (!counter.Step(1)) {
  }
  EXPECT_TRUE(search->Stopped());
  EXPECT_EQ(counter.Count(), 1) << "the first line's match, before the line that stopped it";
}

}  // namespace
}  // namespace vorna
