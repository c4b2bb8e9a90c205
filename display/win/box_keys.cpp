#include "box_keys.h"

#include "box_clipboard.h"
#include "box_dialog.h"
#include "box_help.h"

namespace vorlick {
namespace {

// Index in the row of the button `window`, or -1 when it is none of the
// box's buttons.
int ButtonIndex(HWND box, const BoxCall& call, HWND window) {
  if (GetParent(window) != box) return -1;
  return IndexOf(call.plan.buttons, GetDlgCtrlID(window));
}

// Left and Up go back, Right and Down forward, round the row. The row is
// never mirrored (MB_RTLREADING sets the reading order of the text only), so
// Left is the button on the left in every box.
bool MoveFocusBy(HWND box, const BoxCall& call, int index, int step) {
  const int next = MoveFocus(call.plan, index, step);
  HWND button = GetDlgItem(box, call.plan.buttons.ids[next]);
  SendMessageW(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
  return true;
}

// Ctrl without Alt: Ctrl+Alt is AltGr on many keyboards.
bool CtrlAlone() {
  return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
}

// Answers a key press aimed at the box or one of its buttons; other
// controls keep their own keys. True when the key is used up.
bool AnswerKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.hwnd == nullptr) return false;
  HWND box = GetAncestor(message.hwnd, GA_ROOT);
  const BoxCall* call = BoxCallOf(box);
  if (call == nullptr) return false;
  const int index = ButtonIndex(box, *call, message.hwnd);
  if (index < 0 && message.hwnd != box) return false;
  switch (message.wParam) {
    case VK_LEFT:
    case VK_UP:
      return index >= 0 && MoveFocusBy(box, *call, index, -1);
    case VK_RIGHT:
    case VK_DOWN:
      return index >= 0 && MoveFocusBy(box, *call, index, 1);
    case 'C':
    case VK_INSERT:
      if (!CtrlAlone()) return false;
      CopyBox(box, *call);
      return true;
    case VK_F1:
      SendHelp(box, *call);
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK FilterBoxKeys(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX &&
      AnswerKey(*reinterpret_cast<const MSG*>(lParam))) {
    return TRUE;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

HHOOK WatchBoxKeys() {
  return SetWindowsHookExW(WH_MSGFILTER, FilterBoxKeys, nullptr,
                           GetCurrentThreadId());
}

void StopWatchingKeys(HHOOK filter) {
  if (filter != nullptr) UnhookWindowsHookEx(filter);
}

}  // namespace vorlick
