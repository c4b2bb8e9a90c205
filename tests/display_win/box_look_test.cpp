// The real Vorlick.dll's look at 96 DPI: the message area on the window
// colour over a band with the buttons at its right end, the system's message
// font, right-to-left boxes not mirrored, and the box laid out again when its
// DPI changes. At 144 DPI and on a 1024x768 screen in a child process.
#include <gtest/gtest.h>

#include <string>

#include "driver.h"
#include "e2e_support.h"
#include "look_support.h"
#include "temp_folder.h"
#include "vorlick_harness.h"

namespace {

void Close(const BoxCallThread& call, HWND box, int id) {
  ASSERT_TRUE(PressButton(box, id));
  ASSERT_TRUE(call.WaitForReturn());
}

class VorlickLook : public ::testing::Test {
 protected:
  void SetUp() override {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 96) << "these sizes are those of a 96 DPI screen";
  }
};

TEST_F(VorlickLook, MessageAreaOnTheWindowColourOverTheButtonBand) {
  BoxRequest request;
  request.text = L"A first line, longer than the second one\nshort";
  request.style = MB_YESNO | MB_ICONQUESTION;
  request.timeout = 30;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  const RECT client = ClientRectOf(box);
  const RECT yes = PlaceOf(box, IDYES);
  const RECT no = PlaceOf(box, IDNO);
  // One row at the right end of the band, 11 pixels from its edges.
  EXPECT_EQ(no.right, client.right - 11);
  EXPECT_EQ(no.bottom, client.bottom - 11);
  EXPECT_EQ(yes.right + 7, no.left);
  EXPECT_EQ(yes.top, no.top);
  EXPECT_EQ(no.bottom - no.top, 23);
  EXPECT_EQ(no.right - no.left, 75);
  const int bandTop = yes.top - 11;
  for (int id : {kIconControlId, kMessageId, kCountdownControlId}) {
    SCOPED_TRACE(id);
    EXPECT_LE(PlaceOf(box, id).bottom, bandTop - 24);
  }
  EXPECT_EQ(PlaceOf(box, kIconControlId).left, 24);
  EXPECT_EQ(PlaceOf(box, kIconControlId).top, 24);

  Sleep(300);  // painted
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  ASSERT_NE(window, face);
  EXPECT_EQ(PixelOf(box, 1, 1), window);
  EXPECT_EQ(PixelOf(box, 1, bandTop - 1), window);
  EXPECT_EQ(PixelOf(box, 1, bandTop), face);
  EXPECT_EQ(PixelOf(box, client.right - 1, client.bottom - 1), face);
  // Beside the short second line: the message's own background.
  const RECT text = PlaceOf(box, kMessageId);
  EXPECT_EQ(PixelOf(box, text.right - 2, text.bottom - 2), window);

  // Every part in the system's message font.
  const LOGFONTW system = SystemMessageFont();
  for (int id : {kMessageId, kCountdownControlId, IDYES, IDNO}) {
    SCOPED_TRACE(id);
    const LOGFONTW font = FontOf(GetDlgItem(box, id));
    EXPECT_EQ(font.lfHeight, system.lfHeight);
    EXPECT_EQ(std::wstring(font.lfFaceName), system.lfFaceName);
  }
  Close(call, box, IDNO);
}

TEST_F(VorlickLook, CountdownLineHoldsEveryNumberItShows) {
  BoxRequest request;
  request.timeout = 120;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  HWND line = GetDlgItem(box, kCountdownControlId);
  const RECT place = PlaceOf(box, kCountdownControlId);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(
      dc, reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)));
  for (int seconds = 1; seconds <= 120; ++seconds) {
    const std::wstring text = L"Closes in " + std::to_wstring(seconds) + L" s";
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()),
                          &size);
    EXPECT_LE(size.cx, place.right - place.left) << seconds;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  Close(call, box, IDOK);
}

// Right-to-left reading mirrors nothing: the icon at the left, the buttons
// in their order at the right end, to the pixel as without it.
TEST_F(VorlickLook, RightToLeftBoxesAreNotMirrored) {
  for (UINT style : {0u, static_cast<UINT>(MB_RTLREADING)}) {
    SCOPED_TRACE(style);
    BoxRequest request;
    request.style = MB_YESNO | MB_ICONINFORMATION | style;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    const RECT client = ClientRectOf(box);
    const RECT icon = PlaceOf(box, kIconControlId);
    const RECT text = PlaceOf(box, kMessageId);
    const RECT yes = PlaceOf(box, IDYES);
    const RECT no = PlaceOf(box, IDNO);
    EXPECT_EQ(icon.left, 24);
    EXPECT_EQ(icon.right + 12, text.left);
    EXPECT_EQ(no.right, client.right - 11);
    EXPECT_EQ(yes.right + 7, no.left);
    Close(call, box, IDYES);
  }
}

// A rectangle as WM_DPICHANGED suggests it: the box's own scaled to `dpi`,
// a little further down and right.
RECT Scaled(const RECT& rect, int dpi) {
  return {rect.left + 10, rect.top + 10,
          rect.left + 10 + MulDiv(rect.right - rect.left, dpi, 96),
          rect.top + 10 + MulDiv(rect.bottom - rect.top, dpi, 96)};
}

void ChangeDpi(HWND box, int dpi, const RECT& suggested) {
  SendMessageW(box, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
}

TEST_F(VorlickLook, DpiChangeRescalesTheBoxInTheSuggestedPlace) {
  BoxRequest request;
  request.text = L"Keep the changes?";
  request.style = MB_OKCANCEL | MB_ICONWARNING;
  request.timeout = 30;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  const RECT before = WindowRectOf(box);
  HWND message = GetDlgItem(box, kMessageId);
  const auto oldFont =
      reinterpret_cast<HGDIOBJ>(SendMessageW(message, WM_GETFONT, 0, 0));

  const RECT suggested = Scaled(before, 144);
  ChangeDpi(box, 144, suggested);
  const RECT after = WindowRectOf(box);
  EXPECT_EQ(after.left, suggested.left);
  EXPECT_EQ(after.top, suggested.top);
  EXPECT_GE(after.right, suggested.right);
  EXPECT_GE(after.bottom, suggested.bottom);
  EXPECT_EQ(GetObjectType(oldFont), 0u);  // replaced and deleted
  EXPECT_EQ(FontOf(message).lfHeight,
            MulDiv(SystemMessageFont().lfHeight, 144, 96));
  const RECT icon = PlaceOf(box, kIconControlId);
  EXPECT_EQ(icon.right - icon.left, 48);
  EXPECT_EQ(icon.left, 36);
  const RECT client = ClientRectOf(box);
  const RECT cancel = PlaceOf(box, IDCANCEL);
  EXPECT_EQ(cancel.bottom - cancel.top, 35);
  EXPECT_EQ(cancel.right - cancel.left, 113);
  EXPECT_EQ(cancel.right, client.right - 17);
  EXPECT_EQ(cancel.bottom, client.bottom - 17);
  const RECT text = PlaceOf(box, kMessageId);
  EXPECT_GE(text.bottom - text.top, TextHeightOf(message));

  // Back at 96 DPI in the first place, the box is as it was.
  ChangeDpi(box, 96, before);
  const RECT again = WindowRectOf(box);
  EXPECT_TRUE(EqualRect(&again, &before));
  EXPECT_EQ(FontOf(message).lfHeight, SystemMessageFont().lfHeight);
  EXPECT_EQ(PlaceOf(box, IDCANCEL).bottom - PlaceOf(box, IDCANCEL).top, 23);
  Close(call, box, IDCANCEL);
}

TEST_F(VorlickLook, DpiChangeTurnsTheMessageIntoAScrollingOneAndBack) {
  // 50 lines fit a 1024-pixel screen at 96 DPI, not at 144.
  BoxRequest request;
  request.text = NumberedLines(50);
  request.timeout = 30;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  const RECT before = WindowRectOf(box);
  EXPECT_EQ(ClassOf(GetDlgItem(box, kMessageId)), L"Static");

  ChangeDpi(box, 144, Scaled(before, 144));
  HWND message = GetDlgItem(box, kMessageId);
  EXPECT_EQ(ClassOf(message), L"Edit");
  EXPECT_NE(GetWindowLongW(message, GWL_STYLE) & WS_VSCROLL, 0);
  EXPECT_EQ(SendMessageW(message, EM_GETLINECOUNT, 0, 0), 50);
  EXPECT_EQ(ReadBox(box).text, request.text);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT after = WindowRectOf(box);
  EXPECT_LE(after.bottom - after.top, work.bottom - work.top);
  // Still the first of the box's parts, as the message of a box without icon.
  EXPECT_EQ(GetWindow(box, GW_CHILD), message);

  ChangeDpi(box, 96, before);
  EXPECT_EQ(ClassOf(GetDlgItem(box, kMessageId)), L"Static");
  EXPECT_EQ(ReadBox(box).text, request.text);
  Close(call, box, IDOK);
}

// Sets the screen's DPI for the processes that start while it lives; Wine
// reads it from the user's desktop settings when a process starts.
class ScreenDpiForNewProcesses {
 public:
  explicit ScreenDpiForNewProcesses(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExW(key_, kValue, nullptr, nullptr,
                            reinterpret_cast<BYTE*>(&old_),
                            &size) == ERROR_SUCCESS;
    Set(dpi);
  }
  ~ScreenDpiForNewProcesses() {
    if (had_) {
      Set(old_);
    } else {
      RegDeleteValueW(key_, kValue);
    }
    RegCloseKey(key_);
  }

 private:
  static constexpr wchar_t kValue[] = L"LogPixels";
  void Set(DWORD dpi) {
    RegSetValueExW(key_, kValue, 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  }
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool had_ = false;
};

// Runs the child's tests that `filter` names with `prefix` before its
// command line and expects them all to pass, from its XML report (a child
// started on a desktop of its own hands no exit code back).
void ExpectChildPasses(const std::wstring& filter, const std::wstring& prefix) {
  const TempFolder scratch;
  const std::wstring& folder = scratch.root();
  const std::wstring report = folder + L"\\report.xml";
  std::wstring line = prefix + L"\"" + ProgramFolder() +
                      L"\\vorlick_look_child.exe\" --gtest_filter=" + filter +
                      L" --gtest_output=xml:" + report;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, folder.c_str(), &startup, &process));
  WaitForSingleObject(process.hProcess, 120000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::string xml;
  for (int waited = 0; waited < 600 && !ReadBytes(report, xml); ++waited) {
    Sleep(100);
  }
  ASSERT_FALSE(xml.empty()) << "the child wrote no report";
  EXPECT_NE(xml.find(" failures=\"0\""), std::string::npos) << xml;
  EXPECT_NE(xml.find(" errors=\"0\""), std::string::npos) << xml;
  EXPECT_EQ(xml.find(" tests=\"0\""), std::string::npos) << xml;
}

TEST(VorlickLookElsewhere, LayoutAt144Dpi) {
  ScreenDpiForNewProcesses dpi(144);
  ExpectChildPasses(L"LookAt144Dpi.*", L"");
}

TEST(VorlickLookElsewhere, LongTextOnA1024x768Screen) {
  ExpectChildPasses(L"LookOnASmallScreen.*",
                    L"explorer.exe /desktop=TandrelLook,1024x768 ");
}

}  // namespace
