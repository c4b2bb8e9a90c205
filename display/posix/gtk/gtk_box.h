// The box as a GTK window, run in the GTK helper program (and in its tests)
// on the thread that initialised GTK.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "box_plan.h"
#include "countdown.h"

namespace vorlick {

// Called once the window is shown: mapped on X, its surface committed on
// Wayland (where a headless compositor never configures it).
struct GtkBoxHooks {
  void (*shown)(GtkWidget* window, void* data) = nullptr;
  void* data = nullptr;
};

// Shows the box, runs GTK's main loop until it closes, and returns the
// chosen button's ID, or kIdTimeout when the countdown runs out. The window
// and its timer are gone, also on the display server, when this returns.
int RunGtkBox(const BoxPlan& plan, const std::string& title,
              const std::string& body, int timeout, const Countdown& countdown,
              const GtkBoxHooks& hooks = {});

}  // namespace vorlick
