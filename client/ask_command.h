// The command line of tandrel-ask, read into a request and what to do with
// it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ask_request.h"
#include "session.h"

// sysexits.h codes: tandrel-ask's own failures never look like a button.
inline constexpr int kExitUsage = 64;         // EX_USAGE
inline constexpr int kExitDataError = 65;     // EX_DATAERR
inline constexpr int kExitUnavailable = 69;   // EX_UNAVAILABLE
inline constexpr int kExitCannotCreate = 73;  // EX_CANTCREAT
inline constexpr int kExitIoError = 74;       // EX_IOERR
inline constexpr int kExitNoPermission = 77;  // EX_NOPERM

struct AskCommand {
  enum class Action { kAsk, kHelp, kVersion };
  Action action = Action::kAsk;
  AskRequest request;  // the body is left empty when it comes from input
  bool bodyFromInput = false;  // BODY was "-"
  bool print = false;
  std::optional<std::string> program;    // as given: UTF-8
  std::optional<SessionTarget> session;  // --session, --user: in a session
};

struct CommandError {
  int status;           // kExitUsage, or kExitDataError for a value
  std::string message;  // one line, without the program's name
};

// Reads the arguments that follow the program's name (UTF-8). Options and
// BODY may come in any order; "--" ends the options.
std::optional<CommandError> ParseAskCommand(
    const std::vector<std::string>& args, AskCommand& command);
