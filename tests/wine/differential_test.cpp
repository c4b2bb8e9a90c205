// The differential test, Windows side: the cases whose records the native
// reader wrote, read again by the reader built for Windows (in this process,
// with the platform's own conversions) and by the real Tandrel.exe (through
// the recording display library). Every field must match unit for unit.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "case_file.h"
#include "e2e_support.h"
#include "message_request.h"
#include "temp_folder.h"

namespace {

constexpr DWORD kDeadlineMs = 30000;
constexpr int kDefaultProgramRuns = 300;
constexpr int kShownMismatches = 10;

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

std::string CaseFolder() {
  return Narrow(ProgramFolder()) + "\\differential\\";
}

std::vector<ExpectedRecord> LoadExpected() {
  std::vector<ExpectedRecord> records;
  ReadExpected(CaseFolder() + "expected.bin", records);
  return records;
}

// How many cases the real program runs: each start costs a process under
// Wine, so CI runs the first few hundred and a full run sets the variable.
int ProgramRuns(int available) {
  const char* text = std::getenv("TANDREL_DIFFERENTIAL_RUNS");
  const int runs = text != nullptr ? std::atoi(text) : kDefaultProgramRuns;
  return runs < available ? runs : available;
}

std::string Show(const std::u16string& text) {
  std::string shown;
  char unit[12];
  for (char16_t c : text) {
    if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      std::snprintf(unit, sizeof unit, "\\u%04X", static_cast<unsigned>(c));
      shown += unit;
    }
  }
  return shown;
}

std::string Show(const ExpectedRecord& r) {
  return "title \"" + Show(r.title) + "\" body \"" + Show(r.body) +
         "\" style " + std::to_string(r.style) + " timeout " +
         std::to_string(r.timeout) + " defid " + std::to_string(r.defaultId);
}

// Counts mismatches and reports the first few in full.
class MismatchLog {
 public:
  void Compare(int index, const ExpectedRecord& native,
               const ExpectedRecord& windows) {
    if (native == windows) return;
    if (++count_ <= kShownMismatches) {
      ADD_FAILURE() << "case " << CaseFileName(index)
                    << "\n  native:  " << Show(native)
                    << "\n  windows: " << Show(windows);
    }
  }
  int count() const { return count_; }

 private:
  int count_ = 0;
};

ExpectedRecord ReadInProcess(const std::string& file) {
  static RequestText text;
  std::memset(text, 0, sizeof text);
  std::copy_n(file.data(),
              file.size() < kRequestFileBytes ? file.size() : kRequestFileBytes,
              reinterpret_cast<char*>(text));
  MessageRequest request{};
  ParseRequestText(text, request);
  return {request.title, request.body, request.style, request.timeout,
          request.defaultId};
}

TEST(Differential, WindowsReaderMatchesNativeRecords) {
  const std::vector<ExpectedRecord> expected = LoadExpected();
  ASSERT_GE(expected.size(), 1000u) << "no cases in " << CaseFolder();
  MismatchLog log;
  for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
    std::string file;
    ASSERT_TRUE(ReadFileBytes(CaseFolder() + CaseFileName(i), file)) << i;
    log.Compare(i, expected[i], ReadInProcess(file));
  }
  EXPECT_EQ(log.count(), 0) << "of " << expected.size() << " cases";
}

// Starts Tandrel.exe and waits for its end without watching for boxes: a
// run that shows one never ends by itself and fails on the deadline.
bool RunToEnd(const std::wstring& commandLine, const std::wstring& folder,
              DWORD& exitCode) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(StagedTandrel().c_str(), line.data(), nullptr, nullptr,
                      FALSE, 0, nullptr, folder.c_str(), &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  const bool ended =
      WaitForSingleObject(process.hProcess, kDeadlineMs) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 0xDEAD);
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  return ended;
}

ExpectedRecord FromCall(const Record& call) {
  return {call.title, call.body, static_cast<std::int32_t>(call.header.style),
          call.header.timeout, call.header.defaultId};
}

TEST(Differential, TandrelExeMatchesNativeRecords) {
  const std::vector<ExpectedRecord> expected = LoadExpected();
  ASSERT_FALSE(expected.empty()) << "no cases in " << CaseFolder();
  const TempFolder scratch;
  const std::wstring& folder = scratch.root();
  const std::wstring request = folder + L"\\request.txt";
  const std::wstring record = folder + L"\\calls.rec";
  SetEnvironmentVariableW(L"VORLICK_RECORD", record.c_str());
  SetEnvironmentVariableW(L"VORLICK_RESULT", L"7");
  const std::wstring commandLine = L"\"" + StagedTandrel() + L"\" " + request;
  MismatchLog log;
  const int runs = ProgramRuns(static_cast<int>(expected.size()));
  for (int i = 0; i < runs; ++i) {
    std::string file;
    ASSERT_TRUE(ReadFileBytes(CaseFolder() + CaseFileName(i), file)) << i;
    ASSERT_TRUE(WriteBytes(request, file)) << i;
    DeleteFileW(record.c_str());
    DWORD exitCode = 0;
    ASSERT_TRUE(RunToEnd(commandLine, folder, exitCode)) << CaseFileName(i);
    ASSERT_EQ(exitCode, 7u) << CaseFileName(i);
    ASSERT_FALSE(FileExists(request)) << CaseFileName(i);
    const std::vector<Record> calls = ReadRecords(record);
    ASSERT_EQ(calls.size(), 1u) << CaseFileName(i);
    log.Compare(i, expected[i], FromCall(calls[0]));
  }
  std::printf("Tandrel.exe ran %d of %zu cases\n", runs, expected.size());
  EXPECT_EQ(log.count(), 0) << "of " << runs << " runs";
}

}  // namespace
