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

// Reads the UTF-8 sequence at `bytes` (`available` > 0 of them) and returns
// its length, or 0 where there is none: a byte that cannot lead one, a
// continuation byte missing (also where the bytes end), a longer form than the
// code point needs, or a code point above U+10FFFF. The three bytes of a
// surrogate (ED A0 80 to ED BF BF) read as that surrogate, for the caller to
// take or refuse.
constexpr int ReadUtf8(const char* bytes, std::size_t available,
                       char32_t& code) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  int length = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (available < static_cast<std::size_t>(length)) return 0;
  for (int i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if ((byte & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte & 0x3F);
  }
  return code >= least && code <= 0x10FFFF ? length : 0;
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
