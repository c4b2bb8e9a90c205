// The box's look in settings the test process cannot give itself: run by
// vorlick_look_tests in a child process that started at 144 DPI, or on a
// 1024x768 desktop. Each test first checks that it runs in its setting.
#include <gtest/gtest.h>

#include <string>

#include "driver.h"
#include "look_support.h"
#include "vorlick_harness.h"

namespace {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

RECT WorkArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

void ExpectInside(const RECT& inner, const RECT& outer) {
  EXPECT_GE(inner.left, outer.left);
  EXPECT_GE(inner.top, outer.top);
  EXPECT_LE(inner.right, outer.right);
  EXPECT_LE(inner.bottom, outer.bottom);
}

void Close(const BoxCallThread& call, HWND box, int id) {
  ASSERT_TRUE(PressButton(box, id));
  ASSERT_TRUE(call.WaitForReturn());
}

TEST(LookAt144Dpi, EverySizeFollowsTheDpi) {
  ASSERT_EQ(ScreenDpi(), 144);
  BoxRequest request;
  request.text = L"Keep the changes?";
  request.style = MB_YESNO | MB_ICONQUESTION;
  request.timeout = 30;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  const RECT client = ClientRectOf(box);
  const RECT icon = PlaceOf(box, kIconControlId);
  EXPECT_EQ(icon.left, 36);
  EXPECT_EQ(icon.top, 36);
  EXPECT_EQ(icon.right - icon.left, 48);
  EXPECT_EQ(icon.bottom - icon.top, 48);
  const RECT yes = PlaceOf(box, IDYES);
  const RECT no = PlaceOf(box, IDNO);
  EXPECT_EQ(no.right, client.right - 17);
  EXPECT_EQ(no.bottom, client.bottom - 17);
  EXPECT_EQ(yes.right + 11, no.left);
  EXPECT_EQ(no.bottom - no.top, 35);
  EXPECT_EQ(no.right - no.left, 113);
  HWND message = GetDlgItem(box, kMessageId);
  const RECT text = PlaceOf(box, kMessageId);
  EXPECT_EQ(text.left, 36 + 48 + 18);
  EXPECT_GE(text.bottom - text.top, TextHeightOf(message));
  // The system's message font as it tells it at this DPI, larger than the
  // 11 pixels of 96 DPI.
  const LOGFONTW system = SystemMessageFont();
  EXPECT_LT(system.lfHeight, -11);
  EXPECT_EQ(FontOf(message).lfHeight, system.lfHeight);
  EXPECT_EQ(FontOf(GetDlgItem(box, IDNO)).lfHeight, system.lfHeight);

  Sleep(300);  // painted
  const int bandTop = yes.top - 17;
  EXPECT_EQ(PixelOf(box, 1, bandTop - 1), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(PixelOf(box, 1, bandTop), GetSysColor(COLOR_3DFACE));
  Close(call, box, IDNO);
}

TEST(LookOnASmallScreen, SixtyLinesScrollInsideTheWorkArea) {
  const RECT work = WorkArea();
  ASSERT_EQ(work.right - work.left, 1024);
  ASSERT_EQ(work.bottom - work.top, 768);
  BoxRequest request;
  request.text = NumberedLines(60);
  request.style = MB_OKCANCEL | MB_ICONINFORMATION;
  request.timeout = 30;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  ExpectInside(WindowRectOf(box), work);
  HWND message = GetDlgItem(box, kMessageId);
  EXPECT_EQ(ClassOf(message), L"Edit");
  EXPECT_NE(GetWindowLongW(message, GWL_STYLE) & WS_VSCROLL, 0);
  EXPECT_EQ(ReadBox(box).text, request.text);
  EXPECT_EQ(SendMessageW(message, EM_GETLINECOUNT, 0, 0), 60);
  // Whole lines show, and scrolling reaches the last one.
  const RECT text = PlaceOf(box, kMessageId);
  const int lineHeight = LineHeightOf(message);
  ASSERT_GT(lineHeight, 0);
  EXPECT_EQ((text.bottom - text.top) % lineHeight, 0);
  SendMessageW(message, WM_VSCROLL, SB_BOTTOM, 0);
  const auto first = SendMessageW(message, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_GT(first, 0);
  EXPECT_LE(first, 59);
  // The countdown line and the buttons under the text, in the box.
  const RECT line = PlaceOf(box, kCountdownControlId);
  const RECT ok = PlaceOf(box, IDOK);
  EXPECT_GT(line.top, text.bottom);
  EXPECT_GT(ok.top, line.bottom);
  EXPECT_LE(ok.bottom, ClientRectOf(box).bottom);
  Close(call, box, IDOK);
}

TEST(LookOnASmallScreen, LongLineWrapsAtAReadableWidth) {
  const RECT work = WorkArea();
  ASSERT_EQ(work.right - work.left, 1024);
  ASSERT_EQ(work.bottom - work.top, 768);
  BoxRequest request;
  request.text = Words(1023);
  request.style = MB_YESNO | MB_ICONQUESTION;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  ExpectInside(WindowRectOf(box), work);
  HWND message = GetDlgItem(box, kMessageId);
  EXPECT_EQ(ClassOf(message), L"Static");
  EXPECT_EQ(GetWindowLongW(message, GWL_STYLE) & WS_VSCROLL, 0);
  EXPECT_EQ(ReadBox(box).text, request.text);
  const RECT text = PlaceOf(box, kMessageId);
  EXPECT_GE(text.bottom - text.top, TextHeightOf(message));
  const int average = AverageCharWidthOf(message);
  EXPECT_GE(text.right - text.left, 60 * average);
  EXPECT_LE(text.right - text.left, 80 * average);
  Close(call, box, IDYES);
}

}  // namespace
