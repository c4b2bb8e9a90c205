// The library's one exported function: shows the box with GTK where a
// display can be opened, else on the terminal, else answers 0.
#include <stdlib.h>

#include "box_plan.h"
#include "box_text.h"
#include "deadline.h"
#include "gtk_client.h"
#include "terminal_box.h"
#include "vorlick.h"

namespace {

// The user's language as gettext would pick it, read from the environment
// alone: the process's locale is the caller's and stays untouched.
vorlick::Language UserLanguage() {
  return vorlick::PickLanguage(getenv("LANGUAGE"), getenv("LC_ALL"),
                               getenv("LC_MESSAGES"), getenv("LANG"));
}

int ShowOnTerminal(const vorlick::BoxPlan& plan, const char16_t* text,
                   const char16_t* caption, int seconds,
                   const vorlick::Countdown& countdown) {
  const std::string body = vorlick::ToDisplayText(text);
  const std::string title = vorlick::ToDisplayCaption(caption);
  return vorlick::ShowTerminalBox(plan, title, body, seconds, countdown);
}

}  // namespace

// `owner` is a Windows window handle in the callers' shared code; no window
// of this system can be named by it, so it is not used.
extern "C" __attribute__((visibility("default"))) int VorlickShowMessage(
    void* /*owner*/, const char16_t* body, const char16_t* title,
    std::uint32_t style, std::int32_t timeout, std::int32_t defaultId) {
  // The time-out counts from the call, whatever the box needs to appear.
  const vorlick::Countdown countdown =
      vorlick::StartCountdown(timeout, vorlick::NowMs());
  if (!vorlick::IsShowable(style)) return 0;
  vorlick::BoxPlan plan = vorlick::PlanBox(style, defaultId);
  plan.language = UserLanguage();
  const int seconds = timeout > 0 ? timeout : 0;
  // No string of the call is alive while the GTK box waits: a caller's
  // thread cancelled there leaks nothing.
  if (vorlick::MayHaveDisplay()) {
    const vorlick::GtkOutcome gtk = vorlick::ShowGtkBox(
        {style, defaultId, plan.language, seconds, countdown, title, body});
    if (gtk.tried) return gtk.result;
  }
  return ShowOnTerminal(plan, body, title, seconds, countdown);
}
