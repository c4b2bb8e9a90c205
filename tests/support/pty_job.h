// A box process run as a shell runs a job: on a new pseudo-terminal that is
// its controlling terminal, in its own foreground process group. The test
// plays the user at the other end: it reads what the box draws and types.
// The box process calls the library, or becomes the program under test.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <functional>
#include <string>

namespace vorlick_test {

// What the box process reports when its calls have returned.
struct Report {
  int result = -1;
  int secondResult = -1;
  long long elapsedMs = -1;
  long long secondElapsedMs = -1;
  bool modesSame = false;    // the terminal's modes as before the call
  bool fdsSame = false;      // the same file descriptors open
  bool signalsSame = false;  // the same signal dispositions
  int hostSignals = 0;       // signals the process's own handler saw
};

// Runs in the box process; calls the library and fills in results and times,
// or execs a program, whose wait status TakeStatus then gives.
using BoxBody = std::function<void(Report&)>;
// Runs in the box process before the state to compare is taken. The box
// process starts with TERM=xterm and no language set; this may change that.
using BoxSetUp = std::function<void()>;

// Terminal modes compared as the box must leave them.
bool SameModes(const termios& a, const termios& b);

class PtyJob {
 public:
  explicit PtyJob(const BoxBody& body, const BoxSetUp& setUp = {});
  ~PtyJob();
  PtyJob(const PtyJob&) = delete;
  PtyJob& operator=(const PtyJob&) = delete;

  // Reads the screen until `text` appears after what earlier waits found.
  bool WaitFor(const std::string& text, int ms = 3000);
  void Send(const std::string& bytes);
  // Resizes the terminal, as a terminal window does (SIGWINCH to the box).
  void Resize(int columns, int rows);

  // The box process's report, or a report with result -1 when it ended
  // without one (killed by a signal).
  Report TakeReport(int ms = 5000);
  // The box process's wait status, as its shell saw it; -1 on no answer.
  int TakeStatus(int ms = 5000);
  // Whether the box process is stopped, waiting up to `ms` for it.
  bool WaitStopped(int ms = 3000);

  termios Modes() const;
  const termios& InitialModes() const { return initial_; }
  pid_t boxPid() const { return boxPid_; }
  const std::string& screen() const { return screen_; }

 private:
  void Drain(int ms);
  bool ReadFromBox(int fd, void* data, size_t size, int ms);
  void StartShell(const BoxBody& body, const BoxSetUp& setUp);

  int master_ = -1;
  int slave_ = -1;
  int statusRead_ = -1;  // the box's pid, then its wait status
  int reportRead_ = -1;
  pid_t shellPid_ = -1;
  pid_t boxPid_ = -1;
  termios initial_{};
  std::string screen_;
  size_t searchFrom_ = 0;
};

}  // namespace vorlick_test
