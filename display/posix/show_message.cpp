// The library's one exported function: shows the box with GTK where a
// display can be opened, else on the terminal, else answers 0.
#include <stdlib.h>

#include "box_setup.h"
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

}  // namespace

// `owner` is a Windows window handle in the callers' shared code; no window
// of this system can be named by it, so it is not used.
extern "C" __attribute__((visibility("default"))) int VorlickShowMessage(
    void* /*owner*/, const char16_t* body, const char16_t* title,
    std::uint32_t style, std::int32_t timeout, std::int32_t defaultId) {
  const std::uint64_t start = vorlick::NowMs();
  vorlick::BoxSetup setup{};
  if (!vorlick::SetUpBox(title, body, style, timeout, defaultId, start,
                         UserLanguage(), setup)) {
    return 0;
  }
  // No string of the call is alive while the GTK box waits: a caller's
  // thread cancelled there leaks nothing.
  if (vorlick::MayHaveDisplay()) {
    const vorlick::GtkOutcome gtk = vorlick::ShowGtkBox(setup);
    if (gtk.tried) return gtk.result;
  }
  return vorlick::ShowTerminalBox(setup);
}
