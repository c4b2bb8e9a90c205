// Ctrl+C and Ctrl+Insert on a box.
#pragma once

#include "box_call.h"
#include "win32_api.h"

namespace vorlick {

// Puts the box's text summary on the clipboard; false when it could not.
bool CopyBox(HWND box, const BoxCall& call);

}  // namespace vorlick
