// Starts a program with an exact command line, waits for it and prints its
// whole 32-bit exit code (a shell's $? under Wine keeps only 8 bits of it).
//   tandrel_launch.exe PROGRAM COMMAND-LINE-TAIL
// runs: "PROGRAM" COMMAND-LINE-TAIL
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    (void)std::fprintf(stderr, "usage: tandrel_launch PROGRAM TAIL\n");
    return 2;
  }
  std::wstring line = L"\"" + std::wstring(argv[1]) + L"\" " + argv[2];
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(argv[1], line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    (void)std::fprintf(stderr, "could not start the program: error %lu\n",
                       GetLastError());
    return 1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  std::printf("exit code: %ld (0x%08lX)\n", static_cast<long>(code), code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
