// The parts of AskInSession on Linux: the session as logind describes it,
// the account of its user, the box's environment, and the run as that user.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "launch_platform.h"
#include "session.h"

struct LoginSession {
  std::string id;
  std::string type;         // "x11" or "wayland"
  std::string display;      // logind's Display (X11), often empty otherwise
  pid_t leader = 0;         // the session's leader process; 0: none known
  uid_t uid = 0;            // its user
  std::string runtimePath;  // that user's runtime folder (XDG_RUNTIME_DIR)
};

// Finds the graphical session `target` names through logind. False, with
// `failure` set (kNoSession, kNoSessionManager and the reason), when there
// is none or logind cannot be asked.
bool FindLoginSession(const SessionTarget& target, LoginSession& session,
                      AskOutcome& failure);

struct Account {
  uid_t uid = 0;
  gid_t gid = 0;
  std::string name;
  std::string home;
  std::vector<gid_t> groups;  // every group of the user, the primary one too
};

// The user's account from the system's user database; false with `why`.
bool LookUpAccount(uid_t uid, Account& account, std::string& why);

// The box's whole environment, "NAME=value" each, as the comment at its
// definition says where each comes from. `runtimeFolder` is the user's
// runtime folder, open. False when no display of the session can be found.
bool SessionEnvironment(const LoginSession& session, const Account& account,
                        int runtimeFolder,
                        std::vector<std::string>& environment);

// Starts `program` on `request` as the account's user, every privilege
// dropped and the drop verified, in `environment`, in the user's home, and
// waits for it. A drop that did not take is a run that did not start.
ProgramRun RunAsUser(const Account& account, const std::string& program,
                     const std::string& request,
                     const std::vector<std::string>& environment,
                     const StartedHook& started);
