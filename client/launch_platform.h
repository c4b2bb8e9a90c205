// What the launcher needs from the system, one file per platform.
#pragma once

#include <cstdint>
#include <string>

#include "launcher.h"

struct ProgramRun {
  bool started = false;
  bool waited = true;  // false: the program ran, but its end was not seen
  std::uint32_t exitCode = 0;
  int signal = 0;     // POSIX: the signal that ended it, 0 when it exited
  std::string error;  // why it could not be started or awaited
};

// Creates a file that did not exist before in the temporary folder and
// writes `bytes` to it; on failure nothing is left behind and `error` says
// why.
bool CreateRequestFile(const std::string& bytes, std::string& path,
                       std::string& error);

// Starts `program` on the request file and waits for it to end.
ProgramRun RunProgram(const std::string& program, const std::string& request,
                      const StartedHook& started);

// POSIX: marks the run of child `pid` started, tells `started` and waits for
// the child's end (RunProgram's and RunAsUser's common end).
ProgramRun AwaitStarted(long pid, const StartedHook& started);

// What came of a run, from how it ended and whether its request remains
// (the launcher's and AskInSession's alike).
AskOutcome Classify(const ProgramRun& run, bool requestRemains);

// Whether anything has the name `path`, and its removal.
bool FileExists(const std::string& path);
void RemoveFile(const std::string& path);

// The exit code of a run that timed out, and the one a program ends with
// when the system cannot load its display library.
extern const std::uint32_t kTimedOutExitCode;
extern const std::uint32_t kNoLibraryExitCode;
