// A stand-in for Tandrel.exe that never reads its request: it writes its
// command line (UTF-16) to the file FAKE_RECORD names and exits with
// FAKE_EXIT.
#include <windows.h>

#include <cwchar>

int wmain() {
  wchar_t value[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"FAKE_RECORD", value, MAX_PATH) > 0) {
    HANDLE file = CreateFileW(value, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    const wchar_t* line = GetCommandLineW();
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::wcslen(line)) * 2, &written,
              nullptr);
    CloseHandle(file);
  }
  value[0] = 0;
  GetEnvironmentVariableW(L"FAKE_EXIT", value, MAX_PATH);
  ExitProcess(std::wcstoul(value, nullptr, 10));
}
