// The control that shows the message, and the font of every control.
#pragma once

#include "box_call.h"
#include "win32_api.h"

namespace vorlick {

// Makes the message control (ID kTextId) the kind `scrolls` asks for, in
// the same place among the box's controls, showing the whole text in the
// box's font.
void UseMessageControl(HWND box, BoxCall& call, bool scrolls);

// Gives every control of the box `font`.
void SetFonts(HWND box, HFONT font);

}  // namespace vorlick
