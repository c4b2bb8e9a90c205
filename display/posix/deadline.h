// The clock the Linux boxes count down by, and the countdown line they draw;
// what the countdown does at each tick is the shared Tick (countdown.h).
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "box_text.h"
#include "countdown.h"
#include "translation.h"

namespace vorlick {

using Clock = std::chrono::steady_clock;

// Milliseconds on the steady clock: what a Countdown's deadline is in.
inline std::uint64_t NowMs() {
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(
          Clock::now().time_since_epoch())
          .count());
}

// The deadline of a running countdown as a point on the steady clock.
inline Clock::time_point DeadlineOf(const Countdown& countdown) {
  return Clock::time_point(std::chrono::duration_cast<Clock::duration>(
      std::chrono::milliseconds(countdown.deadlineMs)));
}

// The countdown line, "Closes in N s" in the box's language, in UTF-8.
inline std::string CountdownLine(Language language, std::uint64_t seconds) {
  char16_t text[kCountdownUnits];
  FormatCountdown(language, seconds, text);
  return ToDisplayText(text);
}

}  // namespace vorlick
