// The operations the program uses, under their Windows names: the real Win32
// API. Portable code keeps its text in char16_t; the overloads below are the
// one place where it becomes wchar_t (both are 16-bit UTF-16 units here).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected");

inline const wchar_t* AsWide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}

inline HANDLE CreateFileW(const char16_t* fileName, DWORD access,
                          DWORD shareMode, SECURITY_ATTRIBUTES* security,
                          DWORD disposition, DWORD flagsAndAttributes,
                          HANDLE templateFile) {
  return ::CreateFileW(AsWide(fileName), access, shareMode, security,
                       disposition, flagsAndAttributes, templateFile);
}

inline int MultiByteToWideChar(UINT codePage, DWORD flags, const char* source,
                               int sourceBytes, char16_t* target,
                               int targetUnits) {
  return ::MultiByteToWideChar(codePage, flags, source, sourceBytes,
                               reinterpret_cast<wchar_t*>(target), targetUnits);
}

inline int WideCharToMultiByte(UINT codePage, DWORD flags,
                               const char16_t* source, int sourceUnits,
                               char* target, int targetBytes,
                               const char* defaultChar, BOOL* usedDefaultChar) {
  return ::WideCharToMultiByte(codePage, flags, AsWide(source), sourceUnits,
                               target, targetBytes, defaultChar,
                               usedDefaultChar);
}

inline int MessageBoxW(HWND owner, const char16_t* text,
                       const char16_t* caption, UINT type) {
  return ::MessageBoxW(owner, AsWide(text), AsWide(caption), type);
}
