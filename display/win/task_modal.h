// Task modality without an owner: the calling thread's other top-level
// windows are disabled while the box is up and enabled again afterwards.
#pragma once

#include "win32_api.h"

namespace vorlick {

// Windows beyond this many stay enabled: only those disabled here can be
// given back exactly as they were.
inline constexpr int kMaxDisabled = 64;

struct DisabledWindows {
  HWND windows[kMaxDisabled];
  int count;
};

// Disables the calling thread's visible, enabled top-level windows.
void DisableThreadWindows(DisabledWindows& disabled);

// Enables again each window that DisableThreadWindows disabled and that
// still exists.
void EnableAgain(const DisabledWindows& disabled);

}  // namespace vorlick
