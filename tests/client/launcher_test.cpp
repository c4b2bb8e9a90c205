// The launcher with the real tandrel beside the recording display library,
// and with programs that fail in every way a run can.
#include "launcher.h"

#include <csignal>

#include "kit_test.h"

namespace {

using Launcher = KitTest;

TEST_F(Launcher, ValuesAndTheOneArgumentReachTheProgram) {
  setenv("VORLICK_RESULT", "6", 1);
  const AskRequest request{u"T\u00eftle <TITLE>", u"Line 1\nLine 2 \U0001F600",
                           0x40024, 30, 7};
  const AskOutcome outcome = Ask(kStagedTandrel, request);
  EXPECT_EQ(outcome.status, AskStatus::kAnswered);
  EXPECT_EQ(outcome.buttonId, 6);
  const std::optional<Recorded> record = TakeRecord();
  ASSERT_TRUE(record);
  EXPECT_EQ(record->title, request.title);
  EXPECT_EQ(record->body, request.body);
  EXPECT_EQ(record->style, 0x40024u);
  EXPECT_EQ(record->timeout, 30);
  EXPECT_EQ(record->defaultId, 7);
  ASSERT_EQ(record->args.size(), 2u);
  EXPECT_EQ(record->args[0], kStagedTandrel);
  const std::string& path = record->args[1];
  EXPECT_EQ(path.rfind(temp_ + "/tandrel-ask-", 0), 0u) << path;
  EXPECT_EQ(path.substr(path.size() - 4), ".txt");
  EXPECT_EQ(record->mode, "600");
  EXPECT_TRUE(TempIsEmpty());
}

// tandrel forms its command line as "NAME" ARGUMENTS: a double quote in its
// name would end the name early and spill into the path.
TEST_F(Launcher, AProgramNameWithAQuoteIsNotPassedOn) {
  const std::string folder = folder_.Path("a\"b");
  mkdir(folder.c_str(), 0700);
  std::filesystem::create_symlink(kStagedTandrel, folder + "/tandrel");
  EXPECT_EQ(Ask(folder + "/tandrel", {u"T", u"B", 0, 0, 0}).status,
            AskStatus::kAnswered);
  const std::optional<Recorded> record = TakeRecord();
  ASSERT_TRUE(record);
  ASSERT_EQ(record->args.size(), 2u);
  EXPECT_EQ(record->args[0], "tandrel");
  EXPECT_EQ(record->title, u"T");
}

TEST_F(Launcher, EveryOutcomeLeavesNoRequestBehind) {
  struct Case {
    const char* name;
    std::string program;
    const char* result;
    AskStatus status;
    std::uint32_t exitCode;
    int signal;
    const char* detail;
  };
  const Case cases[] = {
      {"answered", kStagedTandrel, "11", AskStatus::kAnswered, 11, 0, ""},
      {"timed out", kStagedTandrel, "32000", AskStatus::kTimedOut, 124, 0, ""},
      {"not shown", kStagedTandrel, "0", AskStatus::kNotShown, 0, 0, ""},
      {"no library", kLonelyTandrel, "1", AskStatus::kProgramMissing, 127, 0,
       "did not start: its display library is missing"},
      {"no program", folder_.Path("none"), "1", AskStatus::kProgramMissing, 0,
       0, "cannot be started: No such file or directory"},
      {"unreadable", Script("unread", "exit 0"), "1",
       AskStatus::kRequestUnreadable, 0, 0, "could not read the request file"},
      {"failed", Script("failed", "exit 3"), "1", AskStatus::kProgramFailed, 3,
       0, "ended with exit code 3 without running the request"},
      {"killed", Script("killed", "kill -KILL $$"), "1",
       AskStatus::kProgramFailed, 0, SIGKILL, "was ended by signal 9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setenv("VORLICK_RESULT", c.result, 1);
    const AskOutcome outcome = Ask(c.program, {u"T", u"B", 0, 0, 0});
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.exitCode, c.exitCode);
    EXPECT_EQ(outcome.signal, c.signal);
    EXPECT_EQ(outcome.detail, c.detail);
    EXPECT_EQ(TakeRecord().has_value(), c.program == kStagedTandrel);
    EXPECT_TRUE(TempIsEmpty());
  }
}

TEST_F(Launcher, NothingRunsWithoutARequestFile) {
  AskOutcome outcome = Ask(kStagedTandrel, {u"", u"a<\\BODY>", 0, 0, 0});
  EXPECT_EQ(outcome.status, AskStatus::kRequestRefused);
  EXPECT_EQ(outcome.detail,
            "body: holds \"<\\BODY>\", which would end it there");
  const std::string missing = folder_.Path("none");
  setenv("TMPDIR", missing.c_str(), 1);
  outcome = Ask(kStagedTandrel, {u"T", u"B", 0, 0, 0});
  EXPECT_EQ(outcome.status, AskStatus::kNoRequestFile);
  EXPECT_EQ(outcome.detail, "cannot create a request file in " + missing +
                                ": No such file or directory");
  EXPECT_FALSE(TakeRecord());
}

}  // namespace
