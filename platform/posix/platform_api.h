// The operations the program uses, under their Windows names, for POSIX
// systems. The implementations live in this folder; each does what the
// program asks of it, the way Windows does it, and nothing more: the
// program's calls pass the same arguments every time (see app/run_request.cpp
// and request/parse_request_text.cpp), and nothing reads a last error.
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

// Opens an existing file in one of the two ways the program uses (see
// file.cpp for how a request's folder is kept between the two):
//  - GENERIC_READ: a regular file, following links; a directory, device or
//    pipe fails as a directory does on Windows.
//  - DELETE and FILE_FLAG_OPEN_REPARSE_POINT: the name itself, a link not
//    followed; a directory fails.
HANDLE CreateFileW(const char16_t* fileName, DWORD access, DWORD shareMode,
                   SECURITY_ATTRIBUTES* security, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
// Reads until the count is reached or the file ends.
BOOL ReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead,
              OVERLAPPED* overlapped);
BOOL CloseHandle(HANDLE handle);
BOOL GetFileInformationByHandle(HANDLE file,
                                BY_HANDLE_FILE_INFORMATION* information);
// FileDispositionInfo on a handle opened for DELETE. POSIX cannot remove a
// file through its descriptor: the name the handle was opened with is
// removed at once, from the folder it was opened in, and only while it still
// names the handle's file (else nothing is removed and the call fails).
BOOL SetFileInformationByHandle(HANDLE file,
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
