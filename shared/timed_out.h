// How a box that nobody answered in time ends, which the display libraries,
// the program and the caller's kit must tell alike.
#pragma once

// The display library's result, IDTIMEOUT on Windows, with which Tandrel.exe
// exits.
inline constexpr int kIdTimeout = 32000;

// tandrel's exit status for it: a POSIX status holds 8 bits, and 124 is what
// timeout(1) gives a command that ran out of time.
inline constexpr int kTimedOutStatus = 124;
