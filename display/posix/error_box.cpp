// The error box of the POSIX program: shown through the display library like
// every other box (so it appears on the screen or the terminal), and written
// to standard error as well, where scripts and logs see it.
#include "platform_api.h"
#include "utf8.h"
#include "vorlick.h"
#include "write_all.h"

namespace {

void WriteText(const char16_t* text) {
  // 3 bytes per unit holds any UTF-16 text of the 2048-unit message buffer.
  char bytes[3 * 2048 + 1];
  int length = Utf16ToUtf8(text, bytes, sizeof bytes);
  if (length < 0) {
    length = 0;
    while (bytes[length] != 0) ++length;
  }
  WriteAll(STDERR_FILENO, bytes, static_cast<std::size_t>(length));
}

}  // namespace

int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption,
                UINT type) {
  WriteText(caption);
  WriteAll(STDERR_FILENO, ": ", 2);
  WriteText(text);
  WriteAll(STDERR_FILENO, "\n", 1);
  return VorlickShowMessage(owner, text, caption, type, 0, 0);
}
