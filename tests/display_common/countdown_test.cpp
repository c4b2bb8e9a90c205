// The countdown's arithmetic and its line, at the edges of every range, in
// both the bytes of the Linux boxes and the UTF-16 of the Windows one.
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

struct LineCase {
  std::uint64_t seconds;
  std::string line;
};

const LineCase kLines[] = {
    {0, "Closes in 0 s"},
    {1, "Closes in 1 s"},
    {10, "Closes in 10 s"},
    {86400, "Closes in 86400 s"},
    {2147483647u, "Closes in 2147483647 s"},
    {4294967295u, "Closes in 4294967295 s"},
    {UINT64_MAX, "Closes in 18446744073709551615 s"},
};

TEST(Countdown, LineInBytes) {
  for (const LineCase& c : kLines) {
    char text[kCountdownUnits];
    const int length = FormatCountdown(c.seconds, text);
    EXPECT_EQ(std::string(text), c.line);
    EXPECT_EQ(length, static_cast<int>(c.line.size()));
  }
}

TEST(Countdown, LineInUtf16) {
  for (const LineCase& c : kLines) {
    char16_t text[kCountdownUnits];
    const int length = FormatCountdown(c.seconds, text);
    EXPECT_EQ(std::u16string(text),
              std::u16string(c.line.begin(), c.line.end()));
    EXPECT_EQ(length, static_cast<int>(c.line.size()));
  }
}

TEST(Countdown, TheLongestLineFillsItsBuffer) {
  EXPECT_EQ(kCountdownUnits, 33);
  char text[kCountdownUnits];
  EXPECT_EQ(FormatCountdown(UINT64_MAX, text), kCountdownUnits - 1);
}

}  // namespace
}  // namespace vorlick
