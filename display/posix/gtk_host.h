// The one thread of the library that talks to GTK.
//
// GTK may be used from one thread only, but any thread of the caller may want
// a box, several at once. So the library starts, on the first call, a thread
// of its own that opens the display and then runs GTK's main loop for good;
// every box is made, run and destroyed there, while its caller waits. The
// thread sleeps in the main loop between boxes.
#pragma once

#include <glib.h>

namespace vorlick {

// Starts the GTK thread on first use and tells whether it could open a
// display. Once the thread has been started, its answer holds for the life
// of the process; until then, a process without any display in its
// environment is told false without starting GTK.
bool GtkHostReady();

// Has `task(data)` run once on the GTK thread. GtkHostReady() must be true.
void RunOnGtkThread(GSourceFunc task, void* data);

}  // namespace vorlick
