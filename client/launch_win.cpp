// The launcher on Windows: CreateFileW(CREATE_NEW) in GetTempPathW's folder
// for the request file, CreateProcessW with the exact command line.
#include <windows.h>

#include <random>

#include "launch_platform.h"
#include "system_message_win.h"
#include "timed_out.h"
#include "utf8_text.h"

// IDTIMEOUT, and the status of a process whose DLL was not found.
const std::uint32_t kTimedOutExitCode = kIdTimeout;
const std::uint32_t kNoLibraryExitCode = 0xC0000135;

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string message(reinterpret_cast<const char16_t*>(text), length);
  LocalFree(text);
  while (!message.empty() &&
         (message.back() == u'\n' || message.back() == u'\r' ||
          message.back() == u'.')) {
    message.pop_back();
  }
  if (message.empty()) return "error " + std::to_string(code);
  return EncodeUtf8(message);
}

namespace {

std::wstring Wide(const std::string& text) {
  std::u16string wide;
  std::string ignored;
  DecodeUtf8(text, wide, ignored);  // paths come from EncodeUtf8: it decodes
  return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(const std::wstring& text) {
  return EncodeUtf8(std::u16string(text.begin(), text.end()));
}

std::wstring Hex(std::uint32_t value) {
  constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring hex;
  for (int shift = 28; shift >= 0; shift -= 4)
    hex += kDigits[(value >> shift) & 0xF];
  return hex;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                   &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

bool CreateRequestFile(const std::string& bytes, std::string& path,
                       std::string& error) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) {
    error =
        "cannot find the temporary folder: " + SystemMessage(GetLastError());
    return false;
  }
  std::random_device random;
  DWORD failure = ERROR_FILE_EXISTS;
  // CREATE_NEW fails on a name that exists: try new names until one is free.
  for (int attempt = 0; attempt < 100 && failure == ERROR_FILE_EXISTS;
       ++attempt) {
    const std::wstring name = std::wstring(folder) + L"tandrel-ask-" +
                              Hex(GetCurrentProcessId()) + L"-" +
                              Hex(random()) + L".txt";
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      failure = GetLastError();
      continue;
    }
    const bool written = WriteAll(file, bytes);
    failure = GetLastError();
    if (CloseHandle(file) && written) {
      path = Narrow(name);
      return true;
    }
    DeleteFileW(name.c_str());
    error = "cannot write the request file " + Narrow(name) + ": " +
            SystemMessage(failure);
    return false;
  }
  error = "cannot create a request file in " + Narrow(folder) + ": " +
          SystemMessage(failure);
  return false;
}

ProgramRun RunProgram(const std::string& program, const std::string& request,
                      const StartedHook& started) {
  ProgramRun run;
  // The program's name in quotes, one blank, the path verbatim: Tandrel.exe
  // takes everything after the name and its blanks as the path.
  const std::wstring name = Wide(program);
  std::wstring line = L"\"" + name + L"\" " + Wide(request);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(name.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process)) {
    run.error = SystemMessage(GetLastError());
    return run;
  }
  run.started = true;
  CloseHandle(process.hThread);
  if (started) started(static_cast<long>(process.dwProcessId));
  DWORD code = 0;
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &code)) {
    run.waited = false;
    run.error = SystemMessage(GetLastError());
  }
  run.exitCode = code;
  CloseHandle(process.hProcess);
  return run;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES ||
         GetLastError() != ERROR_FILE_NOT_FOUND;
}

void RemoveFile(const std::string& path) { DeleteFileW(Wide(path).c_str()); }
