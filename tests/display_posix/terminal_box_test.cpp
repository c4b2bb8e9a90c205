// The terminal box through a pseudo-terminal: what it draws, the keys, the
// time-out, and the terminal's modes after every way out, signals included.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "key_cases.h"
#include "pty_job.h"
#include "vorlick.h"

namespace vorlick_test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr char kEsc[] = "\x1b";
// xterm's sequences, as Debian's terminfo entry for it has them.
const std::string kBold = "\x1b[1m", kPlain = "\x1b(B\x1b[m",
                  kReverse = "\x1b[7m", kErase = "\x1b[K";
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
  return job.WaitFor(kBold + "Caption" + kPlain) &&
         job.WaitFor(kReverse + "> ");
}

// A button's label with its access key underlined, as xterm gets it: after
// the key the reverse video of the focused button is switched on again.
std::string Label(const std::string& before, const std::string& key,
                  const std::string& after, bool focused = false) {
  return before + "\x1b[4m" + key + "\x1b[24m" + (focused ? kReverse : "") +
         after;
}

std::string Focused(const std::string& before, const std::string& key,
                    const std::string& after) {
  return kReverse + "> " + Label(before, key, after, true) + " <" + kPlain;
}

// What the box turns off while it is up: line editing, echo, and the
// terminal's own extensions (such as a literal-next key).
constexpr tcflag_t kLineModes = ICANON | ECHO | IEXTEN;

void ExpectCleanEnd(const Report& report) {
  EXPECT_TRUE(report.modesSame);
  EXPECT_TRUE(report.fdsSame);
  EXPECT_TRUE(report.signalsSame);
}

// The shared case's keys as xterm sends them, one string a key.
std::vector<std::string> TerminalKeys(const std::string& keys) {
  static const std::pair<const char*, const char*> kKeys[] = {
      {"Enter", "\r"},    {"Space", " "},    {"Escape", kEsc},
      {"Left", kLeft},    {"Right", kRight}, {"Up", "\x1b[A"},
      {"Down", "\x1b[B"}, {"Tab", "\t"},     {"BackTab", kShiftTab}};
  std::istringstream words(keys);
  std::vector<std::string> out;
  for (std::string key; words >> key;) {
    for (const auto& [name, bytes] : kKeys) {
      if (key == name) key = bytes;
    }
    out.push_back(key);
  }
  return out;
}

void RunKeyCase(const char* name, unsigned style, int defaultId,
                const std::vector<std::string>& keys, int result) {
  SCOPED_TRACE(name);
  PtyJob job(OneBox(style, 0, defaultId));
  ASSERT_TRUE(WaitForBox(job));
  for (const std::string& key : keys) {  // apart, so a lone ESC stays one
    job.Send(key);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
  }
  const Report report = job.TakeReport();
  EXPECT_EQ(report.result, result);
  ExpectCleanEnd(report);
  EXPECT_TRUE(SameModes(job.Modes(), job.InitialModes()));
}

TEST(TerminalBoxTest, KeysChooseAsTheContractSays) {
  for (const KeyCase& c : kKeyCases) {
    RunKeyCase(c.name, c.style, c.defaultId, TerminalKeys(c.keys), c.result);
  }
  // Sequences of the terminal's own: application cursor keys, Delete.
  RunKeyCase("right in app mode", 0x1, 0, {kRightApp, "\r"}, 2);
  RunKeyCase("delete ignored", 0x4, 0, {"\x1b[3~", "\r"}, 6);
}

// An arrow key's sequence may reach the box in parts: ESC and, a moment
// later, the rest is still the arrow, not the Escape key.
TEST(TerminalBoxTest, ArrowKeyInPartsIsNoEscape) {
  PtyJob job(OneBox(0x3, 0, 0));
  ASSERT_TRUE(WaitForBox(job));
  job.Send(kEsc);
  std::this_thread::sleep_for(std::chrono::milliseconds(10));
  job.Send(std::string(kRight).substr(1) + "\r");
  EXPECT_EQ(job.TakeReport().result, 7);
}

TEST(TerminalBoxTest, DrawsCaptionIconTextAndTheFocus) {
  PtyJob job([](Report& report) {
    report.result = Show(u"First line\r\nSecond line", u"Caption", 0x23, 0, 0);
  });
  ASSERT_TRUE(job.WaitFor(kBold + "Caption" + kPlain));
  ASSERT_TRUE(job.WaitFor(kErase + "(?) First line\r"));
  ASSERT_TRUE(job.WaitFor(kErase + "    Second line\r"));
  const std::string yes = Label("", "Y", "es"), no = Label("", "N", "o"),
                    cancel = Label("", "C", "ancel");
  ASSERT_TRUE(job.WaitFor(Focused("", "Y", "es") + "  [ " + no + " ]  [ " +
                          cancel + " ]"));
  job.Send(kRight);
  EXPECT_TRUE(job.WaitFor("[ " + yes + " ]  " + Focused("", "N", "o") + "  [ " +
                          cancel + " ]"));
  job.Send(kRight);
  EXPECT_TRUE(job.WaitFor("[ " + yes + " ]  [ " + no + " ]  " +
                          Focused("", "C", "ancel")));
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
  EXPECT_EQ(job.Modes().c_lflag & kLineModes, 0u);
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
  EXPECT_EQ(job.Modes().c_lflag & kLineModes, 0u);
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
  ASSERT_TRUE(job.WaitFor(kBold + "First" + kPlain));
  ASSERT_TRUE(job.WaitFor(kBold + "Second" + kPlain));
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

// No box for an invalid button set, nor for a process in the background of
// its terminal, which the terminal would stop for reading it.
TEST(TerminalBoxTest, DrawsNothingAndGivesZeroAtOnce) {
  struct Case {
    const char* name;
    unsigned style;
    BoxSetUp setUp;
  };
  const Case cases[] = {
      {"invalid button set", 0x7, {}},
      {"in the background", 0x4, [] { tcsetpgrp(STDIN_FILENO, getppid()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PtyJob job(OneBox(c.style, 5, 0), c.setUp);
    const Report report = job.TakeReport();
    EXPECT_EQ(report.result, 0);
    EXPECT_LT(report.elapsedMs, 500);
    EXPECT_EQ(job.screen().find("Caption"), std::string::npos);
    ExpectCleanEnd(report);
  }
}

// A terminal without cursor movement gets plain text: no escape byte at all,
// the countdown (above ten seconds at round numbers only) and the focus on
// new lines, and the keys still answer.
TEST(TerminalBoxTest, PlainTextWhereTheTerminalCannotMoveTheCursor) {
  for (const char* term : {"dumb", "no-such-terminal", ""}) {
    SCOPED_TRACE(term);
    PtyJob job(OneBox(0x3, 12, 0), [term] {
      if (term[0] == 0) {
        unsetenv("TERM");
      } else {
        setenv("TERM", term, 1);
      }
    });
    ASSERT_TRUE(job.WaitFor("Closes in 10 s", 4000));
    job.Send("\t");
    ASSERT_TRUE(job.WaitFor("[ Yes ]  > No <  [ Cancel ]"));
    job.Send("\r");
    const Report report = job.TakeReport();
    EXPECT_EQ(report.result, 7);
    ExpectCleanEnd(report);
    std::string screen = job.screen();
    EXPECT_EQ(screen.find('\x1b'), std::string::npos);
    std::erase(screen, '\r');  // the terminal's own, before its line feeds
    EXPECT_EQ(screen,
              "\nCaption\n\nPick one\n\nCloses in 12 s\n\n> Yes <  [ No ]  "
              "[ Cancel ]\nCloses in 10 s\n[ Yes ]  > No <  [ Cancel ]\n");
  }
}

// What is drawn between the terminal's line breaks and cursor moves, escape
// sequences left out.
std::vector<std::string> DrawnRuns(const std::string& bytes) {
  std::vector<std::string> runs(1);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\x1b') {
      // ESC [ parameters final, or ESC and one more byte (and its charset).
      if (bytes[++i] == '[') {
        while (i + 1 < bytes.size() &&
               (bytes[i + 1] < 0x40 || bytes[i + 1] > 0x7E))
          ++i;
        ++i;
      } else if (bytes[i] == '(') {
        ++i;
      }
      runs.emplace_back();
    } else if (bytes[i] == '\r' || bytes[i] == '\n') {
      runs.emplace_back();
    } else {
      runs.back() += bytes[i];
    }
  }
  return runs;
}

size_t Widest(const std::vector<std::string>& runs) {
  size_t widest = 0;
  for (const std::string& run : runs) widest = std::max(widest, run.size());
  return widest;
}

TEST(TerminalBoxTest, ResizeLaysTheBoxOutAgainInPlace) {
  const std::u16string text(150, u'w');
  PtyJob job([&text](Report& report) {
    report.result =
        Show((u"Some " + text).c_str(), u"Caption", 0x2 | 0x4000 | 0x40, 30, 0);
  });
  ASSERT_TRUE(WaitForBox(job));
  const size_t before = job.screen().size();
  EXPECT_EQ(Widest(DrawnRuns(job.screen())), 79u);
  job.Resize(40, 24);
  // Erased from the box's first line down, then drawn again.
  ASSERT_TRUE(job.WaitFor("\r\x1b[J" + kBold + "Caption" + kPlain));
  // The buttons no longer fit one line.
  ASSERT_TRUE(job.WaitFor("  [ " + Label("", "I", "gnore") + " ]\r"));
  ASSERT_TRUE(job.WaitFor("\n[ " + Label("", "H", "elp") + " ]\r"));
  job.Send("\r");
  const Report report = job.TakeReport();
  EXPECT_EQ(report.result, 3);
  ExpectCleanEnd(report);
  const std::vector<std::string> after = DrawnRuns(job.screen().substr(before));
  EXPECT_EQ(Widest(after), 39u);
  EXPECT_NE(
      std::find(after.begin(), after.end(), "    " + std::string(35, 'w')),
      after.end());
}

// The box's words in the user's language, and its access keys: typed in
// either case, in any script.
TEST(TerminalBoxTest, SpeaksTheUsersLanguage) {
  struct Case {
    const char* lang;
    unsigned style;
    std::string countdown;
    std::string buttons;
    std::string key;
    int result;
  };
  const Case cases[] = {
      {"de_DE.UTF-8", 0x2, "Schlie\xC3\x9Ft in 30 s",
       Focused("Abbr", "u", "ch") + "  [ " + Label("", "W", "iederholen") +
           " ]  [ " + Label("", "I", "gnorieren") + " ]",
       "u", 3},
      {"fr_FR.UTF-8", 0x2, "Fermeture dans 30 s",
       Focused("A", "b", "andonner") + "  [ " +
           Label("R\xC3\xA9", "p", "\xC3\xA9ter") + " ]  [ " +
           Label("", "I", "gnorer") + " ]",
       "P", 4},
      {"ja_JP.UTF-8", 0x3,
       "30 \xE7\xA7\x92\xE5\xBE\x8C\xE3\x81\xAB\xE9\x96\x89"
       "\xE3\x81\x98\xE3\x81\xBE\xE3\x81\x99",
       Focused("\xE3\x81\xAF\xE3\x81\x84(", "Y", ")") + "  [ " +
           Label("\xE3\x81\x84\xE3\x81\x84\xE3\x81\x88(", "N", ")") + " ]  [ " +
           Label(
               "\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\xB3\xE3\x82\xBB\xE3\x83\xAB(",
               "C", ")") +
           " ]",
       "n", 7},
      {"ru_RU.UTF-8", 0x4, "",
       Focused("", "\xD0\x94", "\xD0\xB0") + "  [ " +
           Label("", "\xD0\x9D", "\xD0\xB5\xD1\x82") + " ]",
       "\xD0\xBD", 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lang);
    PtyJob job(OneBox(c.style, c.countdown.empty() ? 0 : 30, 0),
               [&c] { setenv("LANG", c.lang, 1); });
    if (!c.countdown.empty()) {
      ASSERT_TRUE(job.WaitFor(c.countdown));
    }
    ASSERT_TRUE(job.WaitFor(c.buttons));
    job.Send(c.key);
    const Report report = job.TakeReport();
    EXPECT_EQ(report.result, c.result);
    ExpectCleanEnd(report);
  }
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
