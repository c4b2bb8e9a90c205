// The keys a box answers beyond the dialog manager's: the arrows and F1 as
// the box's key rule says (box_keys.h), Ctrl+C and Ctrl+Insert copy the
// box. A thread-local message filter sees the keys of the box's modal loop;
// it is set just before the box and removed once it is gone.
#pragma once

#include "win32_api.h"

namespace vorlick {

// Sets the calling thread's filter; null when it could not be set, and the
// box then goes without these keys.
HHOOK WatchBoxKeys();
void StopWatchingKeys(HHOOK filter);

}  // namespace vorlick
