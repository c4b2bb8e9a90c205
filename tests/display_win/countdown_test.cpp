// The countdown's arithmetic and its line, at the edges of every range.
#include "countdown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

std::u16string Line(std::uint32_t seconds) {
  CountdownText text;
  const int length = FormatCountdown(seconds, text);
  EXPECT_EQ(length, static_cast<int>(std::u16string(text).size()));
  return text;
}

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
    std::uint32_t seconds;
  };
  const Case cases[] = {
      {0, 0},     {1, 1},      {999, 1},
      {1000, 1},  {1001, 2},   {2000, 2},
      {9999, 10}, {10000, 10}, {2147483647000ull, 2147483647u},
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
      {1, 1},
      {999, 999},
      {1000, 1000},
      {1001, 1},
      {2000, 1000},
      {2500, 500},
      {2147483647000ull, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ms);
    EXPECT_EQ(MsUntilNextChange(c.ms), c.wait);
  }
}

TEST(Countdown, WakingAtEachChangeShowsEverySecondOnce) {
  // A box that wakes exactly when told shows 3, 2, 1 and then closes.
  std::uint64_t left = 3000;
  std::vector<std::uint32_t> shown;
  while (left > 0) {
    shown.push_back(SecondsLeft(left));
    left -= MsUntilNextChange(left);
  }
  EXPECT_EQ(shown, (std::vector<std::uint32_t>{3, 2, 1}));

  // Woken late, mid-second, it still shows the right number and catches up.
  left = 2600;
  shown.clear();
  while (left > 0) {
    shown.push_back(SecondsLeft(left));
    left -= MsUntilNextChange(left);
  }
  EXPECT_EQ(shown, (std::vector<std::uint32_t>{3, 2, 1}));
}

TEST(Countdown, LineText) {
  EXPECT_EQ(Line(0), u"Closes in 0 s");
  EXPECT_EQ(Line(1), u"Closes in 1 s");
  EXPECT_EQ(Line(10), u"Closes in 10 s");
  EXPECT_EQ(Line(2147483647u), u"Closes in 2147483647 s");
  EXPECT_EQ(Line(4294967295u), u"Closes in 4294967295 s");
}

}  // namespace
}  // namespace vorlick
