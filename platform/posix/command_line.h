// The POSIX program's command line, formed the way Windows would hand it over.
#pragma once

// Longest command line Windows accepts, terminator included.
inline constexpr int kCommandLineUnits = 32768;

// Forms the command line that GetCommandLineW returns from argv: the program
// name in double quotes, then every argument after a single blank. Arguments
// beyond the 32767 units Windows allows are cut at that limit.
void SetCommandLineArgs(int argc, const char* const* argv);
