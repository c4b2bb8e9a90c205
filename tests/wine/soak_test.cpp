// Soak under Wine: Tandrel.exe run 200 times one after another beside the
// recording library. Each run is a process of its own; what could outlive a
// run lives in the Wine server, which holds every object and handle table of
// the session and opens every file for its processes. Wine 8 answers
// GetProcessHandleCount with 0, so the server is measured from the Unix side
// (Z:\proc): its open descriptors and resident memory; and the process that
// starts the runs by its working set. After the tenth run and after the last
// they must stay within a few percent. Slow (label "soak").
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e_support.h"
#include "temp_folder.h"

// After windows.h, which it needs.
#include <psapi.h>

namespace {

constexpr int kRuns = 200;
constexpr int kFirstMeasure = 10;

struct Usage {
  int descriptors = 0;
  long residentKb = 0;
};

// `process` is the Unix process ID of a /proc entry. ("self" would not do:
// the Wine server opens the files of its processes.)
Usage Measure(const std::string& process) {
  const std::wstring proc =
      L"Z:\\proc\\" + std::wstring(process.begin(), process.end());
  Usage usage;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((proc + L"\\fd\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (entry.cFileName[0] != L'.') ++usage.descriptors;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  std::string status;
  ReadBytes(proc + L"\\status", status);
  const size_t at = status.find("VmRSS:");
  if (at != std::string::npos)
    usage.residentKb = std::atol(status.c_str() + at + 6);
  return usage;
}

// The process ID of this session's Wine server: named wineserver*, started
// with this session's prefix.
std::string ServerProcess() {
  char prefix[1024] = {};
  GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  const std::string wanted = std::string("WINEPREFIX=") + prefix;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
  std::string found;
  if (search == INVALID_HANDLE_VALUE || prefix[0] == 0) return found;
  do {
    const std::string pid = entry.cFileName;
    if (pid[0] < '0' || pid[0] > '9') continue;
    const std::wstring proc =
        L"Z:\\proc\\" + std::wstring(pid.begin(), pid.end());
    std::string name;
    std::string environment;
    if (ReadBytes(proc + L"\\comm", name) && name.rfind("wineserver", 0) == 0 &&
        ReadBytes(proc + L"\\environ", environment) &&
        (environment.find(wanted + '\0') != std::string::npos)) {
      found = pid;
    }
  } while (found.empty() && FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

// This process: its working set; its handles cannot be counted here.
Usage MeasureSelf() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  Usage usage;
  usage.descriptors = -1;  // not known
  usage.residentKb = static_cast<long>(counters.WorkingSetSize / 1024);
  return usage;
}

DWORD RunOnce(const std::wstring& request, const std::wstring& folder) {
  const std::wstring exe = StagedTandrel();
  std::wstring line = L"\"" + exe + L"\" " + request;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, folder.c_str(), &startup, &process)) {
    return 0xDEAD;
  }
  DWORD code = 0xDEAD;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

void ExpectSteady(const char* what, const Usage& tenth, const Usage& last) {
  std::printf(
      "%s: after run %d: %d descriptors, %ld kB resident; after run "
      "%d: %d descriptors, %ld kB resident (ratio %.3f)%s\n",
      what, kFirstMeasure, tenth.descriptors, tenth.residentKb, kRuns,
      last.descriptors, last.residentKb,
      static_cast<double>(last.residentKb) / tenth.residentKb,
      tenth.descriptors < 0 ? "; descriptors not known" : "");
  EXPECT_LE(last.descriptors, tenth.descriptors + tenth.descriptors / 50 + 1)
      << what;
  EXPECT_LE(last.residentKb, tenth.residentKb * 105 / 100) << what;
}

TEST(Soak, TandrelExeRunTwoHundredTimes) {
  const std::string server = ServerProcess();
  ASSERT_FALSE(server.empty()) << "no Wine server of this prefix in Z:\\proc";
  const TempFolder scratch;
  const std::wstring& folder = scratch.root();
  const std::wstring request = folder + L"\\request.txt";
  const std::wstring record = folder + L"\\calls.rec";
  SetEnvironmentVariableW(L"VORLICK_RECORD", record.c_str());
  SetEnvironmentVariableW(L"VORLICK_RESULT", L"7");
  const std::string bytes =
      Utf16Bytes(u"<TITLE>Soak<\\TITLE><STYLE>4<\\STYLE>");
  Usage tenth[2];
  for (int run = 1; run <= kRuns; ++run) {
    ASSERT_TRUE(WriteBytes(request, bytes));
    ASSERT_EQ(RunOnce(request, folder), 7u) << "run " << run;
    ASSERT_FALSE(FileExists(request)) << "run " << run;
    if (run == kFirstMeasure) {
      tenth[0] = Measure(server);
      tenth[1] = MeasureSelf();
    }
  }
  EXPECT_EQ(ReadRecords(record).size(), static_cast<size_t>(kRuns));
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\request*").c_str(), &entry);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a request file was left";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  ExpectSteady("Wine server", tenth[0], Measure(server));
  ExpectSteady("process starting the runs", tenth[1], MeasureSelf());
  DeleteFileW(record.c_str());
}

}  // namespace
