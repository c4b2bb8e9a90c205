// The POSIX program's request path, taken from its arguments.
#pragma once

// Room for the path and its terminator: as long as the longest command line
// Windows accepts. A path cut at that length cannot name a file here, as it
// is far longer than PATH_MAX.
inline constexpr int kPathUnits = 32768;

// The request path in UTF-16 from argv: the arguments after the program's
// name joined by single blanks, with the blanks and control characters (1 to
// 32) before the path skipped and everything else verbatim (trailing blanks
// and quotes included), as Windows programs take their command tail. The
// program's own name plays no part, however it is spelled. No argument is
// an empty path. Bytes that are not UTF-8 become U+DC80 to U+DCFF (see
// utf8.h), so any POSIX path comes through. The result lives until the next
// call.
const char16_t* RequestPathFromArgs(int argc, const char* const* argv);
