// tandrel started as the session's user: fork, then in the child a session
// of its own, the user's groups, group and user (each ID, real, effective
// and saved), no capabilities, no new privileges, and a check that all of
// it took before the program is run. What failed comes back through a pipe
// that closes on exec; the parent has prepared every buffer, so the child
// makes system calls only (a caller may have threads).
#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "session_posix.h"

namespace {

// Where the child stopped, with its errno.
enum class Step : int {
  kSession = 1,
  kGroups,
  kGroup,
  kUser,
  kCapabilities,
  kNoNewPrivileges,
  kNotTaken,
  kRun
};

struct Report {
  Step step;
  int error;
};

struct Prepared {
  const Account* account;
  const char* program;
  std::vector<char*> argv;
  std::vector<char*> envp;
  std::vector<gid_t> held;  // room for the groups the child then has
};

[[noreturn]] void Stop(int report, Step step, int error) {
  const Report what{step, error};
  [[maybe_unused]] const ssize_t written = write(report, &what, sizeof what);
  _exit(127);
}

bool NoCapabilities() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  if (syscall(SYS_capset, &header, data) != 0) return false;
  if (syscall(SYS_capget, &header, data) != 0) return false;
  for (const __user_cap_data_struct& set : data) {
    if (set.effective != 0 || set.permitted != 0 || set.inheritable != 0) {
      return false;
    }
  }
  return true;
}

// Every ID is the user's, the groups are exactly the user's, and there is
// no way back: an ID of root cannot be taken again.
bool Took(Prepared& run) {
  const Account& account = *run.account;
  uid_t uids[3] = {};
  gid_t gids[3] = {};
  if (getresuid(&uids[0], &uids[1], &uids[2]) != 0 ||
      getresgid(&gids[0], &gids[1], &gids[2]) != 0) {
    return false;
  }
  for (int i = 0; i < 3; ++i) {
    if (uids[i] != account.uid || gids[i] != account.gid) return false;
  }
  const int count =
      getgroups(static_cast<int>(run.held.size()), run.held.data());
  if (count != static_cast<int>(account.groups.size())) return false;
  for (int i = 0; i < count; ++i) {
    if (std::find(account.groups.begin(), account.groups.end(), run.held[i]) ==
        account.groups.end()) {
      return false;
    }
  }
  return account.uid == 0 || (setuid(0) != 0 && setgid(0) != 0);
}

// Nothing of the caller's terminal: a program of the user's must neither
// read it nor push input into it, so standard input is /dev/null and a
// terminal on standard output or error becomes /dev/null too.
void LeaveTerminal() {
  const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null < 0) return;
  dup2(null, STDIN_FILENO);
  for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
    if (isatty(fd)) dup2(null, fd);
  }
  close(null);
}

[[noreturn]] void BecomeUserAndRun(Prepared& run, int report) {
  const Account& account = *run.account;
  if (setsid() < 0) Stop(report, Step::kSession, errno);
  LeaveTerminal();
  if (setgroups(account.groups.size(), account.groups.data()) != 0) {
    Stop(report, Step::kGroups, errno);
  }
  if (setresgid(account.gid, account.gid, account.gid) != 0) {
    Stop(report, Step::kGroup, errno);
  }
  if (setresuid(account.uid, account.uid, account.uid) != 0) {
    Stop(report, Step::kUser, errno);
  }
  if (!NoCapabilities()) Stop(report, Step::kCapabilities, errno);
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
    Stop(report, Step::kNoNewPrivileges, errno);
  }
  if (!Took(run)) Stop(report, Step::kNotTaken, 0);
  if (chdir(account.home.c_str()) != 0) {
    [[maybe_unused]] const int root = chdir("/");
  }
  execve(run.program, run.argv.data(), run.envp.data());
  Stop(report, Step::kRun, errno);
}

const char* CallOf(Step step) {
  switch (step) {
    case Step::kSession:
      return "setsid";
    case Step::kGroups:
      return "setgroups";
    case Step::kGroup:
      return "setresgid";
    case Step::kUser:
      return "setresuid";
    case Step::kCapabilities:
      return "capset";
    case Step::kNoNewPrivileges:
      return "prctl";
    default:
      return nullptr;
  }
}

// The words after "cannot be started: ".
std::string Describe(const Report& report, const Account& account) {
  if (report.step == Step::kRun) return std::strerror(report.error);
  const std::string change = "the change to user " + account.name;
  const char* call = CallOf(report.step);
  if (call == nullptr) return change + " did not take";
  return change + " failed (" + call + ": " + std::strerror(report.error) + ")";
}

// The child's report: none when the program runs (the pipe closed on exec).
bool ReadReport(int fd, Report& report) {
  ssize_t got = 0;
  while ((got = read(fd, &report, sizeof report)) < 0 && errno == EINTR) {
  }
  return got == sizeof report;
}

}  // namespace

ProgramRun RunAsUser(const Account& account, const std::string& program,
                     const std::string& request,
                     const std::vector<std::string>& environment,
                     const StartedHook& started) {
  // As in RunProgram: tandrel forms its command line as "NAME" ARGUMENTS.
  std::string name = program;
  if (name.find('"') != std::string::npos) name = "tandrel";
  std::string path = request;
  std::vector<std::string> variables = environment;
  Prepared run{
      &account, program.c_str(), {name.data(), path.data(), nullptr}, {}, {}};
  for (std::string& variable : variables) run.envp.push_back(variable.data());
  run.envp.push_back(nullptr);
  run.held.resize(account.groups.size() + 1);
  ProgramRun failed;
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    failed.error = std::strerror(errno);
    return failed;
  }
  const pid_t child = fork();
  if (child == 0) {
    close(report[0]);
    BecomeUserAndRun(run, report[1]);
  }
  const int forkError = errno;
  close(report[1]);
  Report what{};
  const bool stopped = child > 0 && ReadReport(report[0], what);
  close(report[0]);
  if (child < 0 || stopped) {
    if (child > 0) waitpid(child, nullptr, 0);
    failed.error =
        child < 0 ? std::strerror(forkError) : Describe(what, account);
    return failed;
  }
  return AwaitStarted(child, started);
}
