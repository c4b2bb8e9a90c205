// The POSIX conversions for the ANSI code page (Windows-1252), as the reader
// calls them.
#include <gtest/gtest.h>
#include <iconv.h>

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

// The whole table against the C library's own Windows-1252, which leaves
// the five undefined bytes undefined where Windows gives each its own code
// point.
TEST(Cp1252, EveryByteAsTheCLibraryConvertsIt) {
  iconv_t cd = iconv_open("UTF-16LE", "CP1252");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  int undefined = 0;
  for (int byte = 0; byte < 256; ++byte) {
    char in = static_cast<char>(byte);
    char16_t unit = 0;
    char* from = &in;
    char* to = reinterpret_cast<char*>(&unit);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof unit;
    if (iconv(cd, &from, &inLeft, &to, &outLeft) ==
        static_cast<std::size_t>(-1)) {
      unit = static_cast<char16_t>(byte);
      ++undefined;
    }
    EXPECT_EQ(Cp1252ToUnit(static_cast<unsigned char>(byte)), unit) << byte;
  }
  iconv_close(cd);
  EXPECT_EQ(undefined, 5);
}

TEST(Cp1252, EveryByteRoundTrips) {
  for (int byte = 0; byte < 256; ++byte) {
    char back = UnitToCp1252(Cp1252ToUnit(static_cast<unsigned char>(byte)));
    EXPECT_EQ(static_cast<unsigned char>(back), byte);
  }
}

TEST(Cp1252, UnitsWithoutACharacter) {
  struct Case {
    char16_t unit;
    char byte;
  };
  const Case cases[] = {
      {0xFF11, '1'},  // fullwidth digit: best fit
      {0x2212, '-'},  // minus sign
      {0x3000, ' '},  // ideographic space
      {0x0100, 'A'},  // A with macron
      {0x4E00, '?'},  // a CJK ideograph: no fit at all
      {0xD83D, '?'},  // a lone surrogate
      {0xFFFF, '?'},
  };
  for (Case c : cases) EXPECT_EQ(UnitToCp1252(c.unit), c.byte) << int{c.unit};
}

TEST(MultiByteToWideChar, SizeQueryConversionAndTooSmallTarget) {
  char16_t* const none = nullptr;
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a\x80z", 3, none, 0), 3);
  char16_t out[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a\x80z", 2, out, 4), 2);
  EXPECT_EQ(std::u16string(out, 4), u"a\u20ACxx");
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "bcd", 3, out, 2), 0);
  EXPECT_EQ(std::u16string(out, 4), u"a\u20ACxx");  // nothing written
}

TEST(WideCharToMultiByte, SizeQueryConversionAndTooSmallTarget) {
  char* const none = nullptr;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a\u20AC\uFF15\u4E00", 4, none, 0,
                                nullptr, nullptr),
            4);
  char out[6] = "xxxxx";
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a\u20AC\uFF15\u4E00", 4, out, 5,
                                nullptr, nullptr),
            4);
  EXPECT_EQ(std::string(out, 5),
            "a\x80"
            "5?x");
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\U0001F600", 2, out, 5, nullptr,
                                nullptr),
            2);  // each unit of a pair on its own
  EXPECT_EQ(std::string(out, 2), "??");
  EXPECT_EQ(
      WideCharToMultiByte(CP_ACP, 0, u"12345", 5, out, 3, nullptr, nullptr), 0);
  EXPECT_EQ(std::string(out, 5), "??5?x");  // nothing written
}

// Only the default conversion is done: other flags fail, as unknown ones do
// on Windows, rather than be ignored.
TEST(Conversions, TakeOnlyTheDefaultFlags) {
  struct Case {
    DWORD flags;
    int toUnits;  // "ab" converted to units
    int toBytes;  // u"ab" converted to bytes
  };
  const Case cases[] = {
      {0x0, 2, 2}, {0x1, 2, 0}, {0x2, 0, 0}, {0x400, 0, 0}, {0xFFFFFFFF, 0, 0}};
  for (const Case& c : cases) {
    char16_t units[2] = {};
    char bytes[2] = {};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, c.flags, "ab", 2, units, 2),
              c.toUnits)
        << c.flags;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, c.flags, u"ab", 2, bytes, 2, nullptr,
                                  nullptr),
              c.toBytes)
        << c.flags;
  }
}

}  // namespace

// Windows refuses to convert a buffer onto itself; so do we, so that a reader
// that converts in place fails here as it would there.
TEST(MultiByteToWideChar, RefusesToConvertInPlace) {
  char16_t text[4] = {};
  std::memcpy(text, "ab", 3);
  const auto* bytes = reinterpret_cast<const char*>(text);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, 2, text, 4), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes + 2, 2, text, 4), 0);
  char16_t apart[4] = {};
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes, 2, apart, 4), 2);
}
