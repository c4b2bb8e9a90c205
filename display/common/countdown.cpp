#include "countdown.h"

namespace vorlick {
namespace {

constexpr std::uint64_t kMsPerSecond = 1000;

// `value` in decimal, terminated.
void ToDecimal(std::uint64_t value, char (&out)[kMostDigits + 1]) {
  char reversed[kMostDigits];
  int count = 0;
  do {
    const std::uint64_t rest = value / 10;
    reversed[count++] = static_cast<char>('0' + (value - rest * 10));
    value = rest;
  } while (value != 0);
  int at = 0;
  while (count > 0) out[at++] = reversed[--count];
  out[at] = 0;
}

template <typename Unit>
int Append(const char* part, Unit (&text)[kCountdownUnits], int at) {
  while (*part != 0 && at < kCountdownUnits - 1) {
    text[at++] = static_cast<Unit>(*part++);
  }
  return at;
}

template <typename Unit>
int Format(std::uint64_t seconds, Unit (&text)[kCountdownUnits]) {
  char number[kMostDigits + 1];
  ToDecimal(seconds, number);
  int length = Append(kCountdownBefore, text, 0);
  length = Append(number, text, length);
  length = Append(kCountdownAfter, text, length);
  text[length] = 0;
  return length;
}

}  // namespace

std::uint64_t TimeoutMs(int timeoutSeconds) {
  if (timeoutSeconds <= 0) return 0;
  // 64 bits: the largest time-out is about 2.1e12 ms.
  return static_cast<std::uint64_t>(timeoutSeconds) * kMsPerSecond;
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

int FormatCountdown(std::uint64_t seconds, char (&text)[kCountdownUnits]) {
  return Format(seconds, text);
}

int FormatCountdown(std::uint64_t seconds, char16_t (&text)[kCountdownUnits]) {
  return Format(seconds, text);
}

}  // namespace vorlick
