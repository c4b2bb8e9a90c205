// The box drawn on the controlling terminal, for when no display can be
// opened.
#pragma once

#include <string>

#include "box_setup.h"

namespace vorlick {

// Shows the box on /dev/tty and returns the chosen button's ID, kIdTimeout
// when the countdown runs out, or 0 when there is no terminal to show it on (or
// it hangs up). The terminal's escape sequences come from its terminfo entry
// ($TERM); a terminal without what the box needs gets the box as plain text.
// A resize lays the box out again. Boxes of several threads take turns on the
// one terminal.
int ShowTerminalBox(const BoxSetup& setup);

}  // namespace vorlick
