// The clock the Linux boxes count down by, and the countdown line they draw
// in the box's language.
#include "deadline.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlick {
namespace {

TEST(DeadlineTest, CountdownsRunOnTheSteadyClock) {
  const std::uint64_t before = NowMs();
  const Countdown countdown = StartCountdown(10, NowMs());
  const std::uint64_t after = NowMs();
  EXPECT_GE(countdown.deadlineMs, before + 10000);
  EXPECT_LE(countdown.deadlineMs, after + 10000);
  const auto at = DeadlineOf(countdown) - Clock::now();
  EXPECT_GT(at, std::chrono::milliseconds(9000));
  EXPECT_LE(at, std::chrono::milliseconds(10000));
}

TEST(DeadlineTest, CountdownLine) {
  EXPECT_EQ(CountdownLine(kEnglish, 1), "Closes in 1 s");
  EXPECT_EQ(CountdownLine(kEnglish, 86400), "Closes in 86400 s");
  EXPECT_EQ(CountdownLine(FindLanguage("de"), 3), "Schlie\xC3\x9Ft in 3 s");
}

}  // namespace
}  // namespace vorlick
