// The box as a dialog: shown for one call, answering as Windows' message
// boxes do.
#pragma once

#include "box_call.h"
#include "win32_api.h"

namespace vorlick {

// Shows the box and returns the chosen button's ID, IDTIMEOUT, or 0 when
// the box could not be made.
int ShowBox(BoxCall& call);

// The call behind `window` when it is a box of ours, else null.
BoxCall* BoxCallOf(HWND window);

}  // namespace vorlick
