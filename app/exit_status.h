// The exit status of the POSIX program. A POSIX exit status holds 8 bits, so
// the display's 32-bit result is mapped: 0 to 255 stay as they are (every
// button ID, and 0 for a box that could not be shown or a request that could
// not be opened), the time-out's result becomes kTimedOutStatus (124), and any
// other result, 124 itself included, becomes 255.
#pragma once

#include <cstdint>

#include "timed_out.h"

inline constexpr int kUnrepresentableStatus = 255;

int ExitStatusFor(std::int32_t result);
