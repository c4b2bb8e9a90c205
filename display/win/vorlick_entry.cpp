// Vorlick.dll's one export, by ordinal 755 only (see Vorlick.def), and the
// library's entry, which has nothing to set up: all state belongs to a call.
#include "box_dialog.h"
#include "vorlick.h"

namespace {

// The user's UI language as Windows reports it, by its locale name
// ("de-DE"); English where none of ours matches.
vorlick::Language UserLanguage() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  const LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
  if (LCIDToLocaleName(locale, name, LOCALE_NAME_MAX_LENGTH, 0) > 0) {
    const vorlick::Language found =
        vorlick::FindLanguage(reinterpret_cast<const char16_t*>(name));
    if (found >= 0) return found;
  }
  return vorlick::kEnglish;
}

// user32's MB_GetString, which Windows has and Wine lacks; the library
// imports nothing beyond what every version of user32 exports.
vorlick::SystemStringsFunction SystemStrings() {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  FARPROC found = GetProcAddress(user32, "MB_GetString");
  return reinterpret_cast<vorlick::SystemStringsFunction>(
      reinterpret_cast<void (*)()>(found));
}

}  // namespace

extern "C" int WINAPI VorlickShowMessage(
    void* ownerHandle, const char16_t* body, const char16_t* title,
    std::uint32_t style, std::int32_t timeout, std::int32_t defaultId) {
  using namespace vorlick;
  const std::uint64_t start = GetTickCount64();
  BoxCall call{};
  if (!SetUpBox(title, body, style, timeout, defaultId, start, UserLanguage(),
                call)) {
    return 0;
  }
  call.owner = static_cast<HWND>(ownerHandle);
  // Windows' message boxes refuse an owner that is not a window.
  if (call.owner != nullptr && !IsWindow(call.owner)) return 0;
  call.labels = LabelsOf(call.plan, SystemStrings());
  call.defaultId = call.plan.buttons.ids[call.plan.defaultIndex];
  return ShowBox(call);
}

extern "C" BOOL WINAPI VorlickEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
