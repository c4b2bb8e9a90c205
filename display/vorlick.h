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
extern "C" VORLICK_LINKAGE int VORLICK_CALL VorlickShowMessage(
    void* owner, const char16_t* body, const char16_t* title,
    std::uint32_t style, std::int32_t timeout, std::int32_t defaultId);
