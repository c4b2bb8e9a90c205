#include "pty_job.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

namespace vorlick_test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWatchedSignals[] = {SIGHUP,  SIGINT,  SIGQUIT,
                                   SIGTERM, SIGTSTP, SIGWINCH};
// The C library adds this flag to every disposition it sets; it says nothing
// about how the signal is handled.
constexpr int kRestorer = 0x04000000;

struct Snapshot {
  termios modes{};
  std::string fds;
  std::string signals;
};

Snapshot Take() {
  Snapshot snapshot;
  tcgetattr(STDIN_FILENO, &snapshot.modes);
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (dirent* entry = readdir(dir)) {
      snapshot.fds += std::string(entry->d_name) + " ";
    }
    closedir(dir);
  }
  for (int signal : kWatchedSignals) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    snapshot.signals += std::to_string(reinterpret_cast<uintptr_t>(
                            reinterpret_cast<void*>(action.sa_handler))) +
                        "/" + std::to_string(action.sa_flags & ~kRestorer) +
                        " ";
  }
  return snapshot;
}

void WriteFully(int fd, const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t count = write(fd, bytes, size);
    if (count <= 0) return;
    bytes += count;
    size -= static_cast<size_t>(count);
  }
}

// The box process: its own foreground process group on the terminal.
[[noreturn]] void RunBox(int slave, int reportWrite, const BoxBody& body,
                         const BoxSetUp& setUp) {
  setpgid(0, 0);
  sigset_t ttou, previous;
  sigemptyset(&ttou);
  sigaddset(&ttou, SIGTTOU);
  sigprocmask(SIG_BLOCK, &ttou, &previous);
  tcsetpgrp(slave, getpid());
  sigprocmask(SIG_SETMASK, &previous, nullptr);
  for (int fd = 0; fd < 3; ++fd) dup2(slave, fd);
  close(slave);
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  setenv("TERM", "xterm", 1);
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    unsetenv(name);
  }
  if (setUp) setUp();

  const Snapshot before = Take();
  Report report;
  body(report);
  const Snapshot after = Take();
  report.modesSame = SameModes(before.modes, after.modes);
  report.fdsSame = before.fds == after.fds;
  report.signalsSame = before.signals == after.signals;
  WriteFully(reportWrite, &report, sizeof report);
  _exit(0);
}

// The shell: leads the session whose controlling terminal the pty is,
// starts the box as a job and tells the test its pid and how it ended.
[[noreturn]] void RunShell(int slave, int statusWrite, int reportWrite,
                           const BoxBody& body, const BoxSetUp& setUp) {
  setsid();
  ioctl(slave, TIOCSCTTY, 0);
  const pid_t box = fork();
  if (box == 0) {
    close(statusWrite);
    RunBox(slave, reportWrite, body, setUp);
  }
  close(reportWrite);
  setpgid(box, box);
  WriteFully(statusWrite, &box, sizeof box);
  int status = -1;
  while (waitpid(box, &status, 0) < 0 && errno == EINTR) {
  }
  WriteFully(statusWrite, &status, sizeof status);
  _exit(0);
}

}  // namespace

bool SameModes(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag &&
         a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
         std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

PtyJob::PtyJob(const BoxBody& body, const BoxSetUp& setUp) {
  winsize size{};
  size.ws_col = 80, size.ws_row = 24;
  if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) return;
  tcgetattr(slave_, &initial_);
  StartShell(body, setUp);
}

void PtyJob::StartShell(const BoxBody& body, const BoxSetUp& setUp) {
  int status[2], report[2];
  if (pipe2(status, O_CLOEXEC) != 0 || pipe2(report, O_CLOEXEC) != 0) return;
  shellPid_ = fork();
  if (shellPid_ == 0) {
    close(master_), close(status[0]), close(report[0]);
    RunShell(slave_, status[1], report[1], body, setUp);
  }
  close(status[1]), close(report[1]);
  statusRead_ = status[0], reportRead_ = report[0];
  if (!ReadFromBox(statusRead_, &boxPid_, sizeof boxPid_, 3000)) boxPid_ = -1;
}

PtyJob::~PtyJob() {
  if (boxPid_ > 0) kill(boxPid_, SIGKILL);
  if (shellPid_ > 0) {
    kill(shellPid_, SIGKILL);
    waitpid(shellPid_, nullptr, 0);
  }
  for (int fd : {master_, slave_, statusRead_, reportRead_}) {
    if (fd >= 0) close(fd);
  }
}

void PtyJob::Drain(int ms) {
  pollfd watch{master_, POLLIN, 0};
  if (poll(&watch, 1, ms) <= 0) return;
  char bytes[4096];
  const ssize_t count = read(master_, bytes, sizeof bytes);
  if (count > 0) screen_.append(bytes, static_cast<size_t>(count));
}

bool PtyJob::WaitFor(const std::string& text, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (true) {
    const size_t at = screen_.find(text, searchFrom_);
    if (at != std::string::npos) {
      searchFrom_ = at + text.size();
      return true;
    }
    if (Clock::now() >= end) return false;
    Drain(20);
  }
}

void PtyJob::Send(const std::string& bytes) {
  WriteFully(master_, bytes.data(), bytes.size());
}

void PtyJob::Resize(int columns, int rows) {
  winsize size{};
  size.ws_col = static_cast<unsigned short>(columns);
  size.ws_row = static_cast<unsigned short>(rows);
  ioctl(master_, TIOCSWINSZ, &size);
}

// Reads `size` bytes from `fd` within `ms`, reading what the box draws
// meanwhile, so that it never waits for room on the terminal.
bool PtyJob::ReadFromBox(int fd, void* data, size_t size, int ms) {
  auto* bytes = static_cast<char*>(data);
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (size > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - Clock::now());
    if (left.count() <= 0) return false;
    pollfd watch[] = {{fd, POLLIN, 0}, {master_, POLLIN, 0}};
    if (poll(watch, 2, static_cast<int>(left.count())) < 0) return false;
    if (watch[1].revents & POLLIN) Drain(0);
    if (watch[0].revents == 0) continue;
    const ssize_t count = read(fd, bytes, size);
    if (count <= 0) return false;
    bytes += count;
    size -= static_cast<size_t>(count);
  }
  return true;
}

Report PtyJob::TakeReport(int ms) {
  Report report;
  if (!ReadFromBox(reportRead_, &report, sizeof report, ms)) report = Report{};
  Drain(50);
  return report;
}

int PtyJob::TakeStatus(int ms) {
  int status = -1;
  if (!ReadFromBox(statusRead_, &status, sizeof status, ms)) return -1;
  boxPid_ = -1;  // reaped: the number may be reused
  return status;
}

bool PtyJob::WaitStopped(int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) {
    std::ifstream stat("/proc/" + std::to_string(boxPid_) + "/stat");
    std::string pid, name, state;
    stat >> pid >> name >> state;
    if (state == "T") return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

termios PtyJob::Modes() const {
  termios modes{};
  tcgetattr(slave_, &modes);
  return modes;
}

}  // namespace vorlick_test
