// Running the native program from outside: waiting for a child with a
// deadline, and a private Xvfb display.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

inline long long NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

// Waits up to `ms` for `pid`; returns its exit status, or -1 (then kills it).
inline int WaitExit(pid_t pid, int ms) {
  const long long deadline = NowMs() + ms;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (NowMs() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    usleep(10000);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One private Xvfb display, ended with the object.
class XvfbDisplay {
 public:
  // Takes the first free display number from `first` to `last`.
  XvfbDisplay(int first, int last) {
    for (int number = first; number <= last && name_.empty(); ++number) {
      std::string candidate = ":" + std::to_string(number);
      std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
      if (access(lock.c_str(), F_OK) == 0) continue;
      server_ = fork();
      if (server_ == 0) {
        int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        execlp("Xvfb", "Xvfb", candidate.c_str(), "-screen", "0", "1024x768x24",
               "-nolisten", "tcp", nullptr);
        _exit(127);
      }
      for (int i = 0; i < 50 && name_.empty(); ++i) {
        usleep(100000);
        std::string probe =
            "xdpyinfo -display " + candidate + " >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0) name_ = candidate;
      }
    }
  }
  ~XvfbDisplay() { End(); }
  // Ends the server now, as a display that goes away under a box.
  void End() {
    if (server_ > 0) {
      kill(server_, SIGTERM);
      waitpid(server_, nullptr, 0);
      server_ = -1;
    }
  }
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;
  const std::string& name() const { return name_; }

 private:
  pid_t server_ = -1;
  std::string name_;
};

// Starts `program` on `path` as a job without a terminal (its own session,
// standard streams on /dev/null), on `display` or, when empty, on none.
inline pid_t StartDetached(const std::string& program, const std::string& path,
                           const std::string& display) {
  pid_t child = fork();
  if (child == 0) {
    setsid();
    int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("GDK_BACKEND");
    if (display.empty()) {
      unsetenv("DISPLAY");
    } else {
      setenv("DISPLAY", display.c_str(), 1);
    }
    execl(program.c_str(), "tandrel", path.c_str(), nullptr);
    _exit(127);
  }
  return child;
}
