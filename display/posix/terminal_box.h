// The box drawn on the controlling terminal, for when no display can be
// opened.
#pragma once

#include <string>

#include "box_style.h"
#include "deadline.h"

namespace vorlick {

// Shows the box on /dev/tty and returns the chosen button's ID, kIdTimeout
// when the countdown runs out, or 0 when there is no terminal to show it on (or
// it hangs up). Boxes of several threads take turns on the one terminal.
int ShowTerminalBox(const BoxPlan& plan, const std::string& caption,
                    const std::string& text, int timeoutSeconds,
                    const Countdown& countdown);

}  // namespace vorlick
