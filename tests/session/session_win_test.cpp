// tandrel-ask.exe --session under Wine. A service's windows are on a window
// station of its own that nobody sees (Wine's too); asked by the example
// service (docs/windows/ask-service.c), the box comes up on winsta0\default,
// where this test runs, with the request in the user's temporary folder,
// open to the user and the system only, and the answer becomes the
// service's exit code. Then the outcomes without SeTcbPrivilege, and without
// a session to show the box in.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "driver.h"
#include "e2e_support.h"

namespace {

std::wstring Stage(const std::wstring& name) {
  return ProgramFolder() + L"\\stage\\" + name;
}

// The requests in the user's temporary folder (under Wine the service's
// user is this test's).
std::vector<std::wstring> Requests() {
  wchar_t temp[MAX_PATH] = {};
  GetEnvironmentVariableW(L"TEMP", temp, MAX_PATH);
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW entry;
  const std::wstring folder = std::wstring(temp) + L"\\";
  HANDLE search =
      FindFirstFileW((folder + L"tandrel-ask-*.txt").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    found.push_back(folder + entry.cFileName);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return found;
}

bool WaitUntil(int ms, const std::function<bool()>& done) {
  for (int waited = 0; !done(); waited += 50) {
    if (waited > ms) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// The SIDs the file's DACL allows full access, when those are all it holds.
std::vector<std::wstring> FullAccessSids(const std::wstring& path) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  std::vector<std::wstring> sids;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                            DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                            nullptr, &descriptor) != ERROR_SUCCESS) {
    return sids;
  }
  for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    wchar_t* sid = nullptr;
    if (GetAce(dacl, i, reinterpret_cast<void**>(&ace)) &&
        ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
        ace->Mask == FILE_ALL_ACCESS &&
        ConvertSidToStringSidW(&ace->SidStart, &sid)) {
      sids.push_back(sid);
      LocalFree(sid);
    } else {
      sids.push_back(L"something else");
    }
  }
  LocalFree(descriptor);
  std::sort(sids.begin(), sids.end());
  return sids;
}

std::wstring OwnSid() {
  HANDLE token = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  BYTE user[256] = {};
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, user, sizeof user, &size);
  CloseHandle(token);
  wchar_t* sid = nullptr;
  ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid);
  std::wstring text = sid != nullptr ? sid : L"";
  LocalFree(sid);
  return text;
}

TEST(SessionWin, FromAServiceTheBoxIsOnTheUsersDesktop) {
  ASSERT_TRUE(Requests().empty());
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(manager, nullptr);
  const std::wstring name =
      L"TandrelAskTest" + std::to_wstring(GetCurrentProcessId());
  const std::wstring binary = L"\"" + Stage(L"ask-service.exe") + L"\"";
  SC_HANDLE service = CreateServiceW(
      manager, name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
      SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
      binary.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(service, nullptr);
  const wchar_t* args[] = {L"-t", L"Asked by a service", L"-b", L"yesno", L"-T",
                           L"60", L"Go \"on\"?"};
  EXPECT_TRUE(StartServiceW(service, 7, args));
  HWND box = nullptr;
  EXPECT_TRUE(WaitUntil(20000, [&] {
    return (box = FindWindowW(nullptr, L"Asked by a service")) != nullptr;
  }));
  if (box != nullptr) {
    const BoxContent content = ReadBox(box);
    EXPECT_EQ(content.text, L"Go \"on\"?");
    EXPECT_EQ(content.buttonIds, (std::vector<int>{IDYES, IDNO}));
    const std::vector<std::wstring> requests = Requests();
    ASSERT_EQ(requests.size(), 1u);
    std::vector<std::wstring> allowed = {L"S-1-5-18", OwnSid()};
    std::sort(allowed.begin(), allowed.end());
    EXPECT_EQ(FullAccessSids(requests[0]), allowed);
    EXPECT_TRUE(PressButton(box, IDNO));
  }
  SERVICE_STATUS status{};
  EXPECT_TRUE(WaitUntil(20000, [&] {
    return QueryServiceStatus(service, &status) &&
           status.dwCurrentState == SERVICE_STOPPED;
  }));
  EXPECT_EQ(status.dwWin32ExitCode, DWORD{ERROR_SERVICE_SPECIFIC_ERROR});
  EXPECT_EQ(status.dwServiceSpecificExitCode, DWORD{IDNO});
  EXPECT_TRUE(Requests().empty());
  DeleteService(service);
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
}

struct Captured {
  DWORD exitCode = 0;
  std::string out;
  std::string err;
};

// Runs `line` with its standard output and error into files, up to 30 s.
Captured RunCaptured(std::wstring line) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring names[2] = {std::wstring(temp) + L"session-out.txt",
                                 std::wstring(temp) + L"session-err.txt"};
  HANDLE files[2];
  for (int i = 0; i < 2; ++i) {
    files[i] =
        CreateFileW(names[i].c_str(), GENERIC_READ | GENERIC_WRITE, 0, &inherit,
                    CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = files[0];
  startup.hStdError = files[1];
  PROCESS_INFORMATION process{};
  Captured captured;
  EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0,
                             nullptr, nullptr, &startup, &process));
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  GetExitCodeProcess(process.hProcess, &captured.exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  std::string* texts[2] = {&captured.out, &captured.err};
  for (int i = 0; i < 2; ++i) {
    char bytes[1024];
    DWORD got = 0;
    SetFilePointer(files[i], 0, nullptr, FILE_BEGIN);
    while (ReadFile(files[i], bytes, sizeof bytes, &got, nullptr) && got > 0) {
      texts[i]->append(bytes, got);
    }
    CloseHandle(files[i]);
  }
  return captured;
}

TEST(SessionWin, WithoutTheRightOrASessionNothingIsShown) {
  struct Case {
    std::wstring line;
    DWORD exitCode;
    std::string out;
    std::string err;
  };
  const std::wstring ask = L"\"" + Stage(L"tandrel-ask.exe") + L"\"";
  const Case cases[] = {
      {L"\"" + Stage(L"without_tcb.exe") + L"\" " + ask + L" --session -p x",
       77, "",
       "tandrel-ask: only LocalSystem (a service) can show a box in a "
       "user's session\r\n"},
      {ask + L" --user nobody -p x", 0, "none\r\n",
       "tandrel-ask: user nobody has no active session\r\n"},
      {ask + L" --session=console -p x", 0, "none\r\n",
       "tandrel-ask: there is no session console\r\n"},
  };
  for (const Case& c : cases) {
    const Captured run = RunCaptured(c.line);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    EXPECT_TRUE(Requests().empty());
  }
}

}  // namespace
