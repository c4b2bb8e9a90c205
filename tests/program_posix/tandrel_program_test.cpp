// The native tandrel program, run whole on real request files: without any
// display, on a pseudo-terminal (terminal box), on the shared test display
// (GTK box, also one that ends under the box), and installed: whole, without
// its display library or without the GTK helper.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "program_cases.h"
#include "program_run.h"
#include "pty_job.h"
#include "temp_folder.h"
#include "test_display.h"

namespace {

std::string Program() { return TANDREL_PROGRAM; }

std::string ReadAll(int fd) {
  std::string text;
  char chunk[512];
  ssize_t got = 0;
  while ((got = read(fd, chunk, sizeof chunk)) > 0) text.append(chunk, got);
  return text;
}

struct Outcome {
  int status = -1;
  std::string errors;  // standard error
  long long elapsedMs = 0;
};

// Runs tandrel (or `program`, as its own name) with `path` as a job without a
// terminal and, unless `display` is given, without a display: its box cannot
// be shown anywhere.
Outcome RunDetached(const std::string& path, const std::string& display = "",
                    const std::string& program = Program()) {
  int errors[2];
  EXPECT_EQ(pipe(errors), 0);
  const long long start = NowMs();
  pid_t child = fork();
  if (child == 0) {
    setsid();  // no controlling terminal
    int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(errors[1], 2);
    close(errors[0]);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("GDK_BACKEND");
    if (display.empty()) {
      unsetenv("DISPLAY");
    } else {
      setenv("DISPLAY", display.c_str(), 1);
    }
    execl(program.c_str(), program.c_str(), path.c_str(), nullptr);
    _exit(127);
  }
  close(errors[1]);
  Outcome outcome;
  outcome.status = WaitExit(child, 30000);
  outcome.elapsedMs = NowMs() - start;
  outcome.errors = ReadAll(errors[0]);
  close(errors[0]);
  return outcome;
}

const std::string kYesNo =
    "<TITLE>Tandrel question<\\TITLE><BODY>Go on?<\\BODY>"
    "<STYLE>36<\\STYLE><DEFID>7<\\DEFID>";

TEST(TandrelProgram, WithoutDisplayOrTerminalTheRunStillCompletes) {
  TempFolder folder;
  std::string path = folder.Write("request.txt", kYesNo);
  Outcome outcome = RunDetached(path);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.errors, "");
  EXPECT_LT(outcome.elapsedMs, 5000);
  EXPECT_FALSE(Exists(path));
}

TEST(TandrelProgram, OpenFailureGoesToStandardErrorAndKeepsEverything) {
  TempFolder folder;
  mkdir(folder.Path("a folder").c_str(), 0700);
  for (const std::string& path :
       {folder.Path("missing.txt"), folder.Path("a folder")}) {
    Outcome outcome = RunDetached(path);
    EXPECT_EQ(outcome.status, 0) << path;
    EXPECT_EQ(outcome.errors,
              "ERROR: Tandrel.exe. Can not open file " + path + "\n");
  }
  EXPECT_TRUE(Exists(folder.Path("a folder")));
}

TEST(TandrelProgram, ArgumentsAreJoinedIntoOnePath) {
  TempFolder folder;
  std::string path = folder.Write("my request.txt", kYesNo);
  int errors[2];
  ASSERT_EQ(pipe(errors), 0);
  pid_t child = fork();
  if (child == 0) {
    setsid();
    unsetenv("DISPLAY");
    dup2(errors[1], 2);
    std::string first = folder.Path("my");
    execl(Program().c_str(), "tandrel", first.c_str(), "request.txt", nullptr);
    _exit(127);
  }
  close(errors[1]);
  EXPECT_EQ(WaitExit(child, 10000), 0);
  EXPECT_EQ(ReadAll(errors[0]), "");
  close(errors[0]);
  EXPECT_FALSE(Exists(path));
}

// How the program's own path is spelled has no part in the request path.
TEST(TandrelProgram, ProgramInAFolderWithAQuoteAndBlanks) {
  TempFolder folder;
  const std::string weird = folder.Path("we\"ird dir");
  ASSERT_EQ(mkdir(weird.c_str(), 0700), 0);
  const std::string program = weird + "/tandrel";
  ASSERT_EQ(symlink(Program().c_str(), program.c_str()), 0);
  const std::string path = folder.Write("my request.txt", kYesNo);
  Outcome outcome = RunDetached(path, "", program);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.errors, "");
  EXPECT_FALSE(Exists(path));
}

// tandrel on a new pseudo-terminal that is its controlling terminal; with
// `display`, a display named in its environment too.
class TerminalRun : public vorlick_test::PtyJob {
 public:
  explicit TerminalRun(const std::string& path,
                       const std::string& program = Program(),
                       const std::string& display = "")
      : PtyJob([=](vorlick_test::Report&) {
          if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
          unsetenv("GDK_BACKEND");
          execl(program.c_str(), "tandrel", path.c_str(), nullptr);
          _exit(127);
        }) {}

  // The program's exit status; -1 while it runs after `ms`.
  int Status(int ms = 10000) {
    const int status = TakeStatus(ms);
    return status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

// The program's contract, the same table as Tandrel.exe's.
TEST(TandrelProgram, TerminalBoxAnswersAsTheProgramContractSays) {
  for (const ProgramAnswer& c : kProgramAnswers) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string path = folder.Write("request.txt", c.request);
    const long long start = NowMs();
    TerminalRun run(path);
    if (c.shown) {
      ASSERT_TRUE(run.WaitFor("Go on?", 5000));
      if (c.key == ProgramAnswer::Key::kEnter) run.Send("\r");
      if (c.key == ProgramAnswer::Key::kEscape) run.Send("\x1b");
      if (c.key == ProgramAnswer::Key::kNone) {
        EXPECT_TRUE(run.WaitFor("Closes in 2 s", 1000));
      }
    }
    EXPECT_EQ(run.Status(), c.status);
    if (c.shown && c.key == ProgramAnswer::Key::kNone) {
      EXPECT_GE(NowMs() - start, 1900);
    }
    EXPECT_FALSE(Exists(path));
  }
}

// Beyond the table: what only keys can do.
TEST(TandrelProgram, TerminalBoxTakesLettersAndIgnoresEscapeOnYesNo) {
  TempFolder folder;
  std::string path = folder.Write("request.txt", kYesNo);
  TerminalRun run(path);
  ASSERT_TRUE(run.WaitFor("Go on?", 5000));
  run.Send("\x1b");
  EXPECT_EQ(run.Status(1000), -1);  // still waiting for an answer
  run.Send("y");
  EXPECT_EQ(run.Status(), 6);
  EXPECT_FALSE(Exists(path));
}

std::string Shell(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char chunk[256];
    while (fgets(chunk, sizeof chunk, pipe) != nullptr) output += chunk;
    pclose(pipe);
  }
  return output;
}

TEST(TandrelProgram, GtkBoxAnswersAsTheProgramContractSays) {
  const std::string display = SharedDisplay();
  ASSERT_FALSE(display.empty());
  const std::string find = "DISPLAY=" + display +
                           " xdotool search --sync --onlyvisible --name "
                           "'^Tandrel question$' 2>/dev/null | head -1";
  for (const ProgramAnswer& c : kProgramAnswers) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    std::string path = folder.Write("request.txt", c.request);
    const long long start = NowMs();
    pid_t child = fork();
    if (child == 0) {
      setsid();
      setenv("DISPLAY", display.c_str(), 1);
      execl(Program().c_str(), "tandrel", path.c_str(), nullptr);
      _exit(127);
    }
    if (c.shown) {
      std::string window = Shell("timeout 10 sh -c \"" + find + "\"");
      ASSERT_FALSE(window.empty());
      window.pop_back();
      const char* key = c.key == ProgramAnswer::Key::kEnter    ? "Return"
                        : c.key == ProgramAnswer::Key::kEscape ? "Escape"
                                                               : nullptr;
      if (key != nullptr) {
        Shell("DISPLAY=" + display + " xdotool windowfocus --sync " + window +
              " key --delay 80 " + key);
      }
    }
    EXPECT_EQ(WaitExit(child, 10000), c.status);
    if (c.shown && c.key == ProgramAnswer::Key::kNone) {
      EXPECT_GE(NowMs() - start, 1900);
    }
    EXPECT_FALSE(Exists(path));
  }
}

// The run ends with the box: 0 as for a box that could not be shown, the
// request consumed.
TEST(TandrelProgram, DisplayEndingUnderTheGtkBoxGivesStatusZero) {
  PrivateDisplay display;
  ASSERT_FALSE(display.name().empty()) << "no display of its own";
  TempFolder folder;
  const std::string path =
      folder.Write("request.txt", kYesNo + "<TIMEDOUT>20<\\TIMEDOUT>");
  pid_t child = fork();
  if (child == 0) {
    setsid();
    setenv("DISPLAY", display.name().c_str(), 1);
    execl(Program().c_str(), "tandrel", path.c_str(), nullptr);
    _exit(127);
  }
  const std::string find = "DISPLAY=" + display.name() +
                           " timeout 10 xdotool search --sync --onlyvisible "
                           "--name '^Tandrel question$'";
  ASSERT_FALSE(Shell(find).empty());
  display.End();
  EXPECT_EQ(WaitExit(child, 5000), 0);
  EXPECT_FALSE(Exists(path));
}

std::string Install(const TempFolder& prefix) {
  std::string install = "cmake --install " + std::string(TANDREL_BUILD_DIR) +
                        " --prefix " + prefix.Path("usr") + " >/dev/null 2>&1";
  EXPECT_EQ(std::system(install.c_str()), 0);
  return prefix.Path("usr");
}

// Installed, the library finds its helper beside itself: without a
// terminal, only a GTK box can time out.
TEST(TandrelProgram, InstalledItShowsTheGtkBox) {
  const std::string display = SharedDisplay();
  ASSERT_FALSE(display.empty());
  TempFolder prefix;
  const std::string usr = Install(prefix);
  TempFolder folder;
  std::string path =
      folder.Write("request.txt", kYesNo + "<TIMEDOUT>1<\\TIMEDOUT>");
  Outcome outcome = RunDetached(path, display, usr + "/bin/tandrel");
  EXPECT_EQ(outcome.status, 124);
  EXPECT_FALSE(Exists(path));
}

// Where no GTK box can be started (a display named but none there, the
// helper not installed or failing to load, as without GTK) the box goes to
// the terminal.
TEST(TandrelProgram, WithoutAGtkBoxTheTerminalBoxAnswers) {
  const std::string display = SharedDisplay();
  ASSERT_FALSE(display.empty());
  TempFolder prefix;
  const std::string usr = Install(prefix);
  const std::string helper = usr + "/lib/tandrel/vorlick-gtk";
  ASSERT_TRUE(Exists(helper));
  struct Case {
    const char* name;
    std::string display;
    const char* helper;  // what the installed helper becomes; null: kept
  };
  const Case cases[] = {
      {"no display there", ":1999", nullptr},
      {"helper fails to load", display, "#!/bin/sh\nexit 127\n"},
      {"helper missing", display, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.helper != nullptr) {
      unlink(helper.c_str());
      if (c.helper[0] != 0) {
        std::ofstream(helper) << c.helper;
        chmod(helper.c_str(), 0755);
      }
    }
    TempFolder folder;
    std::string path = folder.Write("request.txt", kYesNo);
    TerminalRun run(path, usr + "/bin/tandrel", c.display);
    ASSERT_TRUE(run.WaitFor("Go on?", 5000));
    run.Send("y");
    EXPECT_EQ(run.Status(), 6);
    EXPECT_FALSE(Exists(path));
  }
}

TEST(TandrelProgram, InstalledWithoutItsLibraryItDoesNotStart) {
  TempFolder prefix;
  const std::string usr = Install(prefix);
  std::string program = usr + "/bin/tandrel";
  std::string library = usr + "/lib/tandrel/libvorlick.so";
  ASSERT_TRUE(Exists(program));
  ASSERT_TRUE(Exists(library));
  TempFolder folder;
  std::string path = folder.Write("request.txt", kYesNo);
  // Installed whole, it runs (no display here: the box cannot be shown).
  std::string run = "env -u DISPLAY setsid " + program + " " + path +
                    " </dev/null >/dev/null 2>&1";
  EXPECT_EQ(WEXITSTATUS(std::system(run.c_str())), 0);
  EXPECT_FALSE(Exists(path));
  // Without its library the loader refuses it: the request stays.
  path = folder.Write("request.txt", kYesNo);
  ASSERT_EQ(unlink(library.c_str()), 0);
  EXPECT_EQ(WEXITSTATUS(std::system(run.c_str())), 127);
  EXPECT_TRUE(Exists(path));
}

}  // namespace
