#include "utf8.h"

#include <string_view>

#include "unicode.h"

namespace {

// A byte that is not part of valid UTF-8 becomes this plus the byte.
constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

// Appends `count` items, or fails when they and a terminator do not fit.
template <typename Unit>
bool Put(const Unit* items, int count, Unit* out, int capacity, int& length) {
  if (length + count >= capacity) return false;
  for (int i = 0; i < count; ++i) out[length++] = items[i];
  return true;
}

}  // namespace

int Utf8ToUtf16(const char* text, char16_t* out, int capacity) {
  std::string_view rest(text);
  int length = 0;
  bool fits = true;
  while (!rest.empty() && fits) {
    char32_t code = 0;
    int used = unicode::ReadUtf8(rest, code);
    char16_t units[2];
    int count = 1;
    if (used == 0 || unicode::IsSurrogate(code)) {
      units[0] = static_cast<char16_t>(kEscapeBase +
                                       static_cast<unsigned char>(rest[0]));
      used = 1;
    } else {
      count = unicode::WriteUtf16(code, units);
    }
    fits = Put(units, count, out, capacity, length);
    rest.remove_prefix(static_cast<std::size_t>(used));
  }
  if (capacity > 0) out[length] = 0;
  return fits ? length : -1;
}

int Utf16ToUtf8(const char16_t* text, char* out, int capacity) {
  std::u16string_view rest(text);
  int length = 0;
  bool fits = true;
  while (!rest.empty() && fits) {
    char bytes[4];
    int count = 1;
    int used = 1;
    if (IsEscapedByte(rest[0])) {
      bytes[0] = static_cast<char>(rest[0] - kEscapeBase);  // the raw byte
    } else {
      char32_t code = 0;
      used = unicode::ReadUtf16(rest, code);
      count = unicode::WriteUtf8(code, bytes);  // also an unpaired surrogate
    }
    fits = Put(bytes, count, out, capacity, length);
    rest.remove_prefix(static_cast<std::size_t>(used));
  }
  if (capacity > 0) out[length] = 0;
  return fits ? length : -1;
}
