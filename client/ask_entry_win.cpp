// tandrel-ask.exe, a console program: the arguments come as UTF-16 and are
// handed on as UTF-8 (an unpaired surrogate keeps its three bytes, so the
// request writer can name it); Tandrel.exe is the program beside it.
#include <windows.h>

#include "ask_tool.h"
#include "tool_platform.h"
#include "utf8_text.h"

const char* const kProgramName = "Tandrel.exe";
const char* const kSessionHelp =
    "      --session[=ID]     show it in the console's session, or in session"
    " ID, as\n"
    "                         that session's user (needs LocalSystem: a"
    " service)\n"
    "      --user NAME        show it in the active session of user NAME\n";

namespace {

std::u16string ToU16(const wchar_t* text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

// Console text is written as UTF-16; into a file or pipe, UTF-8 with CR LF
// line ends.
void Write(DWORD which, const std::string& text) {
  HANDLE handle = GetStdHandle(which);
  std::string lines;
  for (char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    std::u16string wide;
    std::string ignored;
    DecodeUtf8(lines, wide, ignored);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()),
                  &written, nullptr);
  } else {
    WriteFile(handle, lines.data(), static_cast<DWORD>(lines.size()), &written,
              nullptr);
  }
}

}  // namespace

std::string DefaultProgram() {
  std::wstring self(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, self.data(),
                                      static_cast<DWORD>(self.size()))) ==
             self.size() &&
         self.size() < 32768) {
    self.resize(self.size() * 2);
  }
  if (length == 0 || length == self.size()) return {};
  self.resize(self.find_last_of(L"\\/") + 1);
  return EncodeUtf8(std::u16string(self.begin(), self.end())) + kProgramName;
}

bool ReadStandardInput(std::string& bytes, std::size_t limit,
                       std::string& error) {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  char chunk[4096];
  while (bytes.size() <= limit) {
    DWORD got = 0;
    if (!ReadFile(input, chunk, sizeof chunk, &got, nullptr)) {
      // The writing end of a pipe closed: that is the end of the input.
      if (GetLastError() == ERROR_BROKEN_PIPE) break;
      error = "error " + std::to_string(GetLastError());
      return false;
    }
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  return true;
}

void WriteStandardOutput(const std::string& text) {
  Write(STD_OUTPUT_HANDLE, text);
}

void WriteStandardError(const std::string& text) {
  Write(STD_ERROR_HANDLE, text);
}

StartedHook GuardSignals() { return {}; }
void RaiseGuardedSignal() {}

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(EncodeUtf8(ToU16(argv[i])));
  return RunAskTool(args);
}
