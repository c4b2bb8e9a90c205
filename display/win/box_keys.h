// The keys a box answers beyond the dialog manager's: the arrows keep to the
// buttons and wrap around, Ctrl+C and Ctrl+Insert copy the box, F1 asks the
// owner for help. A thread-local message filter sees the keys of the box's
// modal loop; it is set just before the box and removed once it is gone.
#pragma once

#include "box_call.h"

namespace vorlick {

// Sets the calling thread's filter; null when it could not be set, and the
// box then goes without these keys.
HHOOK WatchBoxKeys();
void StopWatchingKeys(HHOOK filter);

// The call behind `window` when it is a box of ours, else null
// (box_dialog.cpp).
BoxCall* BoxCallOf(HWND window);

// WM_HELP to the owner, for the Help button and F1 (box_help.cpp).
void SendHelp(HWND box, const BoxCall& call);

// Puts the box's text summary on the clipboard (box_clipboard.cpp).
bool CopyBox(HWND box, const BoxCall& call);

}  // namespace vorlick
