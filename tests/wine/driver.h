// The Windows-side driver of the end-to-end tests: starts a program with an
// exact command line, watches for the boxes it shows, reads and answers them,
// and reports how the program ended.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What a message box of another process shows.
struct BoxContent {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;  // the message, from the box's text control
  std::vector<std::wstring> buttons;  // labels in creation order
  std::vector<int> buttonIds;
  bool hasIcon = false;  // an icon control with an icon set
};

struct ProcessOutcome {
  bool started = false;
  DWORD startError = 0;   // GetLastError of CreateProcessW when not started
  bool finished = false;  // false: killed after the deadline
  DWORD exitCode = 0;
  std::vector<BoxContent> boxes;  // every box seen, in order
};

// Called for every box that appears; it reads it and answers it (e.g. with
// PressButton). Returning false leaves the box alone for now.
using BoxHandler = std::function<bool(const BoxContent&)>;

// Runs `program` with exactly `commandLine` (CreateProcessW) in `directory`
// and waits up to `deadlineMs` for it to end, handing every top-level dialog
// of the process to `onBox` once.
ProcessOutcome RunProgram(const std::wstring& program,
                          const std::wstring& commandLine,
                          const std::wstring& directory, DWORD deadlineMs,
                          const BoxHandler& onBox);

// Reads a dialog of another process.
BoxContent ReadBox(HWND box);

// Clicks the button with control ID `id` of a box in another process.
bool PressButton(HWND box, int id);

// Finds a visible top-level dialog of process `processId`, or null.
HWND FindDialogOf(DWORD processId);
