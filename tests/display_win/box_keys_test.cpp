// The keys the real Vorlick.dll answers beyond the dialog manager's: the
// arrows walk the buttons as the system's MessageBoxW walks them, Ctrl+C and
// Ctrl+Insert copy the box, Help and F1 tell the owner; and the key filter
// behind them belongs to its call alone.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "box_sets.h"
#include "driver.h"
#include "e2e_support.h"
#include "key_cases.h"
#include "vorlick_harness.h"

namespace {

constexpr UINT kArrows[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};

// The focus once it left `from`, or `from` when it stayed for 500 ms.
int FocusLeaving(HWND box, int from) {
  const ULONGLONG end = GetTickCount64() + 500;
  int now = FocusedId(box);
  while (now == from && GetTickCount64() < end) {
    Sleep(5);
    now = FocusedId(box);
  }
  return now;
}

// Where each arrow takes the focus from each button: (start, key) -> ID.
using Walk = std::map<std::pair<int, UINT>, int>;

Walk WalkOf(HWND box, const std::vector<int>& ids) {
  Walk walk;
  for (int start : ids) {
    for (UINT key : kArrows) {
      SendMessageW(box, WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(GetDlgItem(box, start)), TRUE);
      if (FocusedId(box) != start) continue;  // left out: shows as a mismatch
      PressKey(box, key);
      walk[{start, key}] = FocusLeaving(box, start);
    }
  }
  return walk;
}

Walk WalkOfBox(UINT style, bool system) {
  BoxRequest request;
  request.style = style;
  request.system = system;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  if (box == nullptr) return {};
  std::vector<int> ids = ReadBox(box).buttonIds;
  return WalkOf(box, ids);
}

TEST(VorlickKeys, ArrowsWalkTheButtonsAsTheSystemBoxDoes) {
  std::vector<UINT> styles;
  for (UINT set = 0; set < 7; ++set) {
    styles.push_back(set);
    styles.push_back(set | MB_HELP);
  }
  // Right-to-left reading leaves the row as it is, and so the arrows.
  styles.push_back(MB_YESNOCANCEL | MB_HELP | MB_RTLREADING);
  for (UINT style : styles) {
    SCOPED_TRACE(testing::Message() << "style " << style);
    const Walk expected = WalkOfBox(style, true);
    const Walk actual = WalkOfBox(style, false);
    const size_t buttons = kSetIds[style & 0xF].size() + (style > 6 ? 1 : 0);
    EXPECT_EQ(expected.size(), buttons * 4);
    EXPECT_EQ(actual, expected);
  }
}

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Types one of the shared cases' keys on the keyboard, with Shift where it
// needs it.
void TypeKey(const std::string& key) {
  static const std::pair<const char*, WORD> kKeys[] = {
      {"Enter", VK_RETURN}, {"Space", VK_SPACE}, {"Escape", VK_ESCAPE},
      {"Left", VK_LEFT},    {"Right", VK_RIGHT}, {"Up", VK_UP},
      {"Down", VK_DOWN},    {"Tab", VK_TAB},     {"BackTab", VK_TAB}};
  WORD virtualKey = 0;
  bool shift = key == "BackTab";
  for (const auto& [name, code] : kKeys) {
    if (key == name) virtualKey = code;
  }
  if (virtualKey == 0) {
    const SHORT scan = VkKeyScanW(static_cast<wchar_t>(key[0]));
    virtualKey = LOBYTE(scan);
    shift = (HIBYTE(scan) & 1) != 0;
  }
  std::vector<INPUT> inputs;
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The keys every front end answers alike; the dialog manager's own Tab,
// Enter, Space and access keys among them.
TEST(VorlickKeys, KeysAsTheContractSays) {
  for (const vorlick_test::KeyCase& c : vorlick_test::kKeyCases) {
    if (c.everyButtonKeyed) continue;
    SCOPED_TRACE(c.name);
    BoxRequest request;
    request.style = c.style;
    request.defaultId = c.defaultId;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    ASSERT_NE(BringForward(box), 0);
    std::istringstream keys(c.keys);
    for (std::string key; keys >> key;) {
      TypeKey(key);
      Sleep(100);
    }
    ASSERT_TRUE(call.WaitForReturn(3000));
    EXPECT_EQ(call.Result(), c.result);
  }
}

TEST(VorlickKeys, LeftThenSpaceChoosesTheButtonOnTheLeftRoundTheRow) {
  BoxRequest request;
  request.style = MB_YESNO;
  BoxCallThread call(request);
  HWND box = call.WaitForBox();
  ASSERT_NE(box, nullptr);
  PressKey(box, VK_LEFT);
  EXPECT_EQ(FocusLeaving(box, IDYES), IDNO);
  PressKey(box, VK_SPACE);
  ASSERT_TRUE(call.WaitForReturn());
  EXPECT_EQ(call.Result(), IDNO);
}

const wchar_t kRule[] = L"---------------------------\r\n";

std::wstring Summary(const std::wstring& caption, const std::wstring& text,
                     const std::wstring& labels) {
  return kRule + caption + L"\r\n" + kRule + text + L"\r\n" + kRule + labels +
         L"\r\n" + kRule;
}

TEST(VorlickKeys, CtrlCAndCtrlInsertCopyTheBoxAsText) {
  struct Case {
    const char* name;
    UINT style;
    int timeout;
    std::wstring caption;
    std::wstring text;
    UINT key;
    std::wstring labels;
  };
  const Case cases[] = {
      {"lines and Help", MB_YESNOCANCEL | MB_HELP | MB_ICONQUESTION, 0,
       L"Backup", L"Done.\r\nOpen the log?\nNow", 'C',
       L"Yes   No   Cancel   Help   "},
      {"Ctrl+Insert, countdown left out", MB_ABORTRETRYIGNORE, 30,
       L"Fish && Chips", L"A & B", VK_INSERT, L"Abort   Retry   Ignore   "},
      {"empty texts", MB_OK, 0, L"", L"", 'C', L"OK   "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxRequest request;
    request.style = c.style;
    request.timeout = c.timeout;
    request.caption = c.caption;
    request.text = c.text;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(CopyWithKeys(box, c.key), Summary(c.caption, c.text, c.labels));
    EXPECT_FALSE(call.Returned());  // copying leaves the box up
    ASSERT_TRUE(PressButton(box, ReadBox(box).buttonIds[0]));
    ASSERT_TRUE(call.WaitForReturn());
  }
}

TEST(VorlickKeys, HelpAndF1TellTheOwnerWhichItemAsked) {
  struct Case {
    const char* name;
    UINT style;
    bool byKey;           // F1 rather than the Help button
    bool helpButtonItem;  // the item is the Help button, else the box
  };
  const Case cases[] = {
      {"Help button", MB_YESNO | MB_HELP, false, true},
      {"F1 with a Help button", MB_OKCANCEL | MB_HELP, true, true},
      {"F1 without one", MB_OK, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxRequest request;
    request.style = c.style;
    request.ownWindow = true;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    if (c.byKey) {
      PressKey(box, VK_F1);
    } else {
      ASSERT_TRUE(PressButton(box, IDHELP));
    }
    for (int i = 0; i < 200 && call.HelpMessages() == 0; ++i) Sleep(10);
    ASSERT_EQ(call.HelpMessages(), 1);
    POINT cursor{};  // where it was when help was asked: nothing moves it
    GetCursorPos(&cursor);
    const HELPINFO& help = call.LastHelp();
    EXPECT_EQ(help.cbSize, sizeof(HELPINFO));
    EXPECT_EQ(help.iContextType, HELPINFO_WINDOW);
    EXPECT_EQ(help.iCtrlId, c.helpButtonItem ? IDHELP : 0);
    EXPECT_EQ(help.hItemHandle, c.helpButtonItem ? GetDlgItem(box, IDHELP)
                                                 : static_cast<HANDLE>(box));
    EXPECT_EQ(help.dwContextId, 0u);
    EXPECT_EQ(help.MousePos.x, cursor.x);
    EXPECT_EQ(help.MousePos.y, cursor.y);
    // The WM_HELP Windows makes of F1 as well is not passed on a second time.
    HELPINFO passedOn = help;
    SendMessageW(box, WM_HELP, 0, reinterpret_cast<LPARAM>(&passedOn));
    EXPECT_EQ(call.HelpMessages(), 1);
    EXPECT_FALSE(call.Returned());
    ASSERT_TRUE(PressButton(box, ReadBox(box).buttonIds[0]));
    ASSERT_TRUE(call.WaitForReturn());
  }
}

// Each call's filter answers its own box and is gone when the call returns,
// however it ended; a filter left behind would still answer keys aimed at a
// box of the library on another thread: Right would move that box's focus.
TEST(VorlickKeys, KeyFiltersBelongToTheirCall) {
  BoxRequest request;
  request.style = MB_YESNOCANCEL;
  request.caption = L"Other";
  BoxCallThread other(request);
  HWND otherBox = other.WaitForBox();
  ASSERT_NE(otherBox, nullptr);
  for (bool timesOut : {true, false}) {
    SCOPED_TRACE(timesOut ? "timed out" : "answered");
    BoxRequest first;
    first.style = MB_YESNO;
    first.timeout = timesOut ? 2 : 0;
    first.filterAfter = {
        GetDlgItem(otherBox, IDYES), WM_KEYDOWN, VK_RIGHT, 0, 0, {}};
    BoxCallThread call(first);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(BringForward(box), IDYES);
    PressKey(box, VK_RIGHT);
    EXPECT_EQ(FocusLeaving(box, IDYES), IDNO);
    if (!timesOut) {
      ASSERT_TRUE(PressButton(box, IDYES));
    }
    ASSERT_TRUE(call.WaitForReturn(5000));
    EXPECT_EQ(call.Result(), timesOut ? IDTIMEOUT : IDYES);
    EXPECT_EQ(call.FilteredAfter(), 0);
    EXPECT_EQ(BringForward(otherBox), IDYES);
  }
  PressKey(otherBox, VK_LEFT);  // its own filter is still at work
  EXPECT_EQ(FocusLeaving(otherBox, IDYES), IDCANCEL);
  ASSERT_TRUE(PressButton(otherBox, IDNO));
  ASSERT_TRUE(other.WaitForReturn());
}

}  // namespace
