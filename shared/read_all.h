// Reading from a descriptor on POSIX systems: the one loop for every read
// that wants a whole buffer. A read cut short goes on with the rest, one
// interrupted by a signal (EINTR) is tried again; the end of the file, or
// any other failure, ends it. The counterpart of write_all.h.
#pragma once

#include <errno.h>
#include <unistd.h>

#include <cstddef>

struct ReadCount {
  std::size_t bytes;  // read before it ended
  bool failed;        // a read failed (not just the end of the file)
};

// Reads into the `size` bytes at `data` until they are full, the file ends
// or a read fails.
inline ReadCount ReadAll(int fd, void* data, std::size_t size) {
  char* bytes = static_cast<char*>(data);
  ReadCount count{0, false};
  while (count.bytes < size) {
    const ssize_t got = read(fd, bytes + count.bytes, size - count.bytes);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) count.failed = true;
    if (got <= 0) break;
    count.bytes += static_cast<std::size_t>(got);
  }
  return count;
}
