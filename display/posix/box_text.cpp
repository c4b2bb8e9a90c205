#include "box_text.h"

namespace vorlick {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool IsUnsafeControl(char32_t code) {
  if (code == '\t' || code == '\n') return false;
  return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// Reads one code point at `p` and returns the units it took.
int NextCodePoint(const char16_t* p, char32_t& code) {
  code = p[0];
  if (IsHighSurrogate(code) && IsLowSurrogate(p[1])) {
    code = 0x10000 + ((code - 0xD800) << 10) + (char32_t{p[1]} - 0xDC00);
    return 2;
  }
  if (IsHighSurrogate(code) || IsLowSurrogate(code)) code = kReplacement;
  return 1;
}

}  // namespace

void AppendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

int DecodeUtf8(const std::string& text, size_t at, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[at]);
  int length = 1;
  if (lead >= 0xF0) {
    code = lead & 0x07, length = 4;
  } else if (lead >= 0xE0) {
    code = lead & 0x0F, length = 3;
  } else if (lead >= 0xC0) {
    code = lead & 0x1F, length = 2;
  } else {
    code = lead;
    return 1;
  }
  for (int i = 1; i < length && at + i < text.size(); ++i) {
    code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  }
  return length;
}

std::string ToDisplayText(const char16_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (const char16_t* p = text; *p != 0;) {
    char32_t code = 0;
    p += NextCodePoint(p, code);
    if (code == '\r') {
      if (*p == u'\n') ++p;
      code = '\n';
    }
    AppendUtf8(IsUnsafeControl(code) ? kReplacement : code, out);
  }
  return out;
}

std::string ToDisplayCaption(const char16_t* caption) {
  std::string out = ToDisplayText(caption);
  for (char& c : out) {
    if (c == '\n' || c == '\t') c = ' ';
  }
  return out;
}

}  // namespace vorlick
