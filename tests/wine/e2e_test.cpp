// End-to-end tests: the real Tandrel.exe, started with exact command lines,
// beside a recording Vorlick.dll that returns the result each test chooses.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "recorded_run.h"
#include "run_cases.h"

namespace {

constexpr DWORD kStatusDllNotFound = 0xC0000135;

std::u16string FullUtf16Request() { return kEveryField; }

class TandrelRun : public RecordedRunTest {
 protected:
  // Expects a completed run: one display call, the file gone, the exit code.
  Record ExpectCompletedRun(const ProcessOutcome& outcome, DWORD exitCode) {
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, exitCode);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_FALSE(FileExists(request_));
    std::vector<Record> calls = Calls();
    EXPECT_EQ(calls.size(), 1u);
    return calls.empty() ? Record{} : calls[0];
  }
};

TEST(WineSession, AnsiCodePageIs1252) { EXPECT_EQ(GetACP(), 1252u); }

TEST_F(TandrelRun, CompletedRunsFollowTheContract) {
  for (const CompletedRun& c : CompletedRuns()) {
    SCOPED_TRACE(std::string(c.name) + ", result " + std::to_string(c.result));
    DeleteFileW(record_.c_str());
    ASSERT_TRUE(WriteBytes(request_, c.request));
    SetEnvironmentVariableW(L"VORLICK_RESULT",
                            std::to_wstring(c.result).c_str());
    // The exit code is the whole 32-bit result: -1 reads as 0xFFFFFFFF.
    Record call =
        ExpectCompletedRun(RunWithPath(request_), static_cast<DWORD>(c.result));
    EXPECT_EQ(call.header.owner, 0u);
    EXPECT_EQ(call.title, c.title);
    EXPECT_EQ(call.body, c.body);
    EXPECT_EQ(call.header.style, c.style);
    EXPECT_EQ(call.header.timeout, c.timeout);
    EXPECT_EQ(call.header.defaultId, c.defaultId);
  }
}

TEST_F(TandrelRun, OpenFailuresShowTheErrorBoxAndKeepEverything) {
  const std::wstring folder = folder_ + L"\\a folder";
  CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(request_, Utf16Bytes(FullUtf16Request())));
  for (const FailedOpen& c : kFailedOpens) {
    SCOPED_TRACE(c.name);
    std::wstring path = folder_ + L"\\none.txt";
    if (c.path == FailedOpen::Path::kEmpty) path.clear();
    if (c.path == FailedOpen::Path::kFolder) path = folder;
    if (c.path == FailedOpen::Path::kQuotedRequest) path = Quote(request_);
    ExpectOpenFailure(RunWithPath(path), ToU16(path));
  }
  EXPECT_TRUE(FileExists(request_));
  EXPECT_TRUE(FileExists(folder));
}

TEST_F(TandrelRun, DisplayIsCalledWhileTheFileIsStillOpen) {
  ASSERT_TRUE(WriteBytes(request_, Utf16Bytes(FullUtf16Request())));
  SetEnvironmentVariableW(L"VORLICK_PROBE", request_.c_str());
  Record call = ExpectCompletedRun(RunWithPath(request_), 1);
  EXPECT_EQ(call.header.probeError,
            static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST_F(TandrelRun, CommandLineFormsOfAnOpeningPath) {
  const std::wstring exe = StagedTandrel();
  const std::wstring spaced = folder_ + L"\\dir with blanks";
  CreateDirectoryW(spaced.c_str(), nullptr);
  struct Case {
    const char* name;
    std::wstring requestPath;
    std::wstring commandLine;
  };
  const Case cases[] = {
      {"quoted name, blank", request_, Quote(exe) + L" " + request_},
      {"quoted name, no blank", request_, Quote(exe) + request_},
      {"unquoted name", request_, exe + L" " + request_},
      {"blanks and tabs skipped", request_, Quote(exe) + L" \t \t" + request_},
      {"unquoted path with blanks", spaced + L"\\my request.txt",
       Quote(exe) + L" " + spaced + L"\\my request.txt"},
      {"bare name", request_, L"Tandrel " + request_},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileW(record_.c_str());
    ASSERT_TRUE(WriteBytes(c.requestPath, Utf16Bytes(FullUtf16Request())));
    ProcessOutcome outcome = Run(c.commandLine);
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 1u);
    EXPECT_TRUE(outcome.boxes.empty());
    EXPECT_FALSE(FileExists(c.requestPath));
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].title, u"Hello");
  }
}

TEST_F(TandrelRun, CommandLineFormsThatCannotOpen) {
  const std::wstring exe = StagedTandrel();
  struct Case {
    const char* name;
    std::wstring commandLine;
    std::u16string shownPath;
  };
  const Case cases[] = {
      {"no argument", Quote(exe), u""},
      {"only blanks after the name", Quote(exe) + L"   ", u""},
      {"quoted path keeps its quotes", Quote(exe) + L" " + Quote(request_),
       ToU16(Quote(request_))},
      {"name without closing quote takes the line",
       L"\"" + exe + L" " + request_, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteBytes(request_, Utf16Bytes(FullUtf16Request())));
    ExpectOpenFailure(Run(c.commandLine), c.shownPath);
    EXPECT_TRUE(FileExists(request_));
  }
}

TEST_F(TandrelRun, TrailingBlanksFollowTheWindowsFileNameRule) {
  // Windows drops trailing blanks from a file name, so the file still opens
  // and is deleted; the blanks reach the open and the delete unchanged.
  ASSERT_TRUE(WriteBytes(request_, Utf16Bytes(FullUtf16Request())));
  ExpectCompletedRun(RunWithPath(request_ + L"  "), 1);
}

TEST_F(TandrelRun, LongPathIsCutSoTheMessageFits) {
  // The message buffer holds 2048 units with the terminator: the fixed text
  // takes 31, so 2016 units of the path are shown.
  std::wstring path = folder_ + L"\\" + std::wstring(3000, L'p') + L"\\x.txt";
  ProcessOutcome outcome = RunWithPath(path);
  ASSERT_TRUE(outcome.finished);
  ASSERT_EQ(outcome.boxes.size(), 1u);
  std::u16string expected = kOpenFailureText + ToU16(path.substr(0, 2016));
  EXPECT_EQ(ToU16(outcome.boxes[0].text), expected);
  EXPECT_EQ(outcome.exitCode, 0u);
}

TEST_F(TandrelRun, MissingLibraryStopsTheProgramAtLoad) {
  ASSERT_TRUE(WriteBytes(request_, Utf16Bytes(FullUtf16Request())));
  ProcessOutcome outcome =
      Run(Quote(StagedTandrelWithoutLibrary()) + L" " + request_,
          StagedTandrelWithoutLibrary());
  if (outcome.started) {
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, kStatusDllNotFound);
  }
  EXPECT_TRUE(outcome.boxes.empty());
  EXPECT_TRUE(FileExists(request_));
  EXPECT_TRUE(Calls().empty());
}

}  // namespace
