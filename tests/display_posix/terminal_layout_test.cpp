// The terminal box's lines: wrapping, widths, icon tag, alignment, height.
#include "terminal_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

using Lines = std::vector<std::string>;

struct WrapCase {
  std::string text;
  int columns;
  Lines lines;
};

TEST(TerminalLayoutTest, WrapText) {
  const WrapCase cases[] = {
      {"", 5, {""}},
      {"hello world", 11, {"hello world"}},
      {"hello world", 5, {"hello", "world"}},
      {"one two three", 7, {"one two", "three"}},
      {"a b c", 3, {"a b", "c"}},
      {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
      {"ab cdefg", 4, {"ab", "cdef", "g"}},
      {"a\n\nb", 5, {"a", "", "b"}},
      {"a\n", 5, {"a", ""}},
      {"\tx", 20, {"        x"}},
      {"ab\tc", 20, {"ab      c"}},
      {"\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97",
       4,
       {"\xE4\xB8\xAD\xE6\x96\x87", "\xE5\xAD\x97"}},
      {"e\xCC\x81"
       "e\xCC\x81",
       2,
       {"e\xCC\x81"
        "e\xCC\x81"}},
  };
  for (const WrapCase& c : cases) {
    EXPECT_EQ(WrapText(c.text, c.columns), c.lines)
        << testing::PrintToString(c.text) << " at " << c.columns;
  }
}

TEST(TerminalLayoutTest, CellWidth) {
  const std::pair<char32_t, int> cases[] = {
      {U'a', 1},      {U'\u00e9', 1},     {U'\u0301', 0},
      {U'\u200f', 0}, {U'\u4e2d', 2},     {U'\uac00', 2},
      {U'\uff21', 2}, {U'\U0001F600', 2}, {U'\u2603', 1},
  };
  for (const auto& [code, width] : cases) {
    EXPECT_EQ(CellWidth(code), width)
        << std::hex << static_cast<unsigned>(code);
  }
}

TEST(TerminalLayoutTest, ButtonLineShowsTheFocus) {
  const std::pair<int, std::string> cases[] = {
      {0, "\x1b[7m> OK <\x1b[0m  [ Cancel ]"},
      {1, "[ OK ]  \x1b[7m> Cancel <\x1b[0m"},
  };
  for (const auto& [focus, row] : cases) {
    EXPECT_EQ(ButtonLine(PlanBox(0x1, 0), focus), row);
  }
  EXPECT_EQ(ButtonLine(PlanBox(0x6 | 0x4000, 0), 3),
            "[ Cancel ]  [ Try Again ]  [ Continue ]  \x1b[7m> Help <\x1b[0m");
}

TEST(TerminalLayoutTest, BoxWithTimeOut) {
  const TerminalLayout layout = LayOutTerminalBox(
      PlanBox(0x23, 0), "Save?", "Save changes?\nNow", 10, 80, 24);
  const Lines expected = {
      "\x1b[1mSave?\x1b[0m",
      "",
      "(?) Save changes?",
      "    Now",
      "",
      "Closes in 10 s",
      "",
      "\x1b[7m> Yes <\x1b[0m  [ No ]  [ Cancel ]",
  };
  EXPECT_EQ(layout.lines, expected);
  EXPECT_EQ(layout.countdownLine, 5);
}

TEST(TerminalLayoutTest, BoxWithoutTimeOutStartsAtItsDefault) {
  const TerminalLayout layout =
      LayOutTerminalBox(PlanBox(0x4 | 0x100, 0), "", "Go on?", 0, 80, 24);
  const Lines expected = {
      "\x1b[1m\x1b[0m", "", "Go on?", "", "[ Yes ]  \x1b[7m> No <\x1b[0m",
  };
  EXPECT_EQ(layout.lines, expected);
  EXPECT_EQ(layout.countdownLine, -1);
}

TEST(TerminalLayoutTest, IconTags) {
  const std::pair<unsigned, std::string> cases[] = {
      {0x10, "(x) t"}, {0x20, "(?) t"}, {0x30, "(!) t"},
      {0x40, "(i) t"}, {0x00, "t"},
  };
  for (const auto& [icon, line] : cases) {
    EXPECT_EQ(LayOutTerminalBox(PlanBox(icon, 0), "c", "t", 0, 80, 24).lines[2],
              line);
  }
}

TEST(TerminalLayoutTest, RightAlignedTextIsPaddedToTheWidestLine) {
  const TerminalLayout layout =
      LayOutTerminalBox(PlanBox(0x80000 | 0x40, 0), "c", "a\nbbb\n", 0, 80, 24);
  const Lines text(layout.lines.begin() + 2, layout.lines.begin() + 5);
  EXPECT_EQ(text, (Lines{"(i)   a", "    bbb", "       "}));
}

TEST(TerminalLayoutTest, TextWrapsBesideTheIcon) {
  // 20 columns leave 19 to draw, 15 beside the icon's tag.
  const TerminalLayout layout =
      LayOutTerminalBox(PlanBox(0x30, 0), "c", "aaaa bbbb cccc dddd", 0, 20, 0);
  const Lines text(layout.lines.begin() + 2, layout.lines.begin() + 4);
  EXPECT_EQ(text, (Lines{"(!) aaaa bbbb cccc", "    dddd"}));
}

TEST(TerminalLayoutTest, TallTextIsCutToTheTerminal) {
  // 8 rows: one kept free, 4 for caption, gaps and buttons, 3 for the text.
  const TerminalLayout layout =
      LayOutTerminalBox(PlanBox(0x0, 0), "c", "1\n2\n3\n4\n5", 0, 80, 8);
  const Lines expected = {
      "\x1b[1mc\x1b[0m",     "", "1", "2", "\xE2\x80\xA6", "",
      "\x1b[7m> OK <\x1b[0m"};
  EXPECT_EQ(layout.lines, expected);
}

TEST(TerminalLayoutTest, LongCaptionIsCut) {
  const TerminalLayout layout =
      LayOutTerminalBox(PlanBox(0x0, 0), "abcdefghijkl", "", 0, 10, 0);
  EXPECT_EQ(layout.lines[0], "\x1b[1mabcdefgh\xE2\x80\xA6\x1b[0m");
}

}  // namespace
}  // namespace vorlick
