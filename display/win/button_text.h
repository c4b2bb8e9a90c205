// A button's label as a Win32 button shows it.
#pragma once

#include "box_style.h"

namespace vorlick {

using LabelText = char16_t[kLabelUnits];

// The label in the box's language with '&' before its access key where
// Windows' own message boxes mark one ("&Ja"), unmarked where they do not
// ("OK"). Returns its length; an ID of no button gives an empty label.
int Win32Label(Language language, int buttonId, LabelText& out);

}  // namespace vorlick
