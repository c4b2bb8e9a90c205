// tandrel-ask --session and --user, run as root from a cron-like
// environment (no HOME, no DISPLAY, no terminal) against the fixture's
// logind (dbusmock on a bus of its own), user, X display and weston
// (session-fixture.sh): where the box goes, as whom, with what environment,
// what it answers, and that nothing is left in the user's runtime folder.
#include <dirent.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

std::map<std::string, std::string> LoadFixture() {
  std::map<std::string, std::string> values;
  std::ifstream file(FIXTURE_STATE "/env");
  for (std::string line; std::getline(file, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) {
      values[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  return values;
}

std::string Fixture(const char* name) {
  static const std::map<std::string, std::string> values = LoadFixture();
  const auto found = values.find(name);
  return found == values.end() ? std::string() : found->second;
}

bool WaitUntil(int ms, const std::function<bool()>& done) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char chunk[256];
    while (fgets(chunk, sizeof chunk, pipe) != nullptr) out += chunk;
    pclose(pipe);
  }
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A line of /proc/PID/status, without its name: "1001\t1001\t1001\t1001".
std::string Status(pid_t pid, const std::string& name) {
  std::istringstream lines(
      ReadFile("/proc/" + std::to_string(pid) + "/status"));
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with(name + ":\t")) return line.substr(name.size() + 2);
  }
  return {};
}

// The process whose parent is `parent`, once there is one.
pid_t ChildOf(pid_t parent) {
  pid_t child = 0;
  WaitUntil(5000, [&] {
    DIR* proc = opendir("/proc");
    while (dirent* entry = readdir(proc)) {
      const pid_t pid = atoi(entry->d_name);
      if (pid > 0 && Status(pid, "PPid") == std::to_string(parent)) child = pid;
    }
    closedir(proc);
    return child != 0;
  });
  return child;
}

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) names.insert(entry->d_name);
    closedir(dir);
  }
  return names;
}

std::vector<std::string> Environment(pid_t pid) {
  std::vector<std::string> variables;
  std::istringstream items(
      ReadFile("/proc/" + std::to_string(pid) + "/environ"));
  for (std::string item; std::getline(items, item, '\0');)
    variables.push_back(item);
  std::sort(variables.begin(), variables.end());
  return variables;
}

unsigned long FindBox(const std::string& title, int ms = 10000) {
  unsigned long window = 0;
  WaitUntil(ms, [&] {
    const std::string found =
        Shell("xdotool search --onlyvisible --name '^" + title + "$'");
    if (!found.empty()) window = std::stoul(found);
    return window != 0;
  });
  return window;
}

struct Ran {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

// Runs the installed tandrel-ask as `uid` in a session of its own, with
// only PATH and the fixture's system bus in its environment; `during` runs
// meanwhile. Everything is given up after 30 s.
Ran RunAsk(const std::vector<std::string>& args,
           const std::function<void(pid_t)>& during = {}, uid_t uid = 0,
           const std::string& bus = Fixture("BUS")) {
  std::string ask = Fixture("ROOT") + "/usr/bin/tandrel-ask";
  if (ask == "/usr/bin/tandrel-ask") ask = TANDREL_ASK;  // no fixture
  int out[2], err[2];
  EXPECT_EQ(pipe(out) | pipe(err), 0);
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    dup2(out[1], 1), dup2(err[1], 2);
    for (int fd : {out[0], out[1], err[0], err[1]}) close(fd);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    if (uid != 0 && (setgroups(0, nullptr) != 0 || setresgid(uid, uid, uid) ||
                     setresuid(uid, uid, uid) != 0)) {
      _exit(126);
    }
    std::vector<char*> argv{ask.data()};
    for (const std::string& arg : args)
      argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::string system = "DBUS_SYSTEM_BUS_ADDRESS=" + bus;
    char path[] = "PATH=/usr/bin:/bin";
    char* envp[] = {path, system.data(), nullptr};
    execve(argv[0], argv.data(), envp);
    _exit(127);
  }
  close(out[1]), close(err[1]);
  if (during) during(child);
  Ran ran;
  pollfd pipes[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  const auto end = Clock::now() + std::chrono::seconds(30);
  for (int open = 2; open > 0 && Clock::now() < end;) {
    if (poll(pipes, 2, 1000) <= 0) continue;
    for (pollfd& pipe : pipes) {
      char chunk[512];
      const ssize_t got =
          pipe.revents != 0 ? read(pipe.fd, chunk, sizeof chunk) : -1;
      if (got > 0) (pipe.fd == out[0] ? ran.out : ran.err).append(chunk, got);
      if (got == 0) pipe.fd = -1, --open;
    }
  }
  if (Clock::now() >= end) kill(child, SIGKILL), ADD_FAILURE() << "hung";
  int status = 0;
  waitpid(child, &status, 0);
  close(out[0]), close(err[0]);
  ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return ran;
}

constexpr const char* kLogind = "org.freedesktop.login1";
constexpr const char* kSessionInterface = "org.freedesktop.login1.Session";

// A session as the tests describe it to logind.
struct Described {
  std::string id;
  std::string type;  // "x11", "wayland", "tty"
  bool active = true;
  std::string sessionClass = "user";
  bool byLeader = true;  // the stand-in leader leads it; else weston does
};

// The fixture's logind: the mock's own methods, and its properties set.
class Logind {
 public:
  Logind() {
    sd_bus_new(&bus_);
    sd_bus_set_address(bus_, Fixture("BUS").c_str());
    sd_bus_set_bus_client(bus_, 1);
    EXPECT_GE(sd_bus_start(bus_), 0) << "no fixture bus";
  }
  ~Logind() { sd_bus_flush_close_unref(bus_); }
  Logind(const Logind&) = delete;
  Logind& operator=(const Logind&) = delete;

  // Only the sessions given, all of the fixture's user, `onSeat` (if any)
  // the active one of seat0.
  void Describe(const std::vector<Described>& sessions,
                const std::string& onSeat) {
    Mock("Reset", "");
    Mock("AddSeat", "s", "seat0");
    const std::uint32_t uid = std::stoul(Fixture("USER_ID"));
    for (const Described& session : sessions) {
      Mock("AddSession", "ssusb", session.id.c_str(), "seat0", uid,
           Fixture("USER_NAME").c_str(), int{session.active});
      const std::string path = kSessions + session.id;
      const std::string display =
          session.type == "x11" ? Fixture("DISPLAY") : "";
      Set(path, kSessionInterface, "Type", "s", session.type.c_str());
      Set(path, kSessionInterface, "Class", "s", session.sessionClass.c_str());
      Set(path, kSessionInterface, "Display", "s", display.c_str());
      Set(path, kSessionInterface, "Leader", "u",
          std::uint32_t(
              std::stoul(Fixture(session.byLeader ? "LEADER" : "WESTON"))));
      Set("/org/freedesktop/login1/user/" + Fixture("USER_ID"),
          "org.freedesktop.login1.User", "RuntimePath", "s", Runtime().c_str());
    }
    const std::string path = onSeat.empty() ? "/" : kSessions + onSeat;
    Set("/org/freedesktop/login1/seat/seat0", "org.freedesktop.login1.Seat",
        "ActiveSession", "(so)", onSeat.c_str(), path.c_str());
  }

  static std::string Runtime() { return Fixture("ROOT") + "/run"; }

 private:
  static constexpr const char* kSessions = "/org/freedesktop/login1/session/";

  template <typename... Values>
  void Mock(const char* method, const char* types, Values... values) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    EXPECT_GE(sd_bus_call_method(bus_, kLogind, "/org/freedesktop/login1",
                                 "org.freedesktop.DBus.Mock", method, &error,
                                 nullptr, types, values...),
              0)
        << method << ": " << (error.message ? error.message : "");
    sd_bus_error_free(&error);
  }

  template <typename... Values>
  void Set(const std::string& path, const char* interface, const char* name,
           const char* type, Values... values) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    EXPECT_GE(sd_bus_set_property(bus_, kLogind, path.c_str(), interface, name,
                                  &error, type, values...),
              0)
        << name << ": " << (error.message ? error.message : "");
    sd_bus_error_free(&error);
  }

  sd_bus* bus_ = nullptr;
};

class Session : public ::testing::Test {
 protected:
  void SetUp() override {
    if (getuid() != 0) {
      GTEST_SKIP() << "not root: a box in a user's session needs root, and "
                      "the fixture a user of its own";
    }
    ASSERT_FALSE(Fixture("ROOT").empty()) << "no fixture in " FIXTURE_STATE;
    setenv("DISPLAY", Fixture("DISPLAY").c_str(), 1);
    setenv("XAUTHORITY", (Fixture("ROOT") + "/home/.Xauthority").c_str(), 1);
    before_ = Names(Logind::Runtime());
  }

  // Nothing new in the runtime folder.
  void TearDown() override {
    if (!IsSkipped()) {
      EXPECT_EQ(Names(Logind::Runtime()), before_);
    }
  }

  // While the box is up: the request is the user's alone, and the box's
  // process is the user's with nothing more, in the user's home.
  void ExpectTheUsersBox(pid_t box, const std::vector<std::string>& variables) {
    std::vector<std::string> requests;
    for (const std::string& name : Names(Logind::Runtime())) {
      if (!before_.contains(name)) requests.push_back(name);
    }
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(std::regex_match(requests[0],
                                 std::regex("tandrel-ask-[a-z0-9]{8}\\.txt")));
    struct stat request {};
    ASSERT_EQ(stat((Logind::Runtime() + "/" + requests[0]).c_str(), &request),
              0);
    EXPECT_EQ(request.st_uid, std::stoul(Fixture("USER_ID")));
    EXPECT_EQ(request.st_gid, std::stoul(Fixture("GROUP_ID")));
    EXPECT_EQ(request.st_mode, S_IFREG | 0600u);
    const std::string uid = Fixture("USER_ID");
    const std::string gid = Fixture("GROUP_ID");
    EXPECT_EQ(Status(box, "Uid"), uid + "\t" + uid + "\t" + uid + "\t" + uid);
    EXPECT_EQ(Status(box, "Gid"), gid + "\t" + gid + "\t" + gid + "\t" + gid);
    const std::string extra = Fixture("EXTRA_GROUP_ID");
    EXPECT_EQ(Status(box, "Groups"),
              std::min(gid, extra) + " " + std::max(gid, extra) + " ");
    for (const char* set : {"CapInh", "CapPrm", "CapEff", "CapAmb"}) {
      EXPECT_EQ(Status(box, set), "0000000000000000") << set;
    }
    EXPECT_EQ(Status(box, "NoNewPrivs"), "1");
    char folder[4096] = {};
    EXPECT_GT(readlink(("/proc/" + std::to_string(box) + "/cwd").c_str(),
                       folder, sizeof folder - 1),
              0);
    EXPECT_STREQ(folder, (Fixture("ROOT") + "/home").c_str());
    std::vector<std::string> expected = variables;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Environment(box), expected);
  }

  std::set<std::string> before_;
};

// What every box's environment holds, whatever the session.
std::vector<std::string> BoxEnvironment(std::vector<std::string> more) {
  const std::string root = Fixture("ROOT");
  const std::string user = Fixture("USER_NAME");
  more.insert(
      more.end(),
      {"HOME=" + root + "/home", "USER=" + user, "LOGNAME=" + user,
       "PATH=/usr/local/bin:/usr/bin:/bin", "XDG_RUNTIME_DIR=" + root + "/run",
       "DBUS_SESSION_BUS_ADDRESS=unix:path=" + root + "/run/bus"});
  return more;
}

TEST_F(Session, TheBoxIsShownThereAsItsUserAndAnswers) {
  struct Case {
    std::vector<std::string> args;
    std::vector<Described> sessions;  // the first is the box's
    std::string onSeat;
    std::vector<std::string> environment;  // besides BoxEnvironment's
    int status;
    std::string out;
    // weston's headless back end has no seat, of which GTK complains.
    bool quiet = true;
  };
  const std::string root = Fixture("ROOT");
  const std::string x11 = "DISPLAY=" + Fixture("DISPLAY");
  const Case cases[] = {
      // seat0's session; the X cookie and language from its leader.
      {{"--session", "-p", "-b", "yesno", "-d", "no", "-t", "On seat0", "Go?"},
       {{"c1", "x11"}},
       "c1",
       {x11, "GDK_BACKEND=x11", "XAUTHORITY=" + root + "/home/leader.xauth",
        "LANG=de_DE.UTF-8", "LC_MESSAGES=de_DE.UTF-8"},
       7,
       "no\n"},
      // The user's session; the cookie from its conventional place, the
      // language from AccountsService.
      {{"--user", Fixture("USER_NAME"), "-p", "-t", "The user", "Hello"},
       {{"c2", "x11", true, "user", false}, {"c1", "tty"}},
       "c1",
       {x11, "GDK_BACKEND=x11", "XAUTHORITY=" + root + "/home/.Xauthority",
        "LANG=fr_FR.UTF-8"},
       1,
       "ok\n"},
      // Wayland: weston's socket where it conventionally is. Its headless
      // back end never shows a window: the box runs until its time-out.
      {{"-T", "1", "--session=c3", "-p", "-t", "On Wayland", "Hi"},
       {{"c3", "wayland", true, "user", false}, {"c1", "x11"}},
       "c1",
       {"WAYLAND_DISPLAY=wayland-0", "LANG=fr_FR.UTF-8"},
       124,
       "timeout\n",
       false},
  };
  Logind logind;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sessions[0].id);
    logind.Describe(c.sessions, c.onSeat);
    const Ran ran = RunAsk(c.args, [&](pid_t ask) {
      const pid_t tandrel = ChildOf(ask);
      ASSERT_NE(tandrel, 0);
      if (c.sessions[0].type == "wayland") {
        ASSERT_NE(ChildOf(tandrel), 0);  // the GTK helper
        ExpectTheUsersBox(tandrel, BoxEnvironment(c.environment));
        return;
      }
      const unsigned long window = FindBox(c.args[c.args.size() - 2]);
      ASSERT_NE(window, 0u);
      const pid_t box =
          std::stoi(Shell("xdotool getwindowpid " + std::to_string(window)));
      EXPECT_EQ(Status(box, "PPid"), std::to_string(tandrel));
      ExpectTheUsersBox(tandrel, BoxEnvironment(c.environment));
      Shell("xdotool windowfocus --sync " + std::to_string(window) +
            " key Return");
    });
    EXPECT_EQ(ran.status, c.status);
    EXPECT_EQ(ran.out, c.out);
    if (c.quiet) {
      EXPECT_EQ(ran.err, "");
    }
    EXPECT_EQ(ran.err.find("tandrel-ask:"), std::string::npos) << ran.err;
  }
}

TEST_F(Session, NoSessionToShowItInIsZeroAndOneLine) {
  struct Case {
    std::vector<std::string> args;
    std::vector<Described> sessions;
    std::string onSeat;
    std::string line;
  };
  const std::string user = Fixture("USER_NAME");
  const Case cases[] = {
      {{"--session"}, {}, "", "no session is active on seat0"},
      {{"--session"},
       {{"c4", "tty"}},
       "c4",
       "session c4 is not graphical (its type is tty)"},
      {{"--session"},
       {{"c6", "x11", true, "greeter"}},
       "c6",
       "session c6 is not a user's session (its class is greeter)"},
      {{"--session=c5"},
       {{"c5", "x11", false}},
       "",
       "session c5 is not active"},
      {{"--session=c9"}, {}, "", "there is no session c9"},
      {{"--user", user},
       {{"c4", "tty"}, {"c5", "x11", false}},
       "c4",
       "user " + user + " has no active graphical session"},
      {{"--user", "tandrel-nobody"}, {}, "", "there is no user tandrel-nobody"},
  };
  Logind logind;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    logind.Describe(c.sessions, c.onSeat);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"-p", "-t", "Nowhere", "x"});
    const Ran ran = RunAsk(args);
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.out, "none\n");
    EXPECT_EQ(ran.err, "tandrel-ask: " + c.line + "\n");
  }
}

TEST_F(Session, NoLogindIsSixtyNine) {
  const Ran ran =
      RunAsk({"--session", "x"}, {}, 0, "unix:path=/nonexistent/bus");
  EXPECT_EQ(ran.status, 69);
  EXPECT_EQ(ran.err,
            "tandrel-ask: cannot ask logind for the sessions: No such file or "
            "directory\n");
}

// The signal reaches the box, which goes; so does the request.
TEST_F(Session, ASignalEndsTheBoxAndLeavesNothing) {
  Logind logind;
  logind.Describe({{"c1", "x11"}}, "c1");
  for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
    SCOPED_TRACE(strsignal(signal));
    pid_t box = 0;
    const Ran ran =
        RunAsk({"--session", "-t", "Signalled", "x"}, [&](pid_t ask) {
          const unsigned long window = FindBox("Signalled");
          ASSERT_NE(window, 0u);
          box = std::stoi(
              Shell("xdotool getwindowpid " + std::to_string(window)));
          kill(ask, signal);
        });
    EXPECT_EQ(ran.status, 128 + signal);
    EXPECT_EQ(ran.err, "");
    // Gone, or ended and not yet reaped by init.
    EXPECT_TRUE(WaitUntil(5000, [&] {
      const std::string state = Status(box, "State");
      return state.empty() || state[0] == 'Z';
    }));
    EXPECT_EQ(FindBox("Signalled", 0), 0u);
  }
}

// Not as root: 77, whoever it is (as the fixture's user when the tests run
// as root).
TEST(SessionWithoutRoot, IsSeventySeven) {
  uid_t uid = getuid();
  if (uid == 0) {
    ASSERT_FALSE(Fixture("USER_ID").empty()) << "no fixture in " FIXTURE_STATE;
    uid = std::stoul(Fixture("USER_ID"));
  }
  const Ran ran = RunAsk({"--session", "x"}, {}, uid);
  EXPECT_EQ(ran.status, 77);
  EXPECT_EQ(ran.out, "");
  EXPECT_EQ(ran.err,
            "tandrel-ask: only root can show a box in a user's session\n");
}

}  // namespace
