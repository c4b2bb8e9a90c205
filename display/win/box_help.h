// The Help button and F1.
#pragma once

#include "box_call.h"
#include "win32_api.h"

namespace vorlick {

// WM_HELP to the owner, as the system's message box sends it.
void SendHelp(HWND box, const BoxCall& call);

}  // namespace vorlick
