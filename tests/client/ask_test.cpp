// tandrel-ask end to end: the staged program beside the staged tandrel and
// the recording display library, run whole with its standard streams.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <thread>
#include <vector>

#include "kit_test.h"

namespace {

struct AskRun {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

std::string ReadAll(int fd) {
  std::string text;
  char chunk[4096];
  ssize_t got = 0;
  while ((got = read(fd, chunk, sizeof chunk)) > 0) text.append(chunk, got);
  close(fd);
  return text;
}

// Starts tandrel-ask with `args`, `input` on its standard input; `during`
// runs while it does.
AskRun RunAsk(const std::vector<std::string>& args,
              const std::string& input = "",
              const std::function<void(pid_t)>& during = {}) {
  int in[2], out[2], err[2];
  EXPECT_EQ(pipe(in) | pipe(out) | pipe(err), 0);
  const pid_t child = fork();
  if (child == 0) {
    dup2(in[0], 0), dup2(out[1], 1), dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    std::vector<char*> argv{const_cast<char*>(kStagedAsk.c_str())};
    for (const std::string& arg : args)
      argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(in[0]), close(out[1]), close(err[1]);
  EXPECT_EQ(write(in[1], input.data(), input.size()),
            static_cast<ssize_t>(input.size()));
  close(in[1]);
  if (during) during(child);
  AskRun run;
  run.out = ReadAll(out[0]);
  run.err = ReadAll(err[0]);
  int status = 0;
  waitpid(child, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

using TandrelAsk = KitTest;

TEST_F(TandrelAsk, OptionsBecomeTheFiveValuesAndTheAnswerTheStatus) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    const char* result;
    std::uint32_t style;
    std::int32_t timeout;
    std::int32_t defaultId;
    std::u16string title;
    std::u16string body;
    int status;
    const char* out;
  };
  const Case cases[] = {
      {{"-t", "Backup", "-b", "yesnocancel", "-i", "warning", "-d", "no", "-T",
        "9", "--help-button", "--topmost", "--right", "--rtl", "-p", "Done?"},
       "",
       "7",
       0x1C4033,
       9,
       7,
       u"Backup",
       u"Done?",
       7,
       "no\n"},
      {{"--style=4294967295", "-b", "yesno", "--", "-x"},
       "",
       "32000",
       0xFFFFFFFF,
       0,
       0,
       u"",
       u"-x",
       124,
       ""},
      {{"-pbOKCANCEL", "-tT\xC3\xA9", "-T0", "-"},
       "Line 1\r\nLine 2 \xF0\x9F\x98\x80\r\n",
       "0",
       1,
       0,
       0,
       u"T\u00e9",
       u"Line 1\r\nLine 2 \U0001F600",
       0,
       "none\n"},
      {{"--icon", "information", "--default=tryagain", "-p", "x"},
       "",
       "11",
       0x40,
       0,
       10,
       u"",
       u"x",
       11,
       "continue\n"},
      {{"-i", "none", "x"}, "", "1", 0, 0, 0, u"", u"x", 1, ""},
      {{"-t", "First", "-t", "Last", "x"},
       "",
       "1",
       0,
       0,
       0,
       u"Last",
       u"x",
       1,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    setenv("VORLICK_RESULT", c.result, 1);
    const AskRun run = RunAsk(c.args, c.input);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
    const std::optional<Recorded> record = TakeRecord();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->style, c.style);
    EXPECT_EQ(record->timeout, c.timeout);
    EXPECT_EQ(record->defaultId, c.defaultId);
    EXPECT_EQ(record->title, c.title);
    EXPECT_EQ(record->body, c.body);
    ASSERT_EQ(record->args.size(), 2u);
    EXPECT_EQ(record->args[0], kStagedTandrel);  // the one beside it
    EXPECT_TRUE(TempIsEmpty());
  }
}

TEST_F(TandrelAsk, ItsOwnFailuresHaveTheirCodesAndOneLine) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string err;
    bool loaderSpeaks = false;  // the system's own line comes first
  };
  const std::string none = folder_.Path("none");
  const Case cases[] = {
      {{}, "", 64, "BODY is missing (see --help)"},
      {{"a", "b"},
       "",
       64,
       "unexpected argument 'b' (BODY is one argument) (see --help)"},
      {{"-x", "a"}, "", 64, "unknown option '-x' (see --help)"},
      {{"--colour", "a"}, "", 64, "unknown option '--colour' (see --help)"},
      // Options without a letter have none, not the character 1.
      {{"-\x01", "a"}, "", 64, "unknown option '-\x01' (see --help)"},
      {{"--print=yes", "a"},
       "",
       64,
       "option '--print' takes no value (see --help)"},
      {{"a", "--title"}, "", 64, "option '--title' needs a value (see --help)"},
      {{"--session=", "a"},
       "",
       64,
       "option '--session=' needs a session ID (see --help)"},
      {{"--user=", "a"},
       "",
       64,
       "option '--user' needs a user name (see --help)"},
      {{"--user", "u", "--session=c1", "a"},
       "",
       64,
       "--session=ID and --user each name a session: give one (see --help)"},
      {{"-T", "-1", "a"},
       "",
       64,
       "--timeout: '-1' is not a whole number (see --help)"},
      {{"-T", "2147483648", "a"},
       "",
       65,
       "--timeout: 2147483648 is more than a request can carry (at most "
       "2147483647)"},
      {{"-t", "a<BODY>", "a"},
       "",
       65,
       "title: holds \"<BODY>\", where the body would be read from"},
      {{std::string(943, 'x')},
       "",
       65,
       "body: is 943 UTF-16 units, but beside the title and the numbers at "
       "most 942 fit (a request holds 2048 bytes, tags included)"},
      {{"-"}, "a\xFF\n", 65, "body: is not UTF-8 (byte 0xFF at byte 2)"},
      {{"-"},
       std::string(65537, 'x'),
       65,
       "body: more than 65536 bytes, far more than a request holds"},
      {{"--program", none, "a"},
       "",
       69,
       none + " cannot be started: No such file or directory"},
      {{"--program", kLonelyTandrel, "a"},
       "",
       69,
       kLonelyTandrel + " did not start: its display library is missing",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.err);
    const AskRun run = RunAsk(c.args, c.input);
    EXPECT_EQ(run.status, c.status);
    const std::string line = "tandrel-ask: " + c.err + "\n";
    if (c.loaderSpeaks) {
      EXPECT_TRUE(run.err.ends_with(line)) << run.err;
    } else {
      EXPECT_EQ(run.err, line);
    }
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(TakeRecord());
    EXPECT_TRUE(TempIsEmpty());
  }
}

TEST_F(TandrelAsk, HelpAndVersion) {
  AskRun run = RunAsk({"x", "--help", "--not-read"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("Usage: tandrel-ask [OPTIONS] BODY\n", 0), 0u);
  run = RunAsk({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "tandrel-ask (Tandrel) " PROJECT_VERSION "\n");
  EXPECT_FALSE(TakeRecord());
}

// A signal to tandrel-ask reaches the box too, and the request goes with it.
TEST_F(TandrelAsk, SignalEndsTheBoxAndRemovesTheRequest) {
  setenv("VORLICK_HOLD", "30", 1);
  const auto start = std::chrono::steady_clock::now();
  const AskRun run = RunAsk({"x"}, "", [this](pid_t child) {
    while (!std::filesystem::exists(record_)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(child, SIGTERM);
  });
  EXPECT_EQ(run.status, 128 + SIGTERM);
  EXPECT_EQ(run.err, "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(TandrelAsk, InstalledBesideTandrelWithItsManualPage) {
  const std::string prefix = folder_.Path("usr");
  const std::string install =
      "cmake --install " BUILD_DIR " --prefix '" + prefix + "' >/dev/null 2>&1";
  ASSERT_EQ(std::system(install.c_str()), 0);
  EXPECT_TRUE(Exists(prefix + "/share/man/man1/tandrel-ask.1.gz"));
  // No display and no terminal: the installed tandrel shows nothing.
  const std::string run = "env -u DISPLAY -u WAYLAND_DISPLAY setsid -w '" +
                          prefix + "/bin/tandrel-ask' -p x </dev/null 2>&1";
  FILE* output = popen(run.c_str(), "r");
  ASSERT_NE(output, nullptr);
  char line[64] = {};
  EXPECT_NE(fgets(line, sizeof line, output), nullptr);
  EXPECT_STREQ(line, "none\n");
  EXPECT_EQ(WEXITSTATUS(pclose(output)), 0);
  EXPECT_TRUE(TempIsEmpty());
}

}  // namespace
