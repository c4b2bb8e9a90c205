// Time from starting a program to its first top-level window being mapped
// on the X display, for comparing how quickly message-box programs appear:
//   map_time ROUNDS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...
// Each round starts every program once, in turn, so that all of them see the
// same load; each time it waits for a window to be mapped on the root
// window, then ends the program. Prints every program's times, median and
// lower quartile.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Waits up to 10 s for a MapNotify of a child of the root window.
bool WaitForMap(Display* display) {
  const double deadline = NowMs() + 10000;
  while (NowMs() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify) return true;
    }
    usleep(200);
  }
  return false;
}

double RunOnce(Display* display, char** argv) {
  XSync(display, True);  // drop what earlier runs left
  const double start = NowMs();
  pid_t child = fork();
  if (child == 0) {
    execvp(argv[0], argv);
    _exit(127);
  }
  const bool mapped = WaitForMap(display);
  const double elapsed = NowMs() - start;
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  usleep(100000);  // let the server drop the window before the next run
  return mapped ? elapsed : -1;
}

// The programs of the command line: each an argv ended by null.
std::vector<char**> Programs(int argc, char** argv) {
  std::vector<char**> programs{argv + 2};
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") != 0) continue;
    argv[i] = nullptr;
    programs.push_back(argv + i + 1);
  }
  return programs;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: map_time ROUNDS PROGRAM [ARGS...] [-- PROGRAM "
                 "[ARGS...]]...\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "map_time: cannot open the display\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const int rounds = std::atoi(argv[1]);
  const std::vector<char**> programs = Programs(argc, argv);
  std::vector<std::vector<double>> times(programs.size());
  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < programs.size(); ++i) {
      const double ms = RunOnce(display, programs[i]);
      if (ms < 0) {
        std::fprintf(stderr, "map_time: %s mapped no window\n", programs[i][0]);
        return 1;
      }
      times[i].push_back(ms);
    }
  }
  for (size_t i = 0; i < programs.size(); ++i) {
    std::printf("%s:", programs[i][0]);
    for (double ms : times[i]) std::printf(" %.1f", ms);
    std::sort(times[i].begin(), times[i].end());
    // On a busy machine the fastest quarter still shows what each program
    // needs when it gets the processor.
    std::printf("\nmedian %.1f ms\nquartile %.1f ms\n",
                times[i][times[i].size() / 2], times[i][times[i].size() / 4]);
  }
  XCloseDisplay(display);
  return 0;
}
