// When a box's time-out runs out, counted from the call.
#pragma once

#include <chrono>

namespace vorlick {

using Clock = std::chrono::steady_clock;

struct Deadline {
  bool set = false;  // false: no time-out
  Clock::time_point at{};
};

inline Deadline DeadlineAfter(int timeoutSeconds) {
  if (timeoutSeconds <= 0) return {};
  return {true, Clock::now() + std::chrono::seconds(timeoutSeconds)};
}

// Milliseconds left, never below 0.
inline long long MillisecondsLeft(const Deadline& deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline.at - Clock::now());
  return left.count() > 0 ? left.count() : 0;
}

// Milliseconds until the countdown's number next drops, at least 1.
inline int MillisecondsToNextSecond(long long remainingMs) {
  const long long next = remainingMs % 1000;
  return next == 0 ? 1000 : static_cast<int>(next);
}

}  // namespace vorlick
