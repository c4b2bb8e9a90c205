// Runs the command line that follows its own name with SeTcbPrivilege
// removed from its token, which the command inherits, as a process of an
// account other than LocalSystem would run; exits with the command's exit
// code (255: it could not be run). Under Wine every process holds the
// privilege otherwise.
#include <windows.h>

namespace {

bool RemoveTcb() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
    return false;
  }
  TOKEN_PRIVILEGES privileges{1, {{{0, 0}, SE_PRIVILEGE_REMOVED}}};
  const bool removed =
      LookupPrivilegeValueW(nullptr, L"SeTcbPrivilege",
                            &privileges.Privileges[0].Luid) &&
      AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
      GetLastError() == ERROR_SUCCESS;
  CloseHandle(token);
  return removed;
}

// The command line after this program's name (quoted or not) and blanks.
wchar_t* Rest(wchar_t* line) {
  const wchar_t end = *line == L'"' ? L'"' : L' ';
  line += *line == L'"';
  while (*line != 0 && *line != end) ++line;
  line += *line == L'"';
  while (*line == L' ') ++line;
  return line;
}

}  // namespace

int wmain() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!RemoveTcb() ||
      !CreateProcessW(nullptr, Rest(GetCommandLineW()), nullptr, nullptr, TRUE,
                      0, nullptr, nullptr, &startup, &process)) {
    return 255;
  }
  DWORD code = 255;
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}
