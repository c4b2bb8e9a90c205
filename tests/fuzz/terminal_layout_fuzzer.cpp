// Fuzzes the terminal box's layout at any size: any title, body, buttons,
// language, focus and terminal size. No line is wider than the layout's
// width, wrapping shows every character of the text once, and the focused
// button, the default at the start, is the one shown as focused.
// The input: columns, rows, style (2 bytes), language, the title's length
// in units, then the title and the body as UTF-16LE.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "box_plan.h"
#include "box_text.h"
#include "fuzz_check.h"
#include "terminal_layout.h"
#include "terminal_width.h"

namespace vorlick {
namespace {

bool IsMark(char c) { return c >= kBoldOn && c <= kAttributesOff; }

// What is left of a text without the blanks a layout may drop or add
// (spaces at a break, tabs made spaces, line breaks) and without marks.
std::string Ink(const std::string& text) {
  std::string ink;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n' && !IsMark(c)) ink += c;
  }
  return ink;
}

std::u16string Units(const std::uint8_t* data, std::size_t count) {
  std::u16string units(count, u'\0');
  std::memcpy(units.data(), data, count * 2);
  return units;
}

// Characters of a line that take room: a line wider than its columns may
// hold only one, too wide for any line.
int WideClusters(const std::string& line) {
  int count = 0;
  for (std::size_t at = 0; at < line.size();) {
    const Cluster cluster = NextCluster(line, at);
    count += cluster.width > 0;
    at += cluster.length;
  }
  return count;
}

void CheckWrap(const std::string& text, int columns) {
  const std::vector<std::string> lines = WrapText(text, columns);
  std::string joined;
  for (const std::string& line : lines) {
    FUZZ_CHECK(TextWidth(line) <= columns || WideClusters(line) == 1);
    joined += line;
  }
  FUZZ_CHECK(Ink(joined) == Ink(text));
}

int CountOf(const std::vector<std::string>& lines, char mark) {
  int count = 0;
  for (const std::string& line : lines) {
    for (char c : line) count += c == mark;
  }
  return count;
}

void CheckButtons(const BoxPlan& plan, int width) {
  const std::vector<std::string> focused =
      ButtonLines(plan, plan.defaultIndex, width);
  FUZZ_CHECK(CountOf(focused, kReverseOn) == 1);
  std::string all;
  for (const std::string& line : focused) all += line;
  const std::string label = ToDisplayText(
      KeyedLabel(plan.language, plan.buttons.ids[plan.defaultIndex]).text);
  // The focused button shows its label, unless the line is too narrow.
  const std::size_t at = all.find(kReverseOn);
  if (TextWidth(label) + 4 <= width) {
    FUZZ_CHECK(Ink(all.substr(at)).rfind(">" + Ink(label) + "<", 0) == 0);
  }
  for (int focus = 0; focus < plan.buttons.count; ++focus) {
    FUZZ_CHECK(ButtonLines(plan, focus, width).size() == focused.size());
  }
}

}  // namespace
}  // namespace vorlick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace vorlick;
  if (size < 6) return 0;
  const int columns = data[0];
  const int rows = data[1] % 64;
  const std::uint32_t style = data[2] | (data[3] << 8);
  const Language language = data[4] % LanguageCount();
  const std::size_t units = (size - 6) / 2;
  const std::size_t titleUnits = data[5] < units ? data[5] : units;
  const std::u16string wideTitle = Units(data + 6, titleUnits);
  const std::u16string wideBody =
      Units(data + 6 + 2 * titleUnits, units - titleUnits);
  if (!IsShowable(style)) return 0;

  BoxPlan plan = PlanBox(style, 0);
  plan.language = language;
  const std::string title = ToDisplayTitle(wideTitle.c_str());
  const std::string body = ToDisplayText(wideBody.c_str());
  const TerminalContent content{plan, title, body, style % 5 == 0 ? 0u : 10u};
  const TerminalLayout layout =
      LayOutTerminalBox(content, plan.defaultIndex, columns, rows);
  // The last column stays free: some terminals wrap when it is written.
  FUZZ_CHECK(layout.width == (columns > 1 ? columns - 1 : 1));
  for (const std::string& line : layout.lines) {
    FUZZ_CHECK(TextWidth(line) <= layout.width);
  }
  FUZZ_CHECK(CountOf(layout.lines, kReverseOn) == 1);
  CheckWrap(body, layout.width);
  CheckButtons(plan, layout.width);
  return 0;
}
