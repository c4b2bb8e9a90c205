#include "utf8.h"

#include <cstddef>

#include "unicode.h"

namespace {

// A byte that is not part of valid UTF-8 becomes this plus the byte.
constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

template <typename Unit>
std::size_t Length(const Unit* text) {
  std::size_t length = 0;
  while (text[length] != 0) ++length;
  return length;
}

// Appends `count` items, or fails when they and a terminator do not fit.
template <typename Unit>
bool Put(const Unit* items, int count, Unit* out, int capacity, int& length) {
  if (length + count >= capacity) return false;
  for (int i = 0; i < count; ++i) out[length++] = items[i];
  return true;
}

}  // namespace

int Utf8ToUtf16(const char* text, char16_t* out, int capacity) {
  const std::size_t end = Length(text);
  int length = 0;
  bool fits = true;
  for (std::size_t at = 0; at < end && fits;) {
    char32_t code = 0;
    int used = unicode::ReadUtf8(text + at, end - at, code);
    char16_t units[2];
    int count = 1;
    if (used == 0 || unicode::IsSurrogate(code)) {
      units[0] = static_cast<char16_t>(kEscapeBase +
                                       static_cast<unsigned char>(text[at]));
      used = 1;
    } else {
      count = unicode::WriteUtf16(code, units);
    }
    fits = Put(units, count, out, capacity, length);
    at += static_cast<std::size_t>(used);
  }
  if (capacity > 0) out[length] = 0;
  return fits ? length : -1;
}

int Utf16ToUtf8(const char16_t* text, char* out, int capacity) {
  const std::size_t end = Length(text);
  int length = 0;
  bool fits = true;
  for (std::size_t at = 0; at < end && fits;) {
    char bytes[4];
    int count = 1;
    int used = 1;
    if (IsEscapedByte(text[at])) {
      bytes[0] = static_cast<char>(text[at] - kEscapeBase);  // the raw byte
    } else {
      char32_t code = 0;
      used = unicode::ReadUtf16(text + at, end - at, code);
      count = unicode::WriteUtf8(code, bytes);  // also an unpaired surrogate
    }
    fits = Put(bytes, count, out, capacity, length);
    at += static_cast<std::size_t>(used);
  }
  if (capacity > 0) out[length] = 0;
  return fits ? length : -1;
}
