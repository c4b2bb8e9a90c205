// UTF-8 <-> UTF-16 at the POSIX edges: any byte string survives the trip.
#include "utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

void PrintTo(const Utf8Case& c, std::ostream* out) { *out << c.name; }

class Utf8Texts : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Texts, ConvertBothWays) {
  char16_t wide[64];
  ASSERT_EQ(Utf8ToUtf16(GetParam().utf8.c_str(), wide, 64),
            static_cast<int>(GetParam().utf16.size()));
  EXPECT_EQ(std::u16string(wide), GetParam().utf16);
  char bytes[128];
  ASSERT_EQ(Utf16ToUtf8(wide, bytes, 128),
            static_cast<int>(GetParam().utf8.size()));
  EXPECT_EQ(std::string(bytes), GetParam().utf8);
}

// What is not UTF-8 is kept as escaped bytes; the sequences themselves are
// tested in unicode_test.cpp.
const Utf8Case kCases[] = {
    {"Ascii", "/tmp/a b.txt", u"/tmp/a b.txt"},
    {"TwoAndFourBytes", "caf\xC3\xA9\xF0\x9F\x98\x80", u"caf\u00E9\U0001F600"},
    {"Latin1Byte", "\xE9t\xE9", u"\xDCE9t\xDCE9"},
    {"TruncatedSequence", "\xE2\x82", u"\xDCE2\xDC82"},
    {"OverlongSlash", "\xC0\xAF", u"\xDCC0\xDCAF"},
    {"EncodedSurrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
    {"Empty", "", u""},
};

INSTANTIATE_TEST_SUITE_P(Edges, Utf8Texts, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

TEST(Utf8, OutputThatDoesNotFitIsRefusedAndTerminated) {
  char16_t wide[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(Utf8ToUtf16("abcd", wide, 4), -1);
  EXPECT_EQ(std::u16string(wide), u"abc");
  EXPECT_EQ(Utf8ToUtf16("abc", wide, 4), 3);
  EXPECT_EQ(Utf8ToUtf16("ab\xF0\x9F\x98\x80", wide, 4), -1);  // pair split
  EXPECT_EQ(std::u16string(wide), u"ab");
  char bytes[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(Utf16ToUtf8(u"\u20AC", bytes, 3), -1);
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(Utf16ToUtf8(u"\u20AC", bytes, 4), 3);
}

TEST(Utf8, UnpairedSurrogatesKeepThreeBytes) {
  char bytes[8];
  EXPECT_EQ(Utf16ToUtf8(u"\xD800", bytes, 8), 3);
  EXPECT_EQ(std::string(bytes), "\xED\xA0\x80");
}

}  // namespace
