// Soak: 1000 runs one after another, without display or terminal. Each run
// of the program is a process of its own, so what could pile up is measured
// where it would: in the long-lived caller that starts the program 1000
// times, and in a process that runs requests in itself 1000 times (the run
// and the library, whose leaks would accumulate there). Open descriptors and
// resident memory after the last run must stay within a few percent of
// those after the tenth (5 %); no request file may be left. The first
// measuring touches pages of its own (the reading of /proc), so it is done
// once before the runs, where it cannot pass for growth. Slow (label
// "soak").
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "program_run.h"
#include "run_request.h"
#include "temp_folder.h"

namespace {

constexpr int kRuns = 1000;
constexpr int kFirstMeasure = 10;

struct Usage {
  int descriptors = 0;
  long residentKb = 0;
};

Usage Measure() {
  Usage usage;
  if (DIR* fds = opendir("/proc/self/fd")) {
    while (dirent* entry = readdir(fds)) {
      if (entry->d_name[0] != '.') ++usage.descriptors;
    }
    closedir(fds);
  }
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0)
      usage.residentKb = std::stol(line.substr(6));
  }
  return usage;
}

void ExpectSteady(const char* what, const Usage& tenth, const Usage& last) {
  std::printf(
      "%s: after run %d: %d descriptors, %ld kB resident; after run "
      "%d: %d descriptors, %ld kB resident (ratio %.3f)\n",
      what, kFirstMeasure, tenth.descriptors, tenth.residentKb, kRuns,
      last.descriptors, last.residentKb,
      static_cast<double>(last.residentKb) / tenth.residentKb);
  EXPECT_EQ(last.descriptors, tenth.descriptors) << what;
  EXPECT_LE(last.residentKb, tenth.residentKb * 105 / 100) << what;
}

const std::string kRequest =
    "<TITLE>Soak<\\TITLE><BODY>Nobody sees this<\\BODY><STYLE>4<\\STYLE>";

TEST(Soak, ProgramRunThousandTimesFromOneCaller) {
  TempFolder folder;
  Usage tenth;
  Measure();  // the measuring itself touches pages once
  for (int run = 1; run <= kRuns; ++run) {
    const std::string path = folder.Write("request.txt", kRequest);
    ASSERT_EQ(WaitExit(StartDetached(TANDREL_PROGRAM, path, ""), 10000), 0)
        << "run " << run;
    ASSERT_FALSE(Exists(path)) << "run " << run;
    if (run == kFirstMeasure) tenth = Measure();
  }
  ExpectSteady("caller of tandrel", tenth, Measure());
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("")));
}

// In a child of its own session: no controlling terminal, no display, so
// that the library answers at once, as in the runs above.
TEST(Soak, RequestsRunThousandTimesInOneProcess) {
  TempFolder folder;
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  pid_t child = fork();
  if (child == 0) {
    setsid();
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    Usage usage[2];
    int failures = 0;
    Measure();  // the measuring itself touches pages once
    for (int run = 1; run <= kRuns; ++run) {
      const std::string path = folder.Write("request.txt", kRequest);
      if (RunRequest(U16(path).c_str()) != 0 || Exists(path)) ++failures;
      if (run == kFirstMeasure) usage[0] = Measure();
    }
    usage[1] = Measure();
    ssize_t written = write(report[1], usage, sizeof usage);
    written += write(report[1], &failures, sizeof failures);
    _exit(written == sizeof usage + sizeof failures ? 0 : 1);
  }
  close(report[1]);
  Usage usage[2];
  int failures = -1;
  EXPECT_EQ(read(report[0], usage, sizeof usage),
            static_cast<ssize_t>(sizeof usage));
  EXPECT_EQ(read(report[0], &failures, sizeof failures),
            static_cast<ssize_t>(sizeof failures));
  close(report[0]);
  EXPECT_EQ(WaitExit(child, 60000), 0);
  EXPECT_EQ(failures, 0) << "runs that showed a box or kept their request";
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("")));
  ExpectSteady("requests run in process", usage[0], usage[1]);
}

}  // namespace
