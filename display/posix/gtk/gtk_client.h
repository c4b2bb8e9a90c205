// The library's side of the GTK box. GTK is never loaded into the caller's
// process: each box is shown by a helper program of its own, vorlick-gtk,
// installed beside libvorlick.so in lib/tandrel/ (the build tree has the
// same layout). The helper is started per box with posix_spawn, gets the
// request and sends its reports back over a socket pair, and is ended and
// reaped before the call returns, so no thread, display connection or
// process of the box outlives the call. See helper_protocol.h.
#pragma once

#include "box_setup.h"

namespace vorlick {

// Whether the environment names a display GTK could try. Without one no
// helper is started at all.
bool MayHaveDisplay();

struct GtkOutcome {
  // False when no GTK box could be started: no helper, GTK failed to load,
  // no display could be opened. The caller may then use the terminal.
  bool tried;
  // With `tried`: the button's ID, kIdTimeout, or 0 when the display was
  // lost under the box or the helper died.
  int result;
};

// Shows the call's box through a helper of its own.
GtkOutcome ShowGtkBox(const BoxSetup& setup);

}  // namespace vorlick
