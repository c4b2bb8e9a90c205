// Running the native program from outside: as a job without a terminal, and
// waiting for it with a deadline.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

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
