#include "utf8_text.h"

namespace {

// The lead bytes of sequences of one to four bytes: the bits that mark
// them, the bits of the code point they carry and the least code point of
// that length (a longer form is not UTF-8).
struct Lead {
  unsigned char mask;
  unsigned char marker;
  int length;
  char32_t minimum;
};
constexpr Lead kLeads[] = {{0x80, 0x00, 1, 0},
                           {0xE0, 0xC0, 2, 0x80},
                           {0xF0, 0xE0, 3, 0x800},
                           {0xF8, 0xF0, 4, 0x10000}};

// One code point at `at`; returns its length in bytes, 0 when it is not UTF-8.
std::size_t Decode(std::string_view bytes, std::size_t at, char32_t& code) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const Lead* kind = nullptr;
  for (const Lead& candidate : kLeads) {
    if ((lead & candidate.mask) == candidate.marker) kind = &candidate;
  }
  if (kind == nullptr) return 0;
  const int length = kind->length;
  const char32_t minimum = kind->minimum;
  code = lead & static_cast<unsigned char>(~kind->mask);
  if (at + length > bytes.size()) return 0;
  for (int i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[at + i]);
    if ((byte & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF) return 0;
  return static_cast<std::size_t>(length);
}

void Put(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
    return;
  }
  const int length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
  constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(kLead[length] | (code >> (6 * (length - 1))));
  for (int i = length - 2; i >= 0; --i) {
    out += static_cast<char>(0x80 | ((code >> (6 * i)) & 0x3F));
  }
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u16string& text,
                std::string& error) {
  text.clear();
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t code = 0;
    const std::size_t length = Decode(bytes, at, code);
    if (length == 0) {
      constexpr char kDigits[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(bytes[at]);
      error = std::string("is not UTF-8 (byte 0x") + kDigits[byte >> 4] +
              kDigits[byte & 0xF] + " at byte " + std::to_string(at + 1) + ")";
      return false;
    }
    if (code >= 0x10000) {
      text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      text += static_cast<char16_t>(code);
    }
    at += length;
  }
  return true;
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    const bool high = code >= 0xD800 && code <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    Put(code, out);
  }
  return out;
}
