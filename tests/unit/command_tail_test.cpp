// Forming the command tail from whole command lines.
#include "command_tail.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TailCase {
  const char* name;
  std::u16string line;
  std::u16string tail;
};

void PrintTo(const TailCase& c, std::ostream* out) { *out << c.name; }

class CommandTails : public ::testing::TestWithParam<TailCase> {};

TEST_P(CommandTails, FollowTheEntryRules) {
  const std::u16string& line = GetParam().line;
  const char16_t* tail = CommandTail(line.c_str());
  // The tail is a part of the line itself, never a copy.
  EXPECT_GE(tail, line.c_str());
  EXPECT_LE(tail, line.c_str() + line.size());
  EXPECT_EQ(std::u16string(tail), GetParam().tail);
}

const TailCase kCases[] = {
    {"QuotedNameAndPath", u"\"C:\\T\\Tandrel.exe\" C:\\r.txt", u"C:\\r.txt"},
    {"QuotedNameWithBlanks", u"\"C:\\My T\\Tandrel.exe\" r.txt", u"r.txt"},
    {"QuotedNameNoBlankBeforePath", u"\"Tandrel.exe\"C:\\r.txt", u"C:\\r.txt"},
    {"QuotedNameWithoutClosingQuote", u"\"Tandrel.exe r.txt", u""},
    {"UnquotedName", u"Tandrel.exe C:\\r.txt", u"C:\\r.txt"},
    {"UnquotedNameWithQuoteInside", u"Tan\"drel.exe r.txt", u"r.txt"},
    {"UnquotedNameEndsAtControlUnit", u"Tandrel\tr.txt", u"r.txt"},
    {"NoArgument", u"\"Tandrel.exe\"", u""},
    {"NoArgumentUnquoted", u"Tandrel.exe", u""},
    {"OnlyBlanksAfterName", u"Tandrel.exe   \t ", u""},
    {"EmptyLine", u"", u""},
    {"OnlyAQuote", u"\"", u""},
    {"EmptyQuotedName", u"\"\" r.txt", u"r.txt"},
    {"BlanksAndControlsSkipped", u"T \t\r\n\x01\x1F r.txt", u"r.txt"},
    {"PathWithBlanksStaysWhole", u"T C:\\my dir\\my file.txt",
     u"C:\\my dir\\my file.txt"},
    {"QuotedPathKeepsQuotes", u"T \"C:\\r.txt\"", u"\"C:\\r.txt\""},
    {"TrailingBlanksStay", u"T r.txt  ", u"r.txt  "},
    {"SecondArgumentStaysInThePath", u"T a.txt b.txt", u"a.txt b.txt"},
    {"NonAsciiNameAndPath", u"\u00C9t\u00E9 \u20AC.txt", u"\u20AC.txt"},
    {"UnitAbove32EndsNothing", u"T\u00A0x y", u"y"},
    {"BangIsNoBlank", u"T! !r.txt", u"!r.txt"},  // 33, just above the blank
};

INSTANTIATE_TEST_SUITE_P(Entry, CommandTails, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
