// Column widths from the Unicode data, and the characters lines keep whole.
#include "terminal_width.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlick {
namespace {

TEST(TerminalWidthTest, CellWidthOfEachKind) {
  const std::pair<char32_t, int> cases[] = {
      {U'a', 1},          {U'\u00e9', 1},     {U'\u0903', 1},  // spacing mark
      {U'\u0000', 0},     {U'\u007f', 0},     {U'\u0085', 0},  // controls
      {U'\u0301', 0},     {U'\u0e31', 0},     {U'\u20dd', 0},  // combining
      {U'\u3099', 0},     {U'\u302a', 0},                      // wide combining
      {U'\u200b', 0},     {U'\u200d', 0},     {U'\ufe0f', 0},  // format
      {U'\u00ad', 1},     {U'\u0600', 1},                      // visible format
      {U'\u1100', 2},     {U'\u1160', 0},     {U'\u11a8', 0},  // Hangul jamo
      {U'\uac00', 2},     {U'\u4e2d', 2},     {U'\u3400', 2},  // CJK
      {U'\uff21', 2},     {U'\uff61', 1},                      // full, half
      {U'\U0001F600', 2}, {U'\u231a', 2},     {U'\u2603', 1},  // emoji, text
      {U'\U0001F1E6', 2},                                      // regional
      {U'\U0002A6E0', 2}, {U'\U0003FFFD', 2},                  // planes 2, 3
      {U'\u0378', 1},     {U'\ue000', 1},     {U'\U0010FFFF', 1},
  };
  for (const auto& [code, width] : cases) {
    EXPECT_EQ(CellWidth(code), width)
        << std::hex << static_cast<unsigned>(code);
  }
}

TEST(TerminalWidthTest, ClustersKeepMarksAndJoinedCharacters) {
  struct Case {
    std::string text;
    size_t length;
    int width;
  };
  const Case cases[] = {
      {"ab", 1, 1},         {"e\u0301\u0302x", 5, 1},
      {"\u0301x", 2, 0},  // a mark without a base
      {"中\u0301", 5, 2},   {"👨\u200D👩\u200D👧x", 18, 2},  // one family
      {"☃\ufe0f", 6, 2},                                  // in its emoji form
      {" \ufe0f", 4, 1},                                  // a blank has none
      {" \u200D😀", 4, 1},                                 // nor a joiner
      {"\x01\u0301", 1, 0},  // a control stands alone
      {"a\x01", 1, 1},
  };
  for (const Case& c : cases) {
    const Cluster cluster = NextCluster(c.text, 0);
    EXPECT_EQ(cluster.length, c.length) << c.text;
    EXPECT_EQ(cluster.width, c.width) << c.text;
  }
  EXPECT_EQ(TextWidth("a中e\u0301😀"), 6);
}

}  // namespace
}  // namespace vorlick
