#include "vorlick_harness.h"

#include "e2e_support.h"

namespace {

constexpr wchar_t kOwnerClass[] = L"VorlickTestOwner";

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam) {
  if (message == WM_HELP) {
    auto* helps =
        reinterpret_cast<HelpSeen*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (helps != nullptr) {
      helps->last = *reinterpret_cast<const HELPINFO*>(lParam);
      ++helps->count;
    }
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterOwnerClass() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = OwnerProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kOwnerClass;
  RegisterClassW(&windowClass);  // fails harmlessly when already registered
}

HWND MakeOwner(HelpSeen* helps) {
  RegisterOwnerClass();
  HWND window = CreateWindowExW(0, kOwnerClass, L"Owner", WS_OVERLAPPEDWINDOW,
                                40, 40, 300, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(helps));
  ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

int Timers(DWORD watchMs) {
  int timers = 0;
  const ULONGLONG end = GetTickCount64() + watchMs;
  while (GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER) ++timers;
      DispatchMessageW(&message);
    }
    Sleep(20);
  }
  return timers;
}

bool IsDialogClass(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return lstrcmpW(name, L"#32770") == 0;
}

BOOL CALLBACK MatchThreadDialog(HWND window, LPARAM context) {
  if (IsWindowVisible(window) && IsDialogClass(window)) {
    *reinterpret_cast<HWND*>(context) = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring TextOf(HWND window) {
  wchar_t text[4096] = {};
  const int length = GetWindowTextW(window, text, 4096);
  return std::wstring(text, length > 0 ? length : 0);
}

BOOL CALLBACK CollectStatic(HWND control, LPARAM context) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (lstrcmpiW(name, L"Static") == 0 && (style & SS_TYPEMASK) != SS_ICON) {
    reinterpret_cast<std::vector<std::wstring>*>(context)->push_back(
        TextOf(control));
  }
  return TRUE;
}

struct WindowCount {
  bool dialogsOnly;
  int count;
};

BOOL CALLBACK CountOne(HWND window, LPARAM context) {
  auto& counted = *reinterpret_cast<WindowCount*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() &&
      (!counted.dialogsOnly || IsDialogClass(window))) {
    ++counted.count;
  }
  return TRUE;
}

// The system's box with the library's arguments; time-out and default ID
// are not its to take.
int WINAPI MessageBoxOfTheSystem(void* owner, const char16_t* body,
                                 const char16_t* title, std::uint32_t style,
                                 std::int32_t, std::int32_t) {
  return MessageBoxW(static_cast<HWND>(owner),
                     reinterpret_cast<const wchar_t*>(body),
                     reinterpret_cast<const wchar_t*>(title), style);
}

const char16_t* Units(const std::wstring& text) {
  return reinterpret_cast<const char16_t*>(text.c_str());
}

}  // namespace

int WatchTimers(DWORD watchMs) { return Timers(watchMs); }

int CountProcessWindows(bool dialogsOnly) {
  WindowCount counted{dialogsOnly, 0};
  EnumWindows(CountOne, reinterpret_cast<LPARAM>(&counted));
  return counted.count;
}

std::wstring StagedFolder() { return ProgramFolder() + L"\\stage\\real"; }

VorlickFunction LoadVorlick() {
  HMODULE library = LoadLibraryW((StagedFolder() + L"\\Vorlick.dll").c_str());
  if (library == nullptr) return nullptr;
  FARPROC found = GetProcAddress(library, MAKEINTRESOURCEA(755));
  return reinterpret_cast<VorlickFunction>(reinterpret_cast<void (*)()>(found));
}

BoxCallThread::BoxCallThread(const BoxRequest& request)
    : thread_([this, request] { Run(request); }) {}

BoxCallThread::~BoxCallThread() {
  // A box still up when a test fails is closed so the next test starts clean.
  if (!done_.load()) {
    HWND box = DialogOfThread(threadId_.load());
    for (int id : {IDOK, IDCANCEL, IDYES, IDABORT, IDCONTINUE, IDRETRY}) {
      if (box != nullptr) PostMessageW(box, WM_COMMAND, id, 0);
    }
  }
  thread_.join();
}

void BoxCallThread::Run(BoxRequest request) {
  threadId_ = GetCurrentThreadId();
  VorlickFunction show = request.system ? MessageBoxOfTheSystem : LoadVorlick();
  if (show == nullptr) {
    done_ = true;
    return;
  }
  HWND window = nullptr;
  if (request.ownWindow || request.ownerTopLevel) window = MakeOwner(&helps_);
  window_ = window;
  const ULONGLONG start = GetTickCount64();
  result_ = show(request.ownWindow ? window : request.owner,
                 request.nullTexts ? nullptr : Units(request.text),
                 request.nullTexts ? nullptr : Units(request.caption),
                 request.style, request.timeout, request.defaultId);
  elapsed_ = GetTickCount64() - start;
  enabledAfter_ = window != nullptr && IsWindowEnabled(window);
  if (request.filterAfter.hwnd != nullptr) {
    filteredAfter_ = CallMsgFilterW(&request.filterAfter, MSGF_DIALOGBOX);
  }
  done_ = true;
  if (request.watchAfterMs > 0) lateTimers_ = Timers(request.watchAfterMs);
  if (window != nullptr) DestroyWindow(window);
}

HWND BoxCallThread::WaitForBox(DWORD waitMs) const {
  const ULONGLONG end = GetTickCount64() + waitMs;
  do {
    HWND box = DialogOfThread(threadId_.load());
    if (box != nullptr) return box;
    if (done_.load()) return nullptr;
    Sleep(20);
  } while (GetTickCount64() < end);
  return nullptr;
}

bool BoxCallThread::WaitForReturn(DWORD waitMs) const {
  const ULONGLONG end = GetTickCount64() + waitMs;
  while (!done_.load()) {
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
  return true;
}

HWND DialogOfThread(DWORD threadId) {
  HWND found = nullptr;
  if (threadId != 0) {
    EnumThreadWindows(threadId, MatchThreadDialog,
                      reinterpret_cast<LPARAM>(&found));
  }
  return found;
}

std::vector<std::wstring> StaticTexts(HWND box) {
  std::vector<std::wstring> texts;
  EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

std::wstring CountdownOf(HWND box) {
  for (const std::wstring& text : StaticTexts(box)) {
    if (text.rfind(L"Closes in ", 0) == 0) return text;
  }
  return L"";
}

namespace {

HWND FocusOf(HWND box) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info) ||
      info.hwndFocus == nullptr || GetParent(info.hwndFocus) != box) {
    return nullptr;
  }
  return info.hwndFocus;
}

}  // namespace

int FocusedId(HWND box) {
  HWND focus = FocusOf(box);
  return focus != nullptr ? GetDlgCtrlID(focus) : 0;
}

void PressKey(HWND box, UINT virtualKey) {
  HWND focus = FocusOf(box);
  PostKey(focus != nullptr ? focus : box, virtualKey);
}

int DefIdOf(HWND box) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(box, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
  return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
}

void PostKey(HWND window, UINT virtualKey) {
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000);
}

RECT WindowRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool WaitGone(HWND window, DWORD waitMs) {
  const ULONGLONG end = GetTickCount64() + waitMs;
  while (IsWindow(window)) {
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
  return true;
}

namespace {

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

std::wstring ClipboardText() {
  std::wstring text = L"<nothing>";
  if (!OpenClipboard(nullptr)) return text;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
    text = units;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace

int BringForward(HWND box) {
  const ULONGLONG end = GetTickCount64() + 2000;
  do {
    SetForegroundWindow(box);
    if (GetForegroundWindow() == box && FocusedId(box) != 0) break;
    Sleep(20);
  } while (GetTickCount64() < end);
  return FocusedId(box);
}

std::wstring CopyWithKeys(HWND box, UINT virtualKey) {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  const DWORD before = GetClipboardSequenceNumber();
  BringForward(box);  // the keyboard's keys go to the foreground window
  const WORD key = static_cast<WORD>(virtualKey);
  INPUT keys[] = {KeyInput(VK_CONTROL, false), KeyInput(key, false),
                  KeyInput(key, true), KeyInput(VK_CONTROL, true)};
  SendInput(4, keys, sizeof(INPUT));
  const ULONGLONG end = GetTickCount64() + 2000;
  while (GetClipboardSequenceNumber() == before && GetTickCount64() < end) {
    Sleep(10);
  }
  return ClipboardText();
}
