// The widgets of the GTK box: laid out once, so that only the countdown
// label's text ever changes.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "box_plan.h"

namespace vorlick {

struct BoxWidgets {
  GtkWidget* window = nullptr;
  GtkWidget* buttons[kMaxButtons] = {};
  GtkWidget* countdown = nullptr;  // null without a time-out
};

// Builds the window, not yet shown. With a time-out the countdown label is
// sized for the widest text it may show.
BoxWidgets BuildBoxWindow(const BoxPlan& plan, const std::string& title,
                          const std::string& body, int timeout);

}  // namespace vorlick
