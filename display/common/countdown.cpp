#include "countdown.h"

namespace vorlick {
namespace {

constexpr std::uint64_t kMsPerSecond = 1000;

}  // namespace

std::uint64_t TimeoutMs(int timeout) {
  if (timeout <= 0) return 0;
  // 64 bits: the largest time-out is about 2.1e12 ms.
  return static_cast<std::uint64_t>(timeout) * kMsPerSecond;
}

// Unsigned throughout: a signed 64-bit division would bring another libgcc
// routine into Vorlick.dll.
std::uint64_t SecondsLeft(std::uint64_t remainingMs) {
  if (remainingMs == 0) return 0;
  // Rounded up as (ms - 1) / 1000 + 1 rather than (ms + 999) / 1000, which
  // would overflow into a small number near the top of the range.
  return (remainingMs - 1) / kMsPerSecond + 1;
}

std::uint32_t MsUntilNextChange(std::uint64_t remainingMs) {
  const auto partial = static_cast<std::uint32_t>(remainingMs % kMsPerSecond);
  return partial != 0 ? partial : static_cast<std::uint32_t>(kMsPerSecond);
}

Countdown StartCountdown(int timeout, std::uint64_t nowMs) {
  const std::uint64_t ms = TimeoutMs(timeout);
  return {ms == 0 ? 0 : nowMs + ms, 0};
}

CountdownTick Tick(Countdown& countdown, std::uint64_t nowMs) {
  if (!Runs(countdown)) return {false, false, 0, 0};
  if (nowMs >= countdown.deadlineMs) return {true, false, 0, 0};
  const std::uint64_t left = countdown.deadlineMs - nowMs;
  const std::uint64_t seconds = SecondsLeft(left);
  const bool changed = seconds != countdown.shownSeconds;
  countdown.shownSeconds = seconds;
  return {false, changed, seconds, MsUntilNextChange(left)};
}

}  // namespace vorlick
