// How the real Vorlick.dll's box answers: every button, Escape and the close
// button as Windows' message boxes answer them, Help, modality, and the
// calls it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "box_sets.h"
#include "driver.h"
#include "vorlick_harness.h"

namespace {

enum class Dismissal { kEscapeKey, kCloseMessage, kCloseCommand };

void Dismiss(HWND box, Dismissal how) {
  switch (how) {
    case Dismissal::kEscapeKey:
      PressKey(box, VK_ESCAPE);
      break;
    case Dismissal::kCloseMessage:
      PostMessageW(box, WM_CLOSE, 0, 0);
      break;
    case Dismissal::kCloseCommand:
      PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
}

bool CloseIsGreyed(HWND box) {
  const UINT state =
      GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_GRAYED) != 0;
}

TEST(VorlickAnswer, EachButtonReturnsItsId) {
  for (UINT set = 0; set < 7; ++set) {
    for (int id : kSetIds[set]) {
      SCOPED_TRACE(testing::Message() << "set " << set << " button " << id);
      BoxRequest request;
      request.style = set | MB_HELP;
      BoxCallThread call(request);
      HWND box = call.WaitForBox();
      ASSERT_NE(box, nullptr);
      ASSERT_TRUE(PressButton(box, id));
      ASSERT_TRUE(call.WaitForReturn());
      EXPECT_EQ(call.Result(), id);
      EXPECT_TRUE(WaitGone(box, 2000));
    }
  }
}

TEST(VorlickAnswer, EscapeAndCloseAsOnWindows) {
  const Dismissal ways[] = {Dismissal::kEscapeKey, Dismissal::kCloseMessage,
                            Dismissal::kCloseCommand};
  for (UINT set = 0; set < 7; ++set) {
    for (Dismissal how : ways) {
      SCOPED_TRACE(testing::Message()
                   << "set " << set << " way " << static_cast<int>(how));
      BoxRequest request;
      request.style = set;
      BoxCallThread call(request);
      HWND box = call.WaitForBox();
      ASSERT_NE(box, nullptr);
      const int expected = kSetEscapeResults[set];
      EXPECT_EQ(CloseIsGreyed(box), expected == 0);
      Dismiss(box, how);
      if (expected != 0) {
        ASSERT_TRUE(call.WaitForReturn());
        EXPECT_EQ(call.Result(), expected);
      } else {
        EXPECT_FALSE(call.WaitForReturn(400));
        EXPECT_TRUE(IsWindowVisible(box));
        ASSERT_TRUE(PressButton(box, kSetIds[set][1]));
        ASSERT_TRUE(call.WaitForReturn());
        EXPECT_EQ(call.Result(), kSetIds[set][1]);
      }
    }
  }
}

TEST(VorlickAnswer, CommandsForButtonsTheBoxLacksAreIgnored) {
  BoxRequest request;
  request.style = MB_YESNO;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  for (int id : {IDOK, IDABORT, IDHELP, IDTIMEOUT, 0}) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  }
  EXPECT_FALSE(call.WaitForReturn(400));
  ASSERT_TRUE(PressButton(box, IDNO));
  ASSERT_TRUE(call.WaitForReturn());
  EXPECT_EQ(call.Result(), IDNO);
}

TEST(VorlickAnswer, HelpTellsTheOwnerAndKeepsTheBoxUp) {
  BoxRequest request;
  request.style = MB_YESNO | MB_HELP;
  request.ownWindow = true;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(PressButton(box, IDHELP));
  ASSERT_TRUE(PressButton(box, IDHELP));
  EXPECT_FALSE(call.WaitForReturn(400));
  EXPECT_EQ(call.HelpMessages(), 2);
  ASSERT_TRUE(PressButton(box, IDYES));
  ASSERT_TRUE(call.WaitForReturn());
  EXPECT_EQ(call.Result(), IDYES);
}

TEST(VorlickAnswer, OwnerIsDisabledWhileTheBoxIsUp) {
  BoxRequest request;
  request.ownWindow = true;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetWindow(box, GW_OWNER), call.Window());
  EXPECT_FALSE(IsWindowEnabled(call.Window()));
  ASSERT_TRUE(PressButton(box, IDOK));
  ASSERT_TRUE(call.WaitForReturn());
  EXPECT_EQ(call.Result(), IDOK);
  EXPECT_TRUE(call.WindowEnabledAfter());
}

TEST(VorlickAnswer, TaskModalDisablesTheThreadsWindowsWithoutOwner) {
  struct Case {
    UINT style;
    bool disabled;
  };
  const Case cases[] = {{MB_OK | MB_TASKMODAL, true},
                        {MB_OK | MB_APPLMODAL, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    BoxRequest request;
    request.style = c.style;
    request.ownerTopLevel = true;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(IsWindowEnabled(call.Window()) == FALSE, c.disabled);
    ASSERT_TRUE(PressButton(box, IDOK));
    ASSERT_TRUE(call.WaitForReturn());
    EXPECT_TRUE(call.WindowEnabledAfter());
  }
}

TEST(VorlickAnswer, InvalidButtonSetsGiveZeroWithoutABox) {
  for (UINT set = 7; set < 16; ++set) {
    SCOPED_TRACE(set);
    BoxRequest request;
    request.style = set | MB_ICONQUESTION;
    request.timeout = 5;
    BoxCallThread call(request);
    ASSERT_TRUE(call.WaitForReturn(3000));
    EXPECT_EQ(call.Result(), 0);
    EXPECT_EQ(DialogOfThread(call.ThreadId()), nullptr);
  }
}

TEST(VorlickAnswer, InvalidOwnerGivesZeroWithoutABox) {
  HWND gone = CreateWindowExW(0, L"Static", L"gone", WS_POPUP, 0, 0, 10, 10,
                              nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(gone, nullptr);
  DestroyWindow(gone);
  const HWND owners[] = {gone, reinterpret_cast<HWND>(0x12345678)};
  for (HWND owner : owners) {
    SCOPED_TRACE(reinterpret_cast<UINT_PTR>(owner));
    BoxRequest request;
    request.owner = owner;
    BoxCallThread call(request);
    ASSERT_TRUE(call.WaitForReturn(3000));
    EXPECT_EQ(call.Result(), 0);
  }
}

}  // namespace
