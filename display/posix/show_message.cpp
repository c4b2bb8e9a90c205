// The library's one exported function: picks the GTK box where a display can
// be opened, else the terminal box, else answers 0.
#include <stdlib.h>

#include "box_style.h"
#include "box_text.h"
#include "deadline.h"
#include "gtk_box.h"
#include "gtk_host.h"
#include "terminal_box.h"

namespace {

// The user's language as gettext would pick it, read from the environment
// alone: the process's locale is the caller's and stays untouched.
vorlick::Language UserLanguage() {
  return vorlick::PickLanguage(getenv("LANGUAGE"), getenv("LC_ALL"),
                               getenv("LC_MESSAGES"), getenv("LANG"));
}

}  // namespace

// `owner` is a Windows window handle in the callers' shared code; no window
// of this system can be named by it, so it is not used.
extern "C" __attribute__((visibility("default"))) int VorlickShowMessage(
    void* /*owner*/, const char16_t* text, const char16_t* caption,
    unsigned int style, int timeout, int defaultId) {
  // The time-out counts from the call, whatever the box needs to appear.
  const vorlick::Countdown countdown =
      vorlick::StartCountdown(timeout, vorlick::NowMs());
  if (!vorlick::IsShowable(style)) return 0;
  vorlick::BoxPlan plan = vorlick::PlanBox(style, defaultId);
  plan.language = UserLanguage();
  const std::string body = vorlick::ToDisplayText(text);
  const std::string title = vorlick::ToDisplayCaption(caption);
  const int seconds = timeout > 0 ? timeout : 0;
  if (vorlick::GtkHostReady()) {
    return vorlick::ShowGtkBox(plan, title, body, seconds, countdown);
  }
  return vorlick::ShowTerminalBox(plan, title, body, seconds, countdown);
}
