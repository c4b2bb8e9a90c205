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
//  - the deleting handle: the descriptor of the name itself (O_PATH, a link
//    not followed), the folder it is in and the name; the folder is closed
//    with the handle. The program holds one at a time.
// A handle is the file's descriptor, as Windows handles are opaque values.
// Not thread-safe: the program runs on one thread.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#include "platform_api.h"
#include "read_all.h"
#include "utf8.h"

namespace {

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
DeletingHandle deleting;

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

// An empty path names no file, nor does one that does not fit PATH_MAX bytes.
bool ToSplitPath(const char16_t* fileName, SplitPath& split) {
  char path[PATH_MAX];
  if (fileName[0] == 0 || Utf16ToUtf8(fileName, path, PATH_MAX) < 0) {
    return false;
  }
  const char* slash = std::strrchr(path, '/');
  const char* name = slash != nullptr ? slash + 1 : path;
  if (std::strlen(name) > NAME_MAX) return false;
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

HANDLE Fail(int fd, int folder) {
  if (fd >= 0) close(fd);
  if (folder >= 0) close(folder);
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
  if (folder < 0) return INVALID_HANDLE_VALUE;
  // Non-blocking, so that a FIFO cannot hold the open; only regular files
  // pass: Windows refuses directories, and a request can never be a device
  // (whose deletion after the run would do real harm).
  const int fd =
      openat(folder, path.name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return Fail(-1, folder);
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    return Fail(fd, folder);
  }
  int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  KeepRequestFolder(folder, path.folder);
  return ToHandle(fd);
}

HANDLE OpenForDeleting(const SplitPath& path) {
  if (deleting.fd >= 0) return INVALID_HANDLE_VALUE;
  int folder = -1;
  if (requestFolder.fd >= 0 &&
      std::strcmp(requestFolder.path, path.folder) == 0) {
    folder = requestFolder.fd;
    requestFolder.fd = -1;
  } else {
    folder = OpenFolder(path.folder);
    if (folder < 0) return INVALID_HANDLE_VALUE;
  }
  const int fd = openat(folder, path.name, O_PATH | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return Fail(-1, folder);
  struct stat status {};
  // Windows opens a directory only with backup semantics, never asked here.
  if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    return Fail(fd, folder);
  }
  deleting.fd = fd;
  deleting.folder = folder;
  CopyText(deleting.name, path.name);
  return ToHandle(fd);
}

bool IsDeleting(int fd) { return fd >= 0 && deleting.fd == fd; }

}  // namespace

HANDLE CreateFileW(const char16_t* fileName, DWORD access, DWORD /*shareMode*/,
                   SECURITY_ATTRIBUTES* /*security*/, DWORD /*disposition*/,
                   DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/) {
  SplitPath path;
  if (!ToSplitPath(fileName, path)) return INVALID_HANDLE_VALUE;
  return access == GENERIC_READ ? OpenForReading(path) : OpenForDeleting(path);
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead,
              OVERLAPPED* /*overlapped*/) {
  const ReadCount count = ReadAll(ToDescriptor(file), buffer, bytesToRead);
  *bytesRead = static_cast<DWORD>(count.bytes);
  return count.failed ? FALSE : TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  const int fd = ToDescriptor(handle);
  if (IsDeleting(fd)) {
    close(deleting.folder);
    deleting = DeletingHandle{};
  }
  return fd >= 0 && close(fd) == 0 ? TRUE : FALSE;
}

BOOL GetFileInformationByHandle(HANDLE file,
                                BY_HANDLE_FILE_INFORMATION* information) {
  struct stat status {};
  if (fstat(ToDescriptor(file), &status) != 0) return FALSE;
  const auto device = static_cast<std::uint64_t>(status.st_dev);
  const auto inode = static_cast<std::uint64_t>(status.st_ino);
  // Device numbers put the major number's high bits above 32: folded in.
  information->dwVolumeSerialNumber = static_cast<DWORD>(device ^ device >> 32);
  information->nFileIndexHigh = static_cast<DWORD>(inode >> 32);
  information->nFileIndexLow = static_cast<DWORD>(inode);
  return TRUE;
}

BOOL SetFileInformationByHandle(HANDLE file,
                                FILE_INFO_BY_HANDLE_CLASS /*informationClass*/,
                                void* information, DWORD /*size*/) {
  if (!IsDeleting(ToDescriptor(file))) return FALSE;
  if (!static_cast<FILE_DISPOSITION_INFO*>(information)->DeleteFile) {
    return TRUE;
  }
  struct stat opened {};
  struct stat named {};
  if (fstat(deleting.fd, &opened) != 0 ||
      fstatat(deleting.folder, deleting.name, &named, AT_SYMLINK_NOFOLLOW) !=
          0 ||
      opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
    return FALSE;
  }
  return unlinkat(deleting.folder, deleting.name, 0) == 0 ? TRUE : FALSE;
}
