#include "request_path.h"

#include "utf8.h"

namespace {

char16_t requestPath[kPathUnits];

bool IsBlankOrControl(char16_t unit) { return unit >= 1 && unit <= 32; }

// Appends `text` at `length`; keeps what fits and stays terminated.
void Append(const char* text, int& length) {
  const int room = kPathUnits - length;
  if (room <= 1) return;
  const int added = Utf8ToUtf16(text, requestPath + length, room);
  if (added < 0) {
    while (requestPath[length] != 0) ++length;
  } else {
    length += added;
  }
}

}  // namespace

const char16_t* RequestPathFromArgs(int argc, const char* const* argv) {
  int length = 0;
  requestPath[0] = 0;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) Append(" ", length);
    Append(argv[i], length);
  }
  const char16_t* path = requestPath;
  while (IsBlankOrControl(*path)) ++path;
  return path;
}
