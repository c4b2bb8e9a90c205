// Files: exactly the opening, reading, identifying, closing and deleting the
// program does, with the outcomes Windows gives them.
//
// A file is opened as a name in a folder: the folder first (its path is
// followed like any path), then the name relative to it. The delete that
// follows a run must act on the folder the request was read from, even if
// its path leads elsewhere by then, so the folder outlives the file's handle.
// The program holds one request at a time, and the storage for this is small
// and fixed; no heap:
//  - the request folder: the folder of the last path opened for reading,
//    with that path's folder part. An open for deleting of a path with the
//    same folder part takes it over; the next open for reading replaces it.
//    At most one folder is kept open, whatever the number of runs.
//  - deleting handles (kDeletingSlots): the descriptor of the name itself
//    (O_PATH, a link not followed), the folder it is in and the name; the
//    folder is closed with the handle.
// A handle is the file's descriptor, as Windows handles are opaque values.
// Not thread-safe: the program runs on one thread.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "last_error.h"
#include "platform_api.h"
#include "utf8.h"

namespace {

constexpr int kDeletingSlots = 4;

struct RequestFolder {
  int fd = -1;
  char path[PATH_MAX] = {};
};

struct DeletingHandle {
  int fd = -1;
  int folder = -1;
  char name[NAME_MAX + 1] = {};
};

RequestFolder requestFolder;
DeletingHandle deleting[kDeletingSlots];

// Copies a text whose length was checked, cutting it to `to` all the same.
template <std::size_t N>
void CopyText(char (&to)[N], const char* from) {
  std::size_t length = std::strlen(from);
  if (length >= N) length = N - 1;
  std::memcpy(to, from, length);
  to[length] = 0;
}

// A path split into its folder part (through the last '/', or "." when it
// has none) and the name after it ("." when it ends in '/').
struct SplitPath {
  char folder[PATH_MAX];
  char name[NAME_MAX + 1];
};

// A path that does not fit PATH_MAX bytes cannot name a file.
bool ToSplitPath(const char16_t* fileName, SplitPath& split) {
  char path[PATH_MAX];
  if (fileName == nullptr || fileName[0] == 0) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  if (Utf16ToUtf8(fileName, path, PATH_MAX) < 0) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  const char* slash = std::strrchr(path, '/');
  const char* name = slash != nullptr ? slash + 1 : path;
  if (std::strlen(name) > NAME_MAX) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  CopyText(split.name, *name != 0 ? name : ".");
  if (slash == nullptr) {
    CopyText(split.folder, ".");
  } else {
    const auto length = static_cast<std::size_t>(slash - path) + 1;
    std::memcpy(split.folder, path, length);
    split.folder[length] = 0;
  }
  return true;
}

int ToDescriptor(HANDLE handle) {
  auto value = reinterpret_cast<intptr_t>(handle);
  return value >= 0 && value <= INT_MAX ? static_cast<int>(value) : -1;
}

HANDLE ToHandle(int fd) {
  return reinterpret_cast<HANDLE>(  // NOLINT(performance-no-int-to-ptr)
      static_cast<intptr_t>(fd));
}

HANDLE Fail(DWORD error, int fd, int folder) {
  if (fd >= 0) close(fd);
  if (folder >= 0) close(folder);
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

int OpenFolder(const char* path) {
  return open(path, O_PATH | O_DIRECTORY | O_CLOEXEC);
}

void KeepRequestFolder(int folder, const char* path) {
  if (requestFolder.fd >= 0) close(requestFolder.fd);
  requestFolder.fd = folder;
  CopyText(requestFolder.path, path);
}

HANDLE OpenForReading(const SplitPath& path) {
  const int folder = OpenFolder(path.folder);
  if (folder < 0) return Fail(ErrorFromErrno(errno), -1, -1);
  // Non-blocking, so that a FIFO cannot hold the open; only regular files
  // pass: Windows refuses directories, and a request can never be a device
  // (whose deletion after the run would do real harm).
  const int fd =
      openat(folder, path.name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return Fail(ErrorFromErrno(errno), -1, folder);
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    return Fail(ERROR_ACCESS_DENIED, fd, folder);
  }
  int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  KeepRequestFolder(folder, path.folder);
  return ToHandle(fd);
}

DeletingHandle* FindDeleting(int fd) {
  for (DeletingHandle& slot : deleting) {
    if (fd >= 0 && slot.fd == fd) return &slot;
  }
  return nullptr;
}

HANDLE OpenForDeleting(const SplitPath& path) {
  DeletingHandle* slot = nullptr;
  for (DeletingHandle& free : deleting) {
    if (slot == nullptr && free.fd < 0) slot = &free;
  }
  if (slot == nullptr) return Fail(ERROR_TOO_MANY_OPEN_FILES, -1, -1);
  int folder = -1;
  if (requestFolder.fd >= 0 &&
      std::strcmp(requestFolder.path, path.folder) == 0) {
    folder = requestFolder.fd;
    requestFolder.fd = -1;
  } else {
    folder = OpenFolder(path.folder);
    if (folder < 0) return Fail(ErrorFromErrno(errno), -1, -1);
  }
  const int fd = openat(folder, path.name, O_PATH | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return Fail(ErrorFromErrno(errno), -1, folder);
  struct stat status {};
  // Windows opens a directory only with backup semantics, never asked here.
  if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    return Fail(ERROR_ACCESS_DENIED, fd, folder);
  }
  slot->fd = fd;
  slot->folder = folder;
  CopyText(slot->name, path.name);
  return ToHandle(fd);
}

// 100 ns intervals since 1601, Windows' clock.
FILETIME ToFileTime(const timespec& time) {
  constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
  const std::int64_t ticks =
      (time.tv_sec + kSecondsFrom1601To1970) * 10000000 + time.tv_nsec / 100;
  const auto value = static_cast<std::uint64_t>(ticks);
  return {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

DWORD AttributesOf(const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  if ((status.st_mode & 0222) == 0) return FILE_ATTRIBUTE_READONLY;
  return FILE_ATTRIBUTE_NORMAL;
}

}  // namespace

HANDLE CreateFileW(const char16_t* fileName, DWORD access, DWORD /*shareMode*/,
                   SECURITY_ATTRIBUTES* /*security*/, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE templateFile) {
  const bool reading = access == GENERIC_READ;
  const bool deleting =
      (access == DELETE || access == (DELETE | FILE_READ_ATTRIBUTES)) &&
      (flagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT) != 0;
  if (!(reading || deleting) || disposition != OPEN_EXISTING ||
      templateFile != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  SplitPath path;
  if (!ToSplitPath(fileName, path)) return INVALID_HANDLE_VALUE;
  return reading ? OpenForReading(path) : OpenForDeleting(path);
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
  if (DeletingHandle* slot = FindDeleting(fd)) {
    close(slot->folder);
    *slot = DeletingHandle{};
  }
  if (fd < 0 || close(fd) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL GetFileInformationByHandle(HANDLE file,
                                BY_HANDLE_FILE_INFORMATION* information) {
  struct stat status {};
  int fd = ToDescriptor(file);
  if (information == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (fd < 0 || fstat(fd, &status) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const auto device = static_cast<std::uint64_t>(status.st_dev);
  const auto inode = static_cast<std::uint64_t>(status.st_ino);
  const auto size = static_cast<std::uint64_t>(status.st_size);
  information->dwFileAttributes = AttributesOf(status);
  information->ftCreationTime = ToFileTime(status.st_ctim);
  information->ftLastAccessTime = ToFileTime(status.st_atim);
  information->ftLastWriteTime = ToFileTime(status.st_mtim);
  // Device numbers put the major number's high bits above 32: folded in.
  information->dwVolumeSerialNumber = static_cast<DWORD>(device ^ device >> 32);
  information->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  information->nFileSizeLow = static_cast<DWORD>(size);
  information->nNumberOfLinks = static_cast<DWORD>(status.st_nlink);
  information->nFileIndexHigh = static_cast<DWORD>(inode >> 32);
  information->nFileIndexLow = static_cast<DWORD>(inode);
  return TRUE;
}

BOOL SetFileInformationByHandle(HANDLE file,
                                FILE_INFO_BY_HANDLE_CLASS informationClass,
                                void* information, DWORD size) {
  if (informationClass != FileDispositionInfo || information == nullptr ||
      size < sizeof(FILE_DISPOSITION_INFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DeletingHandle* slot = FindDeleting(ToDescriptor(file));
  if (slot == nullptr) {
    SetLastError(ERROR_ACCESS_DENIED);  // not a handle opened for DELETE
    return FALSE;
  }
  if (!static_cast<FILE_DISPOSITION_INFO*>(information)->DeleteFile) {
    return TRUE;
  }
  struct stat opened {};
  struct stat named {};
  if (fstat(slot->fd, &opened) != 0 ||
      fstatat(slot->folder, slot->name, &named, AT_SYMLINK_NOFOLLOW) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  if (opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  if (unlinkat(slot->folder, slot->name, 0) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}
