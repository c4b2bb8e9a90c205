#include "task_modal.h"

namespace vorlick {
namespace {

BOOL CALLBACK DisableOne(HWND window, LPARAM context) {
  auto& disabled = *reinterpret_cast<DisabledWindows*>(context);
  if (disabled.count >= kMaxDisabled) return FALSE;
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    disabled.windows[disabled.count++] = window;
  }
  return TRUE;
}

}  // namespace

void DisableThreadWindows(DisabledWindows& disabled) {
  disabled.count = 0;
  EnumThreadWindows(GetCurrentThreadId(), DisableOne,
                    reinterpret_cast<LPARAM>(&disabled));
}

void EnableAgain(const DisabledWindows& disabled) {
  for (int i = 0; i < disabled.count; ++i) {
    if (IsWindow(disabled.windows[i])) EnableWindow(disabled.windows[i], TRUE);
  }
}

}  // namespace vorlick
