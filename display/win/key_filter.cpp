#include "key_filter.h"

#include "box_clipboard.h"
#include "box_dialog.h"
#include "box_help.h"
#include "box_keys.h"

namespace vorlick {
namespace {

// Index in the row of the button `window`, or -1 when it is none of the
// box's buttons.
int ButtonIndex(HWND box, const BoxCall& call, HWND window) {
  if (GetParent(window) != box) return -1;
  return IndexOf(call.plan.buttons, GetDlgCtrlID(window));
}

// The rule's answer to `key` on the button at `index`: the focus moves
// there, or the owner is asked for help. The dialog manager does the rest.
bool Act(HWND box, const BoxCall& call, int index, BoxKey key) {
  const KeyAction action = ActOnKey(call.plan, index, key);
  if (action.focus != index) {
    HWND button = GetDlgItem(box, call.plan.buttons.ids[action.focus]);
    SendMessageW(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
  }
  if (action.help) SendHelp(box, call);
  return true;
}

// The arrows the rule moves the focus with, from a button.
bool IsArrow(WPARAM key, BoxKey& boxKey) {
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      boxKey = key == VK_LEFT ? BoxKey::kLeft : BoxKey::kUp;
      return true;
    case VK_RIGHT:
    case VK_DOWN:
      boxKey = key == VK_RIGHT ? BoxKey::kRight : BoxKey::kDown;
      return true;
    default:
      return false;
  }
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
  BoxKey arrow = BoxKey::kLeft;
  if (IsArrow(message.wParam, arrow)) {
    return index >= 0 && Act(box, *call, index, arrow);
  }
  switch (message.wParam) {
    case 'C':
    case VK_INSERT:
      if (!CtrlAlone()) return false;
      CopyBox(box, *call);
      return true;
    case VK_F1:
      return Act(box, *call, index >= 0 ? index : 0, BoxKey::kHelp);
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
