// The real Vorlick.dll's time-out: the box closes by itself with IDTIMEOUT,
// counts down in place, and boxes on several threads each keep their own.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "driver.h"
#include "vorlick_harness.h"

namespace {

// Waits for the countdown line to show something other than `shown`.
std::wstring NextCountdown(HWND box, const std::wstring& shown, DWORD waitMs) {
  const ULONGLONG end = GetTickCount64() + waitMs;
  while (GetTickCount64() < end && IsWindow(box)) {
    std::wstring now = CountdownOf(box);
    if (now != shown) return now;
    Sleep(20);
  }
  return shown;
}

RECT ClientRectOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

TEST(VorlickCountdown, TimeOutClosesWithIdTimeoutAndCountsDownInPlace) {
  BoxRequest request;
  request.style = MB_YESNO | MB_ICONQUESTION;  // no other way out
  request.timeout = 2;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  const std::wstring first = CountdownOf(box);
  EXPECT_EQ(first, L"Closes in 2 s");
  const RECT boxBefore = WindowRectOf(box);
  const RECT lineBefore = ClientRectOf(GetDlgItem(box, 21));
  EXPECT_EQ(NextCountdown(box, first, 3000), L"Closes in 1 s");
  EXPECT_TRUE(SameRect(WindowRectOf(box), boxBefore));
  EXPECT_TRUE(SameRect(ClientRectOf(GetDlgItem(box, 21)), lineBefore));
  ASSERT_TRUE(call.WaitForReturn(6000));
  EXPECT_EQ(call.Result(), IDTIMEOUT);
  EXPECT_GE(call.ElapsedMs(), 1500u);
  EXPECT_LE(call.ElapsedMs(), 4000u);
  EXPECT_TRUE(WaitGone(box, 2000));
}

TEST(VorlickCountdown, NoTimeOutLeavesTheBoxUp) {
  // Three boxes at once, so one wait covers every case.
  const int timeouts[] = {0, -1, INT_MIN};
  BoxRequest request;
  request.style = MB_OKCANCEL;
  request.timeout = timeouts[0];
  BoxCallThread zero(request);
  request.timeout = timeouts[1];
  BoxCallThread negative(request);
  request.timeout = timeouts[2];
  BoxCallThread lowest(request);
  BoxCallThread* calls[] = {&zero, &negative, &lowest};
  for (BoxCallThread* call : calls) {
    HWND box = call->WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(StaticTexts(box).size(), 1u);  // no countdown line
  }
  Sleep(2500);
  for (BoxCallThread* call : calls) {
    HWND box = DialogOfThread(call->ThreadId());
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(call->Returned());
    ASSERT_TRUE(PressButton(box, IDCANCEL));
    ASSERT_TRUE(call->WaitForReturn());
    EXPECT_EQ(call->Result(), IDCANCEL);
  }
}

TEST(VorlickCountdown, LargestTimeOutIsShownInFull) {
  BoxRequest request;
  request.timeout = INT_MAX;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(CountdownOf(box), L"Closes in 2147483647 s");
  EXPECT_FALSE(call.WaitForReturn(1200));
  EXPECT_EQ(CountdownOf(box), L"Closes in 2147483646 s");
  ASSERT_TRUE(PressButton(box, IDOK));
  ASSERT_TRUE(call.WaitForReturn());
  EXPECT_EQ(call.Result(), IDOK);
}

TEST(VorlickCountdown, TwoThreadsEachTimeOutOnTheirOwn) {
  BoxRequest request;
  request.style = MB_YESNO;
  request.caption = L"First";
  request.timeout = 2;
  BoxCallThread first(request);
  request.caption = L"Second";
  request.timeout = 4;
  BoxCallThread second(request);
  HWND firstBox = first.WaitForBox();
  HWND secondBox = second.WaitForBox();
  ASSERT_NE(firstBox, nullptr);
  ASSERT_NE(secondBox, nullptr);
  EXPECT_NE(firstBox, secondBox);
  EXPECT_EQ(ReadBox(firstBox).caption, L"First");
  EXPECT_EQ(ReadBox(secondBox).caption, L"Second");
  EXPECT_EQ(CountdownOf(firstBox), L"Closes in 2 s");
  EXPECT_EQ(CountdownOf(secondBox), L"Closes in 4 s");
  ASSERT_TRUE(first.WaitForReturn(6000));
  EXPECT_FALSE(second.Returned());
  EXPECT_TRUE(IsWindowVisible(secondBox));
  ASSERT_TRUE(second.WaitForReturn(6000));
  EXPECT_EQ(first.Result(), IDTIMEOUT);
  EXPECT_EQ(second.Result(), IDTIMEOUT);
  EXPECT_GE(first.ElapsedMs(), 1500u);
  EXPECT_LE(first.ElapsedMs(), 4000u);
  EXPECT_GE(second.ElapsedMs(), 3500u);
  EXPECT_LE(second.ElapsedMs(), 6000u);
}

TEST(VorlickCountdown, AnsweredBoxAndTimedOutBoxOnTwoThreads) {
  BoxRequest request;
  request.style = MB_YESNO;
  request.timeout = 2;
  BoxCallThread timed(request);
  request.timeout = 0;
  BoxCallThread answered(request);
  HWND timedBox = timed.WaitForBox();
  HWND answeredBox = answered.WaitForBox();
  ASSERT_NE(timedBox, nullptr);
  ASSERT_NE(answeredBox, nullptr);
  ASSERT_TRUE(PressButton(answeredBox, IDNO));
  ASSERT_TRUE(answered.WaitForReturn());
  EXPECT_EQ(answered.Result(), IDNO);
  EXPECT_FALSE(timed.Returned());
  ASSERT_TRUE(timed.WaitForReturn(6000));
  EXPECT_EQ(timed.Result(), IDTIMEOUT);
}

}  // namespace
