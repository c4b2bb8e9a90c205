// The POSIX program's command line, made from its arguments the way Windows
// hands a program its own: the program's name in quotes, then the arguments
// joined by single blanks. The entry then forms the command tail from it as
// on Windows (app/command_tail.h), so both programs take their request path
// by the same rule.
#pragma once

// Room for the line and its terminator: as long as the longest command line
// Windows accepts. A path cut at that length cannot name a file here, as it
// is far longer than PATH_MAX.
inline constexpr int kCommandLineUnits = 32768;

// `"tandrel"` and the arguments after the program's name, in UTF-16. The
// program's own name stands for itself: however argv[0] is spelled (quotes,
// blanks), it plays no part in the tail. Bytes that are not UTF-8 become
// U+DC80 to U+DCFF (see utf8.h), so any POSIX path comes through; what does
// not fit is cut, the line always terminated. The result lives until the
// next call.
const char16_t* CommandLineFromArgs(int argc, const char* const* argv);
