#include "command_tail.h"

namespace {

bool IsBlankOrControl(char16_t unit) { return unit >= 1 && unit <= 32; }

}  // namespace

const char16_t* CommandTail(const char16_t* commandLine) {
  const char16_t* p = commandLine;
  if (*p == u'"') {
    ++p;
    while (*p != 0 && *p != u'"') ++p;
    if (*p == u'"') ++p;
  } else {
    while (*p > 32) ++p;
  }
  while (IsBlankOrControl(*p)) ++p;
  return p;
}
