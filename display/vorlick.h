// The display library's one function, as the program calls it and as both
// libraries define it: Vorlick.dll exports it by ordinal 755 only (see
// win/Vorlick.def), libvorlick.so by its name. What it shows and returns is
// docs/display-contract.md.
#pragma once

#include <cstdint>

// The calling convention (stdcall on Windows) and, for the program, how the
// function is linked (imported from the DLL on Windows); the build defines
// them where they are not empty.
#ifndef VORLICK_CALL
#define VORLICK_CALL
#endif
#ifndef VORLICK_LINKAGE
#define VORLICK_LINKAGE
#endif

// Shows the box and returns once it is gone: the chosen button's ID, 32000
// when the time-out ran out, 0 when no box could be shown. The arguments in
// MessageBoxW's order (owner, text, caption, style) and then the request's
// time-out in seconds and default button's ID. `owner` is a window handle
// on Windows and unused elsewhere; `body` and `title` are zero-terminated
// UTF-16, a null one empty.
namespace vorlick {

// The button IDs, with the values MessageBoxW returns for them.
enum ButtonId : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdAbort = 3,
  kIdRetry = 4,
  kIdIgnore = 5,
  kIdYes = 6,
  kIdNo = 7,
  kIdHelp = 9,
  kIdTryAgain = 10,
  kIdContinue = 11,
};

// The style bits a box honours, with the values of MessageBoxW's MB_ names.
// The button set is the style's low four bits (kMbButtonSets); MB_DEFBUTTONn
// is n - 1 in bits 8 to 11.
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbOkCancel = 0x1;
inline constexpr std::uint32_t kMbAbortRetryIgnore = 0x2;
inline constexpr std::uint32_t kMbYesNoCancel = 0x3;
inline constexpr std::uint32_t kMbYesNo = 0x4;
inline constexpr std::uint32_t kMbRetryCancel = 0x5;
inline constexpr std::uint32_t kMbCancelTryContinue = 0x6;
inline constexpr std::uint32_t kMbButtonSets = 0xF;
inline constexpr std::uint32_t kMbIconError = 0x10;
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconWarning = 0x30;
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr std::uint32_t kMbSystemModal = 0x1000;
inline constexpr std::uint32_t kMbTaskModal = 0x2000;
inline constexpr std::uint32_t kMbHelp = 0x4000;
inline constexpr std::uint32_t kMbSetForeground = 0x10000;
inline constexpr std::uint32_t kMbTopmost = 0x40000;
inline constexpr std::uint32_t kMbRight = 0x80000;
inline constexpr std::uint32_t kMbRtlReading = 0x100000;

}  // namespace vorlick

extern "C" VORLICK_LINKAGE int VORLICK_CALL VorlickShowMessage(
    void* owner, const char16_t* body, const char16_t* title,
    std::uint32_t style, std::int32_t timeout, std::int32_t defaultId);
