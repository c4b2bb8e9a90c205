// The error box of the POSIX program: shown through the display library like
// every other box (so it appears on the screen or the terminal), and written
// to standard error as well, where scripts and logs see it.
#include <unistd.h>

#include "platform_api.h"
#include "utf8.h"

namespace {

void WriteAll(const char* text, int length) {
  while (length > 0) {
    ssize_t written = write(STDERR_FILENO, text, static_cast<size_t>(length));
    if (written <= 0) return;
    text += written;
    length -= static_cast<int>(written);
  }
}

void WriteText(const char16_t* text) {
  // 3 bytes per unit holds any UTF-16 text of the 2048-unit message buffer.
  char bytes[3 * 2048 + 1];
  int length = Utf16ToUtf8(text, bytes, sizeof bytes);
  if (length < 0) {
    length = 0;
    while (bytes[length] != 0) ++length;
  }
  WriteAll(bytes, length);
}

}  // namespace

int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption,
                UINT type) {
  WriteText(caption);
  WriteAll(": ", 2);
  WriteText(text);
  WriteAll("\n", 1);
  return VorlickShowMessage(owner, text, caption, type, 0, 0);
}
