// Apart from the other helpers, and without their header: Xlib's macros
// (None, Bool, Status) clash with GoogleTest's names. Declared in
// gtk_test_support.h.
#include <X11/Xlib.h>

namespace vorlick_test {

// What a window manager sends when its close button is clicked.
void RequestClose(unsigned long window) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XCloseDisplay(display);
}

}  // namespace vorlick_test
