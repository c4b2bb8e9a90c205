// The box's decisions for every style a caller can give: all sixteen button
// sets, Help or not, every MB_DEFBUTTONn value, the other bits, and every
// defaultId and command worth trying. The expectations are the contract's
// tables written out in its own numbers; on Windows the names are also held
// to the Windows headers.
#include "box_style.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vorlick {
namespace {

struct SetCase {
  std::uint32_t set;
  std::vector<int> ids;
  int escape;  // what Escape and the close button give
};

// Buttons 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No,
// 10 Try Again, 11 Continue; Help is 9.
const SetCase kSets[] = {
    {0, {1}, 1},    {1, {1, 2}, 2}, {2, {3, 4, 5}, 0},   {3, {6, 7, 2}, 2},
    {4, {6, 7}, 0}, {5, {4, 2}, 2}, {6, {2, 10, 11}, 2},
};

// Every ID a caller might name or a command might carry, known or not.
const int kAnyIds[] = {INT_MIN, -5, -1, 0,  1,  2,  3,     4,     5,      6,
                       7,       8,  9,  10, 11, 12, 32000, 65535, INT_MAX};

// Bits beside the button set, Help and MB_DEFBUTTONn: they change neither
// the buttons, the default nor the answers.
const std::uint32_t kOtherBits[] = {
    0,
    kMbIconQuestion,
    kMbIconError | kMbTopmost,
    kMbSystemModal,
    kMbTaskModal | kMbRight | kMbRtlReading | kMbSetForeground,
    0xFFFFB0F0,  // every one of them
};

std::vector<int> Ids(const ButtonRow& row) {
  return std::vector<int>(row.ids, row.ids + row.count);
}

int Find(const std::vector<int>& row, int id) {
  for (size_t i = 0; i < row.size(); ++i) {
    if (row[i] == id) return static_cast<int>(i);
  }
  return -1;
}

std::vector<int> ExpectedRow(const SetCase& set, bool help) {
  std::vector<int> row = set.ids;
  if (help) row.push_back(9);
  return row;
}

int ExpectedDefault(const std::vector<int>& row, std::uint32_t nth, int id) {
  const int named = Find(row, id);
  if (named >= 0) return named;
  return nth < row.size() ? static_cast<int>(nth) : 0;
}

int ExpectedAnswer(const SetCase& set, const std::vector<int>& row, int id) {
  if (id == 9) return 0;
  if (Find(row, id) >= 0) return id;
  return id == 2 ? set.escape : 0;
}

// One showable style with every defaultId and every command.
void CheckShowable(const SetCase& set, bool help, std::uint32_t nth,
                   std::uint32_t style) {
  const std::vector<int> row = ExpectedRow(set, help);
  EXPECT_TRUE(IsShowable(style)) << std::hex << style;
  EXPECT_EQ(Ids(ButtonsOf(style)), row) << std::hex << style;
  EXPECT_EQ(EscapeAnswer(style), set.escape) << std::hex << style;
  for (int id : kAnyIds) {
    const int index = ExpectedDefault(row, nth, id);
    EXPECT_EQ(DefaultIndex(style, id), index) << std::hex << style << " " << id;
    const BoxPlan plan = PlanBox(style, id);
    EXPECT_EQ(Ids(plan.buttons), row) << std::hex << style;
    EXPECT_EQ(plan.defaultIndex, index) << std::hex << style << " " << id;
    EXPECT_EQ(plan.escapeAnswer, set.escape) << std::hex << style;
    for (int command : kAnyIds) {
      EXPECT_EQ(AnswerTo(plan, command), ExpectedAnswer(set, row, command))
          << std::hex << style << std::dec << " " << id << " " << command;
    }
  }
}

TEST(BoxStyle, EveryShowableStyleDefaultIdAndCommand) {
  for (const SetCase& set : kSets) {
    for (bool help : {false, true}) {
      for (std::uint32_t nth = 0; nth < 16; ++nth) {
        for (std::uint32_t other : kOtherBits) {
          const std::uint32_t style =
              set.set | (help ? kMbHelp : 0) | (nth << 8) | other;
          CheckShowable(set, help, nth, style);
        }
      }
    }
  }
}

// Sets 7 to 15 cannot be shown, whatever else the style says, and have no
// buttons rather than another set's.
TEST(BoxStyle, OnlyButtonSetsZeroToSixCanBeShown) {
  const std::uint32_t others[] = {0,         kMbIconError,
                                  kMbHelp,   kMbTopmost,
                                  0x120,     kMbHelp | kMbDefButton4,
                                  0xFFFFFFF0};
  for (std::uint32_t set = 0; set < 16; ++set) {
    for (std::uint32_t bits : others) {
      const std::uint32_t style = set | bits;
      EXPECT_EQ(IsShowable(style), set < 7) << std::hex << style;
      if (set < 7) continue;
      EXPECT_EQ(ButtonsOf(style).count, 0) << std::hex << style;
      EXPECT_EQ(EscapeAnswer(style), 0) << std::hex << style;
      EXPECT_EQ(DefaultIndex(style, 1), 0) << std::hex << style;
    }
  }
}

TEST(BoxStyle, DefaultButtonNamedCases) {
  struct Case {
    const char* name;
    std::uint32_t style;
    int defaultId;
    int index;
    int buttonId;
  };
  const Case cases[] = {
      {"plain Yes/No", kMbYesNo, 0, 0, kIdYes},
      {"second by style", kMbYesNo | kMbDefButton2, 0, 1, kIdNo},
      {"defaultId beats style", kMbYesNo | kMbDefButton2, kIdYes, 0, kIdYes},
      {"defaultId alone", kMbYesNoCancel, kIdCancel, 2, kIdCancel},
      {"unknown defaultId keeps style", kMbYesNoCancel | kMbDefButton3, kIdOk,
       2, kIdCancel},
      {"negative defaultId", kMbOkCancel | kMbDefButton2, -1, 1, kIdCancel},
      {"third missing, first", kMbOkCancel | kMbDefButton3, 0, 0, kIdOk},
      {"fourth missing, first", kMbOkCancel | kMbDefButton4, 0, 0, kIdOk},
      {"fourth missing of three", kMbAbortRetryIgnore | kMbDefButton4, 0, 0,
       kIdAbort},
      {"lone OK", kMbOk, 0, 0, kIdOk},
      {"second of OK/Cancel", kMbOkCancel | kMbDefButton2, 0, 1, kIdCancel},
      {"third of Abort/Retry/Ignore", kMbAbortRetryIgnore | kMbDefButton3, 0, 2,
       kIdIgnore},
      {"second of Yes/No/Cancel", kMbYesNoCancel | kMbDefButton2, 0, 1, kIdNo},
      {"fourth of three, first", kMbYesNoCancel | kMbDefButton4, 0, 0, kIdYes},
      {"Help counts as a button", kMbOk | kMbHelp | kMbDefButton2, 0, 1,
       kIdHelp},
      {"fourth is Help", kMbYesNoCancel | kMbHelp | kMbDefButton4, 0, 3,
       kIdHelp},
      {"Help by defaultId", kMbRetryCancel | kMbHelp, kIdHelp, 2, kIdHelp},
      {"Help by defaultId on OK", kMbOk | kMbHelp, kIdHelp, 1, kIdHelp},
      {"Help named but absent", kMbRetryCancel | kMbDefButton2, kIdHelp, 1,
       kIdCancel},
      {"Help only counts where the box has it", kMbOk, kIdHelp, 0, kIdOk},
      {"No by defaultId", kMbYesNo, kIdNo, 1, kIdNo},
      {"Yes/No has no Cancel", kMbYesNo | kMbDefButton2, kIdCancel, 1, kIdNo},
      {"timeout is no button", kMbYesNo | kMbDefButton2, kIdTimeout, 1, kIdNo},
      {"timeout is no button on OK", kMbOk, kIdTimeout, 0, kIdOk},
      {"Try Again by defaultId", kMbCancelTryContinue | kMbDefButton3,
       kIdTryAgain, 1, kIdTryAgain},
      {"a fifth button never exists", kMbCancelTryContinue | 0x400, 0, 0,
       kIdCancel},
      {"beyond the fourth", kMbCancelTryContinue | 0x500, 0, 0, kIdCancel},
      {"largest value, unknown id", kMbRetryCancel | 0xF00, -5, 0, kIdRetry},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DefaultIndex(c.style, c.defaultId), c.index);
    EXPECT_EQ(ButtonsOf(c.style).ids[c.index], c.buttonId);
  }
}

TEST(BoxStyle, EscapeAndCloseOfEachSet) {
  struct Case {
    std::uint32_t style;
    int answer;
  };
  const Case cases[] = {
      {kMbOk, kIdOk},
      {kMbOk | kMbHelp, kIdOk},
      {kMbOkCancel, kIdCancel},
      {kMbAbortRetryIgnore, 0},
      {kMbAbortRetryIgnore | kMbHelp, 0},
      {kMbYesNoCancel, kIdCancel},
      {kMbYesNo, 0},
      {kMbYesNo | kMbHelp, 0},
      {kMbRetryCancel, kIdCancel},
      {kMbCancelTryContinue | kMbHelp, kIdCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.style);
    EXPECT_EQ(EscapeAnswer(c.style), c.answer);
    EXPECT_EQ(AnswerTo(PlanBox(c.style, 0), kIdCancel), c.answer);
  }
}

TEST(BoxStyle, IndexOfAndWhatCloses) {
  const BoxPlan plan = PlanBox(kMbYesNoCancel | kMbHelp, 0);
  struct Case {
    int id;
    int index;
    int answer;
  };
  const Case cases[] = {
      {kIdYes, 0, kIdYes}, {kIdNo, 1, kIdNo}, {kIdCancel, 2, kIdCancel},
      {kIdHelp, 3, 0},     {kIdOk, -1, 0},    {0, -1, 0},
      {kIdTimeout, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(IndexOf(plan.buttons, c.id), c.index);
    EXPECT_EQ(AnswerTo(plan, c.id), c.answer);
  }
}

TEST(BoxStyle, LookOfStyleBits) {
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
      {kMbIconError, Icon::kError, app, false, false, false, false},
      {kMbIconQuestion, Icon::kQuestion, app, false, false, false, false},
      {kMbIconWarning, Icon::kWarning, app, false, false, false, false},
      {kMbIconInformation, Icon::kInformation, app, false, false, false, false},
      {0x50, none, app, false, false, false, false},
      {0x80, none, app, false, false, false, false},
      {0xF0, none, app, false, false, false, false},
      {kMbYesNo, none, app, false, false, false, false},
      {kMbYesNo | 0x10, Icon::kError, app, false, false, false, false},
      {kMbYesNo | 0x20, Icon::kQuestion, app, false, false, false, false},
      {kMbYesNo | 0x30, Icon::kWarning, app, false, false, false, false},
      {kMbYesNo | 0x40, Icon::kInformation, app, false, false, false, false},
      {kMbYesNo | 0x50, none, app, false, false, false, false},
      {kMbYesNo | 0x80, none, app, false, false, false, false},
      {kMbYesNo | 0xF0, none, app, false, false, false, false},
      {kMbSystemModal, none, system, true, false, false, false},
      {kMbTaskModal, none, Modality::kTask, false, false, false, false},
      // Both modality bits name none: not system modal, so not on top.
      {0x3000, none, app, false, false, false, false},
      {kMbTopmost, none, app, true, false, false, false},
      {kMbSetForeground, none, app, false, true, false, false},
      {kMbRight, none, app, false, false, true, false},
      {kMbRtlReading, none, app, false, false, false, true},
      {kMbYesNo | kMbIconError | kMbRight | kMbRtlReading | kMbTopmost,
       Icon::kError, app, true, false, true, true},
      {kMbSystemModal | kMbTopmost | kMbRight | kMbRtlReading |
           kMbSetForeground,
       none, system, true, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.style);
    const BoxLook look = LookOf(c.style);
    EXPECT_EQ(look.icon, c.icon);
    EXPECT_EQ(look.modality, c.modality);
    EXPECT_EQ(look.topmost, c.topmost);
    EXPECT_EQ(look.setForeground, c.foreground);
    EXPECT_EQ(look.rightAligned, c.right);
    EXPECT_EQ(look.rightToLeft, c.rtl);
    const BoxLook planned = PlanBox(c.style, 0).look;
    EXPECT_EQ(planned.icon, c.icon);
    EXPECT_EQ(planned.modality, c.modality);
    EXPECT_EQ(planned.topmost, c.topmost);
  }
}

TEST(BoxStyle, IdsAndBitsAreTheContracts) {
  const std::pair<int, int> ids[] = {
      {kIdOk, 1},        {kIdCancel, 2},    {kIdAbort, 3},       {kIdRetry, 4},
      {kIdIgnore, 5},    {kIdYes, 6},       {kIdNo, 7},          {kIdHelp, 9},
      {kIdTryAgain, 10}, {kIdContinue, 11}, {kIdTimeout, 32000},
  };
  for (const auto& [id, value] : ids) EXPECT_EQ(id, value);
  const std::pair<std::uint32_t, std::uint32_t> bits[] = {
      {kMbOkCancel, 1},
      {kMbAbortRetryIgnore, 2},
      {kMbYesNoCancel, 3},
      {kMbYesNo, 4},
      {kMbRetryCancel, 5},
      {kMbCancelTryContinue, 6},
      {kMbIconError, 0x10},
      {kMbIconQuestion, 0x20},
      {kMbIconWarning, 0x30},
      {kMbIconInformation, 0x40},
      {kMbDefButton2, 0x100},
      {kMbDefButton3, 0x200},
      {kMbDefButton4, 0x300},
      {kMbSystemModal, 0x1000},
      {kMbTaskModal, 0x2000},
      {kMbHelp, 0x4000},
      {kMbSetForeground, 0x10000},
      {kMbTopmost, 0x40000},
      {kMbRight, 0x80000},
      {kMbRtlReading, 0x100000},
  };
  for (const auto& [bit, value] : bits) EXPECT_EQ(bit, value);
  EXPECT_EQ(kMbOk, 0u);
}

#ifdef _WIN32
// The same numbers by the Windows headers' names, where there are any.
TEST(BoxStyle, IdsAndBitsAreThoseOfWindows) {
  const std::pair<int, int> ids[] = {
      {kIdOk, IDOK},
      {kIdCancel, IDCANCEL},
      {kIdAbort, IDABORT},
      {kIdRetry, IDRETRY},
      {kIdIgnore, IDIGNORE},
      {kIdYes, IDYES},
      {kIdNo, IDNO},
      {kIdHelp, IDHELP},
      {kIdTryAgain, IDTRYAGAIN},
      {kIdContinue, IDCONTINUE},
      {kIdTimeout, IDTIMEOUT},
  };
  for (const auto& [id, windows] : ids) EXPECT_EQ(id, windows);
  const std::pair<std::uint32_t, UINT> bits[] = {
      {kMbOk, MB_OK},
      {kMbOkCancel, MB_OKCANCEL},
      {kMbAbortRetryIgnore, MB_ABORTRETRYIGNORE},
      {kMbYesNoCancel, MB_YESNOCANCEL},
      {kMbYesNo, MB_YESNO},
      {kMbRetryCancel, MB_RETRYCANCEL},
      {kMbCancelTryContinue, MB_CANCELTRYCONTINUE},
      {kMbIconError, MB_ICONERROR},
      {kMbIconQuestion, MB_ICONQUESTION},
      {kMbIconWarning, MB_ICONWARNING},
      {kMbIconInformation, MB_ICONINFORMATION},
      {kMbDefButton2, MB_DEFBUTTON2},
      {kMbDefButton3, MB_DEFBUTTON3},
      {kMbDefButton4, MB_DEFBUTTON4},
      {kMbSystemModal, MB_SYSTEMMODAL},
      {kMbTaskModal, MB_TASKMODAL},
      {kMbHelp, MB_HELP},
      {kMbSetForeground, MB_SETFOREGROUND},
      {kMbTopmost, MB_TOPMOST},
      {kMbRight, MB_RIGHT},
      {kMbRtlReading, MB_RTLREADING},
  };
  for (const auto& [bit, windows] : bits) EXPECT_EQ(bit, windows);
}
#endif

}  // namespace
}  // namespace vorlick
