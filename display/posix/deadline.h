// When a box's time-out runs out, counted from the call.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "countdown.h"

namespace vorlick {

using Clock = std::chrono::steady_clock;

struct Deadline {
  bool set = false;  // false: no time-out
  Clock::time_point at{};
};

inline Deadline DeadlineAfter(int timeoutSeconds) {
  const std::uint64_t ms = TimeoutMs(timeoutSeconds);
  if (ms == 0) return {};
  return {true, Clock::now() + std::chrono::milliseconds(ms)};
}

// Milliseconds left, 0 once the deadline has passed.
inline std::uint64_t MillisecondsLeft(const Deadline& deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline.at - Clock::now());
  return left.count() > 0 ? static_cast<std::uint64_t>(left.count()) : 0;
}

// The countdown line, "Closes in N s", as the boxes draw it.
inline std::string CountdownLine(std::uint64_t seconds) {
  char text[kCountdownUnits];
  FormatCountdown(seconds, text);
  return text;
}

}  // namespace vorlick
