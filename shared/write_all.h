// Writing a whole buffer to a descriptor on POSIX systems: the one loop for
// every such write. A write cut short goes on with the rest, one interrupted
// by a signal (EINTR) is tried again, any other failure ends it. Only write(2)
// or send(2) and errno are used, so signal handlers may call it.
#pragma once

#include <errno.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>

// Writes the `size` bytes at `data` through `put` (a write(2) of a part) as
// above; returns whether all of them were written.
template <typename Put>
bool WriteAllThrough(Put put, const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = put(bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

inline bool WriteAll(int fd, const void* data, std::size_t size) {
  return WriteAllThrough(
      [fd](const char* bytes, std::size_t count) {
        return write(fd, bytes, count);
      },
      data, size);
}

// To a socket whose reader may be gone: MSG_NOSIGNAL, so that the writer is
// not ended by SIGPIPE.
inline bool SendAll(int socket, const void* data, std::size_t size) {
  return WriteAllThrough(
      [socket](const char* bytes, std::size_t count) {
        return send(socket, bytes, count, MSG_NOSIGNAL);
      },
      data, size);
}
