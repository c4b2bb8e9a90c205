// The POSIX conversions for the ANSI code page (Windows-1252), held to the
// contract of the Windows functions they stand for.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cp1252.h"
#include "platform_api.h"

namespace {

TEST(Cp1252, EveryByteMapsToItsUnit) {
  struct Case {
    unsigned char byte;
    char16_t unit;
  };
  const Case cases[] = {
      {0x00, 0x0000}, {0x41, 0x0041}, {0x7F, 0x007F}, {0x80, 0x20AC},
      {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
      {0x9D, 0x009D}, {0x8A, 0x0160}, {0x99, 0x2122}, {0x9F, 0x0178},
      {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
  };
  for (Case c : cases) EXPECT_EQ(Cp1252ToUnit(c.byte), c.unit) << int{c.byte};
}

TEST(Cp1252, EveryByteRoundTrips) {
  for (int byte = 0; byte < 256; ++byte) {
    bool usedDefault = false;
    char back = UnitToCp1252(Cp1252ToUnit(static_cast<unsigned char>(byte)),
                             '?', usedDefault);
    EXPECT_EQ(static_cast<unsigned char>(back), byte);
    EXPECT_FALSE(usedDefault);
  }
}

TEST(Cp1252, UnitsWithoutACharacter) {
  struct Case {
    char16_t unit;
    char byte;
    bool usedDefault;
  };
  const Case cases[] = {
      {0xFF11, '1', false},  // fullwidth digit: best fit
      {0x2212, '-', false},  // minus sign
      {0x3000, ' ', false},  // ideographic space
      {0x0100, 'A', false},  // A with macron
      {0x4E00, '?', true},   // a CJK ideograph: no fit at all
      {0xD83D, '?', true},   // a lone surrogate
      {0xFFFF, '?', true},
  };
  for (Case c : cases) {
    bool usedDefault = false;
    EXPECT_EQ(UnitToCp1252(c.unit, '?', usedDefault), c.byte) << int{c.unit};
    EXPECT_EQ(usedDefault, c.usedDefault) << int{c.unit};
  }
}

TEST(MultiByteToWideChar, ConvertsThroughTheTerminatorAndCountsIt) {
  char16_t out[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a\x80", -1, out, 8), 3);
  EXPECT_EQ(std::u16string(out), u"a\u20AC");
  EXPECT_EQ(out[3], u'x');  // nothing written past the converted text
}

TEST(MultiByteToWideChar, ExplicitLengthHasNoTerminator) {
  char16_t out[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 2, out, 4), 2);
  EXPECT_EQ(out[0], u'a');
  EXPECT_EQ(out[1], u'b');
  EXPECT_EQ(out[2], u'x');
}

TEST(MultiByteToWideChar, SizeQueryAndTooSmallTarget) {
  char16_t* const none = nullptr;
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abcd", -1, none, 0), 5);
  char16_t out[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abcde", -1, out, 3), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(out[2], u'c');  // filled up to the capacity ...
  EXPECT_EQ(out[3], u'x');  // ... and not one unit further
}

TEST(MultiByteToWideChar, RefusesWhatWindowsRefuses) {
  char16_t out[4];
  struct Case {
    const char* name;
    UINT codePage;
    DWORD flags;
    const char* source;
    int length;
    int capacity;
    DWORD error;
  };
  const Case cases[] = {
      {"other code page", 65001, 0, "a", -1, 4, ERROR_INVALID_PARAMETER},
      {"flags", CP_ACP, 1, "a", -1, 4, ERROR_INVALID_FLAGS},
      {"no source", CP_ACP, 0, nullptr, -1, 4, ERROR_INVALID_PARAMETER},
      {"zero length", CP_ACP, 0, "a", 0, 4, ERROR_INVALID_PARAMETER},
      {"negative length", CP_ACP, 0, "a", -2, 4, ERROR_INVALID_PARAMETER},
      {"negative capacity", CP_ACP, 0, "a", -1, -1, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MultiByteToWideChar(c.codePage, c.flags, c.source, c.length, out,
                                  c.capacity),
              0)
        << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name;
  }
}

// Windows refuses to convert a buffer onto itself; so do we, so that a reader
// that converts in place fails here as it would there.
TEST(MultiByteToWideChar, RefusesToConvertInPlace) {
  char16_t text[4] = {};
  std::memcpy(text, "ab", 3);
  const auto* bytes = reinterpret_cast<const char*>(text);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, -1, text, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, 2, text, 4), 0);
}

TEST(WideCharToMultiByte, ConvertsAndReportsTheDefault) {
  char out[8] = "xxxxxxx";
  BOOL usedDefault = TRUE;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a\u20AC\uFF15", -1, out, 8,
                                nullptr, &usedDefault),
            4);
  EXPECT_EQ(std::string(out),
            "a\x80"
            "5");
  EXPECT_EQ(usedDefault, FALSE);
  EXPECT_EQ(
      WideCharToMultiByte(CP_ACP, 0, u"\u4E00", -1, out, 8, "*", &usedDefault),
      2);
  EXPECT_EQ(std::string(out), "*");
  EXPECT_EQ(usedDefault, TRUE);
}

TEST(WideCharToMultiByte, SurrogatePairGivesTwoDefaults) {
  char out[4] = {};
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\U0001F600", 2, out, 4, nullptr,
                                nullptr),
            2);
  EXPECT_EQ(std::string(out, 2), "??");
}

TEST(WideCharToMultiByte, SizeQueryAndTooSmallTarget) {
  char* const none = nullptr;
  EXPECT_EQ(
      WideCharToMultiByte(CP_ACP, 0, u"12345", -1, none, 0, nullptr, nullptr),
      6);
  char out[6] = "xxxxx";
  EXPECT_EQ(
      WideCharToMultiByte(CP_ACP, 0, u"12345", -1, out, 3, nullptr, nullptr),
      0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::string(out, 5), "123xx");
}

}  // namespace
