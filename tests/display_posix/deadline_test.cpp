// The time-out as the Linux boxes count it: from the call, never below
// nothing, and the countdown line they draw.
#include "deadline.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlick {
namespace {

TEST(DeadlineTest, NoTimeOutForZeroOrLess) {
  for (int seconds : {0, -1, -2147483647 - 1}) {
    EXPECT_FALSE(DeadlineAfter(seconds).set) << seconds;
  }
}

TEST(DeadlineTest, CountsFromNow) {
  const Deadline deadline = DeadlineAfter(10);
  ASSERT_TRUE(deadline.set);
  const std::uint64_t left = MillisecondsLeft(deadline);
  EXPECT_LE(left, 10000u);
  EXPECT_GT(left, 9000u);
  EXPECT_EQ(SecondsLeft(left), 10u);
}

// 5 ms past the deadline is nothing left, not a negative count.
TEST(DeadlineTest, PastDeadlineLeavesNothing) {
  const Deadline past{true, Clock::now() - std::chrono::milliseconds(5)};
  EXPECT_EQ(MillisecondsLeft(past), 0u);
  EXPECT_EQ(SecondsLeft(MillisecondsLeft(past)), 0u);
}

TEST(DeadlineTest, CountdownLine) {
  EXPECT_EQ(CountdownLine(1), "Closes in 1 s");
  EXPECT_EQ(CountdownLine(10), "Closes in 10 s");
  EXPECT_EQ(CountdownLine(86400), "Closes in 86400 s");
}

}  // namespace
}  // namespace vorlick
