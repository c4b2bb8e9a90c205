// Drives the real Vorlick.dll in this process: loads it by ordinal, shows a
// box on a worker thread as a caller would, and reads and answers the box
// from the test thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "vorlick.h"

using VorlickFunction = decltype(&VorlickShowMessage);

// The staged Vorlick.dll beside Tandrel.exe, and that folder.
std::wstring StagedFolder();

// Loads the staged library once and returns its ordinal 755, or null.
VorlickFunction LoadVorlick();

struct BoxRequest {
  std::wstring text = L"Message";
  std::wstring caption = L"Caption";
  UINT style = 0;
  int timeout = 0;
  int defaultId = 0;
  bool nullTexts = false;      // pass null text and caption
  HWND owner = nullptr;        // passed as it is, unless ownWindow
  bool ownWindow = false;      // the worker shows a window of its own first and
                               // makes it the box's owner
  bool ownerTopLevel = false;  // the window is made but not passed as owner
  DWORD watchAfterMs = 0;      // how long the worker watches for timer
                               // messages after the call returned
  bool system = false;         // the system's MessageBoxW instead, as an oracle
  MSG filterAfter{};           // when it names a window, the worker hands it
                               // to the thread's message filters after the call
};

// What the owner's last WM_HELP carried.
struct HelpSeen {
  std::atomic<int> count{0};
  HELPINFO last{};  // written before count rises
};

// One call of the library on a thread of its own.
class BoxCallThread {
 public:
  explicit BoxCallThread(const BoxRequest& request);
  ~BoxCallThread();
  BoxCallThread(const BoxCallThread&) = delete;
  BoxCallThread& operator=(const BoxCallThread&) = delete;

  // The box once it is visible, or null after `waitMs`.
  HWND WaitForBox(DWORD waitMs = 10000) const;
  // Whether the call returned within `waitMs`.
  bool WaitForReturn(DWORD waitMs = 10000) const;
  bool Returned() const { return done_.load(); }
  int Result() const { return result_.load(); }
  // Milliseconds from the call to its return.
  ULONGLONG ElapsedMs() const { return elapsed_.load(); }
  DWORD ThreadId() const { return threadId_.load(); }
  // The worker's own window (see BoxRequest), once made.
  HWND Window() const { return window_.load(); }
  int HelpMessages() const { return helps_.count.load(); }
  // The last WM_HELP's HELPINFO; read it once HelpMessages() rose.
  const HELPINFO& LastHelp() const { return helps_.last; }
  // Whether the worker's window was enabled right after the call.
  bool WindowEnabledAfter() const { return enabledAfter_.load(); }
  // Timer messages the worker thread saw after the call returned; -1 until
  // it has watched for watchAfterMs.
  int LateTimers() const { return lateTimers_.load(); }
  // What CallMsgFilterW answered for filterAfter: 1 taken, 0 not, -1 not
  // asked. Set before the call counts as returned.
  int FilteredAfter() const { return filteredAfter_.load(); }

 private:
  void Run(BoxRequest request);
  std::atomic<bool> done_{false};
  std::atomic<int> result_{-12345};
  std::atomic<ULONGLONG> elapsed_{0};
  std::atomic<DWORD> threadId_{0};
  std::atomic<HWND> window_{nullptr};
  HelpSeen helps_;
  std::atomic<int> lateTimers_{-1};
  std::atomic<int> filteredAfter_{-1};
  std::atomic<bool> enabledAfter_{false};
  std::thread thread_;
};

// The visible dialog of thread `threadId`, or null.
HWND DialogOfThread(DWORD threadId);

// Every non-icon static text of a box, in order: the message, then the
// countdown line when there is one.
std::vector<std::wstring> StaticTexts(HWND box);

// The countdown line of a box, or empty.
std::wstring CountdownOf(HWND box);

// The control ID that has the keyboard focus in the box's thread, or 0.
int FocusedId(HWND box);

// The default button's ID as the box answers DM_GETDEFID, or 0.
int DefIdOf(HWND box);

// Posts a key press to `window` as the keyboard would.
void PostKey(HWND window, UINT virtualKey);

// Posts a key press to the box's control that has the focus (the box
// itself when none has).
void PressKey(HWND box, UINT virtualKey);

// Makes the box the foreground window and waits until one of its controls
// has the focus; returns that control's ID, 0 when none got it in 2 s.
int BringForward(HWND box);

// Brings the box forward and types Ctrl+`virtualKey` on the keyboard, as a
// user would; returns the text it put on the clipboard, or "<nothing>".
std::wstring CopyWithKeys(HWND box, UINT virtualKey);

RECT WindowRectOf(HWND window);

// Pumps the calling thread's messages for `watchMs` and counts WM_TIMER.
int WatchTimers(DWORD watchMs);

// Top-level windows of this process; with `dialogsOnly`, only dialogs
// (hidden ones too).
int CountProcessWindows(bool dialogsOnly);

// Waits up to `waitMs` for `window` to go away.
bool WaitGone(HWND window, DWORD waitMs);
