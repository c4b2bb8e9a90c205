// The real Vorlick.dll shows what it is asked to: caption, text, buttons,
// icon, default button and the style bits that change the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "box_sets.h"
#include "driver.h"
#include "vorlick_harness.h"

namespace {

// Closes a box by its first button, which every set may close with.
void CloseBy(const BoxCallThread& call, HWND box, int id) {
  ASSERT_TRUE(PressButton(box, id));
  ASSERT_TRUE(call.WaitForReturn());
  EXPECT_EQ(call.Result(), id);
}

LONG StyleOf(HWND box, int id) {
  return GetWindowLongW(GetDlgItem(box, id), GWL_STYLE);
}

int TextHeight(HWND box) {
  RECT rect{};
  GetClientRect(GetDlgItem(box, 0xFFFF), &rect);
  return rect.bottom;
}

TEST(VorlickBox, ShowsCaptionAndTextVerbatim) {
  struct Case {
    std::wstring text;
    std::wstring caption;
  };
  const Case cases[] = {
      {L"Message", L"Caption"},
      {L"First line\r\nSecond line\nThird line", L"Lines"},
      {L"Fish & Chips &Co", L"A && B"},
      {L"Caf\u00E9 \u20AC \u4E2D\u6587", L"\u00DCbersicht"},
      {L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.caption.begin(), c.caption.end()));
    BoxRequest request;
    request.text = c.text;
    request.caption = c.caption;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    const BoxContent content = ReadBox(box);
    EXPECT_EQ(content.caption, c.caption);
    EXPECT_EQ(content.text, c.text);
    EXPECT_EQ(StaticTexts(box).size(), 1u);  // no countdown line
    CloseBy(call, box, IDOK);
  }
}

TEST(VorlickBox, NullTextAndCaptionShowAsEmpty) {
  BoxRequest request;
  request.nullTexts = true;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  const BoxContent content = ReadBox(box);
  EXPECT_EQ(content.caption, L"");
  EXPECT_EQ(content.text, L"");
  CloseBy(call, box, IDOK);
}

TEST(VorlickBox, EmptyTextIsNotTakenForTheCountdown) {
  BoxRequest request;
  request.text = L"";
  request.timeout = 30;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ReadBox(box).text, L"");
  EXPECT_EQ(CountdownOf(box), L"Closes in 30 s");
  CloseBy(call, box, IDOK);
}

TEST(VorlickBox, LineBreaksStartNewLines) {
  const std::wstring texts[] = {L"one", L"one\ntwo", L"one\r\ntwo\r\nthree"};
  std::vector<int> heights;
  for (const std::wstring& text : texts) {
    BoxRequest request;
    request.text = text;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    heights.push_back(TextHeight(box));
    CloseBy(call, box, IDOK);
  }
  ASSERT_GT(heights[0], 0);
  EXPECT_EQ(heights[1], 2 * heights[0]);
  EXPECT_EQ(heights[2], 3 * heights[0]);
}

TEST(VorlickBox, ButtonsOfEverySetWithAndWithoutHelp) {
  for (UINT set = 0; set < 7; ++set) {
    for (bool help : {false, true}) {
      SCOPED_TRACE(testing::Message() << "set " << set << " help " << help);
      BoxRequest request;
      request.style = set | (help ? MB_HELP : 0);
      BoxCallThread call(request);
      HWND box = call.WaitForBox();
      ASSERT_NE(box, nullptr);
      std::vector<std::wstring> labels = kSetLabels[set];
      std::vector<int> ids = kSetIds[set];
      if (help) {
        labels.push_back(L"Help");
        ids.push_back(IDHELP);
      }
      const BoxContent content = ReadBox(box);
      EXPECT_EQ(content.buttons, labels);
      EXPECT_EQ(content.buttonIds, ids);
      EXPECT_FALSE(content.hasIcon);
      CloseBy(call, box, ids[0]);
    }
  }
}

TEST(VorlickBox, IconOfTheStyle) {
  struct Case {
    UINT icon;
    bool shown;
  };
  const Case cases[] = {{0, false},
                        {MB_ICONERROR, true},
                        {MB_ICONQUESTION, true},
                        {MB_ICONWARNING, true},
                        {MB_ICONINFORMATION, true},
                        {0x50, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.icon);
    BoxRequest request;
    request.style = MB_OK | c.icon;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ReadBox(box).hasIcon, c.shown);
    CloseBy(call, box, IDOK);
  }
}

TEST(VorlickBox, DefaultButtonHasTheFocusAndTakesEnter) {
  struct Case {
    const char* name;
    UINT style;
    int defaultId;
    int expected;
  };
  const Case cases[] = {
      {"first by default", MB_YESNOCANCEL, 0, IDYES},
      {"style's second", MB_YESNOCANCEL | MB_DEFBUTTON2, 0, IDNO},
      {"style's third", MB_YESNOCANCEL | MB_DEFBUTTON3, 0, IDCANCEL},
      {"defaultId overrides", MB_YESNOCANCEL | MB_DEFBUTTON3, IDNO, IDNO},
      {"unknown defaultId", MB_YESNO | MB_DEFBUTTON2, IDOK, IDNO},
      {"negative defaultId", MB_OKCANCEL | MB_DEFBUTTON2, -7, IDCANCEL},
      {"missing third", MB_RETRYCANCEL | MB_DEFBUTTON3, 0, IDRETRY},
      {"timeout is no button", MB_CANCELTRYCONTINUE, IDTIMEOUT, IDCANCEL},
      {"last of three", MB_CANCELTRYCONTINUE, IDCONTINUE, IDCONTINUE},
      {"abort set", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDIGNORE, IDIGNORE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxRequest request;
    request.style = c.style;
    request.defaultId = c.defaultId;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(FocusedId(box), c.expected);
    EXPECT_EQ(DefIdOf(box), c.expected);
    EXPECT_EQ(StyleOf(box, c.expected) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    PressKey(box, VK_RETURN);
    ASSERT_TRUE(call.WaitForReturn());
    EXPECT_EQ(call.Result(), c.expected);
  }
}

TEST(VorlickBox, HelpCanBeTheDefault) {
  BoxRequest request;
  request.style = MB_OK | MB_HELP | MB_DEFBUTTON2;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(FocusedId(box), IDHELP);
  EXPECT_EQ(DefIdOf(box), IDHELP);
  // Enter on Help asks for help and leaves the box up.
  PressKey(box, VK_RETURN);
  EXPECT_FALSE(call.WaitForReturn(500));
  CloseBy(call, box, IDOK);
}

TEST(VorlickBox, StyleBitsThatChangeTheWindow) {
  struct Case {
    const char* name;
    UINT style;
    bool topmost;
    bool right;
    bool rtl;
  };
  const Case cases[] = {
      {"plain", MB_OK, false, false, false},
      {"topmost", MB_OK | MB_TOPMOST, true, false, false},
      {"system modal", MB_OK | MB_SYSTEMMODAL, true, false, false},
      {"task modal", MB_OK | MB_TASKMODAL, false, false, false},
      {"right", MB_OK | MB_RIGHT, false, true, false},
      {"rtl reading", MB_OK | MB_RTLREADING, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxRequest request;
    request.style = c.style;
    request.timeout = 30;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    const LONG exStyle = GetWindowLongW(box, GWL_EXSTYLE);
    EXPECT_EQ((exStyle & WS_EX_TOPMOST) != 0, c.topmost);
    for (int id : {0xFFFF, 21}) {  // the message and the countdown line
      const LONG align = StyleOf(box, id) & SS_TYPEMASK;
      EXPECT_EQ(align, c.right ? SS_RIGHT : SS_LEFT);
      const LONG textEx = GetWindowLongW(GetDlgItem(box, id), GWL_EXSTYLE);
      EXPECT_EQ((textEx & WS_EX_RTLREADING) != 0, c.rtl);
    }
    CloseBy(call, box, IDOK);
  }
}

// The box's parts left to right on the screen: button IDs, and whether the
// icon is left of the message.
struct Row {
  std::vector<int> buttons;
  bool iconLeft = false;
};

Row RowOf(HWND box) {
  std::vector<std::pair<LONG, int>> buttons;
  LONG icon = -1;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(c, name, 16);
    const LONG left = WindowRectOf(c).left;
    if (lstrcmpiW(name, L"Button") == 0) {
      buttons.push_back({left, GetDlgCtrlID(c)});
    } else if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      icon = left;
    }
  }
  std::sort(buttons.begin(), buttons.end());
  Row row;
  for (const auto& button : buttons) row.buttons.push_back(button.second);
  row.iconLeft = icon >= 0 && icon < WindowRectOf(GetDlgItem(box, 0xFFFF)).left;
  return row;
}

Row RowOfBox(UINT style, bool system) {
  BoxRequest request;
  request.style = style;
  request.system = system;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  if (box == nullptr) return {};
  Row row = RowOf(box);
  for (int id : row.buttons) PressButton(box, id);
  call.WaitForReturn();
  return row;
}

// Right-to-left reading mirrors neither the row nor the icon, as in the
// system's own MessageBoxW under the same Wine: the first button stays the
// leftmost, the icon left of the text.
TEST(VorlickBox, RightToLeftReadingMirrorsNothingAsTheSystemBox) {
  const UINT styles[] = {
      MB_YESNOCANCEL | MB_HELP | MB_ICONQUESTION | MB_RTLREADING,
      MB_ABORTRETRYIGNORE | MB_ICONERROR | MB_RTLREADING | MB_RIGHT,
      MB_OKCANCEL | MB_ICONWARNING,
  };
  for (UINT style : styles) {
    SCOPED_TRACE(testing::Message() << std::hex << style);
    const Row system = RowOfBox(style, true);
    const Row ours = RowOfBox(style, false);
    std::vector<int> ids = kSetIds[style & 0xF];
    if ((style & MB_HELP) != 0) ids.push_back(IDHELP);
    EXPECT_EQ(system.buttons, ids);
    EXPECT_EQ(ours.buttons, ids);
    EXPECT_TRUE(system.iconLeft);
    EXPECT_TRUE(ours.iconLeft);
  }
}

TEST(VorlickBox, SetForegroundBringsTheBoxForward) {
  BoxRequest request;
  request.style = MB_OK | MB_SETFOREGROUND;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetForegroundWindow(), box);
  CloseBy(call, box, IDOK);
}

TEST(VorlickBox, LongTextWrapsAndTheBoxStaysOnTheScreen) {
  std::wstring text;
  for (int i = 0; i < 300; ++i) text += L"word ";
  BoxRequest request;
  request.text = text;
  request.style = MB_OK | MB_ICONINFORMATION;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT rect = WindowRectOf(box);
  EXPECT_LE(rect.right - rect.left, (work.right - work.left) * 5 / 8 + 40);
  EXPECT_GE(rect.left, work.left);
  EXPECT_GE(rect.top, work.top);
  EXPECT_LE(rect.right, work.right);
  EXPECT_LE(rect.bottom, work.bottom);
  EXPECT_GT(TextHeight(box), 5 * 8);  // several lines
  // Centred in the work area, to the pixel of rounding.
  EXPECT_LE(std::abs((rect.left + rect.right) - (work.left + work.right)), 2);
  EXPECT_LE(std::abs((rect.top + rect.bottom) - (work.top + work.bottom)), 2);
  CloseBy(call, box, IDOK);
}

}  // namespace
