// The operations the program uses, under their Windows names, for POSIX
// systems. The implementations live in this folder; they do exactly what the
// program needs of each, with Windows' contracts.
#pragma once

#include <cstdint>

using BOOL = int;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using HANDLE = void*;
using HWND = void*;
struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD FILE_SHARE_READ = 1;
inline constexpr DWORD FILE_SHARE_WRITE = 2;
inline constexpr DWORD FILE_SHARE_DELETE = 4;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
// A constant handle, as on Windows (where it is (HANDLE)-1 too).
// NOLINTNEXTLINE(misc-misplaced-const,performance-no-int-to-ptr)
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);
inline constexpr UINT CP_ACP = 0;
inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr int IDOK = 1;

inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
inline constexpr DWORD ERROR_INVALID_FLAGS = 1004;
inline constexpr DWORD ERROR_READ_FAULT = 30;

DWORD GetLastError();

// Opens an existing regular file for reading; a directory, device or pipe
// fails as a directory does on Windows. Only the arguments the program uses
// (GENERIC_READ, OPEN_EXISTING) are supported; others fail with
// ERROR_INVALID_PARAMETER.
HANDLE CreateFileW(const char16_t* fileName, DWORD access, DWORD shareMode,
                   SECURITY_ATTRIBUTES* security, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead,
              OVERLAPPED* overlapped);
BOOL CloseHandle(HANDLE handle);
BOOL DeleteFileW(const char16_t* fileName);

// CP_ACP is Windows-1252 here, so request files read the same on both systems.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* source,
                        int sourceBytes, char16_t* target, int targetUnits);
int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* source,
                        int sourceUnits, char* target, int targetBytes,
                        const char* defaultChar, BOOL* usedDefaultChar);

int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption,
                UINT type);

// The display library's one function (ordinal 755 on Windows).
extern "C" int VorlickShowMessage(HWND owner, const char16_t* text,
                                  const char16_t* caption, UINT style,
                                  int timeout, int defaultId);
