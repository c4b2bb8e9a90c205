// What the GTK box tests need besides the shared display (test_display.h):
// boxes on threads of their own, and xdotool to find them and type into them.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <future>
#include <string>

#include "test_display.h"

namespace vorlick_test {

// A box shown on a thread of its own, as a caller of the library would.
class AsyncBox {
 public:
  AsyncBox(const std::u16string& caption, unsigned style, int timeout,
           int defaultId, const std::u16string& text = u"Some text");
  ~AsyncBox();

  // The result, or -1 when the box is still open after `ms`.
  int Result(int ms = 5000);
  long long elapsedMs() const { return elapsedMs_; }

 private:
  std::future<int> result_;
  long long elapsedMs_ = -1;
};

// The X window of the visible box titled `caption`, found by xdotool; 0
// when there is none within `ms`.
unsigned long FindBox(const std::string& caption, int ms = 5000);
// Whether a visible window titled `caption` exists right now.
bool BoxExists(const std::string& caption);
// Gives `window` the keyboard focus and types `keys` (xdotool key names).
void PressKeys(unsigned long window, const std::string& keys);
// Asks the window to close, as a window manager's close button does.
void RequestClose(unsigned long window);
// The window's _NET_WM_STATE, from xprop.
std::string WindowState(unsigned long window);
// A command's standard output.
std::string Run(const std::string& command);

}  // namespace vorlick_test
