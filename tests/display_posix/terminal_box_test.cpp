// The terminal box through a pseudo-terminal: what it draws, the keys, the
// time-out, and the terminal's modes after every way out, signals included.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "pty_job.h"
#include "vorlick_api.h"

namespace vorlick_test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr char kEsc[] = "\x1b";
constexpr char kRight[] = "\x1b[C";
constexpr char kLeft[] = "\x1b[D";
constexpr char kShiftTab[] = "\x1b[Z";
constexpr char kRightApp[] = "\x1bOC";

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() -
                                                               start)
      .count();
}

int Show(const char16_t* text, const char16_t* caption, unsigned style,
         int timeout, int defaultId, long long* elapsedMs = nullptr) {
  const auto start = Clock::now();
  const int result =
      VorlickShowMessage(nullptr, text, caption, style, timeout, defaultId);
  if (elapsedMs != nullptr) *elapsedMs = MsSince(start);
  return result;
}

BoxBody OneBox(unsigned style, int timeout, int defaultId) {
  return [=](Report& report) {
    report.result = Show(u"Pick one", u"Caption", style, timeout, defaultId,
                         &report.elapsedMs);
  };
}

// The caption line is drawn first and the buttons last: once they are on
// the screen the box waits for keys.
bool WaitForBox(PtyJob& job) {
  return job.WaitFor("\x1b[1mCaption\x1b[0m") && job.WaitFor("\x1b[7m> ");
}

void ExpectCleanEnd(const Report& report) {
  EXPECT_TRUE(report.modesSame);
  EXPECT_TRUE(report.fdsSame);
  EXPECT_TRUE(report.signalsSame);
}

struct KeyCase {
  const char* name;
  unsigned style;
  int defaultId;
  std::vector<std::string> keys;  // sent apart, so a lone ESC stays one
  int result;
};

TEST(TerminalBoxTest, KeysChooseAsTheContractSays) {
  const KeyCase cases[] = {
      {"enter on default", 0x4, 0, {"\r"}, 6},
      {"defbutton2", 0x4 | 0x100, 0, {"\r"}, 7},
      {"defaultId wins", 0x3 | 0x100, 2, {"\r"}, 2},
      {"defbutton beyond count", 0x1 | 0x300, 0, {"\r"}, 1},
      {"right", 0x1, 0, {kRight, "\r"}, 2},
      {"right in app mode", 0x1, 0, {kRightApp, "\r"}, 2},
      {"tab", 0x3, 0, {"\t", "\t", "\r"}, 2},
      {"left wraps", 0x3, 0, {kLeft, "\r"}, 2},
      {"shift tab", 0x2, 0, {kShiftTab, "\r"}, 5},
      {"letter", 0x2, 0, {"r"}, 4},
      {"capital letter", 0x4, 0, {"N"}, 7},
      {"shared letter moves", 0x6, 0, {"c", "\r"}, 11},
      {"shared letter twice", 0x6, 0, {"c", "c", "\r"}, 2},
      {"esc on lone ok", 0x0, 0, {kEsc}, 1},
      {"esc with cancel", 0x1, 0, {kEsc}, 2},
      {"esc on yes no ignored", 0x4, 0, {kEsc, "y"}, 6},
      {"esc on abort retry ignore ignored", 0x2, 0, {kEsc, "\r"}, 3},
      {"esc on ok help", 0x0 | 0x4000, 0, {kEsc}, 1},
      {"help stays open", 0x4 | 0x4000, 9, {"\r", "h", "\t", "\r"}, 6},
      {"unknown keys ignored", 0x4, 0, {"x", "1", "\x1b[3~", "\r"}, 6},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    PtyJob job(OneBox(c.style, 0, c.defaultId));
    ASSERT_TRUE(WaitForBox(job));
    for (const std::string& key : c.keys) {
      job.Send(key);
      std::this_thread::sleep_for(std::chrono::milliseconds(120));
    }
    const Report report = job.TakeReport();
    EXPECT_EQ(report.result, c.result);
    ExpectCleanEnd(report);
    EXPECT_TRUE(SameModes(job.Modes(), job.InitialModes()));
  }
}

TEST(TerminalBoxTest, DrawsCaptionIconTextAndTheFocus) {
  PtyJob job([](Report& report) {
    report.result = Show(u"First line\r\nSecond line", u"Caption", 0x23, 0, 0);
  });
  ASSERT_TRUE(job.WaitFor("\x1b[1mCaption\x1b[0m"));
  ASSERT_TRUE(job.WaitFor("\x1b[2K(?) First line\r"));
  ASSERT_TRUE(job.WaitFor("\x1b[2K    Second line\r"));
  ASSERT_TRUE(job.WaitFor("\x1b[7m> Yes <\x1b[0m  [ No ]  [ Cancel ]"));
  job.Send(kRight);
  EXPECT_TRUE(job.WaitFor("[ Yes ]  \x1b[7m> No <\x1b[0m  [ Cancel ]"));
  job.Send(kRight);
  EXPECT_TRUE(job.WaitFor("[ Yes ]  [ No ]  \x1b[7m> Cancel <\x1b[0m"));
  job.Send("\r");
  EXPECT_EQ(job.TakeReport().result, 2);
}

TEST(TerminalBoxTest, ControlCharactersInTheTextAreNotSentToTheTerminal) {
  PtyJob job([](Report& report) {
    report.result = Show(u"a\x1b]0;title\x07z", u"Caption", 0x0, 0, 0);
  });
  ASSERT_TRUE(WaitForBox(job));
  job.Send("\r");
  EXPECT_EQ(job.TakeReport().result, 1);
  EXPECT_NE(job.screen().find("a\xEF\xBF\xBD]0;title\xEF\xBF\xBDz"),
            std::string::npos);
  EXPECT_EQ(job.screen().find("\x1b]0;"), std::string::npos);
}

TEST(TerminalBoxTest, TimesOutWith32000AndCountsDown) {
  PtyJob job(OneBox(0x4, 2, 0));
  ASSERT_TRUE(job.WaitFor("Closes in 2 s"));
  EXPECT_TRUE(job.WaitFor("Closes in 1 s"));
  const Report report = job.TakeReport();
  EXPECT_EQ(report.result, 32000);
  EXPECT_GE(report.elapsedMs, 1950);
  EXPECT_LE(report.elapsedMs, 2500);
  ExpectCleanEnd(report);
  EXPECT_TRUE(SameModes(job.Modes(), job.InitialModes()));
}

TEST(TerminalBoxTest, AnswerBeforeTheTimeOut) {
  PtyJob job(OneBox(0x1, 30, 0));
  ASSERT_TRUE(job.WaitFor("Closes in 30 s"));
  job.Send(kEsc);
  const Report report = job.TakeReport();
  EXPECT_EQ(report.result, 2);
  EXPECT_LT(report.elapsedMs, 2000);
  ExpectCleanEnd(report);
}

struct SignalCase {
  const char* name;
  int signal;
  const char* keys;  // typed on the terminal; none: sent with kill
};

TEST(TerminalBoxTest, EndingSignalsRestoreTheModesThenEndTheProcess) {
  const SignalCase cases[] = {
      {"SIGTERM", SIGTERM, nullptr},
      {"SIGHUP", SIGHUP, nullptr},
      {"Ctrl-C", SIGINT, "\x03"},
      {"Ctrl-backslash", SIGQUIT, "\x1c"},
  };
  for (const SignalCase& c : cases) {
    SCOPED_TRACE(c.name);
    PtyJob job(OneBox(0x4, 0, 0));
    ASSERT_TRUE(WaitForBox(job));
    EXPECT_FALSE(SameModes(job.Modes(), job.InitialModes()));
    if (c.keys != nullptr) {
      job.Send(c.keys);
    } else {
      kill(job.boxPid(), c.signal);
    }
    const int status = job.TakeStatus();
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), c.signal);
    EXPECT_TRUE(SameModes(job.Modes(), job.InitialModes()));
    EXPECT_TRUE(job.WaitFor("\x1b[?25h"));  // the cursor is back
  }
}

TEST(TerminalBoxTest, CtrlZStopsWithTheModesRestoredAndContinuesTheBox) {
  PtyJob job(OneBox(0x4, 0, 0));
  ASSERT_TRUE(WaitForBox(job));
  job.Send("\x1a");
  ASSERT_TRUE(job.WaitStopped());
  EXPECT_TRUE(SameModes(job.Modes(), job.InitialModes()));
  kill(job.boxPid(), SIGCONT);
  ASSERT_TRUE(WaitForBox(job));  // drawn anew
  EXPECT_EQ(job.Modes().c_lflag & (ICANON | ECHO), 0u);
  job.Send("n");
  const Report report = job.TakeReport();
  EXPECT_EQ(report.result, 7);
  ExpectCleanEnd(report);
  EXPECT_TRUE(SameModes(job.Modes(), job.InitialModes()));
}

std::atomic<int> hostSignals{0};
void CountSignal(int) { ++hostSignals; }

TEST(TerminalBoxTest, ProcessOwnSigintHandlerRunsAndTheBoxGoesOn) {
  PtyJob job(
      [](Report& report) {
        report.result = Show(u"Pick one", u"Caption", 0x4, 0, 0);
        report.hostSignals = hostSignals;
      },
      [] { signal(SIGINT, CountSignal); });
  ASSERT_TRUE(WaitForBox(job));
  job.Send("\x03");
  ASSERT_TRUE(WaitForBox(job));  // drawn anew, with the box's modes again
  EXPECT_EQ(job.Modes().c_lflag & (ICANON | ECHO), 0u);
  job.Send("\r");
  const Report report = job.TakeReport();
  EXPECT_EQ(report.result, 6);
  EXPECT_EQ(report.hostSignals, 1);
  ExpectCleanEnd(report);  // the process's handler is still in place
}

TEST(TerminalBoxTest, IgnoredSigintStaysIgnored) {
  PtyJob job(
      [](Report& report) {
        report.result = Show(u"Pick one", u"Caption", 0x4, 0, 0);
      },
      [] { signal(SIGINT, SIG_IGN); });
  ASSERT_TRUE(WaitForBox(job));
  job.Send("\x03");
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  job.Send("\r");
  const Report report = job.TakeReport();
  EXPECT_EQ(report.result, 6);
  ExpectCleanEnd(report);
}

// Two threads share the one terminal: the second box waits its turn, and
// each times out on its own clock, counted from its call.
TEST(TerminalBoxTest, TwoThreadsTakeTurnsAndTimeOutOnTheirOwn) {
  PtyJob job([](Report& report) {
    std::thread first([&report] {
      report.result = Show(u"one", u"First", 0x4, 1, 0, &report.elapsedMs);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    report.secondResult =
        Show(u"two", u"Second", 0x1, 3, 0, &report.secondElapsedMs);
    first.join();
  });
  ASSERT_TRUE(job.WaitFor("\x1b[1mFirst\x1b[0m"));
  ASSERT_TRUE(job.WaitFor("\x1b[1mSecond\x1b[0m"));
  job.WaitFor("Closes in 1 s", 4000);
  const Report report = job.TakeReport();
  EXPECT_EQ(report.result, 32000);
  EXPECT_EQ(report.secondResult, 32000);
  EXPECT_GE(report.elapsedMs, 950);
  EXPECT_LE(report.elapsedMs, 1500);
  EXPECT_GE(report.secondElapsedMs, 2850);
  EXPECT_LE(report.secondElapsedMs, 3500);
  ExpectCleanEnd(report);
}

TEST(TerminalBoxTest, InvalidButtonSetDrawsNothingAndGivesZero) {
  PtyJob job([](Report& report) {
    report.result = Show(u"x", u"Caption", 0x7, 5, 0, &report.elapsedMs);
  });
  const Report report = job.TakeReport();
  EXPECT_EQ(report.result, 0);
  EXPECT_LT(report.elapsedMs, 500);
  EXPECT_EQ(job.screen().find("Caption"), std::string::npos);
  ExpectCleanEnd(report);
}

// Without a display and without a controlling terminal there is nowhere to
// show the box: 0 at once.
TEST(TerminalBoxTest, NoDisplayAndNoTerminalGivesZeroAtOnce) {
  int results[2];
  ASSERT_EQ(pipe(results), 0);
  const pid_t child = fork();
  if (child == 0) {
    setsid();  // a new session has no controlling terminal
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    long long elapsed[2] = {};
    elapsed[0] = Show(u"x", u"c", 0x4, 10, 0, &elapsed[1]);
    if (write(results[1], elapsed, sizeof elapsed) != sizeof elapsed) _exit(1);
    _exit(0);
  }
  close(results[1]);
  long long got[2] = {-1, -1};
  EXPECT_EQ(read(results[0], got, sizeof got),
            static_cast<ssize_t>(sizeof got));
  close(results[0]);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(got[0], 0);
  EXPECT_LT(got[1], 1000);
}

}  // namespace
}  // namespace vorlick_test
