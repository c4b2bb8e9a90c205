#include "driver.h"

#include <algorithm>

namespace {

// The class without the version a manifest's controls carry in their name
// ("6.0.2600.2982!Edit").
std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  const std::wstring full = name;
  return full.substr(full.find(L'!') + 1);
}

std::wstring TextOf(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &length);
  return std::wstring(text, std::min<DWORD_PTR>(length, 4095));
}

struct DialogSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window) &&
      ClassOf(window) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The first text static is the message, even when it is empty: a later
// static (such as a countdown line) must not be taken for it. A message that
// scrolls is a read-only edit control with the message's ID.
struct BoxReading {
  BoxContent* box;
  bool textRead;
};

BOOL CALLBACK ReadControl(HWND control, LPARAM context) {
  auto* reading = reinterpret_cast<BoxReading*>(context);
  BoxContent* box = reading->box;
  const std::wstring name = ClassOf(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (_wcsicmp(name.c_str(), L"Button") == 0) {
    box->buttons.push_back(TextOf(control));
    box->buttonIds.push_back(GetDlgCtrlID(control));
  } else if (_wcsicmp(name.c_str(), L"Edit") == 0 &&
             GetDlgCtrlID(control) == 0xFFFF && !reading->textRead) {
    box->text = TextOf(control);
    reading->textRead = true;
  } else if (_wcsicmp(name.c_str(), L"Static") == 0) {
    if ((style & SS_TYPEMASK) == SS_ICON) {
      DWORD_PTR icon = 0;
      SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000,
                          &icon);
      box->hasIcon = box->hasIcon || icon != 0;
    } else if (!reading->textRead) {
      box->text = TextOf(control);
      reading->textRead = true;
    }
  }
  return TRUE;
}

}  // namespace

HWND FindDialogOf(DWORD processId) {
  DialogSearch search{processId, nullptr};
  EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BoxContent ReadBox(HWND box) {
  BoxContent content;
  content.window = box;
  content.caption = TextOf(box);
  BoxReading reading{&content, false};
  EnumChildWindows(box, ReadControl, reinterpret_cast<LPARAM>(&reading));
  return content;
}

bool PressButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  if (button == nullptr) return false;
  return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

ProcessOutcome RunProgram(const std::wstring& program,
                          const std::wstring& commandLine,
                          const std::wstring& directory, DWORD deadlineMs,
                          const BoxHandler& onBox) {
  ProcessOutcome outcome;
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, directory.empty() ? nullptr : directory.c_str(),
                      &startup, &process)) {
    outcome.startError = GetLastError();
    return outcome;
  }
  outcome.started = true;
  CloseHandle(process.hThread);
  std::vector<HWND> handled;
  const ULONGLONG deadline = GetTickCount64() + deadlineMs;
  while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
    if (GetTickCount64() > deadline) {
      TerminateProcess(process.hProcess, 0xDEAD);
      WaitForSingleObject(process.hProcess, 5000);
      CloseHandle(process.hProcess);
      return outcome;
    }
    HWND box = FindDialogOf(process.dwProcessId);
    if (box == nullptr ||
        std::find(handled.begin(), handled.end(), box) != handled.end()) {
      continue;
    }
    BoxContent content = ReadBox(box);
    if (onBox && onBox(content)) {
      handled.push_back(box);
      outcome.boxes.push_back(content);
    }
  }
  outcome.finished = true;
  GetExitCodeProcess(process.hProcess, &outcome.exitCode);
  CloseHandle(process.hProcess);
  return outcome;
}
