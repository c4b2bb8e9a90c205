// The countdown of a box with a time-out: how many whole seconds it shows,
// when that number next changes, and the line that shows it.
#pragma once

#include <cstdint>

namespace vorlick {

// "Closes in ", ten digits, " s" and the terminator.
inline constexpr int kCountdownUnits = 24;

using CountdownText = char16_t[kCountdownUnits];

// The time-out in milliseconds; 0 when the box has none (0 or negative).
std::uint64_t TimeoutMs(int timeoutSeconds);

// Whole seconds left, rounded up: 1 ms left still shows "1 s".
std::uint32_t SecondsLeft(std::uint64_t remainingMs);

// Milliseconds until the shown number changes (or, at 1 s, until the box
// closes), so the box needs one timer event per second and no more.
std::uint32_t MsUntilNextChange(std::uint64_t remainingMs);

// Writes "Closes in N s" and returns its length in units.
int FormatCountdown(std::uint32_t seconds, CountdownText& text);

}  // namespace vorlick
