// The box's look: it paints its message area and button band and answers
// WM_DPICHANGED.
#pragma once

#include "box_call.h"
#include "win32_api.h"

namespace vorlick {

// Returns what the dialog procedure returns for `message`, or 0 for a
// message it leaves to the rest of the box.
INT_PTR LookMessage(HWND box, BoxCall& call, UINT message, WPARAM wParam,
                    LPARAM lParam);

}  // namespace vorlick
