// The lines of a message, split at every kind of line break.
#include "text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

std::vector<std::wstring> Lines(const wchar_t* text) {
  std::vector<std::wstring> lines;
  for (int at = 0;;) {
    const TextLine line = LineAt(text, at);
    lines.emplace_back(text + at, line.length);
    if (line.next < 0) return lines;
    at = line.next;
  }
}

TEST(TextLines, EveryBreakEndsOneLine) {
  struct Case {
    const wchar_t* text;
    std::vector<std::wstring> lines;
  };
  const Case cases[] = {
      {L"", {L""}},
      {L"one", {L"one"}},
      {L"one\r\ntwo", {L"one", L"two"}},
      {L"one\ntwo\rthree", {L"one", L"two", L"three"}},
      {L"end\r\n", {L"end", L""}},
      {L"\n\n", {L"", L"", L""}},
      {L"a\r\r\nb", {L"a", L"", L"b"}},
      {L"a\n\rb", {L"a", L"", L"b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lines.size());
    EXPECT_EQ(Lines(c.text), c.lines);
  }
}

}  // namespace
}  // namespace vorlick
