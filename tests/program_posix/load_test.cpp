// Load: many boxes at once on the shared test display. 100 tandrel processes,
// each a real GTK box that times out after 3 s, and 20 threads of one process,
// each showing a box through the library. Slow (label "load").
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "program_run.h"
#include "temp_folder.h"
#include "test_display.h"
#include "vorlick.h"

namespace {

constexpr int kBoxes = 100;
constexpr int kThreads = 20;
constexpr int kTimedOutStatus = 124;  // the program's status for 32000

int FilesIn(const std::string& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(folder)) {
    ++count;
  }
  return count;
}

TEST(Load, HundredProgramsTimeOutAndDeleteEachItsOwnRequest) {
  const std::string display = SharedDisplay();
  ASSERT_FALSE(display.empty());
  TempFolder folder;
  const std::string bystander = folder.Write("bystander.txt", "stays");
  std::vector<std::string> paths;
  for (int i = 0; i < kBoxes; ++i) {
    const std::string n = std::to_string(i);
    paths.push_back(folder.Write("request-" + n + ".txt",
                                 "<TITLE>Load " + n + "<\\TITLE><BODY>Box " +
                                     n + "<\\BODY><TIMEDOUT>3<\\TIMEDOUT>"));
  }
  ASSERT_EQ(std::set<std::string>(paths.begin(), paths.end()).size(),
            static_cast<size_t>(kBoxes));
  const long long start = NowMs();
  std::vector<pid_t> children;
  for (const std::string& path : paths) {
    children.push_back(StartDetached(TANDREL_PROGRAM, path, display));
  }
  std::vector<int> statuses;
  for (pid_t child : children) statuses.push_back(WaitExit(child, 120000));
  const long long wallMs = NowMs() - start;
  std::printf(
      "%d boxes at once: %lld ms from the first start to the last end\n",
      kBoxes, wallMs);
  for (int i = 0; i < kBoxes; ++i) {
    EXPECT_EQ(statuses[i], kTimedOutStatus) << paths[i];
    EXPECT_FALSE(Exists(paths[i])) << paths[i];
  }
  // Each run deleted its own request and nothing else.
  EXPECT_TRUE(Exists(bystander));
  EXPECT_EQ(FilesIn(folder.Path("")), 1);
  EXPECT_GE(wallMs, 3000);
}

// The threads run in a child process: the library's GTK connection lasts as
// long as its process.
TEST(Load, TwentyThreadsOfOneProcessEachShowABox) {
  const std::string display = SharedDisplay();
  ASSERT_FALSE(display.empty());
  int results[2];
  ASSERT_EQ(pipe(results), 0);
  const long long start = NowMs();
  pid_t child = fork();
  if (child == 0) {
    setsid();
    setenv("DISPLAY", display.c_str(), 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    std::atomic<int> answers[kThreads];
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
      threads.emplace_back([&answers, i] {
        answers[i] =
            VorlickShowMessage(nullptr, u"One of twenty", u"Load", 1, 3, 0);
      });
    }
    for (std::thread& thread : threads) thread.join();
    for (const std::atomic<int>& answer : answers) {
      const int value = answer;
      if (write(results[1], &value, sizeof value) != sizeof value) _exit(1);
    }
    _exit(0);
  }
  close(results[1]);
  EXPECT_EQ(WaitExit(child, 120000), 0);
  const long long wallMs = NowMs() - start;
  std::printf("%d threads: %lld ms\n", kThreads, wallMs);
  int answer = 0;
  int count = 0;
  while (read(results[0], &answer, sizeof answer) == sizeof answer) {
    EXPECT_EQ(answer, 32000) << "thread " << count;
    ++count;
  }
  close(results[0]);
  EXPECT_EQ(count, kThreads);
  EXPECT_GE(wallMs, 3000);
}

}  // namespace
