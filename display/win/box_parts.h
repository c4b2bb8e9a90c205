// The parts of the box that its look changes after the template made them.
#pragma once

#include "box_call.h"

namespace vorlick {

// The message's style: a static text, or where the text must scroll a
// read-only edit control with a vertical scroll bar; both aligned and
// reading as the style asks.
DWORD MessageStyle(const BoxLook& look, bool scrolls);
DWORD MessageExStyle(const BoxLook& look);

// Makes the message control (ID kTextId) the kind `scrolls` asks for, in
// the same place among the box's controls, showing the whole text in the
// box's font.
void UseMessageControl(HWND box, BoxCall& call, bool scrolls);

// Gives every control of the box `font`.
void SetFonts(HWND box, HFONT font);

// Lays the box out again at `dpi` in the rectangle the system suggests,
// larger where its parts need more room.
void RescaleBox(HWND box, BoxCall& call, int dpi, const RECT& suggested);

}  // namespace vorlick
