// The countdown of a box with a time-out: how many whole seconds it shows,
// when that number next changes, and the line that shows it.
#pragma once

#include <cstdint>

namespace vorlick {

// The line is "Closes in N s": the number between these two.
inline constexpr char kCountdownBefore[] = "Closes in ";
inline constexpr char kCountdownAfter[] = " s";

// The twenty digits of the largest 64-bit number.
inline constexpr int kMostDigits = 20;

// Room for the longest line and its terminator.
inline constexpr int kCountdownUnits =
    sizeof kCountdownBefore - 1 + kMostDigits + sizeof kCountdownAfter - 1 + 1;

// The time-out in milliseconds; 0 when the box has none (0 or negative).
std::uint64_t TimeoutMs(int timeoutSeconds);

// Whole seconds left, rounded up: 1 ms left still shows "1 s"; 0 when no
// time is left.
std::uint64_t SecondsLeft(std::uint64_t remainingMs);

// Milliseconds until the shown number changes (or, at 1 s, until the box
// closes), so the box needs one timer event per second and no more.
std::uint32_t MsUntilNextChange(std::uint64_t remainingMs);

// Writes "Closes in N s" and returns its length in units.
int FormatCountdown(std::uint64_t seconds, char (&text)[kCountdownUnits]);
int FormatCountdown(std::uint64_t seconds, char16_t (&text)[kCountdownUnits]);

}  // namespace vorlick
