#include "box_text.h"

#include <string_view>

#include "unicode.h"

namespace vorlick {
namespace {

bool IsUnsafeControl(char32_t code) {
  if (code == '\t' || code == '\n') return false;
  return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

}  // namespace

std::string ToDisplayText(const char16_t* text) {
  std::string out;
  if (text == nullptr) return out;
  const std::u16string_view all(text);
  for (std::size_t at = 0; at < all.size();) {
    char32_t code = 0;
    at += static_cast<std::size_t>(
        unicode::ReadUtf16(all.data() + at, all.size() - at, code));
    if (code == '\r') {
      if (at < all.size() && all[at] == u'\n') ++at;
      code = '\n';
    }
    const bool unsafe = unicode::IsSurrogate(code) || IsUnsafeControl(code);
    unicode::Append(unsafe ? unicode::kReplacement : code, out);
  }
  return out;
}

std::string ToDisplayTitle(const char16_t* title) {
  std::string out = ToDisplayText(title);
  for (char& c : out) {
    if (c == '\n' || c == '\t') c = ' ';
  }
  return out;
}

}  // namespace vorlick
