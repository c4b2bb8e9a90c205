#include "terminal_caps.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <mutex>

#include "read_all.h"

namespace vorlick {
namespace {

constexpr int kLegacyMagic = 0432;
constexpr int kWideNumberMagic = 01036;
constexpr std::size_t kHeaderBytes = 12;
// The largest entry the compiler writes.
constexpr std::size_t kEntryBytes = 32768;
constexpr const char* kSystemFolders[] = {"/etc/terminfo", "/lib/terminfo",
                                          "/usr/share/terminfo"};

// The string capabilities' places in a compiled entry, fixed by the format.
enum StringCap {
  kEl = 6,
  kEd = 7,
  kCivis = 13,
  kCnorm = 16,
  kCuu1 = 19,
  kBold = 27,
  kRev = 34,
  kSmso = 35,
  kSmul = 36,
  kSgr0 = 39,
  kRmul = 44,
};

int ReadShort(const unsigned char* p) {
  return static_cast<std::int16_t>(p[0] | (p[1] << 8));
}

// Length of a delay "$<" digits ['.' digit] ['*'] ['/'] ">" at `p`, or 0.
int DelayLength(const char* p) {
  if (p[0] != '$' || p[1] != '<') return 0;
  int at = 2;
  bool digits = false;
  while (p[at] >= '0' && p[at] <= '9') ++at, digits = true;
  if (p[at] == '.') {
    ++at;
    while (p[at] >= '0' && p[at] <= '9') ++at;
  }
  while (p[at] == '*' || p[at] == '/') ++at;
  return digits && p[at] == '>' ? at + 1 : 0;
}

// Copies the capability without its delays; false when it does not fit.
bool CopyCap(const char* from, char (&to)[kCapBytes]) {
  int length = 0;
  while (*from != 0) {
    if (const int delay = DelayLength(from)) {
      from += delay;
      continue;
    }
    if (length == kCapBytes - 1) {
      to[0] = 0;
      return false;
    }
    to[length++] = *from++;
  }
  to[length] = 0;
  return true;
}

// The string capabilities of an entry whose parts were found valid.
class StringTable {
 public:
  StringTable(const unsigned char* offsets, int count,
              const unsigned char* table, int tableSize)
      : offsets_(offsets), count_(count), table_(table), size_(tableSize) {}

  // Empty when the entry lacks it or it is malformed.
  void Get(int index, char (&to)[kCapBytes]) const {
    to[0] = 0;
    if (index >= count_) return;
    const int offset =
        ReadShort(offsets_ + 2 * static_cast<std::size_t>(index));
    if (offset < 0 || offset >= size_) return;
    const auto* text = reinterpret_cast<const char*>(table_ + offset);
    for (int i = offset; i < size_; ++i) {
      if (table_[i] == 0) {
        CopyCap(text, to);
        return;
      }
    }
  }

 private:
  const unsigned char* offsets_;
  int count_;
  const unsigned char* table_;
  int size_;
};

// Reads a whole regular file of at most kEntryBytes into `buffer`; returns
// its size, or 0.
std::size_t ReadEntry(const char* path, unsigned char* buffer) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return 0;
  struct stat status {};
  std::size_t size = 0;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    // One byte more than an entry may have tells one that is too long.
    size = ReadAll(fd, buffer, kEntryBytes + 1).bytes;
  }
  close(fd);
  return size <= kEntryBytes ? size : 0;
}

// Appends `text` (at most `length` bytes of it) to `path` at `at`; false
// when it does not fit.
bool Append(char (&path)[PATH_MAX], std::size_t& at, const char* text,
            std::size_t length = SIZE_MAX) {
  for (std::size_t i = 0; i < length && text[i] != 0; ++i) {
    if (at + 1 >= sizeof path) return false;
    path[at++] = text[i];
  }
  path[at] = 0;
  return true;
}

bool IsSafeName(const char* term) {
  if (term == nullptr || term[0] == 0 || term[0] == '.') return false;
  std::size_t length = 0;
  for (; term[length] != 0; ++length) {
    if (term[length] == '/' || length > NAME_MAX) return false;
  }
  return true;
}

// Tries `folder` (its first `length` bytes) in both of its layouts.
bool LoadFromFolder(const char* folder, std::size_t length, const char* term,
                    TerminalCaps& caps) {
  static std::mutex bufferInUse;
  static unsigned char buffer[kEntryBytes + 1];
  const char hex[] = "0123456789abcdef";
  const auto first = static_cast<unsigned char>(term[0]);
  const char letter[] = {term[0], 0};
  const char code[] = {hex[first >> 4], hex[first & 15], 0};
  for (const char* sub : {letter, code}) {
    char path[PATH_MAX];
    std::size_t at = 0;
    if (length == 0 || folder[0] == 0 || !Append(path, at, folder, length) ||
        !Append(path, at, "/") || !Append(path, at, sub) ||
        !Append(path, at, "/") || !Append(path, at, term)) {
      return false;
    }
    const std::lock_guard<std::mutex> hold(bufferInUse);
    const std::size_t size = ReadEntry(path, buffer);
    if (size > 0 && ParseTerminfo(buffer, size, caps)) return true;
  }
  return false;
}

bool LoadFromSystem(const char* term, TerminalCaps& caps) {
  for (const char* folder : kSystemFolders) {
    if (LoadFromFolder(folder, SIZE_MAX, term, caps)) return true;
  }
  return false;
}

// The folders of a colon-separated list in order, an empty one meaning the
// system's.
bool LoadFromList(const char* list, const char* term, TerminalCaps& caps) {
  for (const char* p = list; *p != 0;) {
    std::size_t length = 0;
    while (p[length] != 0 && p[length] != ':') ++length;
    if (length == 0 ? LoadFromSystem(term, caps)
                    : LoadFromFolder(p, length, term, caps)) {
      return true;
    }
    p += length;
    if (*p == ':') ++p;
  }
  return false;
}

}  // namespace

bool CanRewrite(const TerminalCaps& caps) {
  return caps.up[0] != 0 && caps.eraseLine[0] != 0;
}

bool ParseTerminfo(const unsigned char* data, std::size_t size,
                   TerminalCaps& caps) {
  caps = TerminalCaps{};
  if (data == nullptr || size < kHeaderBytes) return false;
  const int magic = ReadShort(data);
  if (magic != kLegacyMagic && magic != kWideNumberMagic) return false;
  const std::size_t numberBytes = magic == kLegacyMagic ? 2 : 4;
  int counts[5];  // names' bytes, booleans, numbers, strings, table bytes
  for (int i = 0; i < 5; ++i) {
    counts[i] = ReadShort(data + 2 + 2 * static_cast<std::size_t>(i));
    if (counts[i] < 0) return false;
  }
  // Numbers start on an even byte.
  std::size_t at = kHeaderBytes + counts[0] + counts[1];
  at += at & 1;
  at += counts[2] * numberBytes;
  const std::size_t offsetsAt = at;
  at += 2 * static_cast<std::size_t>(counts[3]);
  if (at + counts[4] > size) return false;
  const StringTable strings(data + offsetsAt, counts[3], data + at, counts[4]);
  strings.Get(kCuu1, caps.up);
  strings.Get(kEl, caps.eraseLine);
  strings.Get(kEd, caps.eraseBelow);
  strings.Get(kCivis, caps.hideCursor);
  strings.Get(kCnorm, caps.showCursor);
  strings.Get(kBold, caps.bold);
  strings.Get(kRev, caps.reverse);
  if (caps.reverse[0] == 0) strings.Get(kSmso, caps.reverse);
  strings.Get(kSmul, caps.underline);
  strings.Get(kRmul, caps.underlineOff);
  strings.Get(kSgr0, caps.plain);
  return true;
}

bool LoadTerminalCaps(const char* term, TerminalCaps& caps) {
  caps = TerminalCaps{};
  if (!IsSafeName(term)) return false;
  const char* own = getenv("TERMINFO");
  if (own != nullptr && LoadFromFolder(own, SIZE_MAX, term, caps)) return true;
  char home[PATH_MAX];
  std::size_t at = 0;
  const char* folder = getenv("HOME");
  if (folder != nullptr && folder[0] != 0 && Append(home, at, folder) &&
      Append(home, at, "/.terminfo") &&
      LoadFromFolder(home, SIZE_MAX, term, caps)) {
    return true;
  }
  const char* list = getenv("TERMINFO_DIRS");
  if (list != nullptr && LoadFromList(list, term, caps)) return true;
  return LoadFromSystem(term, caps);
}

}  // namespace vorlick
