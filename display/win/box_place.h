// Where the box and its parts go on the screen, at its DPI.
#pragma once

#include "box_call.h"
#include "win32_api.h"

namespace vorlick {

// Gives a freshly made box its font and icon at its DPI, measures its parts
// and sizes, places and centres it, once: nothing moves afterwards unless
// the DPI changes.
void PlaceBox(HWND box, BoxCall& call);

// Lays the box out again at `dpi` in the rectangle the system suggests,
// larger where its parts need more room.
void RescaleBox(HWND box, BoxCall& call, int dpi, const RECT& suggested);

}  // namespace vorlick
