// The box's dialog template, and the styles of its message control, which
// the template gives it and message_control.cpp gives a scrolling one again.
#pragma once

#include "box_call.h"
#include "box_plan.h"
#include "dialog_template.h"
#include "win32_api.h"

namespace vorlick {

// Writes the box's template: icon, text, countdown line and buttons in that
// order, the default button marked. False when it does not fit.
bool BuildBoxTemplate(const BoxCall& call, DialogTemplate& dialog);

// The message's style: a static text, or where the text must scroll a
// read-only edit control with a vertical scroll bar; both aligned and
// reading as the style asks.
DWORD MessageStyle(const BoxLook& look, bool scrolls);
DWORD MessageExStyle(const BoxLook& look);

}  // namespace vorlick
