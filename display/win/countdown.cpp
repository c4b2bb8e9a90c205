#include "countdown.h"

namespace vorlick {
namespace {

constexpr std::uint64_t kMsPerSecond = 1000;

int Append(const char16_t* part, CountdownText& text, int at) {
  while (*part != 0 && at < kCountdownUnits - 1) text[at++] = *part++;
  return at;
}

int AppendNumber(std::uint32_t value, CountdownText& text, int at) {
  char16_t digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0 && at < kCountdownUnits - 1) text[at++] = digits[--count];
  return at;
}

}  // namespace

std::uint64_t TimeoutMs(int timeoutSeconds) {
  if (timeoutSeconds <= 0) return 0;
  // 64 bits: the largest time-out is about 2.1e12 ms.
  return static_cast<std::uint64_t>(timeoutSeconds) * kMsPerSecond;
}

std::uint32_t SecondsLeft(std::uint64_t remainingMs) {
  return static_cast<std::uint32_t>((remainingMs + kMsPerSecond - 1) /
                                    kMsPerSecond);
}

std::uint32_t MsUntilNextChange(std::uint64_t remainingMs) {
  const auto partial = static_cast<std::uint32_t>(remainingMs % kMsPerSecond);
  return partial != 0 ? partial : static_cast<std::uint32_t>(kMsPerSecond);
}

int FormatCountdown(std::uint32_t seconds, CountdownText& text) {
  int length = Append(u"Closes in ", text, 0);
  length = AppendNumber(seconds, text, length);
  length = Append(u" s", text, length);
  text[length] = 0;
  return length;
}

}  // namespace vorlick
