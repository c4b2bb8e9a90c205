// Time from starting a program to its first top-level window being mapped
// on the X display, for comparing how quickly message-box programs appear.
//   map_time RUNS PROGRAM [ARGS...] [-- OTHER [ARGS...]]
// Starts PROGRAM RUNS times; each time waits for a window to be mapped on the
// root window, then ends the program. Prints every time and the median in ms.
// With a second program after "--", the two take turns, run by run, so that
// a machine that slows down or speeds up meanwhile affects both alike; then
// each one's median and lower quartile and the ratios of the first to the
// second are printed.
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

// The time below which `share` of the runs stayed: 0.5 is the median.
double Quantile(std::vector<double> times, double share) {
  std::sort(times.begin(), times.end());
  return times[static_cast<size_t>(share * (times.size() - 1) + 0.5)];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(
        stderr,
        "usage: map_time RUNS PROGRAM [ARGS...] [-- OTHER [ARGS...]]\n");
    return 2;
  }
  // The programs' argument lists, each ending in a null as execvp wants.
  std::vector<std::vector<char*>> programs(1);
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0 && programs.size() == 1) {
      programs.emplace_back();
      continue;
    }
    programs.back().push_back(argv[i]);
  }
  for (auto& program : programs) {
    if (program.empty()) {
      std::fprintf(stderr, "map_time: a program is missing\n");
      return 2;
    }
    program.push_back(nullptr);
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "map_time: cannot open the display\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const int runs = std::atoi(argv[1]);
  std::vector<std::vector<double>> times(programs.size());
  for (int i = 0; i < runs; ++i) {
    for (size_t p = 0; p < programs.size(); ++p) {
      const double ms = RunOnce(display, programs[p].data());
      if (ms < 0) {
        std::fprintf(stderr, "map_time: no window was mapped\n");
        return 1;
      }
      std::printf("%.1f ", ms);
      times[p].push_back(ms);
    }
  }
  std::printf("\n");
  if (programs.size() == 1) {
    std::printf("median %.1f ms\n", Quantile(times[0], 0.5));
  } else {
    // On a busy machine the fastest quarter still shows what each needs
    // when it gets the processor.
    for (double share : {0.5, 0.25}) {
      const char* name = share == 0.5 ? "median" : "quartile";
      const double first = Quantile(times[0], share);
      const double second = Quantile(times[1], share);
      std::printf("%s first %.1f ms\n%s second %.1f ms\n%s ratio %.2f\n", name,
                  first, name, second, name, first / second);
    }
  }
  XCloseDisplay(display);
  return 0;
}
