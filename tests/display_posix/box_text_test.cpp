// UTF-16 to the UTF-8 the boxes draw: line breaks, surrogates, controls.
#include "box_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlick {
namespace {

struct TextCase {
  const char* name;
  std::u16string in;
  std::string out;
};

TEST(BoxTextTest, ToDisplayText) {
  const TextCase cases[] = {
      {"empty", u"", ""},
      {"ascii", u"Hello, world", "Hello, world"},
      {"crlf", u"one\r\ntwo", "one\ntwo"},
      {"lf", u"one\ntwo\n", "one\ntwo\n"},
      {"lone cr", u"one\rtwo", "one\ntwo"},
      {"cr cr lf", u"a\r\r\nb", "a\n\nb"},
      {"tab kept", u"a\tb", "a\tb"},
      {"latin", u"\u00e9t\u00e9", "\xC3\xA9t\xC3\xA9"},
      {"bmp", u"\u20ac\u4e2d", "\xE2\x82\xAC\xE4\xB8\xAD"},
      {"pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
      {"lone high",
       u"a\xD83D"
       "b",
       "a\xEF\xBF\xBD"
       "b"},
      {"lone low", u"a\xDE00", "a\xEF\xBF\xBD"},
      {"high at end", u"a\xD83D", "a\xEF\xBF\xBD"},
      {"swapped pair", u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"escape", u"\x1b[2Jx", "\xEF\xBF\xBD[2Jx"},
      {"bell del", u"\x07\x7f", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"c1 csi",
       u"\x9b"
       "31m",
       "\xEF\xBF\xBD"
       "31m"},
      {"nbsp kept", u"\u00a0", "\xC2\xA0"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(ToDisplayText(c.in.c_str()), c.out) << c.name;
  }
}

TEST(BoxTextTest, NullIsEmpty) {
  EXPECT_EQ(ToDisplayText(nullptr), "");
  EXPECT_EQ(ToDisplayTitle(nullptr), "");
}

TEST(BoxTextTest, TitleIsOneLine) {
  EXPECT_EQ(ToDisplayTitle(u"a\r\nb\rc\nd\te"), "a b c d e");
  EXPECT_EQ(ToDisplayTitle(u"\x1b]0;x\x07"), "\xEF\xBF\xBD]0;x\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vorlick
