// Decimal numbers, written and read: the one place that turns digits into
// numbers and back, for every part that shows or takes one (the request
// file's numbers, the countdown, the GTK helper's answer line, the kit's
// files and options). Each caller keeps its own grammar around the digits
// (the request file's blanks and sign, a strict option value); what the
// digits are worth is decided here. constexpr, no heap, no library: the
// program and the display libraries use it too.
#pragma once

#include <cstddef>
#include <cstdint>

namespace decimal {

// Characters the longest 64-bit value takes, sign included:
// "-9223372036854775808" and "18446744073709551615" are both 20.
inline constexpr int kMostChars = 20;

// Writes `value` in decimal to `out` (room for kMostChars), '-' first when
// it is negative, without a terminator; returns the characters written.
// `Unit` is any character type: char for bytes, char16_t for UTF-16.
template <typename Unit>
constexpr int Write(std::uint64_t magnitude, bool negative, Unit* out) {
  Unit reversed[kMostChars];
  int count = 0;
  do {
    const std::uint64_t rest = magnitude / 10;
    reversed[count++] = static_cast<Unit>('0' + (magnitude - rest * 10));
    magnitude = rest;
  } while (magnitude != 0);
  int at = 0;
  if (negative) out[at++] = static_cast<Unit>('-');
  while (count > 0) out[at++] = reversed[--count];
  return at;
}

template <typename Unit>
constexpr int Write(std::int64_t value, Unit* out) {
  // The magnitude in unsigned arithmetic, so that the lowest value has one.
  const auto magnitude = static_cast<std::uint64_t>(value);
  return Write(value < 0 ? 0 - magnitude : magnitude, value < 0, out);
}

// The run of decimal digits at the start of a text.
struct Digits {
  std::size_t count;    // digits read; 0: the text starts with none
  std::uint32_t low32;  // their value in 32-bit arithmetic, wrapped round
  std::uint64_t value;  // their value, or kTooLarge when it passes 2^63
};
inline constexpr std::uint64_t kTooLarge = ~std::uint64_t{0};

// Reads the digits from `text` up to the first unit that is not one (a
// terminator included), looking at no more than `available` units.
template <typename Unit>
constexpr Digits ReadDigits(const Unit* text, std::size_t available) {
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
  Digits digits{0, 0, 0};
  while (digits.count < available && text[digits.count] >= '0' &&
         text[digits.count] <= '9') {
    const auto digit = static_cast<std::uint32_t>(text[digits.count] - '0');
    digits.low32 = digits.low32 * 10u + digit;
    if (digits.value != kTooLarge) {
      digits.value = digits.value * 10 + digit;
      if (digits.value >= kLimit) digits.value = kTooLarge;
    }
    ++digits.count;
  }
  return digits;
}

}  // namespace decimal
