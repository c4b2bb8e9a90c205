// UTF-8 and UTF-16 a code point at a time: the one place that knows the bits
// of either encoding. The program's POSIX layer, the display library and the
// caller's kit build their conversions on it and differ only in what they do
// with text that is not well formed (keep its bytes, replace it, refuse it).
// No heap, no exceptions, nothing of the C++ runtime (also not with the
// standard library's assertions): the program and the display library use it
// too.
#pragma once

#include <cstddef>

namespace unicode {

inline constexpr char32_t kReplacement = 0xFFFD;

constexpr bool IsHighSurrogate(char32_t code) {
  return code >= 0xD800 && code <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t code) {
  return code >= 0xDC00 && code <= 0xDFFF;
}
constexpr bool IsSurrogate(char32_t code) {
  return code >= 0xD800 && code <= 0xDFFF;
}

// Reads the code point at `units` (`available` > 0 of them) and returns the
// units it took: 2 for a surrogate pair, else 1. An unpaired surrogate reads
// as itself; what to make of it is the caller's choice.
constexpr int ReadUtf16(const char16_t* units, std::size_t available,
                        char32_t& code) {
  code = units[0];
  if (IsHighSurrogate(code) && available > 1 && IsLowSurrogate(units[1])) {
    code = 0x10000 + ((code - 0xD800) << 10) + (char32_t{units[1]} - 0xDC00);
    return 2;
  }
  return 1;
}

// Writes `code` (at most U+10FFFF) as UTF-16; returns the units, 1 or 2.
constexpr int WriteUtf16(char32_t code, char16_t (&units)[2]) {
  if (code < 0x10000) {
    units[0] = static_cast<char16_t>(code);
    return 1;
  }
  code -= 0x10000;
  units[0] = static_cast<char16_t>(0xD800 + (code >> 10));
  units[1] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  return 2;
}

// UTF-8's parts, for readers that get a byte at a time (a terminal's keys)
// as for ReadUtf8 below.

// The length of the sequence `lead` starts, 1 to 4, or 0 for a byte that
// starts none: a continuation byte, C0 and C1 (which only ever start a
// longer form than the code point needs) and F5 to FF (beyond U+10FFFF).
constexpr int Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return lead < 0xF5 ? 4 : 0;
}

// The code point's bits in the lead byte of a sequence of `length`.
constexpr char32_t Utf8LeadBits(unsigned char lead, int length) {
  return length == 1 ? lead : lead & (0x7Fu >> length);
}

constexpr bool IsUtf8Continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// `code` with the bits of the continuation byte `byte` added.
constexpr char32_t AddUtf8Continuation(char32_t code, unsigned char byte) {
  return (code << 6) | (byte & 0x3F);
}

// Whether a whole sequence of `length` bytes that read `code` is UTF-8: the
// shortest form of a code point up to U+10FFFF (surrogates included, for
// the caller to take or refuse).
constexpr bool IsShortestUtf8(char32_t code, int length) {
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  return code >= kLeast[length] && code <= 0x10FFFF;
}

// Reads the UTF-8 sequence at `bytes` (`available` > 0 of them) and returns
// its length, or 0 where there is none: a byte that cannot lead one, a
// continuation byte missing (also where the bytes end), a longer form than the
// code point needs, or a code point above U+10FFFF. The three bytes of a
// surrogate (ED A0 80 to ED BF BF) read as that surrogate, for the caller to
// take or refuse.
constexpr int ReadUtf8(const char* bytes, std::size_t available,
                       char32_t& code) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  const int length = Utf8Length(lead);
  if (length == 0 || available < static_cast<std::size_t>(length)) return 0;
  code = Utf8LeadBits(lead, length);
  for (int i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!IsUtf8Continuation(byte)) return 0;
    code = AddUtf8Continuation(code, byte);
  }
  return IsShortestUtf8(code, length) ? length : 0;
}

// ReadUtf8 for text that is UTF-8 by making (ToDisplayText's): should a byte
// start no sequence after all, it reads as U+FFFD, one byte long, so that a
// reader always moves on.
constexpr int ReadUtf8OrReplacement(const char* bytes, std::size_t available,
                                    char32_t& code) {
  const int length = ReadUtf8(bytes, available, code);
  if (length > 0) return length;
  code = kReplacement;
  return 1;
}

// Writes `code` (at most U+10FFFF) as UTF-8; returns the bytes, 1 to 4. A
// surrogate gives its three bytes.
constexpr int WriteUtf8(char32_t code, char (&bytes)[4]) {
  if (code < 0x80) {
    bytes[0] = static_cast<char>(code);
    return 1;
  }
  const int length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
  constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
  bytes[0] =
      static_cast<char>(kLeadMarks[length] | (code >> (6 * (length - 1))));
  for (int i = 1; i < length; ++i) {
    bytes[i] =
        static_cast<char>(0x80 | ((code >> (6 * (length - 1 - i))) & 0x3F));
  }
  return length;
}

// Appends `code` to `out` (a std::string or std::u16string) in its encoding.
template <typename Text>
void Append(char32_t code, Text& out) {
  if constexpr (sizeof(typename Text::value_type) == 1) {
    char bytes[4];
    out.append(bytes, static_cast<std::size_t>(WriteUtf8(code, bytes)));
  } else {
    char16_t units[2];
    out.append(units, static_cast<std::size_t>(WriteUtf16(code, units)));
  }
}

}  // namespace unicode
