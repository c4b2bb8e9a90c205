// The launcher and tandrel-ask.exe under Wine, beside the real Tandrel.exe
// and the recording Vorlick.dll: the exact command line, the values that
// arrive, every outcome, and no request file left in the temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include "launcher.h"
#include "recorded_run.h"
#include "utf8_text.h"

namespace {

std::string Utf8(const std::wstring& text) { return EncodeUtf8(ToU16(text)); }

struct Captured {
  DWORD exitCode = 0;
  std::string out;
  std::string err;
};

// Runs `commandLine` with its standard streams on pipes.
Captured RunCaptured(const std::wstring& program, std::wstring commandLine,
                     const std::string& input) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE in[2], out[2], err[2];  // read end, write end
  CreatePipe(&in[0], &in[1], &inherit, 0);
  CreatePipe(&out[0], &out[1], &inherit, 0);
  CreatePipe(&err[0], &err[1], &inherit, 0);
  for (HANDLE own : {in[1], out[0], err[0]}) {
    SetHandleInformation(own, HANDLE_FLAG_INHERIT, 0);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in[0], startup.hStdOutput = out[1];
  startup.hStdError = err[1];
  PROCESS_INFORMATION process{};
  Captured captured;
  EXPECT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr,
                             nullptr, TRUE, 0, nullptr, nullptr, &startup,
                             &process));
  for (HANDLE theirs : {in[0], out[1], err[1]}) CloseHandle(theirs);
  DWORD done = 0;
  WriteFile(in[1], input.data(), static_cast<DWORD>(input.size()), &done,
            nullptr);
  CloseHandle(in[1]);
  for (auto [pipe, text] :
       {std::pair{out[0], &captured.out}, std::pair{err[0], &captured.err}}) {
    char chunk[512];
    while (ReadFile(pipe, chunk, sizeof chunk, &done, nullptr) && done > 0) {
      text->append(chunk, done);
    }
    CloseHandle(pipe);
  }
  WaitForSingleObject(process.hProcess, kRunDeadlineMs);
  GetExitCodeProcess(process.hProcess, &captured.exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return captured;
}

class KitRun : public RecordedRunTest {
 protected:
  // The scratch folder is made in the temporary folder: TMP is the test's
  // own only while it runs.
  void SetUp() override {
    wchar_t before[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", before, MAX_PATH);
    tmp_ = before;
    RecordedRunTest::SetUp();
    temp_ = folder_ + L"\\my temp";
    CreateDirectoryW(temp_.c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", temp_.c_str());
    SetEnvironmentVariableW(L"FAKE_RECORD", (folder_ + L"\\line").c_str());
  }

  void TearDown() override {
    SetEnvironmentVariableW(L"TMP", tmp_.empty() ? nullptr : tmp_.c_str());
    RecordedRunTest::TearDown();
  }

  bool TempIsEmpty() const {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((temp_ + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    int names = 0;
    do {
      ++names;  // "." and ".."
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names == 2;
  }

  std::wstring Stage(const std::wstring& name) const {
    return ProgramFolder() + L"\\stage\\" + name;
  }

  std::wstring tmp_;
  std::wstring temp_;
};

TEST_F(KitRun, ValuesAndTheExactCommandLineReachTheProgram) {
  SetEnvironmentVariableW(L"VORLICK_RESULT", L"6");
  const AskRequest request{u"T\u00eftle <TITLE>",
                           u"Line 1\r\nLine 2 \U0001F600", 0x40024, 30, 7};
  AskOutcome outcome = Ask(Utf8(Stage(L"ask\\Tandrel.exe")), request);
  EXPECT_EQ(outcome.status, AskStatus::kAnswered);
  EXPECT_EQ(outcome.buttonId, 6);
  const std::vector<Record> calls = Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].title, request.title);
  EXPECT_EQ(calls[0].body, request.body);
  EXPECT_EQ(calls[0].header.style, 0x40024u);
  EXPECT_EQ(calls[0].header.timeout, 30);
  EXPECT_EQ(calls[0].header.defaultId, 7);

  SetEnvironmentVariableW(L"FAKE_EXIT", L"0");
  const std::wstring fake = Stage(L"fake_tandrel.exe");
  outcome = Ask(Utf8(fake), request);
  EXPECT_EQ(outcome.status, AskStatus::kRequestUnreadable);
  std::string line;
  ASSERT_TRUE(ReadBytes(folder_ + L"\\line", line));
  const std::wstring expected =
      L"\"" + fake + L"\" " + temp_ + L"\\tandrel-ask-";
  const std::wstring got(reinterpret_cast<const wchar_t*>(line.data()),
                         line.size() / 2);
  EXPECT_EQ(got.substr(0, expected.size()), expected);
  EXPECT_EQ(got.substr(got.size() - 4), L".txt");
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(KitRun, EveryOutcomeLeavesNoRequestBehind) {
  struct Case {
    std::wstring program;
    const wchar_t* result;  // VORLICK_RESULT, or FAKE_EXIT for the stand-in
    AskStatus status;
    DWORD exitCode;
  };
  const Case cases[] = {
      {L"ask\\Tandrel.exe", L"11", AskStatus::kAnswered, 11},
      {L"ask\\Tandrel.exe", L"32000", AskStatus::kTimedOut, 32000},
      {L"ask\\Tandrel.exe", L"0", AskStatus::kNotShown, 0},
      {L"alone\\Tandrel.exe", L"1", AskStatus::kProgramMissing, 0xC0000135},
      {L"none\\Tandrel.exe", L"1", AskStatus::kProgramMissing, 0},
      {L"fake_tandrel.exe", L"5", AskStatus::kProgramFailed, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.program) + " " + Utf8(c.result));
    SetEnvironmentVariableW(L"VORLICK_RESULT", c.result);
    SetEnvironmentVariableW(L"FAKE_EXIT", c.result);
    const AskOutcome outcome =
        Ask(Utf8(Stage(c.program)), {u"T", u"B", 0, 0, 0});
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.exitCode, c.exitCode);
    EXPECT_TRUE(TempIsEmpty());
  }
}

TEST_F(KitRun, TandrelAskExitsWithTheWholeResult) {
  struct Case {
    std::wstring args;
    std::string input;
    DWORD exitCode;
    std::string out;
    std::string err;
    std::u16string body;  // what arrives, when anything does
    std::u16string title;
    std::uint32_t style;
    std::int32_t timeout;
    std::int32_t defaultId;
  };
  const std::string alone = Utf8(Stage(L"alone\\Tandrel.exe"));
  const Case cases[] = {
      {L"-p -t Hi -b yesno -i question -d no -T 5 \"Go on?\"", "", 32000,
       "timeout\r\n", "", u"Go on?", u"Hi", 0x24, 5, 7},
      {L"-p -", "Line 1\nLine \xC3\xA9\n", 32000, "timeout\r\n", "",
       u"Line 1\nLine \u00e9", u"", 0, 0, 0},
      {L"a<\\BODY>", "", 65, "",
       "tandrel-ask: body: holds \"<\\BODY>\", which would end it there\r\n",
       u"", u"", 0, 0, 0},
      {L"", "", 64, "", "tandrel-ask: BODY is missing (see --help)\r\n", u"",
       u"", 0, 0, 0},
      {L"--program \"" + Stage(L"alone\\Tandrel.exe") + L"\" x", "", 69, "",
       "tandrel-ask: " + alone +
           " did not start: its display library is missing\r\n",
       u"", u"", 0, 0, 0},
  };
  SetEnvironmentVariableW(L"VORLICK_RESULT", L"32000");
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.args));
    DeleteFileW(record_.c_str());
    const std::wstring program = Stage(L"ask\\tandrel-ask.exe");
    const Captured run =
        RunCaptured(program, Quote(program) + L" " + c.args, c.input);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    const std::vector<Record> calls = Calls();
    ASSERT_EQ(calls.size(), c.body.empty() ? 0u : 1u);
    EXPECT_TRUE(TempIsEmpty());
    if (calls.empty()) continue;
    EXPECT_EQ(calls[0].body, c.body);
    EXPECT_EQ(calls[0].title, c.title);
    EXPECT_EQ(calls[0].header.style, c.style);
    EXPECT_EQ(calls[0].header.timeout, c.timeout);
    EXPECT_EQ(calls[0].header.defaultId, c.defaultId);
  }
}

}  // namespace
