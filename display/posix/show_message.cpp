// The library's one exported function: picks the GTK box where a display can
// be opened, else the terminal box, else answers 0.
#include "box_style.h"
#include "box_text.h"
#include "deadline.h"
#include "gtk_box.h"
#include "gtk_host.h"
#include "terminal_box.h"

// `owner` is a Windows window handle in the callers' shared code; no window
// of this system can be named by it, so it is not used.
extern "C" __attribute__((visibility("default"))) int VorlickShowMessage(
    void* /*owner*/, const char16_t* text, const char16_t* caption,
    unsigned int style, int timeout, int defaultId) {
  // The time-out counts from the call, whatever the box needs to appear.
  const vorlick::Deadline deadline = vorlick::DeadlineAfter(timeout);
  if (!vorlick::IsShowable(style)) return 0;
  const vorlick::BoxPlan model = vorlick::PlanBox(style, defaultId);
  const std::string body = vorlick::ToDisplayText(text);
  const std::string title = vorlick::ToDisplayCaption(caption);
  const int seconds = timeout > 0 ? timeout : 0;
  if (vorlick::GtkHostReady()) {
    return vorlick::ShowGtkBox(model, title, body, seconds, deadline);
  }
  return vorlick::ShowTerminalBox(model, title, body, seconds, deadline);
}
