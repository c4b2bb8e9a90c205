// The box's plan for every style a caller can give: all sixteen button sets,
// Help or not, every MB_DEFBUTTONn value, the other bits, and every
// defaultId and command worth trying. Styles and expectations are the
// contract's own numbers, written out: nothing here is worked out the way
// the code works it out.
#include "box_plan.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace vorlick {
namespace {

// A button set, with Help (0x4000) or without, and what its box does.
struct SetCase {
  std::uint32_t style;
  std::vector<int> ids;  // left to right
  int escape;            // what Escape and the close button give
  // The default for each MB_DEFBUTTONn field value 0x000 to 0xF00 where
  // defaultId names none of the box's buttons: its index.
  const char* byStyle;
  // For defaultId 1 to 11: the index of the button it names, '-' where the
  // box lacks it (the style then decides).
  const char* named;
};

// Buttons 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No,
// 10 Try Again, 11 Continue; Help is 9.
const SetCase kSets[] = {
    // clang-format off
    {0x0000, {1},            1, "0000000000000000", "0----------"},
    {0x4000, {1, 9},         1, "0100000000000000", "0-------1--"},
    {0x0001, {1, 2},         2, "0100000000000000", "01---------"},
    {0x4001, {1, 2, 9},      2, "0120000000000000", "01------2--"},
    {0x0002, {3, 4, 5},      0, "0120000000000000", "--012------"},
    {0x4002, {3, 4, 5, 9},   0, "0123000000000000", "--012---3--"},
    {0x0003, {6, 7, 2},      2, "0120000000000000", "-2---01----"},
    {0x4003, {6, 7, 2, 9},   2, "0123000000000000", "-2---01-3--"},
    {0x0004, {6, 7},         0, "0100000000000000", "-----01----"},
    {0x4004, {6, 7, 9},      0, "0120000000000000", "-----01-2--"},
    {0x0005, {4, 2},         2, "0100000000000000", "-1-0-------"},
    {0x4005, {4, 2, 9},      2, "0120000000000000", "-1-0----2--"},
    {0x0006, {2, 10, 11},    2, "0120000000000000", "-0-------12"},
    {0x4006, {2, 10, 11, 9}, 2, "0123000000000000", "-0------312"},
    // clang-format on
};

// What each command 1 to 11 gives on a box of button set 0 to 6, with Help
// or without (Escape and the close button arrive as 2); every other command
// gives 0.
const int kAnswers[7][11] = {
    // clang-format off
    // 1  2  3  4  5  6  7  8  9 10  11
    {1, 1, 0, 0, 0, 0, 0, 0, 0, 0,  0},
    {1, 2, 0, 0, 0, 0, 0, 0, 0, 0,  0},
    {0, 0, 3, 4, 5, 0, 0, 0, 0, 0,  0},
    {0, 2, 0, 0, 0, 6, 7, 0, 0, 0,  0},
    {0, 0, 0, 0, 0, 6, 7, 0, 0, 0,  0},
    {0, 2, 0, 4, 0, 0, 0, 0, 0, 0,  0},
    {0, 2, 0, 0, 0, 0, 0, 0, 0, 10, 11},
    // clang-format on
};

// Every ID a caller might name or a command might carry, known or not.
const int kAnyIds[] = {INT_MIN, -5, -1, 0,  1,  2,  3,     4,     5,      6,
                       7,       8,  9,  10, 11, 12, 32000, 65535, INT_MAX};

// Bits beside the button set, Help and MB_DEFBUTTONn: they change neither
// the buttons, the default nor the answers. Icons, topmost, system and task
// modal, right-aligned, right-to-left, foreground, and every one of them.
const std::uint32_t kOtherBits[] = {0,      0x20,     0x40010,
                                    0x1000, 0x192000, 0xFFFFB0F0};

std::vector<int> Ids(const ButtonRow& row) {
  return std::vector<int>(row.ids, row.ids + row.count);
}

char Named(const SetCase& set, int id) {
  return id >= 1 && id <= 11 ? set.named[id - 1] : '-';
}

int Answer(const SetCase& set, int command) {
  const int* answers = kAnswers[set.style & 0xF];
  return command >= 1 && command <= 11 ? answers[command - 1] : 0;
}

void CheckStyle(const SetCase& set, std::uint32_t nth, std::uint32_t style) {
  SCOPED_TRACE(testing::Message() << std::hex << style);
  EXPECT_TRUE(IsShowable(style));
  const int byStyle = set.byStyle[nth] - '0';
  for (int id : kAnyIds) {
    SCOPED_TRACE(testing::Message() << "defaultId " << std::dec << id);
    const BoxPlan plan = PlanBox(style, id);
    const char named = Named(set, id);
    EXPECT_EQ(Ids(plan.buttons), set.ids);
    EXPECT_EQ(plan.defaultIndex, named == '-' ? byStyle : named - '0');
    EXPECT_EQ(plan.escapeAnswer, set.escape);
    EXPECT_EQ(IndexOf(plan.buttons, id), named == '-' ? -1 : named - '0');
  }
  const BoxPlan plan = PlanBox(style, 0);
  EXPECT_EQ(AnswerToEscape(plan), set.escape);
  EXPECT_EQ(Closable(plan), set.escape != 0);
  for (int command : kAnyIds) {
    EXPECT_EQ(AnswerTo(plan, command), Answer(set, command))
        << "command " << std::dec << command;
  }
}

TEST(BoxPlan, EveryShowableStyleDefaultIdAndCommand) {
  for (const SetCase& set : kSets) {
    for (std::uint32_t nth = 0; nth < 16; ++nth) {
      for (std::uint32_t other : kOtherBits) {
        CheckStyle(set, nth, set.style | (nth << 8) | other);
      }
    }
  }
}

// Sets 7 to 15 cannot be shown, whatever else the style says, and have no
// buttons rather than another set's.
TEST(BoxPlan, OnlyButtonSetsZeroToSixCanBeShown) {
  const std::uint32_t others[] = {0,     0x10,   0x4000,    0x40000,
                                  0x120, 0x4300, 0xFFFFFFF0};
  for (std::uint32_t set = 0; set < 16; ++set) {
    for (std::uint32_t bits : others) {
      const std::uint32_t style = set | bits;
      SCOPED_TRACE(testing::Message() << std::hex << style);
      EXPECT_EQ(IsShowable(style), set < 7);
      if (set < 7) continue;
      const BoxPlan plan = PlanBox(style, 1);
      EXPECT_EQ(plan.buttons.count, 0);
      EXPECT_EQ(plan.defaultIndex, 0);
      EXPECT_EQ(plan.escapeAnswer, 0);
    }
  }
}

TEST(BoxPlan, FocusMovesRoundTheRow) {
  struct Case {
    std::uint32_t style;
    int focus;
    int step;
    int expected;
  };
  const Case cases[] = {
      {0x0, 0, 1, 0},    {0x0, 0, -1, 0}, {0x4, 0, 1, 1},
      {0x4, 1, 1, 0},    {0x4, 0, -1, 1}, {0x3, 2, 1, 0},
      {0x3, 0, -1, 2},   {0x3, 1, -1, 0}, {0x4003, 2, 1, 3},
      {0x4003, 3, 1, 0}, {0x2, 0, -4, 2}, {0x9, 0, 1, 0},  // no buttons
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MoveFocus(PlanBox(c.style, 0), c.focus, c.step), c.expected)
        << std::hex << c.style << std::dec << " " << c.focus << " " << c.step;
  }
}

TEST(BoxPlan, LookOfStyleBits) {
  struct Case {
    std::uint32_t style;
    Icon icon;
    Modality modality;
    bool topmost, foreground, right, rtl;
  };
  const Icon none = Icon::kNone;
  const Modality app = Modality::kApplication;
  const Modality system = Modality::kSystem;
  const Case cases[] = {
      {0, none, app, false, false, false, false},
      {0x10, Icon::kError, app, false, false, false, false},
      {0x20, Icon::kQuestion, app, false, false, false, false},
      {0x30, Icon::kWarning, app, false, false, false, false},
      {0x40, Icon::kInformation, app, false, false, false, false},
      // Other values of the icon's bits name no icon.
      {0x50, none, app, false, false, false, false},
      {0x80, none, app, false, false, false, false},
      {0xF0, none, app, false, false, false, false},
      // The button set does not change the icon.
      {0x4 | 0x30, Icon::kWarning, app, false, false, false, false},
      {0x4 | 0x50, none, app, false, false, false, false},
      {0x1000, none, system, true, false, false, false},
      {0x2000, none, Modality::kTask, false, false, false, false},
      // Both modality bits name none: not system modal, so not on top.
      {0x3000, none, app, false, false, false, false},
      {0x40000, none, app, true, false, false, false},
      {0x10000, none, app, false, true, false, false},
      {0x80000, none, app, false, false, true, false},
      {0x100000, none, app, false, false, false, true},
      {0x4 | 0x10 | 0x80000 | 0x100000 | 0x40000, Icon::kError, app, true,
       false, true, true},
      {0x1000 | 0x40000 | 0x80000 | 0x100000 | 0x10000, none, system, true,
       true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.style);
    const BoxLook look = PlanBox(c.style, 0).look;
    EXPECT_EQ(look.icon, c.icon);
    EXPECT_EQ(look.modality, c.modality);
    EXPECT_EQ(look.topmost, c.topmost);
    EXPECT_EQ(look.setForeground, c.foreground);
    EXPECT_EQ(look.rightAligned, c.right);
    EXPECT_EQ(look.rightToLeft, c.rtl);
  }
}

}  // namespace
}  // namespace vorlick
