// Asks through Tandrel: writes the request to a new file in the user's
// temporary folder, starts the program on it with the exact command line it
// expects, waits, and tells what came of it. The request file is gone
// afterwards, whatever the outcome: the program deletes it after a completed
// run, and the launcher removes it when the program did not complete one.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ask_request.h"

enum class AskStatus {
  kAnswered,           // a button was chosen: buttonId
  kTimedOut,           // nobody answered within the time-out
  kNotShown,           // the program ran, but no box could be shown
  kRequestUnreadable,  // the program could not read the request file
  kProgramMissing,     // the program could not be started
  kProgramFailed,      // it ended without completing a run (crash, signal)
  kRequestRefused,     // a value the request cannot carry; nothing was run
  kNoRequestFile,      // the request file could not be created
  // AskInSession's own (session.h):
  kNoSession,         // no session to show it in; nothing was run
  kNotPermitted,      // the caller may not run it as the session's user
  kNoSessionManager,  // the sessions cannot be learnt (logind unreachable)
};

struct AskOutcome {
  AskStatus status = AskStatus::kNotShown;
  std::int32_t buttonId = 0;  // for kAnswered
  // The program's exit code as the platform gives it: an 8-bit status on
  // POSIX (124 for a time-out), the whole 32-bit result on Windows (32000).
  std::uint32_t exitCode = 0;
  int signal = 0;  // POSIX: the signal that ended the program, if one did
  // Why, in one line, for every status from kRequestUnreadable on: for the
  // program's own failures words that follow its path ("cannot be started:
  // No such file or directory"), for a refused request the field and the
  // reason ("text: holds ..."), otherwise a whole sentence.
  std::string detail;
};

// Called with the program's process ID once it runs, e.g. to pass on a
// signal to it.
using StartedHook = std::function<void(long processId)>;

// Windows: runs `program` with the command line "PROGRAM" PATH (the path
// verbatim, unquoted). POSIX: runs `program` with the path as its one
// argument. The temporary folder is TMPDIR when it is an absolute path,
// otherwise /tmp; on Windows, the one GetTempPathW names. Paths, the
// program's and those in messages, are the system's bytes on POSIX and UTF-8
// on Windows.
AskOutcome Ask(const std::string& program, const AskRequest& request,
               const StartedHook& started = {});
