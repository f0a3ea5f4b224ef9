// The find bar's count taken in slices equals one full count however small
// the slices.
#include "document/MatchCounts.h"

#include <gtest/gtest.h>

#include "PlatformDoubles.h"
#include "document/DocumentSearches.h"
#include "document/EditLists.h"

namespace vorna {
namespace {

TEST(MatchCounts, SlicedCountsEqualOneFullCount) {
  testing::TMemoryFiles files;
  testing::TFakeMessageBoxes messages;
  TEditList list{files, messages};
  std::string text;
  for (int i = 0; i < 300; ++i) text += std::string(static_cast<size_t>(i % 7), 'a') + "ba\r\n";
  list.SetText(text);
  const auto search = std::make_shared<const TTextSearch>("a", TSearchOptions{});
  for (const size_t budget : {size_t{1}, size_t{50}, size_t{1} << 20}) {
    TMatchCounter counter;
    counter.Start(list, search);
    while (!counter.Step(budget)) {
    }
    EXPECT_EQ(counter.Count(), CountMatches(list, *search)) << budget;
    EXPECT_EQ(counter.LinesDone(), list.Count());
  }
}

}  // namespace
}  // namespace vorna
