// The operations the program uses, under their Windows names, for POSIX
// systems. The implementations live in this folder; each does what its
// arguments ask, the way Windows does it, for the arguments the program
// passes (see app/run_request.cpp and request/parse_request_text.cpp), and
// fails on others; nothing sets or reads a last error.
#pragma once

#include <cstdint>

using BOOL = int;
using BOOLEAN = unsigned char;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using HANDLE = void*;
using HWND = void*;
struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;
inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD DELETE = 0x00010000u;
inline constexpr DWORD FILE_READ_ATTRIBUTES = 0x80;
inline constexpr DWORD FILE_SHARE_READ = 1;
inline constexpr DWORD FILE_SHARE_WRITE = 2;
inline constexpr DWORD FILE_SHARE_DELETE = 4;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD FILE_FLAG_OPEN_REPARSE_POINT = 0x00200000u;
// A constant handle, as on Windows (where it is (HANDLE)-1 too).
// NOLINTNEXTLINE(misc-misplaced-const,performance-no-int-to-ptr)
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);
inline constexpr UINT CP_ACP = 0;
inline constexpr UINT MB_ICONERROR = 0x10;

// The fields that tell one file from another: the device and inode numbers,
// which name one file together as long as it exists.
struct BY_HANDLE_FILE_INFORMATION {
  DWORD dwVolumeSerialNumber;
  DWORD nFileIndexHigh;
  DWORD nFileIndexLow;
};

enum FILE_INFO_BY_HANDLE_CLASS { FileDispositionInfo = 4 };

struct FILE_DISPOSITION_INFO {
  BOOLEAN DeleteFile;
};

// Opens an existing file (OPEN_EXISTING; nothing else is done) by what the
// arguments ask: GENERIC_READ reads it; DELETE lets the handle delete it;
// FILE_FLAG_OPEN_REPARSE_POINT opens the name itself, a link at its end not
// followed. Only a regular file opens (or, as itself, a link): a directory
// fails as on Windows without backup semantics, and a device, pipe or
// socket fails too, as a request can never be one. POSIX has no share modes:
// the share mode is not looked at. A handle holds everything its later calls
// need (file.cpp); each is one of a few that may be open at once.
HANDLE CreateFileW(const char16_t* fileName, DWORD access, DWORD shareMode,
                   SECURITY_ATTRIBUTES* security, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
// Reads until the count is reached or the file ends; fails on a handle not
// opened for reading.
BOOL ReadFile(HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesRead,
              OVERLAPPED* overlapped);
BOOL CloseHandle(HANDLE handle);
BOOL GetFileInformationByHandle(HANDLE handle,
                                BY_HANDLE_FILE_INFORMATION* information);
// FileDispositionInfo on a handle opened with DELETE. POSIX cannot remove a
// file through its descriptor: the name the handle was opened with is
// removed at once, from the folder it was opened in, and only while it still
// names the handle's file (else nothing is removed and the call fails).
BOOL SetFileInformationByHandle(HANDLE handle,
                                FILE_INFO_BY_HANDLE_CLASS informationClass,
                                void* information, DWORD size);

// CP_ACP is Windows-1252 here, so request files read the same on both
// systems. A length of at least 1 is given; a capacity of 0 asks for the
// size; output that does not fit gives 0 and writes nothing. A unit without
// a character of its own becomes its best fit or "?" (the program passes no
// default character and does not ask whether it was used).
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* source,
                        int sourceBytes, char16_t* target, int targetUnits);
int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* source,
                        int sourceUnits, char* target, int targetBytes,
                        const char* defaultChar, BOOL* usedDefaultChar);

// The error box: shown through the display library, and written to
// standard error (display/posix/error_box.cpp).
int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption,
                UINT type);
