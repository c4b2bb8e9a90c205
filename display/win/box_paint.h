// How the box paints: its message area on the window colour, its button
// band on the dialog colour.
#pragma once

#include "box_call.h"
#include "win32_api.h"

namespace vorlick {

// Returns what the dialog procedure returns for `message`, or 0 for a
// message it leaves to the rest of the box.
INT_PTR PaintMessage(HWND box, const BoxCall& call, UINT message, WPARAM wParam,
                     LPARAM lParam);

}  // namespace vorlick
