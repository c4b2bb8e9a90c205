// The box has the version-6 common controls in any host: in this test
// program, which has no manifest, and in Tandrel.exe. A library without its
// manifest still shows the box, with the classic controls. No activation
// context of the box's stays active on the calling thread.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "driver.h"
#include "e2e_support.h"
#include "recorded_run.h"
#include "temp_folder.h"
#include "vorlick_harness.h"

namespace {

// The name under which Wine 8 registers the version-6 button class; its
// GetClassName reads "Button" all the same.
constexpr wchar_t kVersion6Button[] = L"6.0.2600.2982!Button";

// The name `window`'s class is registered under, of any process.
std::wstring RegisteredClassName(HWND window) {
  // Class atoms live in the atom table that names clipboard formats too.
  const ATOM atom = static_cast<ATOM>(GetClassLongW(window, GCW_ATOM));
  wchar_t name[64] = {};
  const int length = GetClipboardFormatNameW(atom, name, 64);
  return std::wstring(name, length > 0 ? length : 0);
}

// The registered class of a button made now on this thread, in whatever
// activation context is active.
std::wstring RegisteredClassOfNewButton() {
  HWND button = CreateWindowExW(0, L"Button", L"Probe", WS_POPUP, 0, 0, 80, 24,
                                nullptr, nullptr, nullptr, nullptr);
  std::wstring name = RegisteredClassName(button);
  DestroyWindow(button);
  return name;
}

// Sends BCM_GETIDEALSIZE to a button of any process; only a version-6 button
// answers TRUE (with its size).
bool AnswersIdealSize(HWND button, SIZE& size) {
  // The size is written in the button's process: the message's pointer
  // must point into it.
  DWORD processId = 0;
  GetWindowThreadProcessId(button, &processId);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                  FALSE, processId);
  if (process == nullptr) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof size,
                                MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  size = SIZE{};
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(button, BCM_GETIDEALSIZE, 0,
                      reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 2000,
                      &answer);
  ReadProcessMemory(process, remote, &size, sizeof size, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return answer == TRUE;
}

// A copy of the staged Vorlick.dll with its resource directory blanked: it
// has no manifest to activate.
std::wstring CopyWithoutResources(const std::wstring& folder) {
  std::string bytes;
  if (!ReadBytes(StagedFolder() + L"\\Vorlick.dll", bytes)) return L"";
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS32*>(&bytes[dos->e_lfanew]);
  nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE] = {};
  const std::wstring path = folder + L"\\VorlickClassic.dll";
  return WriteBytes(path, bytes) ? path : L"";
}

VorlickFunction LoadFrom(const std::wstring& path) {
  HMODULE library = LoadLibraryW(path.c_str());
  if (library == nullptr) return nullptr;
  return reinterpret_cast<VorlickFunction>(reinterpret_cast<void (*)()>(
      GetProcAddress(library, MAKEINTRESOURCEA(755))));
}

// An activation context made from manifest `id` of a staged binary.
HANDLE ContextFrom(const wchar_t* file, WORD id) {
  const std::wstring path = StagedFolder() + L"\\" + file;
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path.c_str();
  request.lpResourceName = MAKEINTRESOURCEW(id);
  return CreateActCtxW(&request);
}

struct ButtonReading {
  std::wstring plainClass;
  std::wstring registeredClass;
  bool idealSize;
};

std::vector<ButtonReading> ReadButtons(HWND box, const std::vector<int>& ids) {
  std::vector<ButtonReading> readings;
  for (int id : ids) {
    HWND button = GetDlgItem(box, id);
    wchar_t plain[64] = {};
    GetClassNameW(button, plain, 64);
    SIZE size{};
    const bool answered = AnswersIdealSize(button, size);
    readings.push_back({plain, RegisteredClassName(button),
                        answered && size.cx > 0 && size.cy > 0});
  }
  return readings;
}

void ExpectButtons(const std::vector<ButtonReading>& readings, size_t count,
                   const std::wstring& registered, bool version6) {
  ASSERT_EQ(readings.size(), count);
  for (const ButtonReading& reading : readings) {
    EXPECT_EQ(reading.plainClass, L"Button");
    EXPECT_EQ(reading.registeredClass, registered);
    EXPECT_EQ(reading.idealSize, version6);
  }
}

// Each binary's manifest, activated in this host, brings version-6 buttons.
TEST(NativeControls, EachManifestBringsThem) {
  ASSERT_EQ(RegisteredClassOfNewButton(), L"Button");
  for (const auto& [file, id] :
       {std::pair{L"Tandrel.exe", 1}, std::pair{L"Vorlick.dll", 2}}) {
    SCOPED_TRACE(file);
    HANDLE context = ContextFrom(file, id);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << GetLastError();
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    EXPECT_EQ(RegisteredClassOfNewButton(), kVersion6Button);
    EXPECT_TRUE(DeactivateActCtx(0, cookie));
    ReleaseActCtx(context);
  }
}

TEST(NativeControls, InAHostWithoutManifest) {
  struct Case {
    const char* name;
    bool withManifest;  // the real library, or the copy without resources
    bool hostContext;   // the caller has a context of its own active
    const wchar_t* registered;
  };
  const Case cases[] = {
      {"real library", true, false, kVersion6Button},
      {"real library, host's context active", true, true, kVersion6Button},
      {"library without manifest", false, false, L"Button"},
  };
  const TempFolder scratch;
  const std::wstring& folder = scratch.root();
  VorlickFunction real = LoadFrom(StagedFolder() + L"\\Vorlick.dll");
  VorlickFunction classic = LoadFrom(CopyWithoutResources(folder));
  ASSERT_NE(real, nullptr);
  ASSERT_NE(classic, nullptr);
  // A version-6 context of the host's own.
  HANDLE hostContext = ContextFrom(L"Vorlick.dll", 2);
  ASSERT_NE(hostContext, INVALID_HANDLE_VALUE);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::atomic<DWORD> worker{0};
    HANDLE before = nullptr;
    HANDLE after = nullptr;
    int result = -1;
    std::thread thread([&] {
      ULONG_PTR cookie = 0;
      if (c.hostContext) ActivateActCtx(hostContext, &cookie);
      GetCurrentActCtx(&before);
      worker = GetCurrentThreadId();
      result = (c.withManifest ? real : classic)(
          nullptr, u"Which controls?", u"Controls", MB_OKCANCEL, 0, 0);
      GetCurrentActCtx(&after);
      if (c.hostContext) DeactivateActCtx(0, cookie);
    });
    HWND box = nullptr;
    for (int tries = 0; tries < 500 && box == nullptr; ++tries) {
      Sleep(20);
      box = DialogOfThread(worker.load());
    }
    std::vector<ButtonReading> readings;
    if (box != nullptr) {
      readings = ReadButtons(box, {IDOK, IDCANCEL});
      PressButton(box, IDOK);
    }
    thread.join();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(result, IDOK);
    ExpectButtons(readings, 2, c.registered, c.withManifest);
    EXPECT_EQ(after, before);
    EXPECT_EQ(before != nullptr, c.hostContext);
    if (before != nullptr) ReleaseActCtx(before);
    if (after != nullptr) ReleaseActCtx(after);
  }
  ReleaseActCtx(hostContext);
}

TEST(NativeControls, InTandrelExe) {
  const TempFolder scratch;
  const std::wstring& folder = scratch.root();
  const std::wstring request = folder + L"\\request.txt";
  ASSERT_TRUE(WriteBytes(
      request, Utf16Bytes(u"<TITLE>Controls<\\TITLE><BODY>Which controls?"
                          u"<\\BODY><STYLE>4<\\STYLE>")));
  const std::wstring exe = StagedFolder() + L"\\Tandrel.exe";
  std::vector<ButtonReading> readings;
  const ProcessOutcome outcome =
      RunProgram(exe, L"\"" + exe + L"\" " + request, folder, kRunDeadlineMs,
                 [&](const BoxContent& box) {
                   readings = ReadButtons(box.window, box.buttonIds);
                   return PressButton(box.window, IDNO);
                 });
  ASSERT_TRUE(outcome.finished);
  EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(IDNO));
  ExpectButtons(readings, 2, kVersion6Button, true);
}

}  // namespace
