#include "utf8.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one well-formed UTF-8 sequence at `p`; returns its length, or 0
// when the bytes there are not one (then the first byte is escaped).
int DecodeSequence(const unsigned char* p, char32_t& code) {
  if (p[0] < 0x80) {
    code = p[0];
    return 1;
  }
  int length = 0;
  char32_t minimum = 0;
  if ((p[0] & 0xE0) == 0xC0) {
    length = 2, code = p[0] & 0x1F, minimum = 0x80;
  } else if ((p[0] & 0xF0) == 0xE0) {
    length = 3, code = p[0] & 0x0F, minimum = 0x800;
  } else if ((p[0] & 0xF8) == 0xF0) {
    length = 4, code = p[0] & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  for (int i = 1; i < length; ++i) {
    if (!IsContinuation(p[i])) return 0;  // also stops at the terminator
    code = (code << 6) | (p[i] & 0x3F);
  }
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < minimum || code > 0x10FFFF || surrogate) return 0;
  return length;
}

bool Put(char16_t unit, char16_t* out, int capacity, int& length) {
  if (length + 1 >= capacity) return false;
  out[length++] = unit;
  return true;
}

bool PutBytes(const unsigned char* bytes, int count, char* out, int capacity,
              int& length) {
  if (length + count >= capacity) return false;
  for (int i = 0; i < count; ++i) out[length++] = static_cast<char>(bytes[i]);
  return true;
}

// One UTF-16 code point (or an unpaired surrogate) as UTF-8 bytes; returns
// the number of bytes, 1 for an escaped raw byte.
int Encode(char32_t code, unsigned char (&bytes)[4]) {
  if (code < 0x80) {
    bytes[0] = static_cast<unsigned char>(code);
    return 1;
  }
  if (code < 0x800) {
    bytes[0] = static_cast<unsigned char>(0xC0 | (code >> 6));
    bytes[1] = static_cast<unsigned char>(0x80 | (code & 0x3F));
    return 2;
  }
  if (code < 0x10000) {
    bytes[0] = static_cast<unsigned char>(0xE0 | (code >> 12));
    bytes[1] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
    bytes[2] = static_cast<unsigned char>(0x80 | (code & 0x3F));
    return 3;
  }
  bytes[0] = static_cast<unsigned char>(0xF0 | (code >> 18));
  bytes[1] = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
  bytes[2] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
  bytes[3] = static_cast<unsigned char>(0x80 | (code & 0x3F));
  return 4;
}

}  // namespace

int Utf8ToUtf16(const char* text, char16_t* out, int capacity) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  int length = 0;
  bool fits = true;
  while (*p != 0 && fits) {
    char32_t code = 0;
    int used = DecodeSequence(p, code);
    if (used == 0) {
      fits =
          Put(static_cast<char16_t>(kEscapeBase + *p), out, capacity, length);
      ++p;
    } else if (code >= 0x10000) {
      code -= 0x10000;
      fits = length + 2 < capacity;
      if (fits) {
        out[length++] = static_cast<char16_t>(0xD800 + (code >> 10));
        out[length++] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
      }
      p += used;
    } else {
      fits = Put(static_cast<char16_t>(code), out, capacity, length);
      p += used;
    }
  }
  if (capacity > 0) out[length] = 0;
  return fits ? length : -1;
}

int Utf16ToUtf8(const char16_t* text, char* out, int capacity) {
  int length = 0;
  bool fits = true;
  for (const char16_t* p = text; *p != 0 && fits; ++p) {
    unsigned char bytes[4];
    int count = 0;
    if (*p >= 0xDC80 && *p <= 0xDCFF) {
      bytes[0] = static_cast<unsigned char>(*p - kEscapeBase);  // raw byte
      count = 1;
    } else if (*p >= 0xD800 && *p <= 0xDBFF && p[1] >= 0xDC00 &&
               p[1] <= 0xDFFF) {
      char32_t code =
          0x10000 + ((char32_t{p[0]} - 0xD800) << 10) + (p[1] - 0xDC00);
      count = Encode(code, bytes);
      ++p;
    } else {
      count = Encode(*p, bytes);  // an unpaired surrogate keeps its 3 bytes
    }
    fits = PutBytes(bytes, count, out, capacity, length);
  }
  if (capacity > 0) out[length] = 0;
  return fits ? length : -1;
}
