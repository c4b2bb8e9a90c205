#include "gtk_test_support.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "vorlick_api.h"

namespace vorlick_test {
namespace {

using Clock = std::chrono::steady_clock;

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

pid_t StartXvfb(int display) {
  const pid_t tests = getpid();
  const pid_t server = fork();
  if (server == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives the tests
    if (getppid() != tests) _exit(1);  // they ended before prctl
    const std::string name = ":" + std::to_string(display);
    execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24",
           "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
  for (int i = 0; i < 100; ++i) {
    if (waitpid(server, nullptr, WNOHANG) == server) return -1;
    if (Exists(socket)) return server;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  return -1;
}

std::string Id(unsigned long window) { return std::to_string(window); }

}  // namespace

std::string Run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    pclose(pipe);
  }
  return out;
}

Xvfb::Xvfb(int first, int last) {
  for (int display = first; display <= last && server_ < 0; ++display) {
    if (Exists("/tmp/.X" + std::to_string(display) + "-lock")) continue;
    server_ = StartXvfb(display);
    if (server_ > 0) name_ = ":" + std::to_string(display);
  }
}

void Xvfb::End() {
  if (server_ <= 0) return;
  kill(server_, SIGTERM);
  waitpid(server_, nullptr, 0);
  server_ = -1;
}

void XvfbEnvironment::SetUp() {
  server_ = new Xvfb(71, 79);
  ASSERT_FALSE(server_->name().empty()) << "no Xvfb on :71 to :79";
  setenv("DISPLAY", server_->name().c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("GDK_BACKEND");
  setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus to wait for
  setenv("GSETTINGS_BACKEND", "memory", 1);
}

void XvfbEnvironment::TearDown() { delete server_; }

AsyncBox::AsyncBox(const std::u16string& caption, unsigned style, int timeout,
                   int defaultId, const std::u16string& text) {
  result_ = std::async(std::launch::async, [=, this] {
    const auto start = Clock::now();
    const int result = VorlickShowMessage(
        nullptr, text.c_str(), caption.c_str(), style, timeout, defaultId);
    elapsedMs_ = std::chrono::duration_cast<std::chrono::milliseconds>(
                     Clock::now() - start)
                     .count();
    return result;
  });
}

AsyncBox::~AsyncBox() {
  // A box left open by a failed test would keep the future waiting.
  if (result_.valid() &&
      result_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    ADD_FAILURE() << "a box was left open";
    std::quick_exit(1);
  }
}

int AsyncBox::Result(int ms) {
  if (result_.wait_for(std::chrono::milliseconds(ms)) !=
      std::future_status::ready) {
    return -1;
  }
  return result_.get();
}

unsigned long FindBox(const std::string& caption, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) {
    const std::string found =
        Run("xdotool search --onlyvisible --name '^" + caption + "$'");
    if (!found.empty()) return std::stoul(found);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  return 0;
}

bool BoxExists(const std::string& caption) {
  return !Run("xdotool search --onlyvisible --name '^" + caption + "$'")
              .empty();
}

void PressKeys(unsigned long window, const std::string& keys) {
  Run("xdotool windowfocus --sync " + Id(window) + " key --delay 80 " + keys);
}

std::string WindowState(unsigned long window) {
  return Run("xprop -id " + Id(window) + " _NET_WM_STATE");
}

}  // namespace vorlick_test
