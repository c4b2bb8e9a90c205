// A button's label as a Win32 button shows it.
#pragma once

#include "button_label.h"

namespace vorlick {

using ButtonText = char16_t[kLabelUnits];

// The label with '&' before its access key where Windows' own message boxes
// mark one ("&Yes"), unmarked where they do not ("OK"). Returns its length;
// an ID of no button gives an empty label.
int Win32Label(int buttonId, ButtonText& out);

}  // namespace vorlick
