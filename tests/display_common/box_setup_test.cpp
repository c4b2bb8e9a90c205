// What every call sets up before its box: texts, time-out, countdown, plan.
#include "box_setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

TEST(BoxSetup, EachCallsTextsTimeOutAndPlan) {
  struct Case {
    const char* name;
    const char16_t* title;
    const char16_t* body;
    std::uint32_t style;
    int timeout;
    int defaultId;
    bool shown;
    std::u16string shownTitle, shownBody;
    int shownTimeout;
    std::uint64_t deadlineMs;  // from a start at 1000
    std::vector<int> ids;
    int defaultIndex;
  };
  const Case cases[] = {
      // clang-format off
      {"yes no, No named", u"T", u"B", 0x24, 10, 7, true, u"T", u"B", 10,
       11000, {6, 7}, 1},
      {"null texts", nullptr, nullptr, 0x1, 0, 0, true, u"", u"", 0, 0,
       {1, 2}, 0},
      {"negative time-out", u"", u"x", 0x0, -5, 0, true, u"", u"x", 0, 0,
       {1}, 0},
      {"no such set", u"T", u"B", 0x7, 10, 0, false, u"", u"", 0, 11000, {},
       0},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxSetup setup{};
    ASSERT_EQ(SetUpBox(c.title, c.body, c.style, c.timeout, c.defaultId, 1000,
                       FindLanguage("de"), setup),
              c.shown);
    EXPECT_EQ(setup.countdown.deadlineMs, c.deadlineMs);
    if (!c.shown) continue;
    EXPECT_EQ(std::u16string(setup.title), c.shownTitle);
    EXPECT_EQ(std::u16string(setup.body), c.shownBody);
    EXPECT_EQ(setup.timeout, c.shownTimeout);
    EXPECT_EQ(
        std::vector<int>(setup.plan.buttons.ids,
                         setup.plan.buttons.ids + setup.plan.buttons.count),
        c.ids);
    EXPECT_EQ(setup.plan.defaultIndex, c.defaultIndex);
    EXPECT_EQ(setup.plan.language, FindLanguage("de"));
  }
}

}  // namespace
}  // namespace vorlick
