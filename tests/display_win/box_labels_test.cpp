// Where the labels come from: MB_GetString, read by whichever numbering its
// answers show, or our translations where it gives nothing usable. The
// stand-ins below answer as user32 might.
#include "box_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

// What a system would call the buttons with IDs 1 to 11.
const wchar_t* const kSystemWords[] = {
    L"S-OK",  L"S-Cancel", L"S-&Abort", L"S-&Retry", L"S-&Ignore",  L"S-&Yes",
    L"S-&No", L"S-&Close", L"S-Help",   L"S-&Try",   L"S-&Continue"};

const wchar_t* WINAPI FromZero(UINT number) {
  return number < 11 ? kSystemWords[number] : nullptr;
}

const wchar_t* WINAPI ById(UINT number) {
  return number >= 1 && number <= 11 ? kSystemWords[number - 1] : nullptr;
}

const wchar_t* WINAPI Nothing(UINT) { return nullptr; }

const wchar_t* WINAPI Empty(UINT) { return L""; }

// Answers every number, so its numbering cannot be told.
const wchar_t* WINAPI Everything(UINT) { return L"Any"; }

// By ID, but Yes's answer is longer than any label.
const wchar_t* WINAPI LongYes(UINT number) {
  return number == IDYES ? L"S-&Yes-0123456789-0123456789-0123456789"
                         : ById(number);
}

std::vector<std::u16string> Labels(SystemStringsFunction strings) {
  const BoxPlan plan = PlanBox(0x3 | kMbHelp, 0);  // Yes, No, Cancel, Help
  const ButtonLabels labels = LabelsOf(plan, strings);
  return {labels.text, labels.text + plan.buttons.count};
}

TEST(BoxLabels, SystemWordsByEitherNumberingElseOurs) {
  using Words = std::vector<std::u16string>;
  const Words system = {u"S-&Yes", u"S-&No", u"S-Cancel", u"S-Help"};
  const Words ours = {u"&Yes", u"&No", u"Cancel", u"Help"};
  struct Case {
    const char* name;
    SystemStringsFunction strings;
    SystemNumbering numbering;
    Words expected;
  };
  const Case cases[] = {
      {"from zero", FromZero, SystemNumbering::kByIdLessOne, system},
      {"by ID", ById, SystemNumbering::kById, system},
      {"user32 lacks it", nullptr, SystemNumbering::kUnknown, ours},
      {"no answers", Nothing, SystemNumbering::kUnknown, ours},
      {"empty answers", Empty, SystemNumbering::kUnknown, ours},
      {"answers to all", Everything, SystemNumbering::kUnknown, ours},
      {"one label too long",
       LongYes,
       SystemNumbering::kById,
       {u"&Yes", u"S-&No", u"S-Cancel", u"S-Help"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindNumbering(c.strings), c.numbering);
    EXPECT_EQ(Labels(c.strings), c.expected);
  }
}

}  // namespace
}  // namespace vorlick
