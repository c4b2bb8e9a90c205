// What tandrel-ask needs from the system beyond the launcher, one entry file
// per platform.
#pragma once

#include <string>

#include "launcher.h"

// The program's name as the help speaks of it: "tandrel", "Tandrel.exe".
extern const char* const kProgramName;
// The help's lines for --session and --user, which differ by platform.
extern const char* const kSessionHelp;

// The program installed beside tandrel-ask, or an empty path when
// tandrel-ask cannot tell where it is itself.
std::string DefaultProgram();

// Reads standard input to its end, but no more than `limit` + 1 bytes;
// false with `error` when it cannot be read.
bool ReadStandardInput(std::string& bytes, std::size_t limit,
                       std::string& error);

void WriteStandardOutput(const std::string& text);
void WriteStandardError(const std::string& text);

// Passes on to the program the signals that would end tandrel-ask while it
// waits (POSIX; nothing on Windows). The hook learns the program's ID.
StartedHook GuardSignals();
// Ends tandrel-ask by the signal it received while waiting, if it got one.
void RaiseGuardedSignal();
