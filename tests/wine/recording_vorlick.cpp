// A stand-in display library for end-to-end tests: it records the six
// arguments of every call and returns the result the test chose, showing no
// box. Controlled through the environment that the test hands down:
//   VORLICK_RECORD  file to which each call's record is appended
//   VORLICK_RESULT  decimal result to return (default 1)
//   VORLICK_PROBE   file to try to open exclusively during the call; the
//                   record holds the error (0 when the open succeeded)
//   VORLICK_RUN     command line to start during the call, after the record
//                   is written (under Wine it may name a Unix program)
//   VORLICK_WAIT    file whose appearance the call waits for, up to 20 s,
//                   before it returns: what VORLICK_RUN does is done then
#include <windows.h>

#include "recording_format.h"
#include "vorlick.h"

namespace {

bool ReadVariable(const wchar_t* name, wchar_t* value, DWORD capacity) {
  DWORD length = GetEnvironmentVariableW(name, value, capacity);
  return length > 0 && length < capacity;
}

int ReadResult() {
  wchar_t text[32];
  if (!ReadVariable(L"VORLICK_RESULT", text, 32)) return 1;
  const wchar_t* p = text;
  bool negative = *p == L'-';
  if (negative) ++p;
  unsigned value = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) value = value * 10u + (*p - L'0');
  return static_cast<int>(negative ? 0u - value : value);
}

DWORD ProbeExclusiveOpen() {
  wchar_t path[MAX_PATH];
  if (!ReadVariable(L"VORLICK_PROBE", path, MAX_PATH)) return kProbeNotAsked;
  HANDLE file = CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  CloseHandle(file);
  return 0;
}

void RunDuringTheCall() {
  wchar_t line[2048];
  if (ReadVariable(L"VORLICK_RUN", line, 2048)) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
      WaitForSingleObject(process.hProcess, 20000);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }
  wchar_t path[MAX_PATH];
  if (!ReadVariable(L"VORLICK_WAIT", path, MAX_PATH)) return;
  // A Unix program started by Wine runs on its own: the file it makes last
  // tells that it is done.
  for (int i = 0; i < 1000; ++i) {
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return;
    Sleep(20);
  }
}

DWORD TextUnits(const wchar_t* text) {
  DWORD units = 0;
  if (text != nullptr) {
    while (text[units] != 0) ++units;
  }
  return units;
}

void Write(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  WriteFile(file, data, size, &written, nullptr);
}

void WriteText(HANDLE file, const wchar_t* text) {
  DWORD units = TextUnits(text);
  Write(file, &units, sizeof units);
  if (units > 0) Write(file, text, units * sizeof(wchar_t));
}

}  // namespace

extern "C" int WINAPI VorlickShowMessage(void* owner, const char16_t* body,
                                         const char16_t* title,
                                         std::uint32_t style,
                                         std::int32_t timeout,
                                         std::int32_t defaultId) {
  wchar_t path[MAX_PATH];
  const int result = ReadResult();
  if (!ReadVariable(L"VORLICK_RECORD", path, MAX_PATH)) return result;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return result;
  RecordHeader header{};
  header.magic = kRecordMagic;
  header.owner = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(owner));
  header.style = style;
  header.timeout = timeout;
  header.defaultId = defaultId;
  header.probeError = ProbeExclusiveOpen();
  Write(file, &header, sizeof header);
  WriteText(file, reinterpret_cast<const wchar_t*>(body));
  WriteText(file, reinterpret_cast<const wchar_t*>(title));
  CloseHandle(file);
  RunDuringTheCall();
  return result;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
