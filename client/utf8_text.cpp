#include "utf8_text.h"

#include "unicode.h"

bool DecodeUtf8(std::string_view bytes, std::u16string& text,
                std::string& error) {
  text.clear();
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t code = 0;
    const int length =
        unicode::ReadUtf8(bytes.data() + at, bytes.size() - at, code);
    if (length == 0) {
      constexpr char kDigits[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(bytes[at]);
      error = std::string("is not UTF-8 (byte 0x") + kDigits[byte >> 4] +
              kDigits[byte & 0xF] + " at byte " + std::to_string(at + 1) + ")";
      return false;
    }
    unicode::Append(code, text);
    at += static_cast<std::size_t>(length);
  }
  return true;
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    char32_t code = 0;
    at += static_cast<std::size_t>(
        unicode::ReadUtf16(text.data() + at, text.size() - at, code));
    unicode::Append(code, out);
  }
  return out;
}
