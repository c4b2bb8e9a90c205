// Vorlick.dll's one export, by ordinal 755 only (see Vorlick.def), and the
// library's entry, which has nothing to set up: all state belongs to a call.
#include "box_call.h"
#include "countdown.h"

extern "C" int WINAPI VorlickShowMessage(HWND owner, const wchar_t* text,
                                         const wchar_t* caption, UINT style,
                                         int timeout, int defaultId) {
  using namespace vorlick;
  if (!IsShowable(style)) return 0;
  // Windows' message boxes refuse an owner that is not a window.
  if (owner != nullptr && !IsWindow(owner)) return 0;
  BoxCall call{};
  call.owner = owner;
  call.text = text != nullptr ? text : L"";
  call.caption = caption != nullptr ? caption : L"";
  call.plan = PlanBox(style, defaultId);
  call.defaultId = call.plan.buttons.ids[call.plan.defaultIndex];
  call.timeoutMs = TimeoutMs(timeout);
  return ShowBox(call);
}

extern "C" BOOL WINAPI VorlickEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
