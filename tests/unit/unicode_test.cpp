// UTF-8 and UTF-16 a code point at a time (shared/unicode.h), on which every
// conversion in the tree is built.
#include "unicode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace {

TEST(Unicode, ReadUtf8) {
  struct Case {
    const char* name;
    std::string bytes;
    int length;  // 0: not UTF-8
    char32_t code;
  };
  const Case cases[] = {
      {"ascii", "A", 1, U'A'},
      {"two bytes", "\xC3\xA9x", 2, 0xE9},
      {"three bytes", "\xE2\x82\xAC", 3, 0x20AC},
      {"four bytes", "\xF0\x9F\x98\x80", 4, 0x1F600},
      {"highest", "\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
      {"surrogate read as itself", "\xED\xA0\x80", 3, 0xD800},
      {"lone continuation byte", "\x80", 0, 0},
      {"overlong slash", "\xC0\xAF", 0, 0},
      {"overlong three", "\xE0\x80\x80", 0, 0},
      {"overlong four", "\xF0\x8F\xBF\xBF", 0, 0},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0, 0},
      {"five-byte lead", "\xF8\x88\x80\x80\x80", 0, 0},
      {"cut short by the end", "\xE2\x82", 0, 0},
      {"cut short by a byte", "\xE2\x28\xAC", 0, 0},
      {"never a lead", "\xFF", 0, 0},
  };
  for (const Case& c : cases) {
    char32_t code = 0;
    EXPECT_EQ(unicode::ReadUtf8(c.bytes.data(), c.bytes.size(), code), c.length)
        << c.name;
    if (c.length > 0) {
      EXPECT_EQ(code, c.code) << c.name;
    }
    EXPECT_EQ(
        unicode::ReadUtf8OrReplacement(c.bytes.data(), c.bytes.size(), code),
        c.length > 0 ? c.length : 1)
        << c.name;
    EXPECT_EQ(code, c.length > 0 ? c.code : char32_t{0xFFFD}) << c.name;
  }
}

// The bytes that lead a sequence, by the length they start; 0: none, so a
// reader a byte at a time refuses them at once.
TEST(Unicode, Utf8LeadBytes) {
  const std::pair<unsigned char, int> cases[] = {
      {0x00, 1}, {0x7F, 1}, {0x80, 0}, {0xBF, 0}, {0xC0, 0},
      {0xC1, 0}, {0xC2, 2}, {0xDF, 2}, {0xE0, 3}, {0xEF, 3},
      {0xF0, 4}, {0xF4, 4}, {0xF5, 0}, {0xF7, 0}, {0xFF, 0},
  };
  for (const auto& [lead, length] : cases) {
    EXPECT_EQ(unicode::Utf8Length(lead), length) << std::hex << +lead;
  }
}

TEST(Unicode, WriteUtf8AndUtf16) {
  struct Case {
    char32_t code;
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {0x41, "A", u"A"},
      {0x7F, "\x7F", u"\x7F"},
      {0x80, "\xC2\x80", u"\x80"},
      {0x7FF, "\xDF\xBF", u"\u07FF"},
      {0x800, "\xE0\xA0\x80", u"\u0800"},
      {0xD800, "\xED\xA0\x80", u"\xD800"},
      {0xFFFF, "\xEF\xBF\xBF", u"\xFFFF"},
      {0x10000, "\xF0\x90\x80\x80", u"\xD800\xDC00"},
      {0x1F600, "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
  };
  for (const Case& c : cases) {
    std::string utf8 = "<";
    std::u16string utf16 = u"<";
    unicode::Append(c.code, utf8);
    unicode::Append(c.code, utf16);
    EXPECT_EQ(utf8, "<" + c.utf8) << std::hex << std::uint32_t{c.code};
    EXPECT_EQ(utf16, u"<" + c.utf16) << std::hex << std::uint32_t{c.code};
  }
}

TEST(Unicode, ReadUtf16) {
  struct Case {
    std::u16string units;
    int length;
    char32_t code;
  };
  const Case cases[] = {
      {u"A", 1, U'A'},
      {u"\xD83D\xDE00", 2, 0x1F600},
      {u"\xDBFF\xDFFFx", 2, 0x10FFFF},
      {u"\xD83D", 1, 0xD83D},  // unpaired, at the end
      {u"\xD83Dx", 1, 0xD83D},
      {u"\xDE00\xD83D", 1, 0xDE00},  // a pair in the wrong order
  };
  for (const Case& c : cases) {
    char32_t code = 0;
    EXPECT_EQ(unicode::ReadUtf16(c.units.data(), c.units.size(), code),
              c.length);
    EXPECT_EQ(code, c.code);
  }
}

}  // namespace
