// Nothing of a box outlives its call: no window, no timer, no font, no icon,
// however it ended and however many boxes one thread shows in turn.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "driver.h"
#include "vorlick_harness.h"

namespace {

enum class Ending { kButton, kEscape, kClose, kSysClose, kEnter, kTimeout };

struct Step {
  UINT style;
  int timeout;
  Ending ending;
  int button;  // pressed for kButton
  int expected;
};

const Step kSteps[] = {
    {MB_OK, 0, Ending::kButton, IDOK, IDOK},
    {MB_YESNO | MB_ICONQUESTION, 5, Ending::kButton, IDYES, IDYES},
    {MB_OKCANCEL, 0, Ending::kEscape, 0, IDCANCEL},
    {MB_OK | MB_ICONINFORMATION, 5, Ending::kClose, 0, IDOK},
    {MB_RETRYCANCEL, 0, Ending::kSysClose, 0, IDCANCEL},
    {MB_YESNOCANCEL | MB_ICONWARNING, 1, Ending::kTimeout, 0, IDTIMEOUT},
    {MB_CANCELTRYCONTINUE | MB_HELP, 0, Ending::kButton, IDCONTINUE,
     IDCONTINUE},
    {MB_ABORTRETRYIGNORE | MB_ICONERROR, 1, Ending::kTimeout, 0, IDTIMEOUT},
    {MB_OK | MB_TASKMODAL, 0, Ending::kEnter, 0, IDOK},
    {MB_YESNO | MB_TOPMOST | MB_SYSTEMMODAL, 1, Ending::kTimeout, 0, IDTIMEOUT},
};
constexpr int kRounds = 2;
constexpr int kStepCount = static_cast<int>(std::size(kSteps));

void End(HWND box, const Step& step) {
  switch (step.ending) {
    case Ending::kButton:
      PressButton(box, step.button);
      break;
    case Ending::kEscape:
      PressKey(box, VK_ESCAPE);
      break;
    case Ending::kClose:
      PostMessageW(box, WM_CLOSE, 0, 0);
      break;
    case Ending::kSysClose:
      PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case Ending::kEnter:
      PressKey(box, VK_RETURN);
      break;
    case Ending::kTimeout:
      break;
  }
}

bool WaitFor(const std::atomic<int>& value, int wanted, DWORD waitMs) {
  const ULONGLONG end = GetTickCount64() + waitMs;
  while (value.load() < wanted) {
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
  return true;
}

TEST(VorlickResources, NothingOutlivesManyCallsOnOneThread) {
  VorlickFunction show = LoadVorlick();
  ASSERT_NE(show, nullptr);
  const int windowsBefore = CountProcessWindows(false);
  const int total = kRounds * kStepCount;
  std::vector<int> results(total, -1);
  std::vector<int> dialogsAfter(total, -1);
  std::atomic<DWORD> worker{0};
  std::atomic<int> finished{0};
  std::atomic<int> lateTimers{-1};
  std::thread thread([&] {
    worker = GetCurrentThreadId();
    for (int i = 0; i < total; ++i) {
      const Step& step = kSteps[i % kStepCount];
      results[i] = show(nullptr, u"Again and again", u"Loop", step.style,
                        step.timeout, 0);
      dialogsAfter[i] = CountProcessWindows(true);
      ++finished;
    }
    lateTimers = WatchTimers(1500);
  });
  std::vector<HGDIOBJ> fonts;
  std::vector<HICON> icons;
  for (int i = 0; i < total; ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(WaitFor(finished, i, 10000));
    HWND box = nullptr;
    for (int tries = 0; tries < 500 && box == nullptr; ++tries) {
      box = DialogOfThread(worker.load());
      if (box == nullptr) Sleep(20);
    }
    ASSERT_NE(box, nullptr);
    fonts.push_back(reinterpret_cast<HGDIOBJ>(
        SendDlgItemMessageW(box, 0xFFFF, WM_GETFONT, 0, 0)));
    const auto icon = reinterpret_cast<HICON>(
        SendDlgItemMessageW(box, 20, STM_GETICON, 0, 0));
    if (icon != nullptr) icons.push_back(icon);
    End(box, kSteps[i % kStepCount]);
    ASSERT_TRUE(WaitFor(finished, i + 1, 10000));
  }
  thread.join();
  for (int i = 0; i < total; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(results[i], kSteps[i % kStepCount].expected);
    EXPECT_EQ(dialogsAfter[i], 0);  // the box is gone when the call returns
  }
  EXPECT_EQ(lateTimers.load(), 0);
  EXPECT_EQ(CountProcessWindows(false), windowsBefore);
  // The font and the icon each box was made with go with it.
  for (HGDIOBJ font : fonts) {
    EXPECT_NE(font, nullptr);
    EXPECT_EQ(GetObjectType(font), 0u);
  }
  EXPECT_EQ(icons.size(), 4u * kRounds);  // four steps have an icon
  for (HICON icon : icons) {
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(icon, &info));
  }
}

TEST(VorlickResources, TimedOutCallLeavesNoTimerBehind) {
  BoxRequest request;
  request.timeout = 1;
  request.watchAfterMs = 2500;
  BoxCallThread call(request);
  ASSERT_NE(call.WaitForBox(), nullptr);
  ASSERT_TRUE(call.WaitForReturn(5000));
  EXPECT_EQ(call.Result(), IDTIMEOUT);
  EXPECT_EQ(DialogOfThread(call.ThreadId()), nullptr);
  for (int waited = 0; waited < 500 && call.LateTimers() < 0; ++waited) {
    Sleep(10);
  }
  EXPECT_EQ(call.LateTimers(), 0);
}

}  // namespace
