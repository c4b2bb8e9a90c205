// Wall time of a whole tandrel run where no box can be shown (no display, no
// terminal) against /bin/true, interleaved so that both see the same load:
//   headless_time ROUNDS TANDREL
// Each round runs both, in turns first, each from posix_spawn to its exit;
// tandrel gets a fresh request file every time (it deletes it). Prints the
// medians and their ratio.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// In a session of its own (no controlling terminal), with /dev/null for
// its standard streams.
double TimeRun(const char* program, const char* argument) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int fd = 0; fd <= 2; ++fd) {
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_RDWR, 0);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument),
                  nullptr};
  const double start = NowMs();
  pid_t child = 0;
  if (posix_spawn(&child, program, &actions, &attributes, argv, environ) != 0) {
    std::fprintf(stderr, "headless_time: cannot start %s\n", program);
    std::exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  const double elapsed = NowMs() - start;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "headless_time: %s ended with status %d\n", program,
                 status);
    std::exit(1);
  }
  return elapsed;
}

void WriteRequest(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "w");
  std::fputs(
      "<TITLE>Question<\\TITLE><BODY>Do you want to go on?<\\BODY>"
      "<STYLE>36<\\STYLE><TIMEDOUT>10<\\TIMEDOUT>",
      file);
  std::fclose(file);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: headless_time ROUNDS TANDREL\n");
    return 2;
  }
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "GDK_BACKEND"}) {
    unsetenv(name);
  }
  char folder[] = "/tmp/headless-XXXXXX";
  if (mkdtemp(folder) == nullptr) return 1;
  const std::string request = std::string(folder) + "/request.txt";
  const int rounds = std::atoi(argv[1]);
  std::vector<double> truth, tandrel;
  for (int round = 0; round < rounds; ++round) {
    WriteRequest(request);
    if (round % 2 == 0) truth.push_back(TimeRun("/bin/true", nullptr));
    tandrel.push_back(TimeRun(argv[2], request.c_str()));
    if (round % 2 == 1) truth.push_back(TimeRun("/bin/true", nullptr));
  }
  rmdir(folder);
  const double t = Median(truth), d = Median(tandrel);
  std::printf("median of %d interleaved runs, no display, no terminal:\n",
              rounds);
  std::printf("  /bin/true  %.3f ms\n  tandrel    %.3f ms\n", t, d);
  std::printf("  tandrel / true  %.2f\n", d / t);
  return 0;
}
