// What the GTK box tests need: a private Xvfb display, xdotool to find boxes
// and type into them, and a look at the live widgets through GTK itself.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

namespace vorlick_test {

// Starts Xvfb on the first free display of :71 to :79 for the whole test
// program and points DISPLAY at it. The server ends when the program does.
class XvfbEnvironment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;

 private:
  pid_t server_ = -1;
};

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
// The X window's size as "WxH", from xdotool.
std::string XGeometry(unsigned long window);
// The window's _NET_WM_STATE, from xprop.
std::string WindowState(unsigned long window);

// The box's widgets as GTK has them, read on the library's GTK thread.
struct BoxView {
  bool found = false;
  std::vector<std::string> labels;   // the message, then the countdown
  std::vector<std::string> buttons;  // as labelled, access keys marked
  std::string focused;               // label of the focused button
  std::string icon;                  // icon name; empty without an icon
  GtkJustification justify = GTK_JUSTIFY_LEFT;
  float xalign = -1;
  GtkTextDirection direction = GTK_TEXT_DIR_NONE;
  bool focusVisible = false;
  bool deletable = true;
  bool resizable = true;
  int width = 0;
  int height = 0;
};
BoxView InspectBox(const std::string& caption);
// Toplevel (not popup) GTK windows in the process, visible or not.
int CountToplevels();

}  // namespace vorlick_test
