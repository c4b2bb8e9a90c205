// Files: opening, reading, identifying, closing and deleting, with the
// outcomes Windows gives them.
//
// A handle is an entry of a small fixed table, and holds everything its
// later calls need: the descriptor and, for a handle that may delete, the
// folder its name was opened in and the name. Nothing is kept between
// handles: what one open learns goes with its CloseHandle. A name is opened
// in its folder: the folder first (its path is followed like any path), then
// the name relative to it, so that a delete acts on the name in the folder
// the handle was opened in, whatever the folder's path leads to by then.
// No heap. Not thread-safe: the program runs on one thread.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstring>

#include "platform_api.h"
#include "read_all.h"
#include "utf8.h"

namespace {

// The program holds one file at a time; a test or a caller of the layer may
// hold a few.
constexpr int kMostHandles = 4;

struct OpenFile {
  bool inUse = false;
  int fd = -1;  // the file read, or (O_PATH) the name itself
  bool reads = false;
  bool deletes = false;
  int folder = -1;  // with `deletes`: the folder the name was opened in
  char name[NAME_MAX + 1] = {};
};

OpenFile files[kMostHandles];

// A path split into its folder part (through the last '/', or "." when it
// has none) and the name after it ("." when it ends in '/').
struct SplitPath {
  char folder[PATH_MAX];
  char name[NAME_MAX + 1];
};

// Copies a text whose length was checked, cutting it to `to` all the same.
template <std::size_t N>
void CopyText(char (&to)[N], const char* from, std::size_t length) {
  if (length >= N) length = N - 1;
  std::memcpy(to, from, length);
  to[length] = 0;
}

// An empty path names no file, nor does one that does not fit PATH_MAX bytes.
bool ToSplitPath(const char16_t* fileName, SplitPath& split) {
  char path[PATH_MAX];
  if (fileName[0] == 0 || Utf16ToUtf8(fileName, path, PATH_MAX) < 0) {
    return false;
  }
  const char* slash = std::strrchr(path, '/');
  const char* name = slash != nullptr ? slash + 1 : path;
  const std::size_t nameLength = std::strlen(name);
  if (nameLength > NAME_MAX) return false;
  if (nameLength == 0) {
    CopyText(split.name, ".", 1);
  } else {
    CopyText(split.name, name, nameLength);
  }
  if (slash == nullptr) {
    CopyText(split.folder, ".", 1);
  } else {
    CopyText(split.folder, path, static_cast<std::size_t>(slash - path) + 1);
  }
  return true;
}

OpenFile* FileOf(HANDLE handle) {
  for (OpenFile& file : files) {
    if (file.inUse && handle == &file) return &file;
  }
  return nullptr;
}

OpenFile* FreeEntry() {
  for (OpenFile& file : files) {
    if (!file.inUse) return &file;
  }
  return nullptr;
}

void Release(OpenFile& file) {
  if (file.fd >= 0) close(file.fd);
  if (file.folder >= 0) close(file.folder);
  file = OpenFile{};
}

// What CreateFileW's arguments ask for.
struct Request {
  bool reads;       // GENERIC_READ
  bool deletes;     // DELETE
  bool nameItself;  // FILE_FLAG_OPEN_REPARSE_POINT: a link is not followed
};

// Opens the name: the file for reading, or the name alone (O_PATH) for a
// handle that only identifies or deletes. Only regular files pass (and,
// opened as themselves, links): Windows opens no directory without backup
// semantics, which nothing asks for, and a device, pipe or socket is never
// a request (deleting one after a run would do real harm). Non-blocking, so
// that a FIFO cannot hold the open.
int OpenName(int folder, const char* name, const Request& request) {
  int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  flags |= request.reads ? O_RDONLY : O_PATH;
  if (request.nameItself) flags |= O_NOFOLLOW;
  const int fd = openat(folder, name, flags);
  if (fd < 0) return -1;
  struct stat status {};
  const bool link = !request.reads && request.nameItself;
  if (fstat(fd, &status) != 0 ||
      !(S_ISREG(status.st_mode) || (link && S_ISLNK(status.st_mode)))) {
    close(fd);
    return -1;
  }
  if (request.reads) {
    const int now = fcntl(fd, F_GETFL);
    if (now >= 0) fcntl(fd, F_SETFL, now & ~O_NONBLOCK);
  }
  return fd;
}

HANDLE Open(const SplitPath& path, const Request& request) {
  OpenFile* file = FreeEntry();
  if (file == nullptr) return INVALID_HANDLE_VALUE;
  const int folder = open(path.folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return INVALID_HANDLE_VALUE;
  const int fd = OpenName(folder, path.name, request);
  if (fd < 0) {
    close(folder);
    return INVALID_HANDLE_VALUE;
  }
  file->inUse = true;
  file->fd = fd;
  file->reads = request.reads;
  file->deletes = request.deletes;
  if (request.deletes) {
    file->folder = folder;
    CopyText(file->name, path.name, std::strlen(path.name));
  } else {
    close(folder);
  }
  return file;
}

}  // namespace

HANDLE CreateFileW(const char16_t* fileName, DWORD access, DWORD /*shareMode*/,
                   SECURITY_ATTRIBUTES* /*security*/, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE /*templateFile*/) {
  SplitPath path;
  if (disposition != OPEN_EXISTING || !ToSplitPath(fileName, path)) {
    return INVALID_HANDLE_VALUE;
  }
  const Request request{
      (access & GENERIC_READ) != 0, (access & DELETE) != 0,
      (flagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT) != 0};
  return Open(path, request);
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD bytesToRead, DWORD* bytesRead,
              OVERLAPPED* /*overlapped*/) {
  *bytesRead = 0;
  const OpenFile* file = FileOf(handle);
  if (file == nullptr || !file->reads) return FALSE;
  const ReadCount count = ReadAll(file->fd, buffer, bytesToRead);
  *bytesRead = static_cast<DWORD>(count.bytes);
  return count.failed ? FALSE : TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  OpenFile* file = FileOf(handle);
  if (file == nullptr) return FALSE;
  Release(*file);
  return TRUE;
}

BOOL GetFileInformationByHandle(HANDLE handle,
                                BY_HANDLE_FILE_INFORMATION* information) {
  const OpenFile* file = FileOf(handle);
  struct stat status {};
  if (file == nullptr || fstat(file->fd, &status) != 0) return FALSE;
  const auto device = static_cast<std::uint64_t>(status.st_dev);
  const auto inode = static_cast<std::uint64_t>(status.st_ino);
  // Device numbers put the major number's high bits above 32: folded in.
  information->dwVolumeSerialNumber = static_cast<DWORD>(device ^ device >> 32);
  information->nFileIndexHigh = static_cast<DWORD>(inode >> 32);
  information->nFileIndexLow = static_cast<DWORD>(inode);
  return TRUE;
}

BOOL SetFileInformationByHandle(HANDLE handle,
                                FILE_INFO_BY_HANDLE_CLASS informationClass,
                                void* information, DWORD /*size*/) {
  const OpenFile* file = FileOf(handle);
  if (file == nullptr || !file->deletes ||
      informationClass != FileDispositionInfo) {
    return FALSE;
  }
  if (!static_cast<FILE_DISPOSITION_INFO*>(information)->DeleteFile) {
    return TRUE;
  }
  struct stat opened {};
  struct stat named {};
  if (fstat(file->fd, &opened) != 0 ||
      fstatat(file->folder, file->name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
      opened.st_dev != named.st_dev || opened.st_ino != named.st_ino) {
    return FALSE;
  }
  return unlinkat(file->folder, file->name, 0) == 0 ? TRUE : FALSE;
}
