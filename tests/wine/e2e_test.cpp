// End-to-end tests: the real Tandrel.exe, started with exact command lines,
// beside a recording Vorlick.dll that returns the result each test chooses.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "recorded_run.h"

namespace {

constexpr DWORD kStatusDllNotFound = 0xC0000135;

std::u16string FullUtf16Request() {
  return u"<TITLE>Hello<\\TITLE>\r\n<BODY>World<\\BODY>\r\n<STYLE>4<\\STYLE>"
         u"<TIMEDOUT>10<\\TIMEDOUT><DEFID>6<\\DEFID>";
}

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

TEST_F(TandrelRun, Utf16RequestReachesTheDisplayAndIsDeleted) {
  ASSERT_TRUE(WriteBytes(request_, Utf16Bytes(FullUtf16Request())));
  SetEnvironmentVariableW(L"VORLICK_RESULT", L"6");
  Record call = ExpectCompletedRun(RunWithPath(request_), 6);
  EXPECT_EQ(call.header.owner, 0u);
  EXPECT_EQ(call.caption, u"Hello");
  EXPECT_EQ(call.text, u"World");
  EXPECT_EQ(call.header.style, 4u);
  EXPECT_EQ(call.header.timeout, 10);
  EXPECT_EQ(call.header.defaultId, 6);
}

TEST_F(TandrelRun, AnsiRequestIsReadInCodePage1252) {
  // 0xE9 is e-acute, 0x80 the euro sign, 0x81 undefined (kept as U+0081).
  std::string request =
      "<BODY>Caf\xE9 \x80 \x81<\\BODY><TITLE>Hello<\\TITLE><STYLE> "
      "-36x<\\STYLE>";
  ASSERT_TRUE(WriteBytes(request_, request));
  Record call = ExpectCompletedRun(RunWithPath(request_), 1);
  EXPECT_EQ(call.caption, u"Hello");
  EXPECT_EQ(call.text, u"Caf\u00E9 \u20AC \u0081");
  EXPECT_EQ(call.header.style, static_cast<std::uint32_t>(-36));
  EXPECT_EQ(call.header.timeout, 0);
  EXPECT_EQ(call.header.defaultId, 0);
}

TEST_F(TandrelRun, NumbersReadThroughThePlatformsBestFitConversion) {
  // Fullwidth digits become ASCII digits on their way to 8-bit text.
  ASSERT_TRUE(WriteBytes(
      request_, Utf16Bytes(u"<TITLE><\\TITLE><STYLE>\uFF11\uFF12<\\STYLE>")));
  Record call = ExpectCompletedRun(RunWithPath(request_), 1);
  EXPECT_EQ(call.header.style, 12u);
}

TEST_F(TandrelRun, DisplayIsCalledWhileTheFileIsStillOpen) {
  ASSERT_TRUE(WriteBytes(request_, Utf16Bytes(FullUtf16Request())));
  SetEnvironmentVariableW(L"VORLICK_PROBE", request_.c_str());
  Record call = ExpectCompletedRun(RunWithPath(request_), 1);
  EXPECT_EQ(call.header.probeError,
            static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST_F(TandrelRun, ExitCodeCarriesTheWholeResult) {
  struct Case {
    const wchar_t* result;
    DWORD exitCode;
  };
  const Case cases[] = {
      {L"0", 0},
      {L"1", 1},
      {L"7", 7},
      {L"32000", 32000},
      {L"-1", 0xFFFFFFFF},
      {L"-2147483648", 0x80000000},
      {L"2147483647", 0x7FFFFFFF},
      {L"259", 259},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.result, c.result + wcslen(c.result)));
    DeleteFileW(record_.c_str());
    ASSERT_TRUE(WriteBytes(request_, Utf16Bytes(FullUtf16Request())));
    SetEnvironmentVariableW(L"VORLICK_RESULT", c.result);
    ExpectCompletedRun(RunWithPath(request_), c.exitCode);
  }
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
    EXPECT_EQ(Calls()[0].caption, u"Hello");
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

TEST_F(TandrelRun, MissingFileShowsTheErrorBox) {
  std::wstring missing = folder_ + L"\\no such file.txt";
  ExpectOpenFailure(RunWithPath(missing), ToU16(missing));
}

TEST_F(TandrelRun, DirectoryShowsTheErrorBoxAndStays) {
  std::wstring directory = folder_ + L"\\a folder";
  CreateDirectoryW(directory.c_str(), nullptr);
  ExpectOpenFailure(RunWithPath(directory), ToU16(directory));
  EXPECT_TRUE(FileExists(directory));
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

TEST_F(TandrelRun, EmptyFileStillCallsTheDisplayOnce) {
  ASSERT_TRUE(WriteBytes(request_, ""));
  SetEnvironmentVariableW(L"VORLICK_RESULT", L"2");
  Record call = ExpectCompletedRun(RunWithPath(request_), 2);
  EXPECT_EQ(call.caption, u"");
  EXPECT_EQ(call.text, u"");
  EXPECT_EQ(call.header.style, 0u);
  EXPECT_EQ(call.header.timeout, 0);
  EXPECT_EQ(call.header.defaultId, 0);
}

TEST_F(TandrelRun, OnlyTheFirst2048BytesAreRead) {
  // 1024 units of UTF-16: the title lies inside, the body beyond.
  std::u16string text = u"<TITLE>In<\\TITLE>";
  text.resize(1024, u' ');
  text += u"<BODY>Out<\\BODY>";
  ASSERT_TRUE(WriteBytes(request_, Utf16Bytes(text)));
  Record call = ExpectCompletedRun(RunWithPath(request_), 1);
  EXPECT_EQ(call.caption, u"In");
  EXPECT_EQ(call.text, u"");
}

TEST_F(TandrelRun, FullAnsiRequestKeeps2047UnitsAndLongValuesAreCut) {
  // 2048 non-zero bytes convert to 2047 units and the terminator: a closing
  // tag ending at byte 2047 is still found, one ending at byte 2048 is not.
  // The 2000-unit title is cut to 1023 units.
  struct Case {
    int trailingBytes;
    std::u16string body;
  };
  const Case cases[] = {{1, std::u16string(19, u'b')}, {0, u""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trailingBytes);
    DeleteFileW(record_.c_str());
    std::string request =
        "<TITLE>" + std::string(2000, 'T') + "<\\TITLE><BODY>";
    request += std::string(2048 - request.size() - 7 - c.trailingBytes, 'b');
    request += "<\\BODY>" + std::string(c.trailingBytes, 'x');
    ASSERT_EQ(request.size(), 2048u);
    ASSERT_TRUE(WriteBytes(request_, request));
    Record call = ExpectCompletedRun(RunWithPath(request_), 1);
    EXPECT_EQ(call.caption, std::u16string(1023, u'T'));
    EXPECT_EQ(call.text, c.body);
  }
}

TEST_F(TandrelRun, LongNumberTextIsReadFromItsFirst19Bytes) {
  std::string request =
      "<STYLE>1234567890123456789012345<\\STYLE>"
      "<TIMEDOUT>" +
      std::string(1500, '7') +
      "<\\TIMEDOUT>"
      "<DEFID>                   5<\\DEFID>";
  ASSERT_TRUE(WriteBytes(request_, request));
  Record call = ExpectCompletedRun(RunWithPath(request_), 1);
  // The first 19 digits, wrapped to 32 bits; 19 blanks leave no digit.
  EXPECT_EQ(call.header.style,
            static_cast<std::uint32_t>(1234567890123456789ull));
  std::uint32_t sevens = 0;
  for (int i = 0; i < 19; ++i) sevens = sevens * 10 + 7;
  EXPECT_EQ(static_cast<std::uint32_t>(call.header.timeout), sevens);
  EXPECT_EQ(call.header.defaultId, 0);
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
