// The terminal box's lines: wrapping, icon tag, alignment, buttons, height,
// and no line wider than the terminal at any width.
#include "terminal_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal_width.h"

namespace vorlick {
namespace {

using Lines = std::vector<std::string>;

// The attribute marks, short, for the expected lines.
const std::string B(1, kBoldOn), R(1, kReverseOn), U(1, kUnderlineOn),
    u(1, kUnderlineOff), P(1, kAttributesOff);

TerminalLayout LayOut(unsigned style, const std::string& title,
                      const std::string& body, std::uint64_t seconds,
                      int columns, int rows, const char* language = "en") {
  BoxPlan plan = PlanBox(style, 0);
  plan.language = FindLanguage(language);
  return LayOutTerminalBox({plan, title, body, seconds}, plan.defaultIndex,
                           columns, rows);
}

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
      {"中文字", 4, {"中文", "字"}},
      {"a中", 2, {"a", "中"}},
      // Breaking at a space can leave too little room for what comes:
      // the line breaks again where it is full.
      {" abcd中", 5, {"", "abcd", "中"}},
      // A character keeps its combining marks, also a space its own.
      {"e\u0301e\u0301", 1, {"e\u0301", "e\u0301"}},
      {"ab \u0301c", 2, {"ab", " \u0301c"}},
      // A joined emoji is one character.
      {"x👨\u200D👩", 2, {"x", "👨\u200D👩"}},
  };
  for (const WrapCase& c : cases) {
    EXPECT_EQ(WrapText(c.text, c.columns), c.lines)
        << testing::PrintToString(c.text) << " at " << c.columns;
  }
}

TEST(TerminalLayoutTest, TruncateCutsWholeCharactersAndKeepsTheMarks) {
  struct Case {
    std::string text;
    int columns;
    std::string cut;
  };
  const Case cases[] = {
      {B + "abcdefghijkl" + P, 9, B + "abcdefgh…" + P},
      {"中文字体", 5, "中文…"},
      {"ae\u0301e\u0301e\u0301e\u0301", 4, "ae\u0301e\u0301…"},
      {"abc", 3, "abc"},
      {"中文", 1, "…"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Truncate(c.text, c.columns), c.cut) << c.text;
  }
}

TEST(TerminalLayoutTest, ButtonLinesShowFocusAndAccessKeys) {
  struct Case {
    const char* language;
    unsigned style;
    int focus;
    int width;
    Lines lines;
  };
  const Case cases[] = {
      {"en",
       0x1,
       0,
       79,
       {R + "> " + U + "O" + u + "K <" + P + "  [ " + U + "C" + u + "ancel ]"}},
      {"en",
       0x1,
       1,
       79,
       {"[ " + U + "O" + u + "K ]  " + R + "> " + U + "C" + u + "ancel <" + P}},
      {"de",
       0x2,
       0,
       79,
       {R + "> Abbr" + U + "u" + u + "ch <" + P + "  [ " + U + "W" + u +
        "iederholen ]  [ " + U + "I" + u + "gnorieren ]"}},
      // Too wide for the line: a button that does not fit starts the next.
      {"de",
       0x2,
       0,
       39,
       {R + "> Abbr" + U + "u" + u + "ch <" + P + "  [ " + U + "W" + u +
            "iederholen ]",
        "[ " + U + "I" + u + "gnorieren ]"}},
      {"ja",
       0x3,
       1,
       79,
       {"[ はい(" + U + "Y" + u + ") ]  " + R + "> いいえ(" + U + "N" + u +
        ") <" + P + "  [ キャンセル(" + U + "C" + u + ") ]"}},
      // A button wider than the line itself is cut.
      {"en",
       0x6,
       1,
       9,
       {"[ " + U + "C" + u + "ancel…", R + "> " + U + "T" + u + "ry Ag…" + P,
        "[ " + U + "C" + u + "ontin…"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.language << " " << c.style << " "
                                    << c.focus << " " << c.width);
    BoxPlan plan = PlanBox(c.style, 0);
    plan.language = FindLanguage(c.language);
    EXPECT_EQ(ButtonLines(plan, c.focus, c.width), c.lines);
  }
}

TEST(TerminalLayoutTest, BoxWithTimeOut) {
  const TerminalLayout layout =
      LayOut(0x23, "Save?", "Save changes?\nNow", 10, 80, 24);
  const Lines expected = {
      B + "Save?" + P,
      "",
      "(?) Save changes?",
      "    Now",
      "",
      "Closes in 10 s",
      "",
      R + "> " + U + "Y" + u + "es <" + P + "  [ " + U + "N" + u + "o ]  [ " +
          U + "C" + u + "ancel ]",
  };
  EXPECT_EQ(layout.lines, expected);
  EXPECT_EQ(layout.countdownLine, 5);
  EXPECT_EQ(layout.firstButtonLine, 7);
  EXPECT_EQ(layout.width, 79);
}

TEST(TerminalLayoutTest, BoxInFrenchWithoutTimeOutStartsAtItsDefault) {
  const TerminalLayout layout =
      LayOut(0x4 | 0x100, "", "Go on?", 0, 80, 24, "fr");
  const Lines expected = {
      B + P,
      "",
      "Go on?",
      "",
      "[ " + U + "O" + u + "ui ]  " + R + "> " + U + "N" + u + "on <" + P,
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
    EXPECT_EQ(LayOut(icon, "c", "t", 0, 80, 24).lines[2], line);
  }
}

TEST(TerminalLayoutTest, RightAlignedTextIsPaddedToTheWidestLine) {
  const TerminalLayout layout =
      LayOut(0x80000 | 0x40, "c", "a\nbbb\n", 0, 80, 24);
  const Lines text(layout.lines.begin() + 2, layout.lines.begin() + 5);
  EXPECT_EQ(text, (Lines{"(i)   a", "    bbb", "       "}));
}

TEST(TerminalLayoutTest, TextWrapsBesideTheIcon) {
  // 20 columns leave 19 to draw, 15 beside the icon's tag.
  const TerminalLayout layout =
      LayOut(0x30, "c", "aaaa bbbb cccc dddd", 0, 20, 0);
  const Lines text(layout.lines.begin() + 2, layout.lines.begin() + 4);
  EXPECT_EQ(text, (Lines{"(!) aaaa bbbb cccc", "    dddd"}));
}

// The box takes every row but one, kept free for the cursor: 3 rows of text
// are left of 8 without a countdown, of 10 with one.
TEST(TerminalLayoutTest, TallTextIsCutToTheTerminal) {
  const std::string ok = R + "> " + U + "O" + u + "K <" + P;
  struct Case {
    std::uint64_t seconds;
    int rows;
    Lines lines;
  };
  const Case cases[] = {
      {0, 8, {B + "c" + P, "", "1", "2", "…", "", ok}},
      {10, 10, {B + "c" + P, "", "1", "2", "…", "", "Closes in 10 s", "", ok}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LayOut(0x0, "c", "1\n2\n3\n4\n5", c.seconds, 80, c.rows).lines,
              c.lines)
        << c.rows;
  }
}

// Whatever the width, no line is wider than the terminal's columns less the
// last one: wrapped, cut, or the buttons on lines of their own.
TEST(TerminalLayoutTest, NoLineIsWiderThanTheTerminal) {
  const std::string text =
      "Die Sicherung ist fertig, aber einige Dateien 文件 konnten nicht "
      "gelesen werden 😀. Protokoll\töffnen?";
  for (int columns = 1; columns <= 90; ++columns) {
    for (const char* language : {"de", "ja"}) {
      const TerminalLayout layout =
          LayOut(0x2 | 0x4000 | 0x30, "Eine lange Überschrift 見出し", text,
                 300, columns, 0, language);
      const int width = columns > 1 ? columns - 1 : 1;
      EXPECT_EQ(layout.width, width);
      for (const std::string& line : layout.lines) {
        EXPECT_LE(TextWidth(line), width) << columns << " " << line;
      }
    }
  }
}

}  // namespace
}  // namespace vorlick
