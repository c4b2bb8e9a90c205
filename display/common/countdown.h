// The countdown of a box with a time-out, the same for every front end: when
// the box closes by itself, which whole number of seconds it shows, and when
// that number next changes. The front ends only read their own monotonic
// clock in milliseconds and draw the line (FormatCountdown in
// translation.h) when the tick says it changed.
#pragma once

#include <cstdint>

namespace vorlick {

// The time-out in milliseconds; 0 when the box has none (0 or negative).
std::uint64_t TimeoutMs(int timeout);

// Whole seconds left, rounded up: 1 ms left still shows "1 s"; 0 when no
// time is left.
std::uint64_t SecondsLeft(std::uint64_t remainingMs);

// Milliseconds until the shown number changes (or, at 1 s, until the box
// closes), so the box needs one timer event per second and no more.
std::uint32_t MsUntilNextChange(std::uint64_t remainingMs);

struct Countdown {
  std::uint64_t deadlineMs = 0;    // on the front end's clock; 0: none
  std::uint64_t shownSeconds = 0;  // what the line shows; 0 before the first
};

// A countdown of `timeout` seconds from `nowMs`; one that never runs out
// (deadlineMs 0) when the box has no time-out.
Countdown StartCountdown(int timeout, std::uint64_t nowMs);

inline bool Runs(const Countdown& countdown) {
  return countdown.deadlineMs != 0;
}

struct CountdownTick {
  bool expired;            // the box closes now with kIdTimeout
  bool changed;            // the line must now show `seconds`
  std::uint64_t seconds;   // whole seconds left, rounded up
  std::uint32_t wakeInMs;  // when the next tick is due
};

// What the box does at `nowMs`: close, or show the seconds left (noting
// them as shown) and wake up again when they next change. A countdown that
// does not run never expires and never changes.
CountdownTick Tick(Countdown& countdown, std::uint64_t nowMs);

}  // namespace vorlick
