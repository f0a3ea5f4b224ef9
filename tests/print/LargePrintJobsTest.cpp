// Long print jobs: the question before them and the tenths of their progress.
#include <gtest/gtest.h>

#include <limits>

#include "PlatformDoubles.h"
#include "print/LargePrintJobs.h"
#include "text/Cp932.h"

namespace vorna {
namespace {

TEST(LargePrintJobs, OnlyJobsOverTheLimitAreAskedAndOnlyYesGoesOn) {
  testing::TFakeMessageBoxes boxes;
  EXPECT_TRUE(ConfirmLargePrintJob(&boxes, kLargePrintJobPages));
  EXPECT_TRUE(boxes.Shown.empty());

  boxes.Answer = TMessageResult::No;
  EXPECT_FALSE(ConfirmLargePrintJob(&boxes, 123456));
  ASSERT_EQ(boxes.Shown.size(), 2u);
  EXPECT_EQ(boxes.Shown[1], "ask 123,456" + Cp932FromUtf8(" ページを印刷します。よろしいですか?"));
  boxes.Answer = TMessageResult::Yes;
  EXPECT_TRUE(ConfirmLargePrintJob(&boxes, kLargePrintJobPages + 1));
  // Without a way to ask, a long job does not start unasked.
  EXPECT_FALSE(ConfirmLargePrintJob(nullptr, kLargePrintJobPages + 1));
}

TEST(LargePrintJobs, ProgressIsToldOncePerTenthAndEndsAtAHundred) {
  TTenthsProgress progress(2345);
  std::vector<int> told;
  for (int done = 0; done <= 2345; ++done)
    if (const int percent = progress.Next(done); percent >= 0) told.push_back(percent);
  EXPECT_EQ(told, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));

  // A job of fewer sheets than tenths skips the tenths it jumps over.
  TTenthsProgress three(3);
  EXPECT_EQ(three.Next(1), 30);
  EXPECT_EQ(three.Next(1), -1);
  EXPECT_EQ(three.Next(3), 100);
  EXPECT_EQ(TTenthsProgress(0).Next(0), -1);
  EXPECT_EQ(GroupedCount(1000), "1,000");
  EXPECT_EQ(GroupedCount(999), "999");
  EXPECT_EQ(GroupedCount(0), "0");
  EXPECT_EQ(GroupedCount(-1234567), "-1,234,567");
  EXPECT_EQ(GroupedCount(std::numeric_limits<long long>::min()), "-9,223,372,036,854,775,808");
}

}  // namespace
}  // namespace vorna
