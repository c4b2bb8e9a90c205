// The box as a GTK window, made and run on the library's GTK thread.
#pragma once

#include <string>

#include "box_style.h"
#include "deadline.h"

namespace vorlick {

// Shows the box and returns the chosen button's ID, or kIdTimeout when the
// countdown runs out. GtkHostReady() must be true. The window, its timer and
// all its state are gone when this returns.
int ShowGtkBox(const BoxPlan& plan, const std::string& caption,
               const std::string& text, int timeoutSeconds,
               const Countdown& countdown);

}  // namespace vorlick
