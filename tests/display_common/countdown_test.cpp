// The countdown's arithmetic at the edges of every range, and its ticks as
// every front end runs them.
#include "countdown.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vorlick {
namespace {

TEST(Countdown, TimeoutInMilliseconds) {
  struct Case {
    int seconds;
    std::uint64_t ms;
  };
  const Case cases[] = {
      {0, 0},    {-1, 0},     {-2147483647 - 1, 0},
      {1, 1000}, {10, 10000}, {2147483647, 2147483647000ull},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(TimeoutMs(c.seconds), c.ms);
  }
}

TEST(Countdown, SecondsLeftRoundUp) {
  struct Case {
    std::uint64_t ms;
    std::uint64_t seconds;
  };
  const Case cases[] = {
      {0, 0},
      {1, 1},
      {999, 1},
      {1000, 1},
      {1001, 2},
      {2000, 2},
      {9999, 10},
      {10000, 10},
      {10001, 11},
      {2147483647000, 2147483647},
      {4294967295000, 4294967295},
      {4294967295001, 4294967296},  // past 32 bits, not wrapped
      {INT64_MAX, 9223372036854776},
      {UINT64_MAX - 615, 18446744073709551},
      {UINT64_MAX, 18446744073709552},  // rounding up does not overflow
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ms);
    EXPECT_EQ(SecondsLeft(c.ms), c.seconds);
  }
}

TEST(Countdown, NextChangeAtTheNextWholeSecond) {
  struct Case {
    std::uint64_t ms;
    std::uint32_t wait;
  };
  const Case cases[] = {
      {0, 1000},         {1, 1},       {999, 999},  {1000, 1000},
      {1001, 1},         {2000, 1000}, {2500, 500}, {2147483647000, 1000},
      {UINT64_MAX, 615},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ms);
    EXPECT_EQ(MsUntilNextChange(c.ms), c.wait);
  }
}

std::vector<std::uint64_t> Shown(std::uint64_t left) {
  std::vector<std::uint64_t> shown;
  while (left > 0) {
    shown.push_back(SecondsLeft(left));
    left -= MsUntilNextChange(left);
  }
  return shown;
}

TEST(Countdown, WakingAtEachChangeShowsEverySecondOnce) {
  // A box that wakes exactly when told shows 3, 2, 1 and then closes.
  EXPECT_EQ(Shown(3000), (std::vector<std::uint64_t>{3, 2, 1}));
  // Woken late, mid-second, it still shows the right number and catches up.
  EXPECT_EQ(Shown(2600), (std::vector<std::uint64_t>{3, 2, 1}));
  EXPECT_EQ(Shown(1), (std::vector<std::uint64_t>{1}));
}

TEST(Countdown, NoTimeOutNeverTicks) {
  for (int seconds : {0, -1, -2147483647 - 1}) {
    Countdown countdown = StartCountdown(seconds, 5000);
    EXPECT_FALSE(Runs(countdown)) << seconds;
    const CountdownTick tick = Tick(countdown, 1u << 31);
    EXPECT_FALSE(tick.expired);
    EXPECT_FALSE(tick.changed);
  }
}

// A 3-second box started at 1000 ms, ticked when told and at odd moments.
TEST(Countdown, TicksShowEachSecondOnceAndExpireAtTheDeadline) {
  struct Step {
    std::uint64_t now;
    bool expired;
    bool changed;
    std::uint64_t seconds;
    std::uint32_t wake;
  };
  const Step steps[] = {
      {1000, false, true, 3, 1000}, {1500, false, false, 3, 500},
      {2000, false, true, 2, 1000}, {2001, false, false, 2, 999},
      {3999, false, true, 1, 1},    {4000, true, false, 0, 0},
      {9000, true, false, 0, 0},
  };
  Countdown countdown = StartCountdown(3, 1000);
  EXPECT_EQ(countdown.deadlineMs, 4000u);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.now);
    const CountdownTick tick = Tick(countdown, step.now);
    EXPECT_EQ(tick.expired, step.expired);
    EXPECT_EQ(tick.changed, step.changed);
    if (step.expired) continue;
    EXPECT_EQ(tick.seconds, step.seconds);
    EXPECT_EQ(tick.wakeInMs, step.wake);
  }
}

TEST(Countdown, TheLargestTimeOutDoesNotWrap) {
  Countdown countdown = StartCountdown(2147483647, 7);
  EXPECT_EQ(countdown.deadlineMs, 2147483647007u);
  EXPECT_EQ(Tick(countdown, 7).seconds, 2147483647u);
}

}  // namespace
}  // namespace vorlick
