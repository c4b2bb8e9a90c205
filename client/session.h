// Asks the person at the desktop on behalf of a service, a cron job or an
// installer: the box is shown in a user's graphical session, started as that
// user, instead of where the caller runs (which, for a service, has no
// display and no terminal).
//
// Linux: the session comes from logind (on the system bus), tandrel runs as
// its user with every privilege dropped, in a clean environment, on a
// request in the user's runtime folder. Windows: the session's user token
// (WTSQueryUserToken), the user's environment block, Tandrel.exe started on
// winsta0\default with CreateProcessAsUserW, on a request in the user's
// temporary folder that only the user (and the system) may open.
#pragma once

#include <string>

#include "launcher.h"

struct SessionTarget {
  // The session's ID (Windows: its number). Empty: the active graphical
  // session of seat0 (Windows: the console's session), or with `user` set
  // that user's active graphical session.
  std::string id;
  std::string user;  // a user's login name; not together with `id`
};

// Like Ask, shown in the session `target` names, as its user. Needs root on
// Linux and the LocalSystem account (a service) on Windows. Besides Ask's
// outcomes: kNoSession (no such session, or not one a box can be shown in:
// inactive, text only, no user), kNotPermitted (the caller may not start a
// program as another user) and kNoSessionManager (logind cannot be asked),
// each with the reason in `detail`.
AskOutcome AskInSession(const std::string& program, const AskRequest& request,
                        const SessionTarget& target,
                        const StartedHook& started = {});
