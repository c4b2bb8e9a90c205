// Files: exactly the opening, reading, closing and deleting the program does,
// with the outcomes Windows gives them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "last_error.h"
#include "platform_api.h"
#include "utf8.h"

namespace {

// A path that does not fit PATH_MAX bytes cannot name a file.
bool ToNativePath(const char16_t* fileName, char (&path)[PATH_MAX]) {
  if (fileName == nullptr || fileName[0] == 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  if (Utf16ToUtf8(fileName, path, PATH_MAX) < 0) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  return true;
}

int ToDescriptor(HANDLE handle) {
  auto value = reinterpret_cast<intptr_t>(handle);
  return value >= 0 && value <= INT_MAX ? static_cast<int>(value) : -1;
}

}  // namespace

HANDLE CreateFileW(const char16_t* fileName, DWORD access, DWORD /*shareMode*/,
                   SECURITY_ATTRIBUTES* /*security*/, DWORD disposition,
                   DWORD /*flagsAndAttributes*/, HANDLE templateFile) {
  if (access != GENERIC_READ || disposition != OPEN_EXISTING ||
      templateFile != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  char path[PATH_MAX];
  if (!ToNativePath(fileName, path)) return INVALID_HANDLE_VALUE;

  // Non-blocking, so that a FIFO cannot hold the open; only regular files
  // pass: Windows refuses directories, and a request can never be a device
  // (whose deletion after the run would do real harm).
  int fd = open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    SetLastError(ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  // A handle is the descriptor itself, as Windows handles are opaque values.
  return reinterpret_cast<HANDLE>(  // NOLINT(performance-no-int-to-ptr)
      static_cast<intptr_t>(fd));
}

// Like Windows on a file: reads until the count is reached or the file ends.
BOOL ReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead,
              OVERLAPPED* overlapped) {
  if (bytesRead != nullptr) *bytesRead = 0;
  int fd = ToDescriptor(file);
  if (fd < 0 || overlapped != nullptr ||
      (buffer == nullptr && bytesToRead > 0)) {
    SetLastError(fd < 0 ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto* target = static_cast<char*>(buffer);
  DWORD total = 0;
  while (total < bytesToRead) {
    ssize_t got = read(fd, target + total, bytesToRead - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      if (bytesRead != nullptr) *bytesRead = total;
      SetLastError(ErrorFromErrno(errno));
      return FALSE;
    }
    if (got == 0) break;
    total += static_cast<DWORD>(got);
  }
  if (bytesRead != nullptr) *bytesRead = total;
  return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  int fd = ToDescriptor(handle);
  if (fd < 0 || close(fd) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL DeleteFileW(const char16_t* fileName) {
  char path[PATH_MAX];
  if (!ToNativePath(fileName, path)) return FALSE;
  struct stat status {};
  // Windows deletes files only, never a directory or what a link points to.
  if (lstat(path, &status) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  if (S_ISDIR(status.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (unlink(path) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}
