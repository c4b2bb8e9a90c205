// What a caller of the library gets when the display goes away under a GTK
// box, and that nothing of a box outlives its call (helper process, thread,
// descriptor, display connection), also when the caller ignores or reaps
// its children itself, cancels the calling thread, or shows many boxes at
// once. This program never loads GTK itself.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "gtk_test_support.h"
#include "temp_folder.h"
#include "vorlick.h"

namespace vorlick_test {
namespace {

using Clock = std::chrono::steady_clock;

// Sets an environment variable for one test, or unsets it for null.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name))
      old_ = std::make_unique<std::string>(old);
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::unique_ptr<std::string> old_;
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WaitUntil(int ms, const std::function<bool()>& done) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// A headless Wayland compositor in a private runtime folder.
class Weston {
 public:
  Weston() {
    server_ = fork();
    if (server_ == 0) {
      setenv("XDG_RUNTIME_DIR", folder_.Path("").c_str(), 1);
      const int null = open("/dev/null", O_RDWR);
      dup2(null, 1);
      dup2(null, 2);
      execlp("weston", "weston", "--backend=headless-backend.so",
             "--shell=kiosk-shell.so", "--no-config", "--socket=wayland-box",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    up_ = WaitUntil(10000, [this] { return Exists(Socket()); });
  }
  ~Weston() { End(); }
  void End() {
    if (server_ <= 0) return;
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
    server_ = -1;
  }
  bool up() const { return up_; }
  std::string Folder() const { return folder_.Path(""); }
  std::string Socket() const { return folder_.Path("wayland-box"); }

 private:
  TempFolder folder_;
  pid_t server_ = -1;
  bool up_ = false;
};

TEST(GtkHelperTest, XServerEndingUnderTheBoxGivesZero) {
  PrivateDisplay server;
  ASSERT_FALSE(server.name().empty()) << "no display of its own";
  ScopedEnv display("DISPLAY", server.name().c_str());
  // Yes/No with a time-out: neither a button nor 32000 may come out.
  AsyncBox box(u"lost display", 0x4, 30, 0);
  ASSERT_NE(FindBox("lost display"), 0u);
  server.End();
  EXPECT_EQ(box.Result(5000), 0);
}

// Weston's headless back end never configures a window: "up" is the titled
// toplevel committed, which the helper notes in VORLICK_GTK_SHOWN_LOG.
TEST(GtkHelperTest, WaylandCompositorEndingUnderTheBoxGivesZero) {
  Weston compositor;
  ASSERT_TRUE(compositor.up()) << "weston did not start";
  const std::string log = compositor.Folder() + "shown";
  ScopedEnv display("DISPLAY", nullptr);
  ScopedEnv runtime("XDG_RUNTIME_DIR", compositor.Folder().c_str());
  ScopedEnv wayland("WAYLAND_DISPLAY", "wayland-box");
  ScopedEnv backend("GDK_BACKEND", "wayland");
  ScopedEnv shown("VORLICK_GTK_SHOWN_LOG", log.c_str());
  // First a box that runs its course there.
  EXPECT_EQ(VorlickShowMessage(nullptr, u"x", u"wayland up", 0x1, 1, 0), 32000);
  EXPECT_EQ(ReadText(log), "wayland up\n");
  AsyncBox box(u"wayland lost", 0x4, 30, 0);
  ASSERT_TRUE(WaitUntil(
      10000, [&] { return ReadText(log) == "wayland up\nwayland lost\n"; }));
  compositor.End();
  EXPECT_EQ(box.Result(5000), 0);
}

// The processes whose parent is this one.
std::set<int> Children() {
  std::set<int> children;
  DIR* proc = opendir("/proc");
  while (dirent* entry = readdir(proc)) {
    const int pid = atoi(entry->d_name);
    if (pid <= 0) continue;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const size_t end = line.rfind(')');
    if (end == std::string::npos) continue;
    std::istringstream fields(line.substr(end + 2));
    std::string state;
    int parent = 0;
    fields >> state >> parent;
    if (parent == getpid()) children.insert(pid);
  }
  closedir(proc);
  return children;
}

int CountEntries(const char* folder) {
  int count = 0;
  DIR* dir = opendir(folder);
  while (dirent* entry = readdir(dir)) count += entry->d_name[0] != '.';
  closedir(dir);
  return count;
}

int CountSockets() {
  int count = 0;
  for (int fd = 0; fd < 1024; ++fd) {
    struct stat info {};
    count += fstat(fd, &info) == 0 && S_ISSOCK(info.st_mode);
  }
  return count;
}

bool GtkLoaded() {
  return ReadText("/proc/self/maps").find("libgtk-3") != std::string::npos;
}

struct Footprint {
  int threads;
  int descriptors;
  int sockets;
  std::set<int> children;
  bool operator==(const Footprint&) const = default;
};

Footprint Measure() {
  // The descriptor listing counts its own descriptor, always the same.
  return {CountEntries("/proc/self/task"), CountEntries("/proc/self/fd"),
          CountSockets(), Children()};
}

void* ShowOnThread(void* caption) {
  return reinterpret_cast<void*>(static_cast<intptr_t>(VorlickShowMessage(
      nullptr, u"Text", static_cast<const char16_t*>(caption), 0x4, 0, 0)));
}

TEST(GtkHelperTest, NothingOfTheBoxOutlivesTheCall) {
  const Footprint before = Measure();
  // A time-out, on this very thread.
  EXPECT_EQ(VorlickShowMessage(nullptr, u"x", u"footprint", 0x0, 1, 0), 32000);
  EXPECT_EQ(Measure(), before);
  // An answer, while the box is up counted as one child more.
  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, nullptr, ShowOnThread,
                           const_cast<char16_t*>(u"answered")),
            0);
  const unsigned long window = FindBox("answered");
  ASSERT_NE(window, 0u);
  EXPECT_EQ(Children().size(), before.children.size() + 1);
  PressKeys(window, "n");
  void* result = nullptr;
  pthread_join(thread, &result);
  EXPECT_EQ(reinterpret_cast<intptr_t>(result), 7);
  EXPECT_TRUE(WaitUntil(1000, [&] { return Measure() == before; }));
  EXPECT_FALSE(GtkLoaded());
}

TEST(GtkHelperTest, CancelledCallerTakesItsBoxAlong) {
  const std::set<int> before = Children();
  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, nullptr, ShowOnThread,
                           const_cast<char16_t*>(u"cancelled")),
            0);
  ASSERT_NE(FindBox("cancelled"), 0u);
  pthread_cancel(thread);
  void* result = nullptr;
  pthread_join(thread, &result);
  EXPECT_EQ(result, PTHREAD_CANCELED);
  EXPECT_EQ(Children(), before);
  EXPECT_TRUE(WaitUntil(2000, [] { return !BoxExists("cancelled"); }));
}

void ReapEveryChild(int) {
  const int saved = errno;
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
  errno = saved;
}

// Callers that ignore SIGCHLD (children reaped by the system) or reap every
// child themselves: the helper is gone before the library could reap it.
TEST(GtkHelperTest, CallersOwnChildHandlingIsNoHindrance) {
  struct Case {
    const char* name;
    void (*handler)(int);
  };
  const Case cases[] = {{"ignored", SIG_IGN}, {"reaped", ReapEveryChild}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    struct sigaction action {
    }, previous{};
    action.sa_handler = c.handler;
    action.sa_flags = SA_RESTART;
    sigaction(SIGCHLD, &action, &previous);
    AsyncBox timed(u"sigchld timed", 0x0, 1, 0);
    AsyncBox answered(u"sigchld answered", 0x4, 0, 0);
    const unsigned long window = FindBox("sigchld answered");
    ASSERT_NE(window, 0u);
    PressKeys(window, "y");
    EXPECT_EQ(answered.Result(), 6);
    EXPECT_EQ(timed.Result(), 32000);
    EXPECT_LE(timed.elapsedMs(), 1600);
    sigaction(SIGCHLD, &previous, nullptr);
  }
}

TEST(GtkHelperTest, ManyBoxesAtOnce) {
  constexpr int kBoxes = 6;
  std::vector<std::unique_ptr<AsyncBox>> boxes;
  for (int i = 0; i < kBoxes; ++i) {
    boxes.push_back(std::make_unique<AsyncBox>(u"many", 0x1, 4, 0));
  }
  EXPECT_TRUE(WaitUntil(4000, [] {
    const std::string found =
        vorlick_test::Run("xdotool search --onlyvisible --name '^many$'");
    return std::count(found.begin(), found.end(), '\n') == kBoxes;
  }));
  for (auto& box : boxes) EXPECT_EQ(box->Result(), 32000);
}

}  // namespace
}  // namespace vorlick_test
